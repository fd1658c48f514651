// The saved state as a host stores and restores it through the built module.
#include "HostedPlugin.h"

#include "processor/LogMapping.h"

#include <cmath>

namespace HostTest {
namespace {

namespace at = StateLayout;

using ModuleState = HostedPlugin;

// A state of the given version with every double set to its index / 100 and the bytes to small values.
std::vector<char> streamOfVersion (uint64_t version, size_t size)
{
	std::vector<char> bytes (size, 0);
	putVersion (bytes, version);
	for (size_t i = 0; i < 17; ++i)
		putDouble (bytes, at::kDry + 8 * i, (i + 1) / 100.0);
	bytes[at::kEarlyReflectionVariation] = 4;
	bytes[at::kReverbVariation] = 3;
	bytes[at::kBypass] = 0;
	if (size >= 151)
	{
		bytes[at::kBypassDry] = 1;
		bytes[at::kBypassEarlyReflections] = 0;
		bytes[at::kBypassReverb] = 1;
		bytes[at::kBypassWet] = 0;
	}
	if (size >= at::kSize)
	{
		putDouble (bytes, at::kModSpeed, 0.61);
		putDouble (bytes, at::kModDepth, 0.72);
	}
	return bytes;
}

TEST_F (ModuleState, DefaultStateIsVersionFourWithTheDefaultValues)
{
	const std::vector<char> bytes = state ();
	ASSERT_EQ (bytes.size (), at::kSize);
	const char versionBytes[8] = {4, 0, 0, 0, 0, 0, 0, 0};
	EXPECT_EQ (std::memcmp (bytes.data (), versionBytes, 8), 0);

	EXPECT_EQ (doubleAt (bytes, at::kDry), 1.0);
	EXPECT_EQ (doubleAt (bytes, at::kPredelay), 0.1);
	EXPECT_EQ (doubleAt (bytes, at::kWidth), 1.0);
	EXPECT_EQ (doubleAt (bytes, at::kDecayTime), std::pow (0.1414141414141414, 0.5));
	EXPECT_NEAR (doubleAt (bytes, at::kDecayTime), 0.37605071654517747, 1e-15);
	EXPECT_EQ (doubleAt (bytes, at::kRoomSize), 0.2);
	EXPECT_EQ (doubleAt (bytes, at::kDiffusion), 0.7);
	EXPECT_EQ (doubleAt (bytes, at::kDampIntensity), 0.8);
	EXPECT_NEAR (doubleAt (bytes, at::kDamp), 0.8818171528274538, 1e-14);
	EXPECT_NEAR (doubleAt (bytes, at::kLowShelf), 0.411408089932221, 1e-14);
	EXPECT_EQ (doubleAt (bytes, at::kLowGain), 0.5);
	EXPECT_NEAR (doubleAt (bytes, at::kPeak), 0.5314898919210034, 1e-14);
	EXPECT_EQ (doubleAt (bytes, at::kPeakGain), 0.5);
	EXPECT_NEAR (doubleAt (bytes, at::kHighShelf), 0.6727314726527265, 1e-14);
	EXPECT_EQ (doubleAt (bytes, at::kHighGain), 0.5);
	EXPECT_EQ (doubleAt (bytes, at::kEarlyReflections), 1.0);
	EXPECT_EQ (doubleAt (bytes, at::kReverb), 1.0);
	EXPECT_EQ (doubleAt (bytes, at::kWet), 0.5);
	EXPECT_EQ (bytes[at::kEarlyReflectionVariation], 2);
	EXPECT_EQ (bytes[at::kReverbVariation], 1);
	for (size_t offset = at::kBypass; offset <= at::kBypassWet; ++offset)
		EXPECT_EQ (bytes[offset], 0) << offset;
	EXPECT_EQ (doubleAt (bytes, at::kModSpeed), 0.3);
	EXPECT_EQ (doubleAt (bytes, at::kModDepth), 0.406);
}

TEST_F (ModuleState, OlderVersionsAreReadAndUpgraded)
{
	// Version 2: 147 bytes; the path bypasses and the modulation come out as 0.
	const std::vector<char> version2 = streamOfVersion (2, 147);
	ASSERT_EQ (plugin->setState (version2), kResultOk);
	std::vector<char> bytes = state ();
	ASSERT_EQ (bytes.size (), at::kSize);
	EXPECT_EQ (versionOf (bytes), 4u);
	EXPECT_EQ (std::memcmp (bytes.data () + 8, version2.data () + 8, 147 - 8), 0);
	for (size_t offset = at::kBypassDry; offset <= at::kBypassWet; ++offset)
		EXPECT_EQ (bytes[offset], 0);
	EXPECT_EQ (doubleAt (bytes, at::kModSpeed), 0.0);
	EXPECT_EQ (doubleAt (bytes, at::kModDepth), 0.0);

	// Version 0: linear frequencies, early reflections 6 dB louder, linear decay.
	std::vector<char> version0 = streamOfVersion (0, 147);
	putDouble (version0, at::kDamp, 0.5);
	putDouble (version0, at::kEarlyReflections, 1.0);
	putDouble (version0, at::kDecayTime, 0.25);
	ASSERT_EQ (plugin->setState (version0), kResultOk);
	bytes = state ();
	EXPECT_DOUBLE_EQ (doubleAt (bytes, at::kDamp), logPlainToNormalized (4000.0, 22020.0, 13010.0));
	EXPECT_DOUBLE_EQ (doubleAt (bytes, at::kLowShelf),
	                  logPlainToNormalized (20.0, 1000.0, 20.0 + 980.0 * doubleAt (version0, at::kLowShelf)));
	EXPECT_EQ (doubleAt (bytes, at::kEarlyReflections), 0.501187);
	EXPECT_EQ (doubleAt (bytes, at::kDecayTime), 0.5);
	EXPECT_EQ (doubleAt (bytes, at::kDry), doubleAt (version0, at::kDry));

	// Above version 4: read like version 4; what follows the record is left alone.
	std::vector<char> version9 = streamOfVersion (9, 200);
	ASSERT_EQ (plugin->setState (version9), kResultOk);
	bytes = state ();
	EXPECT_EQ (std::memcmp (bytes.data () + 8, version9.data () + 8, at::kSize - 8), 0);
}

// A stream that ends early is refused and changes neither the state nor the sound.
TEST_F (ModuleState, AShortStreamChangesNothing)
{
	std::vector<char> chosen = streamOfVersion (4, at::kSize);
	chosen[at::kBypassDry] = 0;
	chosen[at::kBypassReverb] = 0;
	ASSERT_EQ (plugin->setState (chosen), kResultOk);
	const std::vector<char> before = state ();

	std::vector<char> other = streamOfVersion (4, at::kSize);
	putDouble (other, at::kDry, 0.25);
	putDouble (other, at::kWet, 1.0);
	for (size_t length : {size_t (0), size_t (7), size_t (8), size_t (100), size_t (146), size_t (166)})
	{
		std::vector<char> cut (other.begin (), other.begin () + static_cast<std::ptrdiff_t> (length));
		EXPECT_EQ (plugin->setState (cut), kResultFalse) << length;
		EXPECT_EQ (state (), before) << length;
	}
	// The same holds while processing is active.
	start ();
	std::vector<char> cut (other.begin (), other.begin () + 166);
	EXPECT_EQ (plugin->setState (cut), kResultFalse);
	EXPECT_EQ (state (), before);
	plugin->setActive (false);

	// It sounds like an instance that only ever loaded the chosen state.
	auto reference = freshInstance ();
	ASSERT_EQ (reference->setState (chosen), kResultOk);
	auto impulseResponse = [] (PluginInstance& instance) {
		Buffers<float> buffers (4096);
		buffers.inL[0] = 1.0f;
		buffers.inR[3] = -0.5f;
		instance.setupProcessing (48000.0, 4096);
		instance.setActive (true);
		instance.process (buffers.in, buffers.out, 4096);
		instance.setActive (false);
		return std::make_pair (buffers.outL, buffers.outR);
	};
	EXPECT_EQ (impulseResponse (*plugin), impulseResponse (*reference));
}

// Every value of a loaded state reaches the engine: with the wet path bypassed the output is the
// input times the loaded dry level, with no delay.
TEST_F (ModuleState, ALoadedStateReachesTheEngine)
{
	std::vector<char> loaded = state ();
	putDouble (loaded, at::kDry, 0.25);
	loaded[at::kBypassWet] = 1;
	ASSERT_EQ (plugin->setState (loaded), kResultOk);
	start (48000.0, kSample64);
	Buffers<double> buffers (4096);
	buffers.inL[0] = 1.0;
	buffers.inR[100] = -0.5;
	buffers.inL[3000] = 0.75;
	plugin->process (buffers.in, buffers.out, 4096);
	for (size_t i = 0; i < 4096; ++i)
	{
		ASSERT_EQ (buffers.outL[i], 0.25 * buffers.inL[i]) << i;
		ASSERT_EQ (buffers.outR[i], 0.25 * buffers.inR[i]) << i;
	}
}

// While active, a new state reaches the audio thread at the start of the next block, before that
// block's parameter changes; getState always answers with the newest accepted values.
TEST_F (ModuleState, AStateLoadedWhileActiveTakesEffectAtTheNextBlock)
{
	start ();
	std::vector<char> loaded = streamOfVersion (4, at::kSize);
	ASSERT_EQ (plugin->setState (loaded), kResultOk);
	EXPECT_EQ (state (), loaded);

	plugin->queueParameter (ParameterId::kDry, 0.3);
	Buffers<float> buffers (64);
	plugin->process (buffers.in, buffers.out, 64);
	std::vector<char> expected = loaded;
	putDouble (expected, at::kDry, 0.3);
	EXPECT_EQ (state (), expected);

	// Inactive: applied at once.
	plugin->setActive (false);
	ASSERT_EQ (plugin->setState (loaded), kResultOk);
	EXPECT_EQ (state (), loaded);
}

// The host hands the processor's state to the controller, which then shows the processor's values
// whatever its own defaults are.
TEST_F (ModuleState, TheControllerFollowsTheProcessorsState)
{
	IEditController* controller = plugin->controller ();
	if (!controller)
		GTEST_SKIP () << "this module carries the processor alone";
	EXPECT_EQ (controller->getParamNormalized (ParameterId::kPredelay), 0.1);
	EXPECT_EQ (controller->getParamNormalized (ParameterId::kDecayTime), std::pow (0.1414141414141414, 0.5));

	std::vector<char> loaded = streamOfVersion (4, at::kSize);
	ASSERT_EQ (plugin->setState (loaded), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (ParameterId::kPredelay), doubleAt (loaded, at::kPredelay));
	EXPECT_EQ (controller->getParamNormalized (ParameterId::kModDepth), doubleAt (loaded, at::kModDepth));
}

TEST_F (ModuleState, NullStreamsAreRefused)
{
	EXPECT_EQ (plugin->component ()->setState (nullptr), kInvalidArgument);
	EXPECT_EQ (plugin->component ()->getState (nullptr), kInvalidArgument);
	if (IEditController* controller = plugin->controller ())
	{
		EXPECT_NE (controller->setComponentState (nullptr), kResultOk);
	}
}

} // namespace
} // namespace HostTest
