// Processing through the built module as a host drives it: setup, blocks, bypass, level, parameters.
#include "HostedPlugin.h"

#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <cmath>
#include <limits>

namespace HostTest {
namespace {

namespace at = StateLayout;

using ModuleProcess = HostedPlugin;

constexpr int32 kBlock = 256;

// Noise that is the same on every platform.
template <typename Sample>
void fillNoise (std::vector<Sample>& samples, uint32_t seed)
{
	for (auto& sample : samples)
	{
		seed = seed * 1664525u + 1013904223u;
		sample = static_cast<Sample> (static_cast<int32> (seed >> 9) / 4194304.0 - 1.0) * Sample (0.5);
	}
}

TEST_F (ModuleProcess, TailIsTwentyTwoSecondsAtTheHostRate)
{
	const std::pair<double, uint32> expected[] = {{22050.0, 485100u}, {44100.0, 970200u}, {48000.0, 1056000u}};
	for (const auto& rate : expected)
	{
		plugin->setupProcessing (rate.first, 512);
		EXPECT_EQ (plugin->processor ()->getTailSamples (), rate.second) << rate.first;
	}
	// Rates no host should give never turn into an undefined conversion.
	plugin->setupProcessing (std::numeric_limits<double>::quiet_NaN (), 512);
	EXPECT_EQ (plugin->processor ()->getTailSamples (), 0u);
	plugin->setupProcessing (-48000.0, 512);
	EXPECT_EQ (plugin->processor ()->getTailSamples (), 0u);
	plugin->setupProcessing (1e12, 512);
	EXPECT_EQ (plugin->processor ()->getTailSamples (), kMaxInt32u);
}

TEST_F (ModuleProcess, SetupAcceptsBothSampleSizesOnly)
{
	EXPECT_EQ (plugin->processor ()->canProcessSampleSize (kSample32), kResultTrue);
	EXPECT_EQ (plugin->processor ()->canProcessSampleSize (kSample64), kResultTrue);
	EXPECT_EQ (plugin->processor ()->canProcessSampleSize (2), kResultFalse);
	ProcessSetup setup {kRealtime, 2, 512, 48000.0};
	EXPECT_EQ (plugin->processor ()->setupProcessing (setup), kResultFalse);
}

// The 32-bit loop is the 64-bit loop with float conversions at its ends: same input, same output
// rounded to float, bit for bit.
TEST_F (ModuleProcess, ThirtyTwoAndSixtyFourBitBlocksAgree)
{
	Buffers<float> single (kBlock);
	fillNoise (single.inL, 1);
	fillNoise (single.inR, 2);
	Buffers<double> wide (kBlock);
	for (int32 i = 0; i < kBlock; ++i)
	{
		wide.inL[i] = single.inL[i];
		wide.inR[i] = single.inR[i];
	}

	start (48000.0, kSample32);
	for (int block = 0; block < 8; ++block)
		ASSERT_EQ (plugin->process (single.in, single.out, kBlock), kResultOk);

	auto other = freshInstance ();
	ASSERT_EQ (other->setupProcessing (48000.0, 4096, kSample64), kResultOk);
	other->setActive (true);
	for (int block = 0; block < 8; ++block)
		ASSERT_EQ (other->process (wide.in, wide.out, kBlock), kResultOk);

	bool heard = false;
	for (int32 i = 0; i < kBlock; ++i)
	{
		ASSERT_EQ (single.outL[i], static_cast<float> (wide.outL[i])) << i;
		ASSERT_EQ (single.outR[i], static_cast<float> (wide.outR[i])) << i;
		ASSERT_TRUE (std::isfinite (wide.outL[i]) && std::isfinite (wide.outR[i]));
		heard = heard || wide.outL[i] != 0.0;
	}
	EXPECT_TRUE (heard);
}

TEST_F (ModuleProcess, InPlaceBuffersGiveTheSameOutput)
{
	Buffers<float> separate (kBlock);
	fillNoise (separate.inL, 3);
	fillNoise (separate.inR, 4);
	std::vector<float> left = separate.inL, right = separate.inR;
	float* inPlace[2] = {left.data (), right.data ()};

	start ();
	plugin->process (separate.in, separate.out, kBlock);
	auto other = freshInstance ();
	other->setupProcessing (48000.0, 4096);
	other->setActive (true);
	other->process (inPlace, inPlace, kBlock);
	EXPECT_EQ (left, separate.outL);
	EXPECT_EQ (right, separate.outR);
}

template <typename Sample>
void checkBypass (PluginInstance& plugin, int32 sampleSize)
{
	ASSERT_EQ (plugin.setupProcessing (48000.0, 4096, sampleSize), kResultOk);
	ASSERT_EQ (plugin.setActive (true), kResultOk);
	Buffers<Sample> buffers (kBlock);
	fillNoise (buffers.inL, 5);
	fillNoise (buffers.inR, 6);
	buffers.inL[7] = std::numeric_limits<Sample>::denorm_min (); // copied, not computed
	plugin.queueParameter (kBypass, 1.0);
	ASSERT_EQ (plugin.process (buffers.in, buffers.out, kBlock), kResultOk);
	EXPECT_EQ (std::memcmp (buffers.outL.data (), buffers.inL.data (), kBlock * sizeof (Sample)), 0);
	EXPECT_EQ (std::memcmp (buffers.outR.data (), buffers.inR.data (), kBlock * sizeof (Sample)), 0);
	EXPECT_TRUE (plugin.outputChanges ().empty ());

	// In place: left as it is.
	std::vector<Sample> left = buffers.inL;
	Sample* inPlace[2] = {left.data (), left.data ()};
	ASSERT_EQ (plugin.process (inPlace, inPlace, kBlock), kResultOk);
	EXPECT_EQ (left, buffers.inL);
	plugin.setActive (false);
}

TEST_F (ModuleProcess, BypassPassesTheInputBitForBit)
{
	checkBypass<float> (*plugin, kSample32);
	checkBypass<double> (*plugin, kSample64);
}

// Level points: only when the block's level differs from the last one; one point at offset 0
// holding the largest (L + R) / 2 of the output, never below 0.
TEST_F (ModuleProcess, LevelOutputFollowsThePointRules)
{
	start (48000.0, kSample64);
	Buffers<double> buffers (64);
	plugin->process (buffers.in, buffers.out, 64);
	plugin->process (buffers.in, buffers.out, 64);
	EXPECT_TRUE (plugin->outputChanges ().empty ()) << "silence after activation";

	buffers.inL[10] = 0.5;
	buffers.inR[10] = 0.25;
	plugin->process (buffers.in, buffers.out, 64);
	double expected = 0.0;
	for (int32 i = 0; i < 64; ++i)
		expected = std::max (expected, (buffers.outL[i] + buffers.outR[i]) / 2.0);
	ASSERT_GT (expected, 0.0);
	ASSERT_EQ (plugin->outputChanges ().size (), 1u);
	EXPECT_EQ (plugin->outputChanges ()[0].id, static_cast<ParamID> (kVuPPM));
	EXPECT_EQ (plugin->outputChanges ()[0].sampleOffset, 0);
	EXPECT_EQ (plugin->outputChanges ()[0].value, expected);
	if (IEditController* controller = plugin->controller ())
	{
		EXPECT_EQ (controller->getParamNormalized (kVuPPM), expected) << "the host passes it on";
	}

	// An empty block has level 0: a point of 0, because the last level was not 0; then none.
	plugin->process (buffers.in, buffers.out, 0);
	ASSERT_EQ (plugin->outputChanges ().size (), 1u);
	EXPECT_EQ (plugin->outputChanges ()[0].value, 0.0);
	plugin->process (buffers.in, buffers.out, 0);
	EXPECT_TRUE (plugin->outputChanges ().empty ());

	// A freshly reset engine passes a negative input through the dry path first: level 0.
	plugin->setActive (false);
	start (48000.0, kSample64);
	for (int32 i = 0; i < 64; ++i)
		buffers.inL[i] = buffers.inR[i] = -0.5;
	plugin->process (buffers.in, buffers.out, 64);
	EXPECT_TRUE (plugin->outputChanges ().empty ());
}

// Only the last point of a queue counts, whatever its offset; ids 26 and up change nothing.
TEST_F (ModuleProcess, OnlyTheLastPointOfAQueueCounts)
{
	start ();
	Buffers<float> buffers (kBlock);
	plugin->queueParameter (kPeak, 0.1, 200);
	plugin->queueParameter (kPeak, 0.2, 10);
	plugin->queueParameter (kPeak, 0.3, 255);
	plugin->process (buffers.in, buffers.out, kBlock);
	EXPECT_EQ (doubleAt (state (), at::kPeak), 0.3);

	const std::vector<char> before = state ();
	plugin->queueParameter (26, 0.9);
	plugin->queueParameter (kVuPPM, 0.9);
	plugin->queueParameter (1000, 0.9);
	plugin->process (buffers.in, buffers.out, kBlock);
	EXPECT_EQ (state (), before);
}

// How normalized values become list indices and flags in the stored record.
TEST_F (ModuleProcess, ParameterValuesAreStoredAsIndicesAndFlags)
{
	start ();
	Buffers<float> buffers (16);
	struct Case
	{
		ParamID id;
		double value;
		size_t offset;
		int expected;
	};
	const Case cases[] = {
	    {kEarlyReflectionVariation, 1.0, at::kEarlyReflectionVariation, 11},
	    {kEarlyReflectionVariation, 0.5, at::kEarlyReflectionVariation, 6},
	    {kEarlyReflectionVariation, 0.0, at::kEarlyReflectionVariation, 0},
	    {kEarlyReflectionVariation, 7.5, at::kEarlyReflectionVariation, 11},
	    {kEarlyReflectionVariation, -3.0, at::kEarlyReflectionVariation, 0},
	    {kEarlyReflectionVariation, std::numeric_limits<double>::quiet_NaN (), at::kEarlyReflectionVariation, 0},
	    {kEarlyReflectionVariation, 1e300, at::kEarlyReflectionVariation, 11},
	    {kReverbVariation, 1.0, at::kReverbVariation, 4},
	    {kReverbVariation, 0.19, at::kReverbVariation, 0},
	    {kReverbVariation, 0.2, at::kReverbVariation, 1},
	    {kBypassDry, 0.5, at::kBypassDry, 0},
	    {kBypassDry, 0.5000001, at::kBypassDry, 1},
	    {kBypassWet, std::numeric_limits<double>::quiet_NaN (), at::kBypassWet, 0},
	};
	for (const Case& c : cases)
	{
		plugin->queueParameter (c.id, c.value);
		plugin->process (buffers.in, buffers.out, 16);
		EXPECT_EQ (state ()[c.offset], c.expected) << "id " << c.id << " value " << c.value;
	}
	// Continuous values are stored exactly as received, out of range or not.
	plugin->queueParameter (kWidth, 1.75);
	plugin->process (buffers.in, buffers.out, 16);
	EXPECT_EQ (doubleAt (state (), at::kWidth), 1.75);
}

// What process does with buffers that cannot hold a stereo block: nothing, and says so with kResultOk.
TEST_F (ModuleProcess, BlocksWithoutTwoRealChannelsAreLeftAlone)
{
	start ();
	std::vector<float> in (64, 0.5f), out (64, 7.0f);
	float* inputs[2] = {in.data (), in.data ()};
	float* outputs[2] = {out.data (), nullptr};
	AudioBusBuffers inBus, outBus;
	inBus.numChannels = 2;
	inBus.channelBuffers32 = inputs;
	outBus.numChannels = 2;
	outBus.channelBuffers32 = outputs;
	ProcessData data;
	data.symbolicSampleSize = kSample32;
	data.numSamples = 64;
	data.numInputs = 1;
	data.numOutputs = 1;
	data.inputs = &inBus;
	data.outputs = &outBus;

	EXPECT_EQ (plugin->processor ()->process (data), kResultOk) << "a null output channel";
	outputs[1] = out.data ();
	outBus.numChannels = 1;
	EXPECT_EQ (plugin->processor ()->process (data), kResultOk) << "one output channel";
	outBus.numChannels = 2;
	data.numSamples = -5;
	EXPECT_EQ (plugin->processor ()->process (data), kResultOk) << "a negative count";
	data.numSamples = 64;
	data.symbolicSampleSize = 7;
	EXPECT_EQ (plugin->processor ()->process (data), kResultOk) << "an unknown sample size";
	data.symbolicSampleSize = kSample32;
	data.inputs = nullptr;
	EXPECT_EQ (plugin->processor ()->process (data), kResultOk) << "no input buffers";
	EXPECT_EQ (out, std::vector<float> (64, 7.0f));

	// Bypassed, the same rules hold.
	plugin->queueParameter (kBypass, 1.0);
	Buffers<float> buffers (4);
	plugin->process (buffers.in, buffers.out, 4);
	data.inputs = &inBus;
	data.numSamples = -5;
	EXPECT_EQ (plugin->processor ()->process (data), kResultOk);
	EXPECT_EQ (out, std::vector<float> (64, 7.0f));
}

TEST_F (ModuleProcess, BusArrangementsStayStereo)
{
	IAudioProcessor* processor = plugin->processor ();
	SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
	SpeakerArrangement side = SpeakerArr::kStereoSide;
	SpeakerArrangement arrangement = 0;

	EXPECT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultFalse);
	ASSERT_EQ (processor->getBusArrangement (kInput, 0, arrangement), kResultTrue);
	EXPECT_EQ (arrangement, SpeakerArr::kStereo);

