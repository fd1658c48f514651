// The shipped module as a VST 2.4 host meets it, loaded through our test host: the record, the 25
// parameters, the 183-byte chunk, both process callbacks, bypass, the entry, and a bounded fuzz.
#include "tests/vst2/wrappertestsupport.h"

#include "host/vst2/module.h"
#include "processor/ReverbSettings.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

using namespace vst2host;
using wrappertest::Stereo;

constexpr Int32 kParameters = 25;
constexpr size_t kChunkBytes = 16 + 167;
constexpr Int32 kWidthIndex = 2;
// Longer than the default pre-delay (20 ms), so that the reverb shows in every block.
constexpr int kFrames = 4096;

// Host order without the bypass (id 19) and the level output (id 27).
struct Expected
{
	const char* name;
	const char* label;
};
constexpr Expected kExpected[kParameters] = {
    {"Dry", "dB"}, {"Predelay", "ms"}, {"Width", "%"}, {"E.R. variation", ""}, {"Reverb variation", ""},
    {"Decay time", "sec"}, {"Room size", "%"}, {"Diffusion", "%"}, {"Damp intensity", "%"}, {"Damp", "Hz"},
    {"Low shelf", "Hz"}, {"Low gain", "dB"}, {"Peak", "Hz"}, {"Peak gain", "dB"}, {"High shelf", "Hz"},
    {"High gain", "dB"}, {"Early reflections", "dB"}, {"Reverb", "dB"}, {"Wet", "dB"}, {"Bypass Dry", ""},
    {"Bypass E.R.", ""}, {"Bypass Reverb", ""}, {"Bypass Wet", ""}, {"Mod. speed", "Hz"}, {"Mod. deph", "%"},
};

// The processor's own defaults as normalized values, in the same order.
std::vector<double> processorDefaults ()
{
	const Steinberg::Vst::ReverbSettings s = Steinberg::Vst::defaultReverbSettings ();
	return {s.dry, s.predelay, s.width, s.earlyReflectionVariation / 11.0, s.reverbVariation / 4.0,
	        s.decayTime, s.roomSize, s.diffusion, s.dampIntensity, s.damp, s.lowShelf, s.lowGain, s.peak,
	        s.peakGain, s.highShelf, s.highGain, s.earlyReflections, s.reverb, s.wet,
	        static_cast<double> (s.bypassDry), static_cast<double> (s.bypassEarlyReflections),
	        static_cast<double> (s.bypassReverb), static_cast<double> (s.bypassWet), s.modSpeed, s.modDepth};
}

class TessalineVst2 : public ::testing::Test
{
protected:
	void SetUp () override { ASSERT_TRUE (module.loaded ()) << TESSALINE_VST2_MODULE << ": " << module.error (); }

	Effect make ()
	{
		Effect effect = module.create (host);
		EXPECT_TRUE (effect.valid ());
		return effect;
	}

	Module module {TESSALINE_VST2_MODULE};
	Host host;
};

// The tests that run the module on more than one thread.
class TessalineVst2Threads : public TessalineVst2
{
};

template <typename Sample>
void fillNoise (Stereo<Sample>& buffers, unsigned seed)
{
	std::mt19937 random (seed);
	std::uniform_real_distribution<double> noise (-0.5, 0.5);
	for (auto& channel : buffers.in)
		for (Sample& sample : channel)
			sample = static_cast<Sample> (noise (random));
}

