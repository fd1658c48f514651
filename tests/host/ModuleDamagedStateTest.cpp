// Damaged saved states through the built module, loaded as VST 3 and VST 2.4 hosts load them: the
// engine plays exactly what the host shows for the values read, and nothing gets loud. The one
// stored value the host does not show as it plays, a sixth reverb variation, plays that variation.
#include "HostedPlugin.h"

#include "host/vst2/module.h"

#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"
#include "processor/EngineMapping.h"

#include <cmath>
#include <random>
#include <sstream>

namespace HostTest {
namespace {

namespace at = StateLayout;

constexpr double kRate = 44100.0;
// Past the default pre-delay (20 ms), the early reflections and the first round of the combs.
constexpr int32 kFrames = 2048;
constexpr int kReportedFlips = 10;

// Where each stored parameter sits in the state.
struct StoredField
{
	ParamID id;
	size_t offset;
};
constexpr StoredField kDoubleFields[] = {
    {kDry, at::kDry}, {kPredelay, at::kPredelay}, {kWidth, at::kWidth}, {kDecayTime, at::kDecayTime},
    {kRoomSize, at::kRoomSize}, {kDiffusion, at::kDiffusion}, {kDampIntensity, at::kDampIntensity},
    {kDamp, at::kDamp}, {kLowShelf, at::kLowShelf}, {kLowGain, at::kLowGain}, {kPeak, at::kPeak},
    {kPeakGain, at::kPeakGain}, {kHighShelf, at::kHighShelf}, {kHighGain, at::kHighGain},
    {kEarlyReflections, at::kEarlyReflections}, {kReverb, at::kReverb}, {kWet, at::kWet},
    {kModSpeed, at::kModSpeed}, {kModDepth, at::kModDepth},
};
constexpr StoredField kByteFields[] = {
    {kEarlyReflectionVariation, at::kEarlyReflectionVariation}, {kReverbVariation, at::kReverbVariation},
    {kBypass, at::kBypass}, {kBypassDry, at::kBypassDry}, {kBypassEarlyReflections, at::kBypassEarlyReflections},
    {kBypassReverb, at::kBypassReverb}, {kBypassWet, at::kBypassWet},
};

// The stored reverb variation that selects the engine's sixth comb pattern, which the list does not offer.
constexpr char kSixthReverbVariation = 5;

// A whole current state holding what the controller shows: its normalized values, the list entry
// it shows, and its switches as on or off. A loaded sixth reverb variation plays itself, though the
// list shows its last entry for it.
std::vector<char> shownState (IEditController& controller, const std::vector<char>& loaded)
{
	std::vector<char> bytes (at::kSize, 0);
	putVersion (bytes, 4);
	for (const StoredField& field : kDoubleFields)
		putDouble (bytes, field.offset, controller.getParamNormalized (field.id));
	for (const StoredField& field : kByteFields)
	{
		const ParamValue value = controller.getParamNormalized (field.id);
		const bool list = field.id == kEarlyReflectionVariation || field.id == kReverbVariation;
		const double plain = list ? controller.normalizedParamToPlain (field.id, value) : (value > 0.5 ? 1.0 : 0.0);
		bytes[field.offset] = static_cast<char> (plain);
	}
	if (loaded[at::kReverbVariation] == kSixthReverbVariation)
		bytes[at::kReverbVariation] = kSixthReverbVariation;
	return bytes;
}

template <typename Sample>
struct NoiseBlock
{
	NoiseBlock () : buffers (kFrames)
	{
		std::mt19937 random (1234u);
		std::uniform_real_distribution<double> noise (-0.5, 0.5);
		for (size_t i = 0; i < static_cast<size_t> (kFrames); ++i)
		{
			buffers.inL[i] = static_cast<Sample> (noise (random));
			buffers.inR[i] = static_cast<Sample> (noise (random));
		}
	}
	bool finite () const
	{
		for (size_t i = 0; i < static_cast<size_t> (kFrames); ++i)
			if (!std::isfinite (buffers.outL[i]) || !std::isfinite (buffers.outR[i]))
				return false;
		return true;
	}
	bool sameOutput (const NoiseBlock& other) const
	{
		return buffers.outL == other.buffers.outL && buffers.outR == other.buffers.outR;
	}
	Buffers<Sample> buffers;
};

struct FlipResult
{
	int accepted = 0;
	int failures = 0;
	std::ostringstream report;
};

// Every single-bit flip of the default state, loaded into one instance of a pair while the state
// that the controller then shows is loaded into the other. The two have processed the same frames
// since they were made, so equal settings give equal output to the bit. Loads that the effect
// refuses are passed over; the others fail where the outputs differ or are not finite.
template <typename Sample, typename Pair>
void runFlips (const std::vector<char>& defaults, Pair& pair, FlipResult& result)
{
	NoiseBlock<Sample> damaged, shown;
	for (size_t bit = 0; bit < 8 * defaults.size (); ++bit)
	{
		std::vector<char> bytes = defaults;
		bytes[bit / 8] = static_cast<char> (bytes[bit / 8] ^ (1 << (bit % 8)));
		if (!pair.load (bytes, damaged, shown))
			continue;
		++result.accepted;
		const bool finite = damaged.finite ();
		if (finite && damaged.sameOutput (shown))
			continue;
		if (++result.failures <= kReportedFlips)
			result.report << " byte " << bit / 8 << " bit " << bit % 8 << (finite ? "" : " (not finite)") << ";";
		// What rang or ran differently would carry over into the next loads.
		pair.restart ();
	}
}

// VST 3: setState on the processor, the same bytes to its controller, as hosts load a project.
struct Vst3Pair
{
	explicit Vst3Pair (PluginModule& module) : module (module) {}

