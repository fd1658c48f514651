// The whole plug-in through process (blocks of 512, 32-bit) against cmt's LADSPA Freeverb of
// Debian's cmt package on the same buffers in the same run, at 48 and 192 kHz; against the frame
// loop that process used to run; against the bare engine; on a decaying tail against signal; and
// with automated parameters against static ones, at blocks of 32 and 512 frames.
#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"
#include "processor/EngineMapping.h"
#include "processor/ParameterIds.h"
#include "processor/ReverbSettings.h"
#include "processor/Tessaline.h"

#include "DirectProcessor.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <ladspa.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int32 kBlock = 512;
constexpr const char* kFreeverbLibrary = "/usr/lib/ladspa/cmt.so";
constexpr const char* kFreeverbLabel = "freeverb3";
// Freeverb's controls: freeze, room size, damping, wet, dry, width.
constexpr LADSPA_Data kFreeverbControls[] = {0.0f, 0.5f, 0.5f, 1.0f / 3.0f, 2.0f / 3.0f, 1.0f};
// Before the tail is measured: a second of signal, then half a minute of silence.
constexpr double kTailSignalSeconds = 1.0;
constexpr double kTailSilenceSeconds = 30.0;
// Automation: the block lengths, the frames of one round of each contender, the rounds, and the
// blocks over which a moving value sweeps up and back down.
constexpr int32 kAutomationBlocks[] = {32, 512};
constexpr int32 kAutomationRoundFrames = 8192;
constexpr int kAutomationRounds = 101;
constexpr int32 kSweepBlocks = 512;
constexpr double kAutomationRate = 48000.0;

// One block of noise per channel, the same for every contender, and one of silence.
struct SharedBuffers
{
	SharedBuffers () : inL (kBlock), inR (kBlock), outL (kBlock), outR (kBlock), silence (kBlock, 0.0f)
	{
		uint32_t seed = 1;
		for (int32 i = 0; i < kBlock; ++i)
		{
			seed = seed * 1664525u + 1013904223u;
			inL[i] = static_cast<float> (static_cast<int32_t> (seed) / 4294967296.0);
			seed = seed * 1664525u + 1013904223u;
			inR[i] = static_cast<float> (static_cast<int32_t> (seed) / 4294967296.0);
		}
	}
	std::vector<float> inL, inR, outL, outR, silence;
};

SharedBuffers& buffers ()
{
	static SharedBuffers shared;
	return shared;
}

double rateOf (const benchmark::State& state) { return static_cast<double> (state.range (0)); }

