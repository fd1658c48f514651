// The state reader against arbitrary bytes: a long deterministic random run (meant for the
// sanitizer build). Nothing may crash, and the state changes only when a whole record was read.
#include "DirectProcessor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using namespace ProcessorTest;

constexpr int kIterations = 300000;
// Whatever the machine, the run ends well inside a minute.
constexpr auto kTimeLimit = std::chrono::seconds (40);

// What a complete read of these bytes gives, written back: the reference the processor must match.
bool expectedState (const Bytes& bytes, Bytes& result)
{
	Bytes copy (bytes);
	MemoryStream in (copy.data (), static_cast<TSize> (copy.size ()));
	ReverbSettings settings = defaultReverbSettings ();
	if (settings.read (&in) != kResultOk)
		return false;
	result = written (settings);
	return true;
}

// Inputs of three kinds: noise, plausible records of any version cut anywhere, and accepted
// records with a few bytes changed.
Bytes makeInput (std::mt19937& random, const Bytes& lastAccepted)
{
	std::uniform_int_distribution<int> byte (0, 255);
	Bytes bytes;
	switch (random () % 3)
	{
		case 0:
			bytes.resize (random () % 400);
			for (auto& b : bytes)
				b = static_cast<uint8_t> (byte (random));
			break;
		case 1:
		{
			const uint64_t versions[] = {0, 1, 2, 3, 4, 5, 255, ~uint64_t (0), uint64_t (1) << 40};
			uint64_t version = versions[random () % 9];
			bytes.resize (random () % 200);
			for (size_t i = 0; i < bytes.size (); ++i)
				bytes[i] = i < 8 ? static_cast<uint8_t> (version >> (8 * i)) : static_cast<uint8_t> (byte (random));
			break;
		}
		default:
			bytes = lastAccepted;
			for (int flips = 1 + random () % 4; flips > 0 && !bytes.empty (); --flips)
				bytes[random () % bytes.size ()] = static_cast<uint8_t> (byte (random));
			if (random () % 4 == 0)
				bytes.resize (random () % (bytes.size () + 1));
	}
	return bytes;
}

TEST (StateFuzz, ArbitraryBytesNeverCrashAndNeverHalfChangeTheState)
{
	DirectProcessor plugin (kSample32, 64, 44100.0);
	ASSERT_TRUE (plugin.ready);
	std::vector<float> left (16, 0.5f), right (16, -0.25f);
	StereoBlock<float> block (left.data (), right.data (), left.data (), right.data (), 16);

	std::mt19937 random (20240611u);
	Bytes current = plugin.state ();
	int accepted = 0;
	const auto started = std::chrono::steady_clock::now ();
	for (int i = 0; i < kIterations; ++i)
	{
		// Loaded while inactive, and while active with blocks in between that adopt the state.
		if (i % 500 == 0)
			plugin.component->setActive ((i / 500) % 2 == 1);
		const Bytes input = makeInput (random, current);
		Bytes expected;
		const bool complete = expectedState (input, expected);
		const tresult result = plugin.load (input);
		ASSERT_EQ (result, complete ? kResultOk : kResultFalse) << "iteration " << i;
		if (complete)
		{
			current = expected;
			++accepted;
		}
		if (i % 7 == 0)
		{
			plugin.processor->process (block.data);
			left.assign (16, 0.5f);
			right.assign (16, -0.25f);
		}
		ASSERT_EQ (plugin.state (), current) << "iteration " << i;
		if (std::chrono::steady_clock::now () - started > kTimeLimit)
			break;
	}
	EXPECT_GT (accepted, 1000);
}

} // namespace