	EXPECT_EQ (processor->setBusArrangements (&side, 1, &side, 1), kResultOk);
	ASSERT_EQ (processor->getBusArrangement (kOutput, 0, arrangement), kResultTrue);
	EXPECT_EQ (arrangement, SpeakerArr::kStereoSide);
	EXPECT_EQ (plugin->component ()->getBusCount (kAudio, kInput), 1);

	// Anything else is refused; with the host's stereo-side buses in place, stereo returns.
	EXPECT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultFalse);
	ASSERT_EQ (processor->getBusArrangement (kInput, 0, arrangement), kResultTrue);
	EXPECT_EQ (arrangement, SpeakerArr::kStereo);

	SpeakerArrangement two[2] = {stereo, stereo};
	EXPECT_EQ (processor->setBusArrangements (two, 2, &stereo, 1), kResultFalse);
	EXPECT_EQ (plugin->component ()->getBusCount (kAudio, kInput), 1);
	EXPECT_NE (processor->setBusArrangements (nullptr, 1, nullptr, 1), kResultOk);
	EXPECT_NE (processor->setBusArrangements (nullptr, 1, nullptr, 1), kResultTrue);
}

// The engine runs at the host's rate between 44100 and 192000 Hz and at 44100 otherwise.
TEST_F (ModuleProcess, RatesOutsideTheRangeRunTheEngineAt44100)
{
	auto impulseResponse = [this] (double rate) {
		Buffers<double> buffers (8192);
		buffers.inL[0] = 1.0;
		auto instance = freshInstance ();
		instance->setupProcessing (rate, 8192, kSample64);
		instance->setActive (true);
		instance->process (buffers.in, buffers.out, 8192);
		return buffers.outL;
	};
	const auto at44100 = impulseResponse (44100.0);
	EXPECT_EQ (impulseResponse (22050.0), at44100);
	EXPECT_EQ (impulseResponse (192001.0), at44100);
	EXPECT_EQ (impulseResponse (std::numeric_limits<double>::quiet_NaN ()), at44100);
	EXPECT_NE (impulseResponse (96000.0), at44100);
}

