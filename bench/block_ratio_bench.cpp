// The engine's block path against its frame routine, with SSE2 and with AVX, in one run: a plain
// program for targets without Google Benchmark (the 32-bit Windows build, run under wine by hand).
// Each contender runs the same blocks of noise at the processor's default settings, in rounds
// that take turns, and the fastest round of each counts. An argument (frames, sse2 or avx) runs
// that contender alone, for a profiler, ten times as long.
#include "EngineTestSupport.h"

#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

constexpr int32_t kBlockFrames = 512;
constexpr int kBlocksPerRound = 200;
constexpr int kRounds = 15;
constexpr double kRates[] = {48000.0, 192000.0};

enum class Path
{
	FrameLoop,
	BlockSse2,
	BlockAvx
};

struct Contender
{
	Contender (Path route, double rate) : path (route), engine (std::make_unique<ReverbEngine> ())
	{
		engine->setSampleRate (rate);
		applyProcessorDefaults (*engine);
		engine->reset ();
		available = engine->useAvx (path == Path::BlockAvx) == (path == Path::BlockAvx);
	}

	// Seconds per frame of the round.
	double round (const std::vector<double>& in, std::vector<double>& out)
	{
		const auto start = std::chrono::steady_clock::now ();
		DenormalGuard guard;
		for (int b = 0; b < kBlocksPerRound; ++b)
		{
			if (path == Path::FrameLoop)
				for (int32_t i = 0; i < kBlockFrames; ++i)
					engine->processFrame (&in[2 * i], &out[2 * i]);
			else
				engine->processBlock (in.data (), out.data (), kBlockFrames);
		}
		const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now () - start;
		return elapsed.count () / (static_cast<double> (kBlocksPerRound) * kBlockFrames);
	}

	Path path;
	std::unique_ptr<ReverbEngine> engine;
	bool available = false;
	double best = 1.0e9;
};

} // namespace

int main (int argc, char** argv)
{
	const char* const names[] = {"frames", "sse2", "avx"};
	const char* only = argc > 1 ? argv[1] : nullptr;
	Noise noise;
	std::vector<double> in (2 * kBlockFrames), out (2 * kBlockFrames);
	for (auto& sample : in)
		sample = 0.5 * noise.next ();

	std::printf ("%-10s %14s %14s %14s %16s %16s\n", "rate", "frames ns", "SSE2 ns", "AVX ns", "frames / SSE2", "frames / AVX");
	for (double rate : kRates)
	{
		Contender contenders[] = {{Path::FrameLoop, rate}, {Path::BlockSse2, rate}, {Path::BlockAvx, rate}};
		for (int r = 0; r < (only ? 10 * kRounds : kRounds); ++r)
			for (Contender& c : contenders)
				if (c.available && (!only || std::strcmp (only, names[static_cast<int> (c.path)]) == 0))
				{
					const double seconds = c.round (in, out);
					c.best = seconds < c.best ? seconds : c.best;
				}
		const double frames = contenders[0].best * 1e9;
		const double sse2 = contenders[1].best * 1e9;
		std::printf ("%-10.0f %14.2f %14.2f ", rate, frames, sse2);
		if (contenders[2].available)
		{
			const double avx = contenders[2].best * 1e9;
			std::printf ("%14.2f %16.3f %16.3f\n", avx, frames / sse2, frames / avx);
		}
		else
			std::printf ("%14s %16.3f %16s\n", "-", frames / sse2, "-");
	}
	std::printf ("target: the block path at least 1.5 times as fast as the frame loop\n");
	return 0;
}