	bool load (const std::vector<char>& bytes, NoiseBlock<double>& damaged, NoiseBlock<double>& shown)
	{
		if (damagedInstance->setState (bytes) != kResultOk)
			return false;
		EXPECT_EQ (shownInstance->setState (shownState (*damagedInstance->controller (), bytes)), kResultOk);
		damagedInstance->process (damaged.buffers.in, damaged.buffers.out, kFrames);
		shownInstance->process (shown.buffers.in, shown.buffers.out, kFrames);
		return true;
	}
	void restart ()
	{
		std::string error;
		for (auto* instance : {&damagedInstance, &shownInstance})
		{
			instance->reset ();
			*instance = PluginInstance::create (module, error);
			ASSERT_TRUE (*instance) << error;
			ASSERT_EQ ((*instance)->setupProcessing (kRate, kFrames, kSample64), kResultOk);
			ASSERT_EQ ((*instance)->setActive (true), kResultOk);
		}
	}

	PluginModule& module;
	std::unique_ptr<PluginInstance> damagedInstance, shownInstance;
};

// VST 2.4: effSetChunk with the state and no controller part, and processReplacing. The values
// shown are the same controller's, read here through a VST 3 instance.
struct Vst2Pair
{
	explicit Vst2Pair (PluginInstance& viewer) : viewer (viewer) {}

	bool load (const std::vector<char>& bytes, NoiseBlock<float>& damaged, NoiseBlock<float>& shown)
	{
		if (!setChunk (damagedEffect, bytes))
			return false;
		EXPECT_EQ (viewer.setState (bytes), kResultOk);
		EXPECT_TRUE (setChunk (shownEffect, shownState (*viewer.controller (), bytes)));
		damagedEffect.processReplacing (damaged.buffers.in, damaged.buffers.out, kFrames);
		shownEffect.processReplacing (shown.buffers.in, shown.buffers.out, kFrames);
		return true;
	}
	void restart ()
	{
		for (vst2host::Effect* effect : {&damagedEffect, &shownEffect})
		{
			*effect = library.create (host);
			ASSERT_TRUE (effect->valid ());
			effect->dispatch (vst2host::kSetSampleRate, 0, 0, nullptr, static_cast<float> (kRate));
			effect->dispatch (vst2host::kSetBlockSize, 0, kFrames);
			effect->dispatch (vst2host::kMainsChanged, 0, 1);
		}
	}
	static bool setChunk (const vst2host::Effect& effect, const std::vector<char>& state)
	{
		std::vector<char> chunk (16, 0);
		chunk[0] = static_cast<char> (state.size ());
		chunk.insert (chunk.end (), state.begin (), state.end ());
		return effect.dispatch (vst2host::kSetChunk, 0, static_cast<vst2host::IntPtr> (chunk.size ()), chunk.data ()) == 1;
	}