// Each activation change is announced to the controller and clears the engine: a ringing tail stops.
TEST_F (ModuleProcess, ActivationIsAnnouncedAndCutsTheTail)
{
	start ();
	Buffers<float> buffers (4096);
	buffers.inL[0] = buffers.inR[0] = 1.0f;
	plugin->process (buffers.in, buffers.out, 4096);
	buffers.inL[0] = buffers.inR[0] = 0.0f;
	plugin->process (buffers.in, buffers.out, 4096);
	ASSERT_NE (buffers.outL[4095], 0.0f) << "the tail still rings";

	plugin->setActive (false);
	plugin->setActive (true);
	plugin->process (buffers.in, buffers.out, 4096);
	EXPECT_EQ (buffers.outL, std::vector<float> (4096, 0.0f));
	EXPECT_EQ (buffers.outR, std::vector<float> (4096, 0.0f));

	const auto& messages = plugin->messagesToController ();
	ASSERT_EQ (messages.size (), 3u);
	EXPECT_EQ (messages[0], "TextMessage: Tessaline::setActive (true)");
	EXPECT_EQ (messages[1], "TextMessage: Tessaline::setActive (false)");
	EXPECT_EQ (messages[2], "TextMessage: Tessaline::setActive (true)");
}

TEST_F (ModuleProcess, ReceivedTextGoesToStandardErrorAsItIs)
{
	::testing::internal::CaptureStderr ();
	EXPECT_EQ (plugin->sendTextToProcessor ("hello %s %d 100%"), kResultOk);
	EXPECT_EQ (plugin->sendTextToProcessor (""), kResultOk);
	const std::string written = ::testing::internal::GetCapturedStderr ();
	EXPECT_EQ (written, "[Tessaline] received: hello %s %d 100%\n[Tessaline] received: \n");
}

