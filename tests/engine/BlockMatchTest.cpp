// The engine over whole blocks against its own frame routine, bit for bit: every variation and
// rate, blocks of awkward lengths, settings that change between blocks, bad input and resets; with
// the combs in 256-bit registers (where the processor has AVX) and with SSE2 alone.
#include "EngineTestSupport.h"

#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

// Lengths around the pass size and the line lengths, taken in turn.
constexpr int32_t kBlockLengths[] = {1, 2, 3, 255, 256, 257, 4097};

using Input = std::function<void (long long frame, double in[2])>;

class BlockMatch : public ::testing::TestWithParam<bool>
{
protected:
	void SetUp () override
	{
		if (blockEngine->useAvx (GetParam ()) != GetParam ())
			GTEST_SKIP () << "no AVX on this processor";
	}

	// Runs `frames` frames through both engines, the block engine in blocks of the lengths above
	// in turn (or all of blockLength), every other block in place. False at the first frame whose
	// bits differ.
	bool runBoth (long long frames, const Input& input, int32_t blockLength = 0)
	{
		std::vector<double> in, out;
		for (long long done = 0; done < frames;)
		{
			const int32_t length = static_cast<int32_t> (std::min<long long> (
			    blockLength > 0 ? blockLength : kBlockLengths[blockCount % std::size (kBlockLengths)], frames - done));
			in.resize (2 * static_cast<size_t> (length));
			for (int32_t n = 0; n < length; ++n)
				input (frameCount + n, &in[2 * n]);
			out = in;
			const bool inPlace = blockCount % 2 == 0;
			blockEngine->processBlock (inPlace ? out.data () : in.data (), out.data (), length);
			for (int32_t n = 0; n < length; ++n)
			{
				double expected[2];
				frameEngine->processFrame (&in[2 * n], expected);
				if (std::memcmp (expected, &out[2 * n], sizeof (expected)) != 0)
				{
					ADD_FAILURE () << "frame " << frameCount + n << " (block " << blockCount << " of " << length
					               << "): expected (" << expected[0] << ", " << expected[1] << ") got ("
					               << out[2 * n] << ", " << out[2 * n + 1] << ")";
					return false;
				}
			}
			frameCount += length;
			done += length;
			++blockCount;
		}
		return true;
	}

	bool runNoise (long long frames, int32_t blockLength = 0)
	{
		return runBoth (
		    frames,
		    [this] (long long, double in[2]) {
			    in[0] = noise.next ();
			    in[1] = 0.5 * noise.next ();
		    },
		    blockLength);
	}

	template <class Change>
	void both (Change change)
	{
		change (*frameEngine);
		change (*blockEngine);
	}

	std::unique_ptr<ReverbEngine> frameEngine = std::make_unique<ReverbEngine> ();
	std::unique_ptr<ReverbEngine> blockEngine = std::make_unique<ReverbEngine> ();
	Noise noise;
	long long frameCount = 0;
	size_t blockCount = 0;
};

} // namespace

TEST_P (BlockMatch, EveryVariationAtEachRate)
{
	for (double rate : {44100.0, 48000.0, 96000.0, 192000.0})
		for (int32_t variation = 1; variation <= 12; ++variation)
		{
			both ([rate, variation] (ReverbEngine& e) {
				e.setSampleRate (rate);
				applyProcessorDefaults (e);
				e.setEarlyReflectionVariation (variation);
				e.setReverbVariation (variation % 6 + 1);
				e.setModulationDepth (variation / 12.0);
				e.setDampIntensity (variation / 11.0);
			});
			ASSERT_TRUE (runNoise (5000)) << rate << " Hz, variation " << variation;
		}
}

