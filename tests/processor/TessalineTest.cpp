// The processor in process: states loaded on the host's thread while the audio thread runs, the
// floating-point mode around the frame loop, and text without a text.
#include "processor/EngineMapping.h"
#include "processor/ParameterIds.h"
#include "processor/ReverbSettings.h"
#include "DirectProcessor.h"

#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"

#include "public.sdk/source/vst/hosting/parameterchanges.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <xmmintrin.h>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <thread>
#include <vector>

namespace {

using namespace ProcessorTest;

// The default record, and one that differs from it in every field.
std::array<Bytes, 2> twoDifferentRecords ()
{
	ReverbSettings first = defaultReverbSettings ();
	ReverbSettings second = first;
	second.dry = 0.25;
	second.predelay = 0.9;
	second.width = 0.3;
	second.decayTime = 0.8;
	second.roomSize = 0.95;
	second.diffusion = 0.1;
	second.dampIntensity = 0.2;
	second.damp = 0.3;
	second.lowShelf = 0.9;
	second.lowGain = 0.1;
	second.peak = 0.15;
	second.peakGain = 0.85;
	second.highShelf = 0.05;
	second.highGain = 0.95;
	second.earlyReflections = 0.4;
	second.reverb = 0.45;
	second.wet = 0.55;
	second.earlyReflectionVariation = 9;
	second.reverbVariation = 4;
	second.bypassDry = second.bypassEarlyReflections = second.bypassReverb = second.bypassWet = 1;
	second.modSpeed = 0.77;
	second.modDepth = 0.66;
	return {written (first), written (second)};
}

// Blocks of 32 frames through the processor on a thread of its own, from the first one on
// (construction returns once one has run) until stop.
struct AudioThread
{
	explicit AudioThread (DirectProcessor& plugin)
	: thread ([this, &plugin] {
		std::vector<float> left (32, 0.1f), right (32, 0.2f);
		StereoBlock<float> block (left.data (), right.data (), left.data (), right.data (), 32);
		while (!stopped.load ())
		{
			plugin.processor->process (block.data);
			++blocks;
		}
	})
	{
		while (blocks.load () == 0)
			std::this_thread::yield ();
	}
	~AudioThread () { stop (); }

	void stop ()
	{
		stopped = true;
		if (thread.joinable ())
			thread.join ();
	}

