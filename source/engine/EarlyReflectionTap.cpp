// Early-reflection tap settings: times and rate to a length per channel; the taps over whole passes.
#include "engine/EarlyReflectionTap.h"
#include "engine/FrameLanes.h"
#include "engine/VariationTables.h"

#include <algorithm>
#include <iterator>

namespace Steinberg {
namespace Vst {

EarlyReflectionTap::EarlyReflectionTap ()
: lengths {2, 2}, sampleRate (44100.0)
{
	positionL.setPosition (0, 2);
	positionR.setPosition (0, 2);
	setPair (gains, 1.0, 1.0);
	setPair (timesMs, 50.0, 50.0);
	clear ();
	setGains (1.0, 1.0);
	setTimes (40.0, 50.0);
}

void EarlyReflectionTap::setGains (double left, double right)
{
	setPair (gains, left, right);
}

void EarlyReflectionTap::setSampleRate (double hz)
{
	sampleRate = usableSampleRate (hz);
	updateLengths ();
}

void EarlyReflectionTap::clear ()
{
	std::fill (std::begin (bufferL), std::end (bufferL), 0.0);
	std::fill (std::begin (bufferR), std::end (bufferR), 0.0);
}

// The taps' lines in runs, each group of frames of a line as one vector: the channel of the
// pre-delayed frames scaled by the line's gain goes in, the delayed samples come out and are added
// to the channel's sum. A run's last few frames go one by one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi" // runs inlined into an AVX entry (see SimdTarget.h)
template <class Lanes, int N, bool kAdd>
inline void EarlyReflectionTap::runLanes (EarlyReflectionTap* taps, const Pair* p, Pair* sum, FrameClock clock,
                                          int32_t frames)
{
	using Vector = typename Lanes::Vector;
	constexpr int kFrames = Lanes::kFrames;
	LineCursor* cursors[2 * N];
	int32_t lengths[2 * N];
	Vector gains[2 * N];
	for (int k = 0; k < N; ++k)
	{
		cursors[2 * k] = &taps[k].positionL;
		cursors[2 * k + 1] = &taps[k].positionR;
		lengths[2 * k] = taps[k].lengths[0];
		lengths[2 * k + 1] = taps[k].lengths[1];
		gains[2 * k] = Lanes::splat (taps[k].gains[0]);
		gains[2 * k + 1] = Lanes::splat (taps[k].gains[1]);
	}
	LineWalk<2 * N> walk (cursors, lengths, clock, frames);
	while (walk.next ())
	{
		double* slots[2 * N];
		stereoSlots<N> (taps, &EarlyReflectionTap::bufferL, &EarlyReflectionTap::bufferR, walk.top, slots);
		const Pair* const in = p + walk.first;
		Pair* const out = sum + walk.first;
		int32_t j = 0;
		for (; j + kFrames <= walk.count; j += kFrames)
		{
			Vector left, right;
			Lanes::split (in + j, left, right);
			Vector sumL = Lanes::zero ();
			Vector sumR = Lanes::zero ();
			if (kAdd)
				Lanes::split (out + j, sumL, sumR);
#pragma GCC unroll 10
			for (int k = 0; k < N; ++k)
			{
				double* const slotL = slots[2 * k] - j - (kFrames - 1);
				double* const slotR = slots[2 * k + 1] - j - (kFrames - 1);
				sumL = Lanes::add (sumL, Lanes::load (slotL));
				sumR = Lanes::add (sumR, Lanes::load (slotR));
				Lanes::store (slotL, Lanes::mul (gains[2 * k], left));
				Lanes::store (slotR, Lanes::mul (gains[2 * k + 1], right));
			}
			Lanes::join (sumL, sumR, out + j);
		}
		for (; j < walk.count; ++j)
		{
			const __m128d input = loadPair (in[j]);
			__m128d frameSum = kAdd ? loadPair (out[j]) : _mm_setzero_pd ();
			for (int k = 0; k < N; ++k)
				frameSum = _mm_add_pd (frameSum, pass (_mm_mul_pd (loadPair (taps[k].gains), input), slots[2 * k] - j,
				                                       slots[2 * k + 1] - j));
			storePair (out[j], frameSum);
		}
	}
}
#pragma GCC diagnostic pop

template <int N>
TESSALINE_AVX_ENTRY void EarlyReflectionTap::runAvx (EarlyReflectionTap* taps, const Pair* p, Pair* sum,
                                                     FrameClock clock, int32_t frames)
{
	runLanes<AvxLanes, N / 2, false> (taps, p, sum, clock, frames);
	runLanes<AvxLanes, N / 2, true> (taps + N / 2, p, sum, clock, frames);
}

template <int N>
void EarlyReflectionTap::runTaps (EarlyReflectionTap* taps, const Pair* p, Pair* sum, FrameClock clock, int32_t frames,
                                  bool avx)
{
	if (avx)
		runAvx<N> (taps, p, sum, clock, frames);
	else
	{
		runLanes<Sse2Lanes, N / 2, false> (taps, p, sum, clock, frames);
		runLanes<Sse2Lanes, N / 2, true> (taps + N / 2, p, sum, clock, frames);
	}
}

template void EarlyReflectionTap::runTaps<kNumTaps> (EarlyReflectionTap*, const Pair*, Pair*, FrameClock, int32_t,
                                                     bool);

} // namespace Vst
} // namespace Steinberg
