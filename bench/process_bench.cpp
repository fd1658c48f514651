// The whole plug-in through process (blocks of 512, 32-bit) against the bare engine and against
// the LADSPA Freeverb of Debian's cmt package, on the same buffers in the same run.
#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"
#include "processor/EngineMapping.h"
#include "processor/ReverbSettings.h"
#include "processor/Tessaline.h"

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
constexpr double kSampleRate = 192000.0; // the real-time figure is for the highest supported rate
constexpr const char* kFreeverbLibrary = "/usr/lib/ladspa/cmt.so";
constexpr const char* kFreeverbLabel = "freeverb3";
// Freeverb's controls: freeze, room size, damping, wet, dry, width.
constexpr LADSPA_Data kFreeverbControls[] = {0.0f, 0.5f, 0.5f, 1.0f / 3.0f, 2.0f / 3.0f, 1.0f};

// One block of noise per channel, the same for every contender.
struct SharedBuffers
{
	SharedBuffers () : inL (kBlock), inR (kBlock), outL (kBlock), outR (kBlock)
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
	std::vector<float> inL, inR, outL, outR;
};

SharedBuffers& buffers ()
{
	static SharedBuffers shared;
	return shared;
}

void setCounters (benchmark::State& state)
{
	const double frames = static_cast<double> (state.iterations ()) * kBlock;
	state.counters["ns/frame"] = benchmark::Counter (frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
	state.counters["x realtime"] = benchmark::Counter (frames / kSampleRate, benchmark::Counter::kIsRate);
}

void BM_Process (benchmark::State& state)
{
	SharedBuffers& b = buffers ();
	IPtr<FUnknown> object = owned (Tessaline::createInstance (nullptr));
	FUnknownPtr<IAudioProcessor> processor (object);
	FUnknownPtr<IComponent> component (object);
	component->initialize (nullptr);
	ProcessSetup setup {kRealtime, kSample32, kBlock, kSampleRate};
	processor->setupProcessing (setup);
	component->setActive (true);

	float* in[2] = {b.inL.data (), b.inR.data ()};
	float* out[2] = {b.outL.data (), b.outR.data ()};
	AudioBusBuffers inBus, outBus;
	inBus.numChannels = outBus.numChannels = 2;
	inBus.channelBuffers32 = in;
	outBus.channelBuffers32 = out;
	ProcessData data;
	data.symbolicSampleSize = kSample32;
	data.numSamples = kBlock;
	data.numInputs = data.numOutputs = 1;
	data.inputs = &inBus;
	data.outputs = &outBus;
	for (auto _ : state)
	{
		processor->process (data);
		benchmark::DoNotOptimize (b.outL.data ());
	}
	setCounters (state);
	component->setActive (false);
	component->terminate ();
}

// The engine's own cost: the same settings, the same float buffers widened frame by frame.
void BM_Engine (benchmark::State& state)
{
	SharedBuffers& b = buffers ();
	auto engine = std::make_unique<ReverbEngine> ();
	engine->setSampleRate (kSampleRate);
	passAllToEngine (*engine, defaultReverbSettings ());
	engine->reset ();
	for (auto _ : state)
	{
		DenormalGuard guard;
		for (int32 i = 0; i < kBlock; ++i)
		{
			const double in[2] = {b.inL[i], b.inR[i]};
			double out[2];
			engine->processFrame (in, out);
			b.outL[i] = static_cast<float> (out[0]);
			b.outR[i] = static_cast<float> (out[1]);
		}
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
	LADSPA_Handle handle = descriptor->instantiate (descriptor, static_cast<unsigned long> (kSampleRate));
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

BENCHMARK (BM_Process)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_Engine)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_Freeverb3)->Unit (benchmark::kMicrosecond);

// Keeps the time per frame of each benchmark to print the ratios after the table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
	void ReportRuns (const std::vector<Run>& runs) override
	{
		ConsoleReporter::ReportRuns (runs);
		for (const Run& run : runs)
			if (!run.error_occurred && run.run_type == Run::RT_Iteration)
				nsPerFrame[run.benchmark_name ()] = run.counters.at ("ns/frame");
	}
	std::map<std::string, double> nsPerFrame;
};

} // namespace

int main (int argc, char** argv)
{
	benchmark::Initialize (&argc, argv);
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks (&reporter);
	benchmark::Shutdown ();
	const auto& ns = reporter.nsPerFrame;
	if (ns.count ("BM_Process"))
	{
		const double process = ns.at ("BM_Process");
		std::printf ("\nprocess: %.2f ns per stereo frame, %.1f x real time at %.0f Hz\n", process,
		             1e9 / kSampleRate / process, kSampleRate);
		if (ns.count ("BM_Engine"))
			std::printf ("process / engine: %.3f (at most 1.15 wanted)\n", process / ns.at ("BM_Engine"));
		if (ns.count ("BM_Freeverb3"))
			std::printf ("process / LADSPA freeverb3: %.3f\n", process / ns.at ("BM_Freeverb3"));
	}
	return 0;
}