	std::atomic<bool> stopped {false};
	std::atomic<int> blocks {0};
	std::thread thread;
};

// setState on the host's thread while process runs on the audio thread: every record arrives
// whole, and getState answers with the newest one at once.
TEST (ProcessorThreads, StatesLoadedWhileProcessingArriveWhole)
{
	DirectProcessor plugin (kSample32, 32);
	ASSERT_TRUE (plugin.ready);
	ASSERT_EQ (plugin.component->setActive (true), kResultOk);
	const std::array<Bytes, 2> records = twoDifferentRecords ();

	int last = 0;
	AudioThread audio (plugin);
	// Loads go on until the audio thread has been through many blocks meanwhile.
	const int blocksBefore = audio.blocks.load ();
	for (int i = 0; i < 3000 || (audio.blocks.load () < blocksBefore + 200 && i < 1000000); ++i)
	{
		ASSERT_EQ (plugin.load (records[i % 2]), kResultOk);
		ASSERT_EQ (plugin.state (), records[i % 2]) << "load " << i;
		last = i % 2;
	}
	audio.stop ();
	EXPECT_GE (audio.blocks.load (), blocksBefore + 200);

	// After deactivation the last record is the processor's own, adopted or not.
	plugin.component->setActive (false);
	EXPECT_EQ (plugin.state (), records[last]);
}

// setState on one host thread while getState runs on another, inactive and then active with the
// audio thread running: every state handed out is one of the records loaded, never a mix of two.
TEST (ProcessorThreads, StatesHandedOutDuringLoadsAreWhole)
{
	constexpr int kLoads = 20000;
	DirectProcessor plugin (kSample32, 32);
	ASSERT_TRUE (plugin.ready);
	const std::array<Bytes, 2> records = twoDifferentRecords ();
	ASSERT_EQ (plugin.load (records[1]), kResultOk);

	for (const bool active : {false, true})
	{
		ASSERT_EQ (plugin.component->setActive (active), kResultOk);
		std::unique_ptr<AudioThread> audio (active ? new AudioThread (plugin) : nullptr);
		std::atomic<bool> loading {true};
		std::thread loader ([&] {
			for (int i = 0; i < kLoads; ++i)
				plugin.load (records[i % 2]);
			loading = false;
		});
		int reads = 0, mixed = 0;
		while (loading.load ())
		{
			const Bytes state = plugin.state ();
			++reads;
			if (state != records[0] && state != records[1])
				++mixed;
		}
		loader.join ();
		EXPECT_EQ (mixed, 0) << "of " << reads << " states read, " << (active ? "active" : "inactive");
		EXPECT_EQ (plugin.state (), records[(kLoads - 1) % 2]);
	}
}

// The loop runs with denormals flushed (a denormal input reaches the dry path as 0) and the
// caller's mode comes back afterwards.
TEST (Processor, FrameLoopFlushesDenormalsAndRestoresTheMode)
{
	DirectProcessor plugin (kSample64, 16);
	ASSERT_TRUE (plugin.ready);
	ASSERT_EQ (plugin.component->setActive (true), kResultOk);
	std::vector<double> in (16, std::numeric_limits<double>::denorm_min () * 1000.0), out (16, 1.0);
	StereoBlock<double> block (in.data (), in.data (), out.data (), out.data (), 16);

	const unsigned int callerMode = _mm_getcsr () & ~0x8040u; // flush-to-zero and denormals-are-zero off
	_mm_setcsr (callerMode);
	plugin.processor->process (block.data);
	EXPECT_EQ (_mm_getcsr (), callerMode);
	EXPECT_EQ (out[0], 0.0) << "the first frame is the dry input alone";
	for (double sample : out)
		EXPECT_NE (std::fpclassify (sample), FP_SUBNORMAL);
}

// Blocks whose lengths leave an odd frame over, at both sample sizes, give the frame routine's
// output in the host's sample type, and the level point holds the block's largest mid value. The
// first block runs past the pre-delay, so that the later ones carry the reverb.
template <typename Sample>
void checkOddBlocks (int32 sampleSize)
{
	constexpr int32 kLengths[] = {2048, 1, 3, 129, 255};
	constexpr double kRate = 48000.0;
	DirectProcessor plugin (sampleSize, 2048, kRate);
	ASSERT_TRUE (plugin.ready);
	ASSERT_EQ (plugin.component->setActive (true), kResultOk);
	auto engine = std::make_unique<ReverbEngine> ();
	engine->setSampleRate (kRate);
	passAllToEngine (*engine, defaultReverbSettings ());
	engine->reset ();

	std::vector<Sample> left (2048), right (2048);
	ParameterChanges outputs (1);
	uint32_t seed = 11;
	float lastLevel = 0.0f;
	for (int32 length : kLengths)
	{
		for (int32 i = 0; i < length; ++i)
		{
			seed = seed * 1664525u + 1013904223u;
			left[i] = static_cast<Sample> (static_cast<int32> (seed) / 4294967296.0);
			right[i] = static_cast<Sample> (-0.5 * left[i]);
		}
		std::vector<Sample> expectedL (length), expectedR (length);
		double level = 0.0;
		{
			DenormalGuard guard;
			for (int32 i = 0; i < length; ++i)
			{
				const double in[2] = {left[i], right[i]};
				double out[2];
				engine->processFrame (in, out);
				expectedL[i] = static_cast<Sample> (out[0]);
				expectedR[i] = static_cast<Sample> (out[1]);
				level = std::max (level, (out[0] + out[1]) / 2.0);
			}
		}
		StereoBlock<Sample> block (left.data (), right.data (), left.data (), right.data (), length);
		outputs.clearQueue ();
		block.data.outputParameterChanges = &outputs;
		ASSERT_EQ (plugin.processor->process (block.data), kResultOk);
		EXPECT_EQ (std::vector<Sample> (left.begin (), left.begin () + length), expectedL) << length;
		EXPECT_EQ (std::vector<Sample> (right.begin (), right.begin () + length), expectedR) << length;
		const bool reported = static_cast<double> (lastLevel) != level;
		ASSERT_EQ (outputs.getParameterCount (), reported ? 1 : 0) << length;
		if (reported)
		{
			int32 offset = -1;
			ParamValue value = -1.0;
			outputs.getParameterData (0)->getPoint (0, offset, value);
			EXPECT_EQ (value, level) << length;
			lastLevel = static_cast<float> (level);
		}
	}
}

TEST (Processor, OddBlocksAtBothSampleSizesGiveTheFrameRoutinesOutputAndLevel)
{
	checkOddBlocks<float> (kSample32);
	checkOddBlocks<double> (kSample64);
}

// process passes a parameter to the engine only where its stored value changed. Against a
// processor that calls the setter for every point (applyParameter, before each block), random
// automation gives the same output bits and the same state: blocks of 1 to 512 frames, up to a
// dozen queues a block with up to three points, every id (and ids beyond the stored ones), values
// repeated, new, out of range, -0 and NaN, and saved states loaded while active.
template <typename Sample>
void checkAutomation (int32 sampleSize, double rate)
{
	constexpr int kBlocks = 600;
	constexpr int32 kMaxFrames = 512;
	constexpr ParamID kIds = kVuPPM + 1;
	constexpr double kSpecial[] = {0.0, -0.0, 0.0, -0.0, 1.0, 0.5, 1.5, -0.25, std::numeric_limits<double>::quiet_NaN ()};
	DirectProcessor skipping (sampleSize, kMaxFrames, rate), everyPoint (sampleSize, kMaxFrames, rate);
	ASSERT_TRUE (skipping.ready && everyPoint.ready);
	auto* reference = static_cast<Tessaline*> (everyPoint.processor.getInterface ());
	DirectProcessor* both[2] = {&skipping, &everyPoint};
	for (DirectProcessor* plugin : both)
		ASSERT_EQ (plugin->component->setActive (true), kResultOk);

	uint32_t seed = 5;
	auto next = [&seed] (uint32_t range) {
		seed = seed * 1664525u + 1013904223u;
		return (seed >> 8) % range;
	};
	std::vector<double> lastSent (kIds, 0.5);
	std::vector<Sample> left (kMaxFrames), right (kMaxFrames);
	std::vector<Sample> out[2][2];
	ParameterChanges changes (kIds);
	Bytes saved = skipping.state ();
	for (int b = 0; b < kBlocks; ++b)
	{
		const int32 frames = 1 + static_cast<int32> (next (kMaxFrames));
		changes.clearQueue ();
		// A saved state loaded while active is adopted at the start of the next block, which
		// carries no points (the reference applies its points before the block).
		const bool load = b % 97 == 50;
		if (load)
		{
			for (DirectProcessor* plugin : both)
				ASSERT_EQ (plugin->load (saved), kResultOk);
		}
		for (uint32_t queues = load ? 0 : next (13); queues > 0; --queues)
		{
			const ParamID id = next (kIds);
			int32 index = 0;
			IParamValueQueue* queue = changes.addParameterData (id, index);
			for (uint32_t points = 1 + next (3); points > 0; --points)
			{
				const uint32_t kind = next (8);
				double value = kind < 4 ? lastSent[id]
				                        : (kind == 4 ? kSpecial[next (std::size (kSpecial))] : next (1u << 20) / 1048576.0);
				if (id == kBypass)
					value *= 0.6; // on now and then, not half the time
				lastSent[id] = value;
				queue->addPoint (static_cast<int32> (next (static_cast<uint32_t> (frames))), value, index);
			}
		}
		for (int32 q = 0; q < changes.getParameterCount (); ++q)
		{
			IParamValueQueue* queue = changes.getParameterData (q);
			for (int32 point = 0; point < queue->getPointCount (); ++point)
			{
				int32 offset = 0;
				ParamValue value = 0.0;
				queue->getPoint (point, offset, value);
				reference->applyParameter (queue->getParameterId (), value);
			}
		}
		for (int32 i = 0; i < frames; ++i)
		{
			left[i] = static_cast<Sample> (static_cast<int32> (next (1u << 20)) / 1048576.0 - 0.5);
			right[i] = static_cast<Sample> (0.25 * left[i] - 0.1);
		}
		for (int p = 0; p < 2; ++p)
		{
			out[p][0].assign (frames, Sample (0));
			out[p][1].assign (frames, Sample (0));
			StereoBlock<Sample> block (left.data (), right.data (), out[p][0].data (), out[p][1].data (), frames);
			block.data.inputParameterChanges = p == 0 ? &changes : nullptr;
			ASSERT_EQ (both[p]->processor->process (block.data), kResultOk);
		}
		for (int c = 0; c < 2; ++c)
			ASSERT_EQ (std::memcmp (out[0][c].data (), out[1][c].data (), sizeof (Sample) * frames), 0)
			    << "block " << b << ", channel " << c << ", " << frames << " frames";
		// The active processor's state against the reference's own record, read while inactive.
		if (b % 30 == 29)
		{
			const Bytes reported = skipping.state ();
			for (DirectProcessor* plugin : both)
				ASSERT_EQ (plugin->component->setActive (false), kResultOk);
			ASSERT_EQ (reported, everyPoint.state ()) << "block " << b;
			ASSERT_EQ (skipping.state (), reported) << "block " << b;
			for (DirectProcessor* plugin : both)
				ASSERT_EQ (plugin->component->setActive (true), kResultOk);
			if (b % 3 == 1)
				saved = reported;
		}
	}
}

TEST (Processor, AutomationPassedOnlyWhereItChangesGivesWhatEverySetterCallGives)
{
	checkAutomation<float> (kSample32, 48000.0);
	checkAutomation<double> (kSample64, 96000.0);
}

TEST (Processor, ReceivedNullTextIsWrittenAsEmpty)
{
	DirectProcessor plugin;
	auto* tessaline = static_cast<Tessaline*> (plugin.processor.getInterface ());
	::testing::internal::CaptureStderr ();
	EXPECT_EQ (tessaline->receiveText (nullptr), kResultOk);
	EXPECT_EQ (::testing::internal::GetCapturedStderr (), "[Tessaline] received: \n");
}

} // namespace