TEST_F (TessalineVst2, RecordParametersAndWhatItTells)
{
	Effect effect = make ();
	EXPECT_EQ (kMagic, effect.magic ());
	EXPECT_EQ (0x74776B6E, effect.uniqueId ());
	EXPECT_EQ (kParameters, effect.numParams ());
	EXPECT_EQ (2, effect.numInputs ());
	EXPECT_EQ (2, effect.numOutputs ());
	EXPECT_EQ (kCanReplacing | kProgramChunks | kCanDoubleReplacing, effect.flags () & ~kHasEditor);
	EXPECT_EQ (0x02000101, effect.dispatch (kGetVendorVersion));
	EXPECT_EQ ("Tessaline", effect.text (kGetEffectName, 0, kEffectNameBytes));
	EXPECT_EQ (6, effect.dispatch (kGetPlugCategory)) << "room effects";
	EXPECT_EQ (2400, effect.dispatch (kGetVstVersion));
	EXPECT_EQ (1, effect.canDo ("bypass"));
	EXPECT_EQ (1, effect.canDo ("receiveVstTimeInfo"));
	EXPECT_EQ (-1, effect.canDo ("receiveVstEvents"));
	EXPECT_EQ (970200, effect.dispatch (kGetTailSize)) << "22 s at the host's 44100 Hz";
	effect.dispatch (kSetSampleRate, 0, 0, nullptr, 48000.f);
	EXPECT_EQ (1056000, effect.dispatch (kGetTailSize));

	const std::vector<double> defaults = processorDefaults ();
	for (Int32 i = 0; i < kParameters; ++i)
	{
		EXPECT_EQ (kExpected[i].name, effect.text (kGetParamName, i, kParamNameBytes)) << i;
		EXPECT_EQ (kExpected[i].label, effect.text (kGetParamLabel, i, kParamDisplayBytes)) << i;
		EXPECT_FLOAT_EQ (static_cast<float> (defaults[static_cast<size_t> (i)]), effect.getParameter (i)) << i;
	}
	// The processor's values, not the controller's own defaults (10 ms, 5 s).
	EXPECT_EQ ("20.0", effect.text (kGetParamDisplay, 1, kParamDisplayBytes));
	EXPECT_EQ ("3.00", effect.text (kGetParamDisplay, 5, kParamDisplayBytes));
	effect.setParameter (3, 1.f);
	EXPECT_EQ ("Variation 12", effect.text (kGetParamDisplay, 3, kParamDisplayBytes)) << "whole, not cut to 8";

	// The editor, where this platform's build has one: 1105 x 381.
	Rect* rect = nullptr;
	if (effect.flags () & kHasEditor)
	{
		ASSERT_EQ (1, effect.dispatch (kEditGetRect, 0, 0, &rect));
		EXPECT_EQ (381, rect->bottom - rect->top);
		EXPECT_EQ (1105, rect->right - rect->left);
	}
	else
	{
		EXPECT_EQ (0, effect.dispatch (kEditGetRect, 0, 0, &rect));
		EXPECT_EQ (nullptr, rect);
	}
}