void setCounters (benchmark::State& state)
{
	const double frames = static_cast<double> (state.iterations ()) * kBlock;
	state.counters["ns/frame"] = benchmark::Counter (frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
	state.counters["x realtime"] = benchmark::Counter (frames / rateOf (state), benchmark::Counter::kIsRate);
}

// The processor made, set up and activated as a host does, with one stereo 32-bit block.
struct Plugin
{
	explicit Plugin (double rate)
	: direct (kSample32, kBlock, rate)
	, block (nullptr, nullptr, buffers ().outL.data (), buffers ().outR.data (), kBlock)
	{
		direct.component->setActive (true);
	}
	void process (std::vector<float>& left, std::vector<float>& right)
	{
		block.inputs[0] = left.data ();
		block.inputs[1] = right.data ();
		direct.processor->process (block.data);
	}

	ProcessorTest::DirectProcessor direct;
	ProcessorTest::StereoBlock<float> block;
};

void BM_Process (benchmark::State& state)
{
	SharedBuffers& b = buffers ();
	Plugin plugin (rateOf (state));
	for (auto _ : state)
	{
		plugin.process (b.inL, b.inR);
		benchmark::DoNotOptimize (b.outL.data ());
	}
	setCounters (state);
}

// A decaying tail: silence in, after a second of signal and half a minute of silence.
void BM_ProcessTail (benchmark::State& state)
{
	SharedBuffers& b = buffers ();
	Plugin plugin (rateOf (state));
	for (double played = 0; played < kTailSignalSeconds * rateOf (state); played += kBlock)
		plugin.process (b.inL, b.inR);
	for (double played = 0; played < kTailSilenceSeconds * rateOf (state); played += kBlock)
		plugin.process (b.silence, b.silence);
	for (auto _ : state)
	{
		plugin.process (b.silence, b.silence);
		benchmark::DoNotOptimize (b.outL.data ());
	}
	setCounters (state);
}

std::unique_ptr<ReverbEngine> engineAt (double rate)
{
	auto engine = std::make_unique<ReverbEngine> ();
	engine->setSampleRate (rate);
	passAllToEngine (*engine, defaultReverbSettings ());
	engine->reset ();
	return engine;
}

// The engine's own cost on the same frames, already widened and interleaved; with AVX where the
// processor has it, as process runs it, and with SSE2 alone.
void runEngine (benchmark::State& state, bool avx)
{
	SharedBuffers& b = buffers ();
	auto engine = engineAt (rateOf (state));
	if (engine->useAvx (avx) != avx)
	{
		state.SkipWithError ("no AVX on this processor");
		return;
	}
	std::vector<double> in (2 * kBlock), out (2 * kBlock);
	for (int32 i = 0; i < kBlock; ++i)
	{
		in[2 * i] = b.inL[i];
		in[2 * i + 1] = b.inR[i];
	}
	for (auto _ : state)
	{
		DenormalGuard guard;
		engine->processBlock (in.data (), out.data (), kBlock);
		benchmark::DoNotOptimize (out.data ());
	}
	setCounters (state);
}

void BM_Engine (benchmark::State& state) { runEngine (state, true); }
void BM_EngineSse2 (benchmark::State& state) { runEngine (state, false); }

// The loop that process ran before the engine took whole blocks: one frame at a time, with the
// conversions and the level.
void BM_FrameLoop (benchmark::State& state)
{
	SharedBuffers& b = buffers ();
	auto engine = engineAt (rateOf (state));
	double level = 0.0;
	for (auto _ : state)
	{
		DenormalGuard guard;
		level = 0.0;
		for (int32 i = 0; i < kBlock; ++i)
		{
			const double in[2] = {b.inL[i], b.inR[i]};
			double out[2];
			engine->processFrame (in, out);
			b.outL[i] = static_cast<float> (out[0]);
			b.outR[i] = static_cast<float> (out[1]);
			const double mid = (out[0] + out[1]) / 2.0;
			if (mid > level)
				level = mid;
		}
		benchmark::DoNotOptimize (level);
		benchmark::DoNotOptimize (b.outL.data ());
	}
	setCounters (state);
}

void BM_Freeverb3 (benchmark::State& state)
{
	SharedBuffers& b = buffers ();
	void* library = dlopen (kFreeverbLibrary, RTLD_NOW | RTLD_LOCAL);
	auto descriptorOf = library ? reinterpret_cast<LADSPA_Descriptor_Function> (dlsym (library, "ladspa_descriptor"))
	                            : nullptr;
	const LADSPA_Descriptor* descriptor = nullptr;
	for (unsigned long i = 0; descriptorOf && (descriptor = descriptorOf (i)); ++i)
		if (std::strcmp (descriptor->Label, kFreeverbLabel) == 0)
			break;
	if (!descriptor)
	{
		state.SkipWithError ("cmt's freeverb3 is not installed");
		return;
	}
	LADSPA_Handle handle = descriptor->instantiate (descriptor, static_cast<unsigned long> (rateOf (state)));
	LADSPA_Data controls[6];
	std::memcpy (controls, kFreeverbControls, sizeof (controls));
	LADSPA_Data* audio[4] = {b.inL.data (), b.inR.data (), b.outL.data (), b.outR.data ()};
	unsigned long audioPort = 0, controlPort = 0;
	for (unsigned long port = 0; port < descriptor->PortCount; ++port)
	{
		const bool isAudio = LADSPA_IS_PORT_AUDIO (descriptor->PortDescriptors[port]);
		descriptor->connect_port (handle, port, isAudio ? audio[audioPort++] : &controls[controlPort++]);
	}
	if (descriptor->activate)
		descriptor->activate (handle);
	for (auto _ : state)
	{
		descriptor->run (handle, kBlock);
		benchmark::DoNotOptimize (b.outL.data ());
	}
	setCounters (state);
	descriptor->cleanup (handle);
	dlclose (library);
}

// A host's parameter queues for one block, one point each, at the block's start: each value is
// worked out from the block's number when it is read, as a host reads it from its lanes.
enum class Movement
{
	Still, // the same value in every block
	Sweep, // a new value in every block, up and down the range
	SameEntry // a new value in every block, within the third entry of a list of five
};

class SweepQueue final : public IParamValueQueue
{
public:
	SweepQueue (ParamID parameter, Movement how, const int32& blockNumber)
	: id (parameter), movement (how), block (blockNumber)
	{
	}
	tresult PLUGIN_API queryInterface (const TUID, void** object) SMTG_OVERRIDE
	{
		*object = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }
	ParamID PLUGIN_API getParameterId () SMTG_OVERRIDE { return id; }
	int32 PLUGIN_API getPointCount () SMTG_OVERRIDE { return 1; }
	tresult PLUGIN_API getPoint (int32 index, int32& sampleOffset, ParamValue& value) SMTG_OVERRIDE
	{
		if (index != 0)
			return kResultFalse;
		sampleOffset = 0;
		value = valueAt ();
		return kResultTrue;
	}
	tresult PLUGIN_API addPoint (int32, ParamValue, int32&) SMTG_OVERRIDE { return kResultFalse; }

private:
	double valueAt () const
	{
		if (movement == Movement::Still)
			return 0.3;
		// A triangle from 0 to 1 and back over kSweepBlocks, each parameter at its own phase.
		double t = static_cast<double> (block % kSweepBlocks) / kSweepBlocks + 0.037 * id;
		t = t < 1.0 ? t : t - 1.0;
		const double triangle = t < 0.5 ? 2.0 * t : 2.0 - 2.0 * t;
		if (movement == Movement::SameEntry)
			return 0.41 + 0.18 * triangle;
		if (id == kBypass)
			return 0.45 * triangle; // moves, but never bypasses the whole plug-in
		return 0.05 + 0.9 * triangle;
	}

	const ParamID id;
	const Movement movement;
	const int32& block;
};

class SweepChanges final : public IParameterChanges
{
public:
	tresult PLUGIN_API queryInterface (const TUID, void** object) SMTG_OVERRIDE
	{
		*object = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }
	int32 PLUGIN_API getParameterCount () SMTG_OVERRIDE { return static_cast<int32> (queues.size ()); }
	IParamValueQueue* PLUGIN_API getParameterData (int32 index) SMTG_OVERRIDE
	{
		return index >= 0 && static_cast<size_t> (index) < queues.size () ? &queues[static_cast<size_t> (index)] : nullptr;
	}
	IParamValueQueue* PLUGIN_API addParameterData (const ParamID&, int32&) SMTG_OVERRIDE { return nullptr; }

	std::vector<SweepQueue> queues;
	int32 block = 0;
};

// The 27 parameters hosts see: the 26 stored ones and the level output.
std::vector<ParamID> everyParameter ()
{
	std::vector<ParamID> ids;
	for (ParamID id = 0; id < kNumStoredParameters; ++id)
		ids.push_back (id);
	ids.push_back (kVuPPM);
	return ids;
}

struct AutomationCase
{
	std::string name;
	std::vector<ParamID> ids;
	Movement movement;
};

std::vector<AutomationCase> automationCases ()
{
	std::vector<AutomationCase> cases = {
	    {"all_unchanged", everyParameter (), Movement::Still},
	    {"all_moving", everyParameter (), Movement::Sweep},
	    {"reverb_variation_same_entry", {kReverbVariation}, Movement::SameEntry},
	};
	const std::pair<ParamID, const char*> singles[] = {
	    {kDry, "dry"}, {kPredelay, "predelay"}, {kWidth, "width"},
	    {kEarlyReflectionVariation, "early_reflection_variation"}, {kReverbVariation, "reverb_variation"},
	    {kDecayTime, "decay_time"}, {kRoomSize, "room_size"}, {kDiffusion, "diffusion"},
	    {kDampIntensity, "damp_intensity"}, {kDamp, "damp_frequency"}, {kLowShelf, "low_shelf"},
	    {kLowGain, "low_gain"}, {kPeak, "peak"}, {kPeakGain, "peak_gain"}, {kHighShelf, "high_shelf"},
	    {kHighGain, "high_gain"}, {kEarlyReflections, "early_reflections"}, {kReverb, "reverb"}, {kWet, "wet"},
	    {kBypassDry, "bypass_dry"}, {kBypassEarlyReflections, "bypass_early_reflections"},
	    {kBypassReverb, "bypass_reverb"}, {kBypassWet, "bypass_wet"}, {kModSpeed, "mod_speed"},
	    {kModDepth, "mod_depth"},
	};
	for (const auto& single : singles)
		cases.push_back ({std::string ("single/") + single.second, {single.first}, Movement::Sweep});
	return cases;
}

// The median over rounds of (automated / static), each round running both plug-ins over the same
// blocks one after the other, in turns; the machine's other load moves both alike within a round.
void runAutomation (benchmark::State& state, const AutomationCase& automation, int32 frames)
{
	SharedBuffers& b = buffers ();
	Plugin still (kAutomationRate), moving (kAutomationRate);
	SweepChanges none, changes;
	for (ParamID id : automation.ids)
		changes.queues.emplace_back (id, automation.movement, changes.block);
	still.block.data.numSamples = moving.block.data.numSamples = frames;
	still.block.data.inputParameterChanges = &none;
	moving.block.data.inputParameterChanges = &changes;
	// Both from the same values, and past the first sweep.
	SweepChanges start;
	for (ParamID id : everyParameter ())
		start.queues.emplace_back (id, Movement::Still, start.block);
	for (Plugin* plugin : {&still, &moving})
	{
		plugin->block.data.inputParameterChanges = &start;
		plugin->process (b.inL, b.inR);
	}
	still.block.data.inputParameterChanges = &none;
	moving.block.data.inputParameterChanges = &changes;
	const int32 blocks = kAutomationRoundFrames / frames;
	auto round = [&] (Plugin& plugin, bool advance) {
		const auto begin = std::chrono::steady_clock::now ();
		for (int32 i = 0; i < blocks; ++i)
		{
			plugin.process (b.inL, b.inR);
			if (advance)
				++changes.block;
		}
		benchmark::DoNotOptimize (b.outL.data ());
		return std::chrono::duration<double> (std::chrono::steady_clock::now () - begin).count ();
	};
	for (int i = 0; i < kSweepBlocks; i += blocks)
	{
		round (still, false);
		round (moving, true);
	}
	std::vector<double> ratios;
	double movingSeconds = 0.0;
	int rounds = 0;
	for (auto _ : state)
	{
		const bool stillFirst = (rounds++ & 1) == 0;
		const double first = stillFirst ? round (still, false) : round (moving, true);
		const double second = stillFirst ? round (moving, true) : round (still, false);
		const double stillTime = stillFirst ? first : second;
		const double movingTime = stillFirst ? second : first;
		ratios.push_back (movingTime / stillTime);
		movingSeconds += movingTime;
		state.SetIterationTime (movingTime);
	}
	std::nth_element (ratios.begin (), ratios.begin () + ratios.size () / 2, ratios.end ());
	state.counters["ratio"] = ratios[ratios.size () / 2];
	state.counters["us/block"] = movingSeconds * 1e6 / (static_cast<double> (rounds) * blocks);
}

// Each contender at both rates, one after the other at each rate.
BENCHMARK (BM_Process)->Unit (benchmark::kMicrosecond)->Arg (48000)->Arg (192000);
BENCHMARK (BM_Freeverb3)->Unit (benchmark::kMicrosecond)->Arg (48000)->Arg (192000);
BENCHMARK (BM_FrameLoop)->Unit (benchmark::kMicrosecond)->Arg (48000)->Arg (192000);
BENCHMARK (BM_Engine)->Unit (benchmark::kMicrosecond)->Arg (48000)->Arg (192000);
BENCHMARK (BM_EngineSse2)->Unit (benchmark::kMicrosecond)->Arg (48000)->Arg (192000);
BENCHMARK (BM_ProcessTail)->Unit (benchmark::kMicrosecond)->Arg (48000);

// Keeps the time per frame of each benchmark to print the ratios after the table: the median of
// its repetitions where there are several, else its one run.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
	void ReportRuns (const std::vector<Run>& runs) override
	{
		ConsoleReporter::ReportRuns (runs);
		for (const Run& run : runs)
		{
			if (run.error_occurred)
				continue;
			const std::string name = run.run_name.str ();
			const bool kept = (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") ||
			                  (run.run_type == Run::RT_Iteration && run.repetitions <= 1);
			if (kept && run.counters.count ("ns/frame"))
				nsPerFrame[name] = run.counters.at ("ns/frame");
			if (kept && run.counters.count ("ratio"))
				ratio[run.run_name.function_name] = run.counters.at ("ratio");
		}
	}
	std::map<std::string, double> nsPerFrame;
	std::map<std::string, double> ratio;
};

void printRatio (const std::map<std::string, double>& ns, const char* what, const std::string& over,
                 const std::string& under, const char* wanted)
{
	if (ns.count (over) && ns.count (under))
		std::printf ("%-34s %.3f  (%s)\n", what, ns.at (over) / ns.at (under), wanted);
}

} // namespace

