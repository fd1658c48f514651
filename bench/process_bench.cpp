// The whole plug-in through process (blocks of 512, 32-bit) against cmt's LADSPA Freeverb of
// Debian's cmt package on the same buffers in the same run, at 48 and 192 kHz; against the frame
// loop that process used to run; against the bare engine; and on a decaying tail against signal.
#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"
#include "processor/EngineMapping.h"
#include "processor/ReverbSettings.h"
#include "processor/Tessaline.h"

#include "DirectProcessor.h"

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <ladspa.h>

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
			if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
				nsPerFrame[name] = run.counters.at ("ns/frame");
			else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
				nsPerFrame[name] = run.counters.at ("ns/frame");
		}
	}
	std::map<std::string, double> nsPerFrame;
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
	benchmark::Initialize (&count, arguments.data ());
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks (&reporter);
	benchmark::Shutdown ();
	const auto& ns = reporter.nsPerFrame;
	std::printf ("\n");
	if (ns.count ("BM_Process/48000"))
		std::printf ("process: %.2f ns per stereo frame at 48 kHz, %.1f x real time\n", ns.at ("BM_Process/48000"),
		             1e9 / 48000.0 / ns.at ("BM_Process/48000"));
	printRatio (ns, "process / freeverb3, 48 kHz:", "BM_Process/48000", "BM_Freeverb3/48000", "at most 1.0, aim 0.7");
	printRatio (ns, "process / freeverb3, 192 kHz:", "BM_Process/192000", "BM_Freeverb3/192000", "at most 1.1");
	printRatio (ns, "frame loop / process, 48 kHz:", "BM_FrameLoop/48000", "BM_Process/48000", "speed-up");
	printRatio (ns, "frame loop / process, 192 kHz:", "BM_FrameLoop/192000", "BM_Process/192000", "speed-up");
	printRatio (ns, "tail / signal, 48 kHz:", "BM_ProcessTail/48000", "BM_Process/48000", "at most 1.0");
	printRatio (ns, "process / engine, 48 kHz:", "BM_Process/48000", "BM_Engine/48000", "at most 1.05");
	printRatio (ns, "process / engine, 192 kHz:", "BM_Process/192000", "BM_Engine/192000", "at most 1.05");
	printRatio (ns, "engine SSE2 / AVX, 48 kHz:", "BM_EngineSse2/48000", "BM_Engine/48000", "what AVX gains");
	printRatio (ns, "engine SSE2 / AVX, 192 kHz:", "BM_EngineSse2/192000", "BM_Engine/192000", "what AVX gains");
	return 0;
}