// Every setter between blocks, so that lengths change while their countdowns run, a line can
// shrink below the modulated delay's write position, and the rate changes without a reset.
TEST_P (BlockMatch, SettingsChangedBetweenBlocks)
{
	both ([] (ReverbEngine& e) { applyProcessorDefaults (e); });
	for (int step = 0; step < 24; ++step)
	{
		both ([step] (ReverbEngine& e) {
			switch (step % 8)
			{
				case 0: e.setPreDelay (0.37), e.setRoomSize (0.9), e.setReverbVariation (6); break;
				case 1: e.setDryBypass (true), e.setReverbBypass (true), e.setWidth (0.0); break;
				case 2: e.setEarlyReflectionsBypass (true), e.setModulationDepth (1.0), e.setDecayTime (1.0); break;
				case 3: e.setSampleRate (96000.0), e.setDecayTime (0.05), e.setDampFrequency (5000.0); break;
				case 4: e.setModulationSpeed (0.0), e.setModulationDepth (0.2), e.setRoomSize (0.0); break;
				case 5: e.setWetBypass (true), e.setEqGain (0.9, 2), e.setEqFrequency (15000.0, 1); break;
				case 6: e.setWetBypass (false), e.setSampleRate (44100.0), e.setPreDelay (0.0); break;
				default:
					e.setReverbBypass (false), e.setDryBypass (false), e.setEarlyReflectionsBypass (false);
					e.setModulationSpeed (0.7), e.setReverbVariation (step % 5 + 1), e.setWidth (0.6);
					break;
			}
		});
		ASSERT_TRUE (runNoise (1500 + 700 * (step % 5))) << "step " << step;
	}
}

// A loud burst, then a tail that runs into the denormal range (flushed, as the processor runs
// the engine), then bad samples, then a reset in the middle of the signal.
TEST_P (BlockMatch, BurstTailBadInputAndReset)
{
	DenormalGuard guard;
	both ([] (ReverbEngine& e) {
		e.setSampleRate (48000.0);
		applyProcessorDefaults (e);
	});
	ASSERT_TRUE (runBoth (3000, [this] (long long, double in[2]) { in[0] = in[1] = 1.0e4 * noise.next (); }));
	ASSERT_TRUE (runBoth (6 * 48000, [] (long long, double in[2]) { in[0] = in[1] = 0.0; }));

	const double bad[] = {kNaN, kInfinity, -kInfinity, 6.0e307, -std::numeric_limits<double>::max (), -0.0};
	ASSERT_TRUE (runBoth (20000, [&] (long long frame, double in[2]) {
		in[0] = frame % 997 == 0 ? bad[(frame / 997) % std::size (bad)] : noise.next ();
		in[1] = frame % 1409 == 0 ? bad[(frame / 1409) % std::size (bad)] : noise.next ();
	}));

	both ([] (ReverbEngine& e) { e.reset (); });
	ASSERT_TRUE (runNoise (10000));
}

// Between blocks, single frames through the block engine, or a change of the modulation: what a
// block prepares for the next one must not outlive either.
TEST_P (BlockMatch, FramesAndModulationChangesBetweenBlocks)
{
	both ([] (ReverbEngine& e) {
		e.setSampleRate (48000.0);
		applyProcessorDefaults (e);
	});
	for (int round = 0; round < 16; ++round)
	{
		ASSERT_TRUE (runNoise (1024, 512 - 3 * round)) << "round " << round;
		if (round % 2)
		{
			both ([round] (ReverbEngine& e) {
				e.setModulationSpeed (round / 16.0);
				e.setModulationDepth (1.0 - round / 16.0);
			});
			continue;
		}
		for (int n = 0; n < 1 + 5 * round; ++n)
		{
			const double in[2] = {noise.next (), noise.next ()};
			double expected[2], got[2];
			frameEngine->processFrame (in, expected);
			blockEngine->processFrame (in, got);
			ASSERT_EQ (std::memcmp (expected, got, sizeof (got)), 0) << "round " << round << ", frame " << n;
		}
	}
}

INSTANTIATE_TEST_SUITE_P (Engine, BlockMatch, ::testing::Values (false, true),
                          [] (const ::testing::TestParamInfo<bool>& info) { return info.param ? "Avx" : "Sse2"; });