int main (int argc, char** argv)
{
	// The machine's speed drifts while the contenders run one after the other: unless told
	// otherwise, each runs five times, the runs of all of them shuffled together, and the ratios
	// take each one's median.
	std::vector<char*> arguments (argv, argv + argc);
	char repetitions[] = "--benchmark_repetitions=5";
	char interleaving[] = "--benchmark_enable_random_interleaving=true";
	char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
	char minTime[] = "--benchmark_min_time=0.2";
	if (argc == 1)
		arguments.insert (arguments.end (), {repetitions, interleaving, aggregatesOnly, minTime});
	int count = static_cast<int> (arguments.size ());
	// Automation: each case in one run of rounds, which takes its own median.
	const std::vector<AutomationCase> cases = automationCases ();
	for (int32 frames : kAutomationBlocks)
		for (const AutomationCase& automation : cases)
			benchmark::RegisterBenchmark (("BM_Automation/" + automation.name + "/" + std::to_string (frames)).c_str (),
			                              [&automation, frames] (benchmark::State& state) {
				                              runAutomation (state, automation, frames);
			                              })
			    ->UseManualTime ()
			    ->Unit (benchmark::kMicrosecond)
			    ->Iterations (kAutomationRounds)
			    ->Repetitions (1);
	benchmark::Initialize (&count, arguments.data ());
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks (&reporter);
	benchmark::Shutdown ();
	const auto& ns = reporter.nsPerFrame;
	std::printf ("\n");
	if (ns.count ("BM_Process/48000"))
		std::printf ("process: %.2f ns per stereo frame at 48 kHz, %.1f x real time\n", ns.at ("BM_Process/48000"),
		             1e9 / 48000.0 / ns.at ("BM_Process/48000"));
	printRatio (ns, "process / freeverb3, 48 kHz:", "BM_Process/48000", "BM_Freeverb3/48000", "at most 0.75, aim 0.6");
	printRatio (ns, "process / freeverb3, 192 kHz:", "BM_Process/192000", "BM_Freeverb3/192000", "at most 1.1");
	printRatio (ns, "frame loop / process, 48 kHz:", "BM_FrameLoop/48000", "BM_Process/48000", "speed-up");
	printRatio (ns, "frame loop / process, 192 kHz:", "BM_FrameLoop/192000", "BM_Process/192000", "speed-up");
	printRatio (ns, "tail / signal, 48 kHz:", "BM_ProcessTail/48000", "BM_Process/48000", "at most 1.0");
	printRatio (ns, "process / engine, 48 kHz:", "BM_Process/48000", "BM_Engine/48000", "at most 1.05");
	printRatio (ns, "process / engine, 192 kHz:", "BM_Process/192000", "BM_Engine/192000", "at most 1.05");
	printRatio (ns, "engine SSE2 / AVX, 48 kHz:", "BM_EngineSse2/48000", "BM_Engine/48000", "what AVX gains");
	printRatio (ns, "engine SSE2 / AVX, 192 kHz:", "BM_EngineSse2/192000", "BM_Engine/192000", "what AVX gains");
	if (!reporter.ratio.empty ())
	{
		std::printf ("\nautomated / static parameters, %g kHz        32 frames  512 frames\n", kAutomationRate / 1000.0);
		double worstSingle[2] = {0.0, 0.0};
		for (const AutomationCase& automation : cases)
		{
			double r[2] = {0.0, 0.0};
			bool ran = false;
			for (int i = 0; i < 2; ++i)
			{
				const std::string name = "BM_Automation/" + automation.name + "/" + std::to_string (kAutomationBlocks[i]);
				if (!reporter.ratio.count (name))
					continue;
				ran = true;
				r[i] = reporter.ratio.at (name);
				if (automation.name.rfind ("single/", 0) == 0)
					worstSingle[i] = std::max (worstSingle[i], r[i]);
			}
			if (ran)
				std::printf ("%-44s %9.3f %11.3f\n", automation.name.c_str (), r[0], r[1]);
		}
		std::printf ("%-44s %9.3f %11.3f\n", "largest single", worstSingle[0], worstSingle[1]);
		std::printf ("(at 32 frames: all unchanged at most 1.05, all moving at most 1.6, any single at most 1.10)\n");
	}
	return 0;
}
