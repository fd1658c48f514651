// The wrapper as a VST 2.4 host meets it, around the probe plug-in: record, texts, values,
// processing, chunks and the hand-over between the host, the audio thread and the controller.
#include "tests/vst2/wrapperprobe.h"
#include "tests/vst2/wrappertestsupport.h"

#include "processor/ClassIds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

namespace {

using namespace vst2host;
using wrappertest::Stereo;

constexpr Int32 kGainIndex = 0;
constexpr Int32 kModeIndex = 1;
constexpr Int32 kLongIndex = 2;
constexpr Int32 kVst2Params = 3; // gain, mode, long: not the bypass, not the read-only level

class Vst2WrapperTest : public ::testing::Test
{
protected:
	void SetUp () override { probe::reset (); }

	Effect make ()
	{
		Effect effect = probe::createEffect (host);
		EXPECT_TRUE (effect.valid ());
		return effect;
	}

	Host host;
};

// The tests that run the wrapper on more than one thread.
class Vst2WrapperThreads : public Vst2WrapperTest
{
};

bool receivedBy (const std::vector<std::pair<probe::ParamID, double>>& log, probe::ParamID id, double value)
{
	for (const auto& entry : log)
		if (entry.first == id && entry.second == value)
			return true;
	return false;
}

TEST_F (Vst2WrapperTest, RecordAndWhatTheEffectTellsOfItself)
{
	Effect effect = make ();
	EXPECT_EQ (kMagic, effect.magic ());
	EXPECT_EQ (0x74776B6E, effect.uniqueId ());
	EXPECT_EQ (kVst2Params, effect.numParams ());
	EXPECT_EQ (0, effect.numPrograms ());
	EXPECT_EQ (2, effect.numInputs ());
	EXPECT_EQ (2, effect.numOutputs ());
	EXPECT_EQ (kHasEditor | kCanReplacing | kProgramChunks | kCanDoubleReplacing, effect.flags ());
	EXPECT_EQ (0x02000101, effect.version ());
	EXPECT_EQ (0x02000101, effect.dispatch (kGetVendorVersion));
	EXPECT_EQ ("Probe", effect.text (kGetEffectName, 0, kEffectNameBytes));
	EXPECT_EQ ("Probe Works", effect.text (kGetVendorString, 0, kVendorTextBytes));
	EXPECT_EQ (6, effect.dispatch (kGetPlugCategory)) << "\"Reverb\" is the room-effects category";
	EXPECT_EQ (2400, effect.dispatch (kGetVstVersion));
	EXPECT_EQ (88200, effect.dispatch (kGetTailSize));
	EXPECT_EQ (1, effect.canDo ("bypass"));
	EXPECT_EQ (1, effect.canDo ("receiveVstTimeInfo"));
	EXPECT_EQ (-1, effect.canDo ("receiveVstMidiEvent"));
	EXPECT_EQ (0, effect.canDo ("somethingElse"));

	// Processor and controller are message peers both ways; the controller knows the host's name.
	effect.dispatch (kMainsChanged, 0, 1);
	EXPECT_EQ (1, probe::Controller::latest->textMessages);
	EXPECT_EQ (std::vector<std::string> {"controller heard"}, probe::Processor::latest->messages);
	EXPECT_EQ ("vst2host", probe::Controller::latest->hostName);
}

TEST_F (Vst2WrapperTest, CategoryAndTailFollowThePlugIn)
{
	const struct
	{
		const char* subCategories;
		IntPtr category;
	} cases[] = {{"Instrument|Synth", 2}, {"Fx|Delay", 1}, {"Analyzer", 0}};
	for (const auto& c : cases)
	{
		probe::settings ().subCategories = c.subCategories;
		probe::settings ().tailSamples = 0;
		Effect effect = make ();
		EXPECT_EQ (c.category, effect.dispatch (kGetPlugCategory)) << c.subCategories;
		EXPECT_EQ (1, effect.dispatch (kGetTailSize)) << "VST 2 says \"no tail\" with 1";
	}
}

TEST_F (Vst2WrapperTest, TextsStayInsideTheHostsBuffers)
{
	Effect effect = make ();
	// Buffers of exactly the size hosts give, filled with 'X': an overrun or a missing zero shows.
	EXPECT_EQ ("Gain", effect.text (kGetParamName, kGainIndex, kParamNameBytes));
	EXPECT_EQ (std::string (probe::kLongTitle).substr (0, 32), effect.text (kGetParamName, kLongIndex, kParamNameBytes));
	EXPECT_EQ ("dB", effect.text (kGetParamLabel, kGainIndex, kParamDisplayBytes));
	EXPECT_EQ (std::string (probe::kLongUnits).substr (0, 24), effect.text (kGetParamLabel, kLongIndex, kParamDisplayBytes));
	EXPECT_EQ ("0.5000", effect.text (kGetParamDisplay, kGainIndex, kParamDisplayBytes));
	EXPECT_EQ ("First", effect.text (kGetParamDisplay, kModeIndex, kParamDisplayBytes));
	for (Int32 outside : {-1, kVst2Params, 1000})
	{
		EXPECT_EQ ("", effect.text (kGetParamName, outside, kParamNameBytes));
		EXPECT_EQ ("", effect.text (kGetParamDisplay, outside, kParamDisplayBytes));
		EXPECT_EQ (0, effect.dispatch (kCanBeAutomated, outside));
	}
	EXPECT_EQ (1, effect.dispatch (kCanBeAutomated, kGainIndex));
	EXPECT_EQ (0, effect.dispatch (kCanBeAutomated, kLongIndex));

	char properties[kParameterPropertiesBytes];
	std::memset (properties, 'X', sizeof (properties));
	ASSERT_EQ (1, effect.dispatch (kGetParameterProperties, kLongIndex, 0, properties));
	EXPECT_EQ (std::string (probe::kLongTitle), std::string (properties + 12));
	EXPECT_EQ (std::string ("LongSho"), std::string (properties + 96)) << "short label cut to its field";
	ASSERT_EQ (1, effect.dispatch (kGetParameterProperties, kModeIndex, 0, properties));
	Int32 flags, maxInteger;
	std::memcpy (&flags, properties + 76, 4);
	std::memcpy (&maxInteger, properties + 84, 4);
	EXPECT_EQ (2, maxInteger);
	EXPECT_NE (0, flags & 2) << "integer minimum and maximum";

	// Texts a host types: success only when the controller read them.
	char second[] = "Second";
	char nonsense[] = "nonsense";
	EXPECT_EQ (1, effect.dispatch (kString2Parameter, kModeIndex, 0, second));
	EXPECT_FLOAT_EQ (0.5f, effect.getParameter (kModeIndex));
	EXPECT_EQ (0, effect.dispatch (kString2Parameter, kModeIndex, 0, nonsense));
	EXPECT_FLOAT_EQ (0.5f, effect.getParameter (kModeIndex));
}

TEST_F (Vst2WrapperTest, ParameterValuesAreReadBackAtOnce)
{
	Effect effect = make ();
	EXPECT_FLOAT_EQ (static_cast<float> (probe::kDefaultGain), effect.getParameter (kGainIndex));
	effect.setParameter (kGainIndex, 0.25f);
	EXPECT_FLOAT_EQ (0.25f, effect.getParameter (kGainIndex));
	EXPECT_EQ ("0.2500", effect.text (kGetParamDisplay, kGainIndex, kParamDisplayBytes));
	effect.setParameter (kGainIndex, std::numeric_limits<float>::quiet_NaN ());
	EXPECT_FLOAT_EQ (0.25f, effect.getParameter (kGainIndex)) << "NaN is no value";
	effect.setParameter (kGainIndex, 1.5f);
	EXPECT_FLOAT_EQ (1.f, effect.getParameter (kGainIndex));
	effect.setParameter (kGainIndex, -2.f);
	EXPECT_FLOAT_EQ (0.f, effect.getParameter (kGainIndex));
	for (Int32 outside : {-1, kVst2Params, 1 << 30})
	{
		effect.setParameter (outside, 0.75f);
		EXPECT_EQ (0.f, effect.getParameter (outside));
	}
	EXPECT_FLOAT_EQ (0.f, effect.getParameter (kGainIndex));
}

TEST_F (Vst2WrapperTest, ProcessingBothSampleSizes)
{
	host.blockSize = 128;
	Effect effect = make ();
	Stereo<float> floats (300, 1.f);
	wrappertest::process (effect, floats);
	EXPECT_EQ (0.f, floats.out[0][0]) << "silence before resume";

	effect.dispatch (kMainsChanged, 0, 1);
	effect.setParameter (kGainIndex, 0.25f);
	wrappertest::process (effect, floats);
	EXPECT_EQ (std::vector<float> (300, 0.25f), floats.out[1]);
	EXPECT_EQ (128, probe::Processor::latest->largestBlock) << "long calls go in pieces of the block size";

	// 32-bit chosen: a 64-bit call gives silence, not what the buffers held.
	Stereo<double> doubles (64, 1.0);
	wrappertest::process (effect, doubles);
	EXPECT_EQ (std::vector<double> (64, 0.0), doubles.out[0]);
	EXPECT_EQ (1, effect.dispatch (kSetProcessPrecision, 0, 1));
	wrappertest::process (effect, doubles);
	EXPECT_EQ (std::vector<double> (64, 0.0), doubles.out[0]) << "a new set-up waits for the next resume";
	effect.dispatch (kMainsChanged, 0, 0);
	effect.dispatch (kMainsChanged, 0, 1);
	wrappertest::process (effect, doubles);
	EXPECT_EQ (std::vector<double> (64, 0.25), doubles.out[0]);
	Stereo<float> stale (64, 1.f);
	wrappertest::process (effect, stale);
	EXPECT_EQ (std::vector<float> (64, 0.f), stale.out[0]);

	effect.dispatch (kMainsChanged, 0, 0);
	wrappertest::process (effect, doubles);
	EXPECT_EQ (0.0, doubles.out[1][0]) << "silence after suspend";
	EXPECT_EQ (0, probe::Processor::latest->processedWhileInactive);
}

TEST_F (Vst2WrapperTest, OnlyDoublePrecisionOffered)
{
	probe::settings ().process32 = false;
	Effect effect = make ();
	EXPECT_EQ (kProgramChunks | kCanDoubleReplacing, effect.flags () & ~kHasEditor);
	effect.dispatch (kMainsChanged, 0, 1);
	Stereo<double> doubles (16, 1.0);
	wrappertest::process (effect, doubles);
	EXPECT_EQ (probe::kDefaultGain, doubles.out[0][15]);
	EXPECT_EQ (0, effect.dispatch (kSetProcessPrecision, 0, 0));
}

TEST_F (Vst2WrapperTest, BypassIsBitExactAcrossMainsChanged)
{
	Effect effect = make ();
	effect.dispatch (kMainsChanged, 0, 1);
	EXPECT_EQ (1, effect.dispatch (kSetBypass, 0, 5));
	effect.dispatch (kMainsChanged, 0, 0);
	effect.dispatch (kMainsChanged, 0, 1);
	Stereo<float> buffers (32, 0.f);
	for (size_t i = 0; i < 32; ++i)
		buffers.in[0][i] = buffers.in[1][i] = 0.1f * static_cast<float> (i) - 1.3f;
	wrappertest::process (effect, buffers);
	EXPECT_EQ (buffers.in[0], buffers.out[0]);
	EXPECT_EQ (buffers.in[1], buffers.out[1]);
	EXPECT_EQ (1, effect.dispatch (kSetBypass, 0, 0));
	wrappertest::process (effect, buffers);
	EXPECT_FLOAT_EQ (-1.3f * 0.5f, buffers.out[0][0]);
}

TEST_F (Vst2WrapperTest, ChunkHoldsBothStatesBehindTheirSizes)
{
	Effect effect = make ();
	effect.setParameter (kGainIndex, 0.125f);
	// Taken while suspended: the change made just before must be in it.
	const std::vector<char> chunk = wrappertest::chunkOf (effect);
	ASSERT_EQ (16u + probe::kStateBytes, chunk.size ());
	const char header[16] = {probe::kStateBytes, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
	EXPECT_EQ (0, std::memcmp (header, chunk.data (), 16));
	EXPECT_EQ (probe::stateBytes (0.125, 0, 0, 0), std::vector<char> (chunk.begin () + 16, chunk.end ()));

	// Into a second effect, and out again byte for byte.
	Effect other = make ();
	EXPECT_EQ (1, wrappertest::setChunk (other, chunk));
	EXPECT_EQ (chunk, wrappertest::chunkOf (other));
	EXPECT_FLOAT_EQ (0.125f, other.getParameter (kGainIndex));

	// Short, lying or unreadable: refused, nothing changes.
	std::vector<char> lying = chunk;
	lying[0] = probe::kStateBytes + 1;
	std::vector<char> negative = chunk;
	std::memset (negative.data () + 8, 0xFF, 8);
	std::vector<char> truncated (chunk.begin (), chunk.end () - 8);
	truncated[0] = probe::kStateBytes - 8;
	const std::vector<char> refused[] = {{}, std::vector<char> (chunk.begin (), chunk.begin () + 15), lying, negative, truncated};
	effect.setParameter (kGainIndex, 0.75f);
	const std::vector<char> before = wrappertest::chunkOf (effect);
	for (const auto& bad : refused)
	{
		EXPECT_EQ (0, wrappertest::setChunk (effect, bad)) << bad.size () << " bytes";
		EXPECT_EQ (before, wrappertest::chunkOf (effect));
		EXPECT_FLOAT_EQ (0.75f, effect.getParameter (kGainIndex));
	}
	EXPECT_EQ (0, effect.dispatch (kSetChunk, 0, 16, nullptr));
}

TEST_F (Vst2WrapperTest, ChunkWhileProcessingSupersedesEarlierChanges)
{
	Effect effect = make ();
	effect.dispatch (kMainsChanged, 0, 1);
	Stereo<float> buffers (8, 1.f);
	wrappertest::process (effect, buffers);
	std::vector<char> chunk (16, 0);
	chunk[0] = probe::kStateBytes;
	const std::vector<char> state = probe::stateBytes (0.375, 0, 0, 0);
	chunk.insert (chunk.end (), state.begin (), state.end ());

	effect.setParameter (kGainIndex, 0.9f); // older than the chunk
	ASSERT_EQ (1, wrappertest::setChunk (effect, chunk));
	EXPECT_FLOAT_EQ (0.375f, effect.getParameter (kGainIndex));
	wrappertest::process (effect, buffers);
	EXPECT_FLOAT_EQ (0.375f, buffers.out[0][7]);
}

// Every value given (by the host, typed, or from the editor) is in the chunk, whether the effect
// is suspended, resumed with no block after the change, or running blocks on another thread.
TEST_F (Vst2WrapperThreads, ChunkHoldsEveryValueGivenWithOrWithoutBlocks)
{
	Effect effect = make ();
	auto stateOf = [] (const std::vector<char>& chunk) { return std::vector<char> (chunk.begin () + 16, chunk.end ()); };
	effect.setParameter (kGainIndex, 0.875f);
	EXPECT_EQ (probe::stateBytes (0.875, 0, 0, 0), stateOf (wrappertest::chunkOf (effect))) << "suspended";

	effect.dispatch (kMainsChanged, 0, 1);
	effect.setParameter (kGainIndex, 0.25f);
	char third[] = "Third";
	ASSERT_EQ (1, effect.dispatch (kString2Parameter, kModeIndex, 0, third));
	probe::Controller::latest->performEdit (probe::kLongId, 0.375);
	ASSERT_EQ (1, effect.dispatch (kSetBypass, 0, 1));
	const std::vector<char> chunk = wrappertest::chunkOf (effect);
	EXPECT_EQ (probe::stateBytes (0.25, 1.0, 0.375, 1.0), stateOf (chunk)) << "resumed, no block since";

	// Loaded while resumed, it comes out again byte for byte, before and after a block.
	Effect other = make ();
	other.dispatch (kMainsChanged, 0, 1);
	ASSERT_EQ (1, wrappertest::setChunk (other, chunk));
	EXPECT_EQ (chunk, wrappertest::chunkOf (other));
	Stereo<float> buffers (16, 1.f);
	wrappertest::process (other, buffers);
	EXPECT_EQ (chunk, wrappertest::chunkOf (other));

	wrappertest::whileBlocksRun (effect, 64, [&] {
		for (int i = 0; i < 2000; ++i)
		{
			const float value = static_cast<float> (i % 64) / 64.f;
			effect.setParameter (kGainIndex, value);
			const std::vector<char> taken = wrappertest::chunkOf (effect);
			double held = -1.0;
			std::memcpy (&held, taken.data () + 16, sizeof (held)); // little-endian, as on every target
			if (held != static_cast<double> (value) || effect.getParameter (kGainIndex) != value)
			{
				ADD_FAILURE () << "blocks running: the chunk holds " << held << " after " << value << ", round " << i;
				return;
			}
		}
	});
}

// Two host threads loading and taking chunks at once: each chunk handed out is one that was
// loaded, whole, and loads again.
TEST_F (Vst2WrapperThreads, ChunksOnTwoThreadsAtOnce)
{
	std::vector<char> loaded[2];
	{
		Effect source = make ();
		for (int t = 0; t < 2; ++t)
		{
			source.setParameter (kGainIndex, t == 0 ? 0.25f : 0.75f);
			loaded[t] = wrappertest::chunkOf (source);
		}
	}
	Effect effect = make ();
	std::atomic<int> refused {0};
	std::atomic<int> foreign {0};
	auto hammer = [&] (int t) {
		for (int i = 0; i < 3000; ++i)
		{
			if (wrappertest::setChunk (effect, loaded[t]) != 1)
				++refused;
			void* data = nullptr;
			const IntPtr size = effect.dispatch (kGetChunk, 0, 0, &data);
			const char* bytes = static_cast<const char*> (data);
			const std::vector<char> taken = size > 0 && bytes ? std::vector<char> (bytes, bytes + size) : std::vector<char> ();
			if (taken != loaded[0] && taken != loaded[1])
				++foreign;
			if (effect.dispatch (kSetChunk, 0, size, data) != 1)
				++refused;
		}
	};
	std::thread second (hammer, 1);
	hammer (0);
	second.join ();
	EXPECT_EQ (0, refused.load ());
	EXPECT_EQ (0, foreign.load ());
}

// A new rate or block size while resumed reaches the processor at the next resume, never while
// a block runs; meanwhile longer blocks go in pieces of the size the processor was prepared for.
TEST_F (Vst2WrapperThreads, SetUpChangedWhileResumedWaitsForTheNextResume)
{
	host.blockSize = 64;
	Effect effect = make ();
	probe::Processor* processor = probe::Processor::latest;
	effect.dispatch (kMainsChanged, 0, 1);
	effect.dispatch (kSetSampleRate, 0, 0, nullptr, 96000.f);
	effect.dispatch (kSetBlockSize, 0, 4096);
	EXPECT_EQ (44100., processor->lastSetup.sampleRate);
	EXPECT_EQ (64, processor->lastSetup.maxSamplesPerBlock);
	Stereo<float> longBlock (4096, 1.f);
	wrappertest::process (effect, longBlock);
	EXPECT_EQ (std::vector<float> (4096, 0.5f), longBlock.out[1]);

	wrappertest::whileBlocksRun (effect, 8192, [&] {
		for (int i = 0; i < 400; ++i)
		{
			effect.dispatch (kSetSampleRate, 0, 0, nullptr, i % 2 ? 48000.f : 88200.f);
			effect.dispatch (kSetBlockSize, 0, i % 2 ? 32 : 8192);
		}
	});
	EXPECT_EQ (0, processor->callsDuringProcess.load ());
	EXPECT_EQ (0, processor->processedWhileInactive);
	EXPECT_EQ (64, processor->largestBlock);

	effect.dispatch (kMainsChanged, 0, 0);
	effect.dispatch (kMainsChanged, 0, 1);
	EXPECT_EQ (48000., processor->lastSetup.sampleRate);
	EXPECT_EQ (32, processor->lastSetup.maxSamplesPerBlock);
}

TEST_F (Vst2WrapperTest, ControllerHearsOfChangesOnTheUiThreadOnly)
{
	Effect effect = make ();
	probe::Controller* controller = probe::Controller::latest;
	controller->received.clear ();
	effect.dispatch (kMainsChanged, 0, 1);
	effect.setParameter (kGainIndex, 0.3f);
	EXPECT_EQ (1, effect.dispatch (kSetBypass, 0, 1));
	Stereo<float> buffers (8, 0.5f);
	wrappertest::process (effect, buffers);
	EXPECT_TRUE (controller->received.empty ()) << "no controller call outside the UI thread's turn";

	effect.dispatch (kEditIdle);
	EXPECT_TRUE (receivedBy (controller->received, probe::kGainId, 0.3f));
	EXPECT_TRUE (receivedBy (controller->received, probe::kBypassId, 1.0));
	EXPECT_TRUE (receivedBy (controller->received, probe::kLevelId, 0.5)) << "the processor's level";

	// Edits in the controller: to the host with the VST 2 index, and to the processor.
	host.clearCalls ();
	controller->beginEdit (probe::kModeId);
	controller->performEdit (probe::kModeId, 1.0);
	controller->endEdit (probe::kModeId);
	controller->performEdit (probe::kBypassId, 0.0);
	EXPECT_EQ (Steinberg::kResultFalse, controller->performEdit (probe::kLevelId, 0.5));
	ASSERT_EQ (1u, host.callsOf (kHostAutomate).size ()) << "the bypass is no VST 2 parameter";
	EXPECT_EQ (kModeIndex, host.callsOf (kHostAutomate)[0].index);
	EXPECT_EQ (1.f, host.callsOf (kHostAutomate)[0].opt);
	ASSERT_EQ (1u, host.callsOf (kHostBeginEdit).size ());
	EXPECT_EQ (kModeIndex, host.callsOf (kHostEndEdit).at (0).index);
	EXPECT_FLOAT_EQ (1.f, effect.getParameter (kModeIndex));
	probe::Processor::latest->received.clear ();
	wrappertest::process (effect, buffers);
	EXPECT_TRUE (receivedBy (probe::Processor::latest->received, probe::kModeId, 1.0));
	EXPECT_TRUE (receivedBy (probe::Processor::latest->received, probe::kBypassId, 0.0));
}

TEST_F (Vst2WrapperTest, SetUpFollowsTheHost)
{
	host.sampleRate = 96000;
	host.blockSize = 333;
	host.timeInfo.tempo = 133.;
	host.timeInfo.flags = 1 << 10 | 1 << 1; // tempo valid, playing
	Effect effect = make ();
	probe::Processor* processor = probe::Processor::latest;
	EXPECT_EQ (96000., processor->lastSetup.sampleRate);
	EXPECT_EQ (333, processor->lastSetup.maxSamplesPerBlock);
	EXPECT_EQ (probe::kRealtime, processor->lastSetup.processMode);
	EXPECT_EQ (probe::kSample32, processor->lastSetup.symbolicSampleSize);

	effect.dispatch (kSetSampleRate, 0, 0, nullptr, 48000.f);
	effect.dispatch (kSetBlockSize, 0, 64);
	effect.dispatch (kMainsChanged, 0, 1);
	EXPECT_EQ (48000., processor->lastSetup.sampleRate);
	EXPECT_EQ (64, processor->lastSetup.maxSamplesPerBlock);
	EXPECT_TRUE (processor->active && processor->processing);

	Stereo<float> buffers (8, 0.f);
	wrappertest::process (effect, buffers);
	ASSERT_TRUE (processor->hadContext);
	EXPECT_EQ (133., processor->lastContext.tempo);
	EXPECT_NE (0u, processor->lastContext.state & probe::ProcessContext::kPlaying);
	EXPECT_EQ (48000., processor->lastContext.sampleRate);
}

TEST_F (Vst2WrapperTest, VendorSpecificClassIdAndWheel)
{
	Effect effect = make ();
	char uid[16] = {};
	EXPECT_EQ (0, effect.dispatch (kVendorSpecific, 0x73744341, 0x46554944, nullptr));
	EXPECT_EQ (1, effect.dispatch (kVendorSpecific, 0x73744361, 0x46554944, uid));
	EXPECT_EQ (0, std::memcmp (uid, Steinberg::Vst::kProcessorUID.toTUID (), 16));
	EXPECT_EQ (0, effect.dispatch (kVendorSpecific, 0x12345678, 0x46554944, uid));

	char parent = 0;
	ASSERT_EQ (1, effect.dispatch (kEditOpen, 0, 0, &parent));
	EXPECT_EQ (1, effect.dispatch (kVendorSpecific, 0x73744341, 0x57686565, nullptr, 2.5f));
	EXPECT_EQ (std::vector<float> {2.5f}, probe::View::log.wheel);
}

TEST_F (Vst2WrapperTest, PinsAndSpeakers)
{
	Effect effect = make ();
	char pin[kPinPropertiesBytes];
	ASSERT_EQ (1, effect.dispatch (kGetInputProperties, 0, 0, pin));
	EXPECT_EQ (std::string ("Stereo In 1"), pin);
	Int32 flags;
	std::memcpy (&flags, pin + 64, 4);
	EXPECT_EQ (3, flags) << "active, first of a stereo pair";
	ASSERT_EQ (1, effect.dispatch (kGetOutputProperties, 1, 0, pin));
	EXPECT_EQ (std::string ("Stereo Out 2"), pin);
	EXPECT_EQ (0, effect.dispatch (kGetOutputProperties, 2, 0, pin));

	void* arrangements[2] = {};
	ASSERT_EQ (1, effect.dispatch (kGetSpeakerArrangement, 0, reinterpret_cast<IntPtr> (&arrangements[0]), &arrangements[1]));
	Int32 head[2];
	std::memcpy (head, arrangements[1], 8);
	EXPECT_EQ (1, head[0]) << "stereo";
	EXPECT_EQ (2, head[1]);

	char mono[kArrangementHeadBytes + kSpeakerBytes] = {};
	const Int32 oneChannel = 1;
	std::memcpy (mono + 4, &oneChannel, 4);
	char stereo[kArrangementHeadBytes + 2 * kSpeakerBytes] = {};
	const Int32 twoChannels[2] = {1, 2};
	std::memcpy (stereo, twoChannels, 8);
	// The probe takes mono as well: the record and the host follow the new layout.
	EXPECT_EQ (1, effect.dispatch (kSetSpeakerArrangement, 0, reinterpret_cast<IntPtr> (mono), mono));
	EXPECT_EQ (1, effect.numInputs ());
	EXPECT_EQ (1u, host.callsOf (kHostIoChanged).size ());
	EXPECT_EQ (1, effect.dispatch (kSetSpeakerArrangement, 0, reinterpret_cast<IntPtr> (stereo), stereo));
	EXPECT_EQ (2, effect.numOutputs ());
	effect.dispatch (kMainsChanged, 0, 1);
	EXPECT_EQ (0, effect.dispatch (kSetSpeakerArrangement, 0, reinterpret_cast<IntPtr> (mono), mono))
	    << "not while resumed";
}

// Host calls, audio and UI on three threads at once: nothing is lost, nothing tears.
TEST_F (Vst2WrapperThreads, ThreeThreadsAtOnce)
{
	Effect effect = make ();
	effect.dispatch (kMainsChanged, 0, 1);
	std::atomic<bool> running {true};
	std::thread audio ([&] {
		Stereo<float> buffers (64, 1.f);
		while (running.load ())
			wrappertest::process (effect, buffers);
	});
	std::thread ui ([&] {
		while (running.load ())
			effect.dispatch (kEditIdle);
	});
	for (int i = 0; i <= 2000; ++i)
		effect.setParameter (kGainIndex, static_cast<float> (i % 100) / 100.f);
	running.store (false);
	audio.join ();
	ui.join ();

	Stereo<float> buffers (4, 1.f);
	wrappertest::process (effect, buffers);
	effect.dispatch (kEditIdle);
	EXPECT_FLOAT_EQ (0.f, buffers.out[0][3]);
	EXPECT_EQ (0.0, probe::Processor::latest->gain);
	EXPECT_EQ (0.0, probe::Controller::latest->getParamNormalized (probe::kGainId));
}

TEST_F (Vst2WrapperTest, BoundedFuzzOfTheDispatcher)
{
	for (std::uint32_t seed : {1u, 2u, 3u})
	{
		Effect effect = make ();
		EXPECT_EQ (4000, wrappertest::fuzzEffect (effect, seed, 4000));
	}
}

} // namespace