// A message the processor cannot read is refused, never followed into a null pointer; neither it
// nor the controller throws at the host for a text that the SDK cannot convert (a lone surrogate)
// or reads past a buffer for one longer than the SDK's 256 characters.
class BareMessage : public IMessage
{
public:
	BareMessage (const char* id, IAttributeList* attributes) : id (id), attributes (attributes) {}
	const char* PLUGIN_API getMessageID () override { return id; }
	void PLUGIN_API setMessageID (const char* newId) override { id = newId; }
	IAttributeList* PLUGIN_API getAttributes () override { return attributes; }
	tresult PLUGIN_API queryInterface (const TUID, void** obj) override
	{
		*obj = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () override { return 1; }
	uint32 PLUGIN_API release () override { return 1; }

private:
	const char* id;
	IAttributeList* attributes;
};

TEST_F (ModuleProcess, MessagesWithoutIdOrAttributesAreRefused)
{
	FUnknownPtr<IConnectionPoint> point (plugin->component ());
	ASSERT_TRUE (point);
	EXPECT_EQ (point->notify (nullptr), kInvalidArgument);
	HostAttributeList attributes;
	BareMessage noId (nullptr, &attributes);
	EXPECT_EQ (point->notify (&noId), kResultFalse);
	BareMessage noAttributes ("TextMessage", nullptr);
	EXPECT_EQ (point->notify (&noAttributes), kResultFalse);
	BareMessage binaryWithout ("BinaryMessage", nullptr);
	EXPECT_EQ (point->notify (&binaryWithout), kResultFalse);

	const char data[3] = {1, 2, 3};
	attributes.setBinary ("MyData", data, 3);
	BareMessage binary ("BinaryMessage", &attributes);
	EXPECT_EQ (point->notify (&binary), kResultOk);
	HostAttributeList empty;
	BareMessage binaryWithoutData ("BinaryMessage", &empty);
	EXPECT_EQ (point->notify (&binaryWithoutData), kResultFalse) << "goes to the base handler";

	const TChar unpaired[] = {'9', 0xDFFF, 0};
	std::vector<TChar> tooLong (300, TChar ('a'));
	tooLong.push_back (0);
	HostAttributeList unreadable;
	HostAttributeList long300;
	unreadable.setString ("Text", unpaired);
	long300.setString ("Text", tooLong.data ());
	BareMessage unreadableText ("TextMessage", &unreadable);
	BareMessage longText ("TextMessage", &long300);
	for (FUnknown* side : {static_cast<FUnknown*> (plugin->component ()), static_cast<FUnknown*> (plugin->controller ())})
	{
		FUnknownPtr<IConnectionPoint> sidePoint (side);
		ASSERT_TRUE (sidePoint);
		EXPECT_EQ (sidePoint->notify (&noAttributes), kResultFalse);
		EXPECT_NO_THROW (sidePoint->notify (&unreadableText));
		EXPECT_NO_THROW (sidePoint->notify (&longText));
	}
	EXPECT_EQ (point->notify (&unreadableText), kResultFalse);
}

} // namespace
} // namespace HostTest
