// The engine's block path against its frame routine, with SSE2 and with AVX, in one run: a plain
// program for targets without Google Benchmark (the 32-bit Windows build, run under wine by hand).
// Each contender runs the same blocks of noise at the processor's default settings, in rounds
// that take turns. The times shown are each contender's fastest round. A ratio is the median over
// the rounds of the two contenders' times in the same round, so that the machine's other load,
// which changes from round to round but is much the same for both within one, does not move it.
// An argument (frames, sse2 or avx) runs that contender alone, for a profiler, ten times as long.
#include "EngineTestSupport.h"

#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"

#include <algorithm>
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
constexpr int kRounds = 41;
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
	std::vector<double> rounds;
};

// The median over the rounds of a's time over b's in the same round.
double medianRatio (const Contender& a, const Contender& b)
{
	std::vector<double> ratios;
	for (size_t r = 0; r < a.rounds.size () && r < b.rounds.size (); ++r)
		ratios.push_back (a.rounds[r] / b.rounds[r]);
	std::sort (ratios.begin (), ratios.end ());
	const size_t n = ratios.size ();
	return n == 0 ? 0.0 : (n % 2 ? ratios[n / 2] : 0.5 * (ratios[n / 2 - 1] + ratios[n / 2]));
}

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
					c.rounds.push_back (seconds);
				}
		const double frames = contenders[0].best * 1e9;
		const double sse2 = contenders[1].best * 1e9;
		std::printf ("%-10.0f %14.2f %14.2f ", rate, frames, sse2);
		if (contenders[2].available)
			std::printf ("%14.2f %16.3f %16.3f\n", contenders[2].best * 1e9, medianRatio (contenders[0], contenders[1]),
			             medianRatio (contenders[0], contenders[2]));
		else
			std::printf ("%14s %16.3f %16s\n", "-", medianRatio (contenders[0], contenders[1]), "-");
	}
	std::printf ("target: the block path at least 1.5 times as fast as the frame loop\n");
	return 0;
}
