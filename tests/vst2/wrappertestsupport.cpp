// Buffers, chunk access and the bounded dispatcher fuzz shared by the wrapper's tests.
#include "tests/vst2/wrappertestsupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <thread>

namespace wrappertest {

using namespace vst2host;

void process (const Effect& effect, Stereo<float>& buffers)
{
	effect.processReplacing (buffers.inputs, buffers.outputs, static_cast<Int32> (buffers.in[0].size ()));
}

void process (const Effect& effect, Stereo<double>& buffers)
{
	effect.processDoubleReplacing (buffers.inputs, buffers.outputs, static_cast<Int32> (buffers.in[0].size ()));
}

std::vector<char> chunkOf (const Effect& effect)
{
	void* data = nullptr;
	const IntPtr size = effect.dispatch (kGetChunk, 0, 0, &data);
	if (size <= 0 || !data)
		return {};
	const char* bytes = static_cast<const char*> (data);
	return std::vector<char> (bytes, bytes + size);
}

IntPtr setChunk (const Effect& effect, std::vector<char> bytes)
{
	return effect.dispatch (kSetChunk, 0, static_cast<IntPtr> (bytes.size ()), bytes.empty () ? nullptr : bytes.data ());
}

void whileBlocksRun (const Effect& effect, int frames, const std::function<void ()>& body)
{
	std::atomic<bool> running {true};
	std::thread audio ([&] {
		Stereo<float> blocks (frames, 0.5f);
		while (running.load ())
			process (effect, blocks);
	});
	body ();
	running.store (false);
	audio.join ();
}

namespace {

// Opcodes a host never sends at random: effClose ends the effect, effEditOpen needs a real window.
bool sendable (Int32 opcode)
{
	return opcode != kClose && opcode != kEditOpen;
}

template <typename Sample>
bool finite (const Stereo<Sample>& buffers)
{
	for (const auto& channel : buffers.out)
		for (Sample sample : channel)
			if (!std::isfinite (sample))
				return false;
	return true;
}

} // namespace

int fuzzEffect (const Effect& effect, std::uint32_t seed, int rounds)
{
	std::mt19937 random (seed);
	auto pick = [&] (int count) { return static_cast<int> (random () % static_cast<unsigned> (count)); };
	const Int32 params = effect.numParams ();
	const Int32 indices[] = {-1, 0, 1, params - 1, params, params + 1, 1 << 20, std::numeric_limits<Int32>::min ()};
	const IntPtr values[] = {0, 1, -1, 2, 64, 48000, std::numeric_limits<Int32>::max (), std::numeric_limits<IntPtr>::min ()};
	const float opts[] = {0.f, 1.f, -1.f, 0.5f, 44100.f, 1e30f, -1e30f, std::numeric_limits<float>::quiet_NaN (),
	                      std::numeric_limits<float>::infinity (), 1e-30f};
	// Big enough for every record a host passes; zeroed, so every text in it is terminated and
	// every count in it is 0.
	std::vector<char> record (1024);
	void* pointers[2] = {};
	Stereo<float> floats (64, 0.25f);
	Stereo<double> doubles (64, 0.25);

	for (int round = 0; round < rounds; ++round)
	{
		std::fill (record.begin (), record.end (), 0);
		switch (pick (6))
		{
			case 0:
			case 1:
			{
				const Int32 opcode = pick (86) - 3;
				if (!sendable (opcode))
					break;
				IntPtr value = values[pick (8)];
				void* ptr = pick (3) == 0 ? nullptr : record.data ();
				// Two opcodes carry a pointer in value: a real one or none.
				if (opcode == kSetSpeakerArrangement)
					value = pick (2) ? reinterpret_cast<IntPtr> (record.data () + 512) : 0;
				if (opcode == kGetSpeakerArrangement)
					value = pick (2) ? reinterpret_cast<IntPtr> (&pointers[0]) : 0;
				if (opcode == kGetChunk && ptr)
					ptr = &pointers[1];
				if (opcode == kSetChunk)
					value = ptr ? pick (64) : value;
				if (ptr == record.data () && pick (2))
					std::strcpy (record.data (), pick (2) ? "bypass" : "0.5");
				effect.dispatch (opcode, indices[pick (8)], value, ptr, opts[pick (10)]);
				break;
			}
			case 2:
				effect.setParameter (indices[pick (8)], opts[pick (10)]);
				effect.getParameter (indices[pick (8)]);
				break;
			case 3:
			{
				// Random bytes, half of them behind a header whose sizes fit.
				std::vector<char> bytes (static_cast<size_t> (pick (400)));
				for (char& byte : bytes)
					byte = static_cast<char> (random ());
				if (bytes.size () >= 16 && pick (2))
				{
					const std::int64_t first = pick (static_cast<int> (bytes.size ()) - 15);
					const std::int64_t second = pick (static_cast<int> (bytes.size () - 16 - first) + 1);
					std::memcpy (bytes.data (), &first, 8);
					std::memcpy (bytes.data () + 8, &second, 8);
				}
				const std::vector<char> before = chunkOf (effect);
				if (setChunk (effect, bytes) == 0 && chunkOf (effect) != before)
				{
					ADD_FAILURE () << "a refused chunk changed the state, round " << round;
					return round;
				}
				break;
			}
			default:
				if (pick (2))
				{
					process (effect, floats);
					if (!finite (floats))
					{
						ADD_FAILURE () << "non-finite 32-bit output, round " << round;
						return round;
					}
				}
				else
				{
					process (effect, doubles);
					if (!finite (doubles))
					{
						ADD_FAILURE () << "non-finite 64-bit output, round " << round;
						return round;
					}
				}
				break;
		}
	}
	return rounds;
}

} // namespace wrappertest