TEST_F (TessalineVst2, ChunkRoundTripsByteForByteAndBadOnesChangeNothing)
{
	Effect effect = make ();
	effect.setParameter (kWidthIndex, 0.25f);
	const std::vector<char> chunk = wrappertest::chunkOf (effect);
	ASSERT_EQ (kChunkBytes, chunk.size ());
	const char header[16] = {static_cast<char> (167), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
	EXPECT_EQ (0, std::memcmp (header, chunk.data (), 16)) << "sizes 167 and 0";
	EXPECT_EQ (4, chunk[16]) << "settings version 4";

	Effect other = make ();
	EXPECT_EQ (1, wrappertest::setChunk (other, chunk));
	EXPECT_EQ (chunk, wrappertest::chunkOf (other));
	EXPECT_FLOAT_EQ (0.25f, other.getParameter (kWidthIndex));

	std::vector<char> lying = chunk;
	lying[0] = static_cast<char> (168);
	std::vector<char> shortState (chunk.begin (), chunk.end () - 20);
	shortState[0] = static_cast<char> (147);
	const std::vector<char> bad[] = {std::vector<char> (chunk.begin (), chunk.begin () + 15), lying, shortState};
	other.setParameter (kWidthIndex, 0.75f);
	const std::vector<char> before = wrappertest::chunkOf (other);
	for (const auto& refused : bad)
	{
		EXPECT_EQ (0, wrappertest::setChunk (other, refused)) << refused.size () << " bytes";
		EXPECT_EQ (before, wrappertest::chunkOf (other));
	}
	EXPECT_FLOAT_EQ (0.75f, other.getParameter (kWidthIndex));
}

// A decay of 0.9 set with no block after it (a stopped transport), or while blocks run on another
// thread, is in the chunk, as getParameter says.
TEST_F (TessalineVst2Threads, TheChunkHoldsAValueSetWithOrWithoutBlocks)
{
	constexpr Int32 kDecayIndex = 5;
	Effect effect = make ();
	auto decayIn = [] (const std::vector<char>& chunk) {
		Steinberg::MemoryStream state (const_cast<char*> (chunk.data ()) + 16, static_cast<Steinberg::TSize> (chunk.size () - 16));
		Steinberg::Vst::ReverbSettings settings = Steinberg::Vst::defaultReverbSettings ();
		EXPECT_EQ (Steinberg::kResultOk, settings.read (&state));
		return settings.decayTime;
	};
	effect.setParameter (kDecayIndex, 0.7f);
	EXPECT_EQ (static_cast<double> (0.7f), decayIn (wrappertest::chunkOf (effect))) << "suspended";
	effect.dispatch (kMainsChanged, 0, 1);
	effect.setParameter (kDecayIndex, 0.9f);
	EXPECT_EQ (static_cast<double> (0.9f), decayIn (wrappertest::chunkOf (effect))) << "resumed, no block since";

	wrappertest::whileBlocksRun (effect, 256, [&] {
		for (int i = 0; i < 40; ++i)
		{
			const float value = static_cast<float> (i) / 40.f;
			effect.setParameter (kDecayIndex, value);
			const double held = decayIn (wrappertest::chunkOf (effect));
			if (held != static_cast<double> (value) || effect.getParameter (kDecayIndex) != value)
			{
				ADD_FAILURE () << "blocks running: the chunk holds " << held << " after " << value;
				return;
			}
		}
	});
}

TEST_F (TessalineVst2, BothCallbacksBypassAndAChunkBetweenBlocks)
{
	Effect effect = make ();
	effect.dispatch (kMainsChanged, 0, 1);
	Stereo<float> floats (kFrames, 0.f);
	fillNoise (floats, 1);
	wrappertest::process (effect, floats);
	EXPECT_NE (floats.in[0], floats.out[0]) << "the reverb runs";
	Stereo<double> doubles (kFrames, 0.0);
	fillNoise (doubles, 2);
	wrappertest::process (effect, doubles);
	EXPECT_EQ (std::vector<double> (kFrames, 0.0), doubles.out[0]) << "32-bit chosen: silence";
	ASSERT_EQ (1, effect.dispatch (kSetProcessPrecision, 0, 1));
	effect.dispatch (kMainsChanged, 0, 0);
	effect.dispatch (kMainsChanged, 0, 1);
	wrappertest::process (effect, doubles);
	EXPECT_NE (doubles.in[1], doubles.out[1]);
	for (double sample : doubles.out[1])
		ASSERT_TRUE (std::isfinite (sample));

	// Bypass survives a suspend and resume, bit for bit in both sample sizes.
	EXPECT_EQ (1, effect.dispatch (kSetBypass, 0, 1));
	effect.dispatch (kMainsChanged, 0, 0);
	effect.dispatch (kMainsChanged, 0, 1);
	wrappertest::process (effect, doubles);
	EXPECT_EQ (doubles.in[0], doubles.out[0]);
	EXPECT_EQ (doubles.in[1], doubles.out[1]);
	ASSERT_EQ (1, effect.dispatch (kSetProcessPrecision, 0, 0));
	effect.dispatch (kMainsChanged, 0, 0);
	effect.dispatch (kMainsChanged, 0, 1);
	wrappertest::process (effect, floats);
	EXPECT_EQ (floats.in[0], floats.out[0]);

	// A chunk without bypass, set while processing, takes over at the next block.
	Effect plain = make ();
	ASSERT_EQ (1, wrappertest::setChunk (effect, wrappertest::chunkOf (plain)));
	wrappertest::process (effect, floats);
	EXPECT_NE (floats.in[0], floats.out[0]);
}

TEST_F (TessalineVst2, EntryAndIndependentEffects)
{
	Host silent;
	silent.versionAnswer = 0;
	EXPECT_FALSE (module.create (silent).valid ());

	Effect first = make ();
	Effect second = make ();
	first.setParameter (kWidthIndex, 0.125f);
	EXPECT_FLOAT_EQ (0.125f, first.getParameter (kWidthIndex));
	EXPECT_FLOAT_EQ (1.f, second.getParameter (kWidthIndex));
	EXPECT_EQ (1, first.close ());
	EXPECT_EQ (kParameters, second.numParams ());
	EXPECT_EQ (1, second.close ());
}

TEST_F (TessalineVst2, BoundedFuzzOfTheDispatcher)
{
	for (std::uint32_t seed : {11u, 12u})
	{
		Effect effect = make ();
		EXPECT_EQ (1500, wrappertest::fuzzEffect (effect, seed, 1500));
	}
}

} // namespace