	PluginInstance& viewer;
	vst2host::Module library {TESSALINE_MODULE_PATH};
	vst2host::Host host;
	vst2host::Effect damagedEffect, shownEffect;
};

using ModuleDamagedState = HostedPlugin;

TEST_F (ModuleDamagedState, EverySingleBitFlipPlaysAsTheHostShowsIt)
{
	if (!plugin->controller ())
		GTEST_SKIP () << "this module carries the processor alone";
	const std::vector<char> defaults = state ();
	ASSERT_EQ (defaults.size (), at::kSize);
	constexpr int kFlips = 8 * static_cast<int> (at::kSize);

	Vst3Pair vst3 (*module);
	ASSERT_NO_FATAL_FAILURE (vst3.restart ());
	FlipResult vst3Result;
	runFlips<double> (defaults, vst3, vst3Result);
	EXPECT_EQ (vst3Result.accepted, kFlips) << "every flip still reads as a whole state";
	EXPECT_EQ (vst3Result.failures, 0) << "VST 3:" << vst3Result.report.str ();

	Vst2Pair vst2 (*plugin);
	ASSERT_TRUE (vst2.library.hasEntry ()) << vst2.library.error ();
	ASSERT_NO_FATAL_FAILURE (vst2.restart ());
	FlipResult vst2Result;
	runFlips<float> (defaults, vst2, vst2Result);
	EXPECT_EQ (vst2Result.accepted, kFlips);
	EXPECT_EQ (vst2Result.failures, 0) << "VST 2.4:" << vst2Result.report.str ();
}

// The sixth reverb variation set on an engine directly, over the processor's other defaults.
struct SixthVariationEngine
{
	SixthVariationEngine ()
	{
		engine->setSampleRate (kRate);
		passAllToEngine (*engine, settings);
		engine->setReverbVariation (6);
		engine->reset ();
	}
	template <typename Sample>
	void process (NoiseBlock<Sample>& block)
	{
		DenormalGuard guard;
		Buffers<Sample>& b = block.buffers;
		for (size_t i = 0; i < static_cast<size_t> (kFrames); ++i)
		{
			const double in[2] = {b.inL[i], b.inR[i]};
			double out[2];
			engine->processFrame (in, out);
			b.outL[i] = static_cast<Sample> (out[0]);
			b.outR[i] = static_cast<Sample> (out[1]);
		}
	}
	ReverbSettings settings = defaultReverbSettings ();
	std::unique_ptr<ReverbEngine> engine = std::make_unique<ReverbEngine> ();
};

// A block after the load, one after a change of the decay time, and one after a deactivation and
// reactivation, which apply every setting again: each plays as the engine set directly.
template <typename Sample, typename Road>
void expectTheSixthVariation (Road& road, const char* name)
{
	SixthVariationEngine direct;
	NoiseBlock<Sample> played, expected;
	const char* steps[] = {"loaded", "decay time changed", "reactivated"};
	for (int step = 0; step < 3; ++step)
	{
		if (step == 1)
		{
			direct.settings.decayTime = road.setDecayTime (0.6);
			passToEngine (*direct.engine, direct.settings, kDecayTime);
		}
		if (step == 2)
		{
			road.reactivate ();
			direct.engine->reset ();
		}
		road.process (played);
		direct.process (expected);
		EXPECT_TRUE (played.sameOutput (expected)) << name << ": " << steps[step];
	}
}

// A saved reverb variation 5 selects the engine's sixth comb pattern, whether the state arrives
// through VST 3 setState (64-bit samples) or VST 2.4 effSetChunk (32-bit), and the state keeps it.
TEST_F (ModuleDamagedState, ASavedSixthReverbVariationPlaysIt)
{
	std::vector<char> saved = state ();
	saved[at::kReverbVariation] = kSixthReverbVariation;

	struct Vst3Road
	{
		double setDecayTime (double value)
		{
			instance->queueParameter (kDecayTime, value);
			return value;
		}
		void reactivate ()
		{
			instance->setActive (false);
			instance->setActive (true);
		}
		void process (NoiseBlock<double>& block) { instance->process (block.buffers.in, block.buffers.out, kFrames); }
		std::unique_ptr<PluginInstance> instance;
	} vst3 {freshInstance ()};
	ASSERT_TRUE (vst3.instance);
	ASSERT_EQ (vst3.instance->setupProcessing (kRate, kFrames, kSample64), kResultOk);
	ASSERT_EQ (vst3.instance->setActive (true), kResultOk);
	ASSERT_EQ (vst3.instance->setState (saved), kResultOk);
	expectTheSixthVariation<double> (vst3, "VST 3");
	std::vector<char> held;
	ASSERT_EQ (vst3.instance->getState (held), kResultOk);
	EXPECT_EQ (held[at::kReverbVariation], kSixthReverbVariation);

	struct Vst2Road
	{
		double setDecayTime (double value)
		{
			constexpr vst2host::Int32 kDecayTimeIndex = 5;
			effect.setParameter (kDecayTimeIndex, static_cast<float> (value));
			return static_cast<float> (value);
		}
		void reactivate ()
		{
			effect.dispatch (vst2host::kMainsChanged, 0, 0);
			effect.dispatch (vst2host::kMainsChanged, 0, 1);
		}
		void process (NoiseBlock<float>& block) { effect.processReplacing (block.buffers.in, block.buffers.out, kFrames); }
		const vst2host::Effect& effect;
	};
	Vst2Pair vst2 (*plugin);
	ASSERT_TRUE (vst2.library.hasEntry ()) << vst2.library.error ();
	ASSERT_NO_FATAL_FAILURE (vst2.restart ());
	ASSERT_TRUE (Vst2Pair::setChunk (vst2.damagedEffect, saved));
	Vst2Road road {vst2.damagedEffect};
	expectTheSixthVariation<float> (road, "VST 2.4");
}

} // namespace
} // namespace HostTest
