// Cost of ReverbEngine::processFrame per stereo frame at the processor's default settings.
#include "EngineTestSupport.h"
#include "ReferenceEngine.h"

#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

constexpr int kBlockFrames = 4096;
constexpr double kRates[] = {44100.0, 192000.0};
// Before a tail is measured: one second of signal fills every line and filter; then silence at
// the shortest decay time brings the tail down to about 1e-300 quickly, and a few seconds at the
// default decay take the comb damping states into denormal numbers, where a tail spends most of
// its life and where the arithmetic is slow unless the guard flushes them.
constexpr double kSignalSeconds = 1.0;
constexpr double kFastDecaySeconds = 20.0;
constexpr double kDefaultDecaySeconds = 8.0;

enum class Input
{
	ImpulseThenNoise,
	Tail
};

std::vector<double> noiseBlock ()
{
	Noise noise;
	std::vector<double> block (2 * kBlockFrames);
	for (auto& sample : block)
		sample = 0.5 * noise.next ();
	return block;
}

template <class Engine>
void runFrames (Engine& engine, const std::vector<double>& input, std::vector<double>& output)
{
	for (int n = 0; n < kBlockFrames; ++n)
		engine.processFrame (&input[2 * n], &output[2 * n]);
}

template <class Engine>
void processBlocks (benchmark::State& state, Input kind, bool flushDenormals)
{
	const double rate = kRates[state.range (0)];
	auto engine = std::make_unique<Engine> ();
	engine->setSampleRate (rate);
	applyProcessorDefaults (*engine);
	engine->reset ();

	const std::vector<double> noise = noiseBlock ();
	const std::vector<double> silence (2 * kBlockFrames, 0.0);
	std::vector<double> output (2 * kBlockFrames);

	std::unique_ptr<DenormalGuard> guard;
	if (flushDenormals)
		guard = std::make_unique<DenormalGuard> ();

	const double impulse[2] = {1.0, 1.0};
	double out[2];
	engine->processFrame (impulse, out);
	if (kind == Input::Tail)
	{
		auto play = [&] (const std::vector<double>& input, double seconds) {
			for (int played = 0; played < seconds * rate; played += kBlockFrames)
				runFrames (*engine, input, output);
		};
		play (noise, kSignalSeconds);
		engine->setDecayTime (0.0);
		play (silence, kFastDecaySeconds);
		applyProcessorDefaults (*engine);
		play (silence, kDefaultDecaySeconds);
	}
	const std::vector<double>& input = kind == Input::Tail ? silence : noise;

	for (auto _ : state)
	{
		runFrames (*engine, input, output);
		benchmark::DoNotOptimize (output.data ());
		benchmark::ClobberMemory ();
	}
	const double frames = static_cast<double> (state.iterations ()) * kBlockFrames;
	state.counters["time/frame"] = benchmark::Counter (frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
	// Seconds of audio per second of processing: the multiple of real time.
	state.counters["realtime"] = benchmark::Counter (frames / rate, benchmark::Counter::kIsRate);
	state.SetLabel (rate == 44100.0 ? "44100 Hz" : "192000 Hz");
}

void engineSignal (benchmark::State& state) { processBlocks<ReverbEngine> (state, Input::ImpulseThenNoise, true); }
void engineTail (benchmark::State& state) { processBlocks<ReverbEngine> (state, Input::Tail, true); }
// Why the processor runs the engine under DenormalGuard: the same tail without it.
void engineTailWithoutGuard (benchmark::State& state) { processBlocks<ReverbEngine> (state, Input::Tail, false); }
// The plain scalar arithmetic, for comparison.
void scalarReferenceSignal (benchmark::State& state)
{
	processBlocks<ReferenceEngine> (state, Input::ImpulseThenNoise, true);
}

} // namespace

BENCHMARK (engineSignal)->Arg (0)->Arg (1);
BENCHMARK (engineTail)->Arg (0)->Arg (1);
BENCHMARK (engineTailWithoutGuard)->Arg (0)->Arg (1);
BENCHMARK (scalarReferenceSignal)->Arg (0)->Arg (1);

BENCHMARK_MAIN ();
