// Damped comb settings: loop lengths, feedback from decay time, damping coefficients.
#include "engine/DampedComb.h"
#include "engine/VariationTables.h"

#include <algorithm>
#include <immintrin.h>
#include <iterator>
#include <cmath>

namespace Steinberg {
namespace Vst {

DampedComb::DampedComb () : sampleRate (44100.0), lengthL (2), lengthR (2)
{
	positionR.setPosition (0, 2);
	positionL.setPosition (0, 2);
	setPair (inputGains, 1.0, 1.0);
	setPair (timesMs, 50.0, 50.0);
	setPair (decayTimes, 3.0, 3.0);
	setPair (feedback, 0.0, 0.0);
	setPair (dampFrequencies, 1600.0, 1600.0);
	setPair (dampState, 0.0, 0.0);
	setPair (dampGain, 0.0, 0.0);
	setPair (dampCoefficient, 0.0, 0.0);
	setPair (filteredWeight, 1.0, 1.0);
	setPair (directWeight, 0.0, 0.0);
	clear ();
	setGains (1.0, 1.0);
	setDampIntensity (1.0);
	setDampFrequencies (1600.0, 1600.0);
	setDecayTime (5.0);
	setTimes (40.0, 50.0);
}

void DampedComb::setGains (double left, double right)
{
	setPair (inputGains, left, right);
}

void DampedComb::setTimes (double leftMs, double rightMs)
{
	setPair (timesMs, clampValue (leftMs, kShortestMs, kLongestMs),
	         clampValue (rightMs, kShortestMs, kLongestMs));
	updateLengths ();
	updateFeedback ();
}

void DampedComb::setDecayTime (double seconds)
{
	setPair (decayTimes, seconds, seconds);
	updateFeedback ();
}

void DampedComb::setDampFrequencies (double leftHz, double rightHz)
{
	setPair (dampFrequencies, clampValue (leftHz, kLowestDampHz, kHighestDampHz),
	         clampValue (rightHz, kLowestDampHz, kHighestDampHz));
	updateDampingCoefficients ();
}

void DampedComb::setDampIntensity (double intensity)
{
	const double limited = clampValue (intensity, 0.0, 1.0);
	const double w = limited * limited;
	setPair (filteredWeight, w, w);
	setPair (directWeight, 1.0 - w, 1.0 - w);
}

void DampedComb::setSampleRate (double hz)
{
	sampleRate = usableSampleRate (hz);
	updateDampingCoefficients ();
	updateLengths ();
}

void DampedComb::clear ()
{
	std::fill (std::begin (bufferL), std::end (bufferL), 0.0);
	std::fill (std::begin (bufferR), std::end (bufferR), 0.0);
	setPair (dampState, 0.0, 0.0);
}

void DampedComb::updateFeedback ()
{
	for (int c = 0; c < 2; ++c)
		feedback[c] = std::pow (10.0, (-0.003 * timesMs[c]) / decayTimes[c]);
}

void DampedComb::updateLengths ()
{
	lengthL = delayCount (timesMs[0], sampleRate, 2, kLongest);
	lengthR = delayCount (timesMs[1], sampleRate, 2, kLongest);
}

void DampedComb::updateDampingCoefficients ()
{
	for (int c = 0; c < 2; ++c)
	{
		const double b = 2.0 - std::cos (6.283185307179586 * dampFrequencies[c] / sampleRate);
		const double coefficient = std::sqrt (b * b - 1.0) - b;
		dampCoefficient[c] = coefficient;
		dampGain[c] = 1.0 + coefficient;
	}
}

bool DampedComb::avxAvailable ()
{
	__builtin_cpu_init ();
	return __builtin_cpu_supports ("avx");
}

// The 32-bit Windows stack is only 4-byte aligned on entry: realign it for the 256-bit spills.
#if defined(_WIN32) && !defined(_WIN64)
#define TESSALINE_AVX __attribute__ ((target ("avx"), force_align_arg_pointer))
#else
#define TESSALINE_AVX __attribute__ ((target ("avx")))
#endif

namespace {

// Two pairs as one 256-bit value: a in the low half, b in the high half.
TESSALINE_AVX inline __m256d joined (const Pair& a, const Pair& b)
{
	return _mm256_insertf128_pd (_mm256_castpd128_pd256 (loadPair (a)), loadPair (b), 1);
}

} // namespace

// The arithmetic of Loop::pass, lane for lane; only the packing differs.
template <int P>
TESSALINE_AVX void DampedComb::runPairsAvx (DampedComb* group, const Pair* x, Pair* acc, FrameClock clock,
                                             int32_t frames)
{
	LineCursor* cursors[4 * P];
	int32_t lengths[4 * P];
	__m256d inputGains[P], dampGain[P], dampCoefficient[P], filteredWeight[P], directWeight[P], feedback[P];
	__m256d states[P];
	for (int k = 0; k < 2 * P; ++k)
	{
		cursors[2 * k] = &group[k].positionL;
		cursors[2 * k + 1] = &group[k].positionR;
		lengths[2 * k] = group[k].lengthL;
		lengths[2 * k + 1] = group[k].lengthR;
	}
	for (int n = 0; n < P; ++n)
	{
		const DampedComb& a = group[2 * n];
		const DampedComb& b = group[2 * n + 1];
		inputGains[n] = joined (a.inputGains, b.inputGains);
		dampGain[n] = joined (a.dampGain, b.dampGain);
		dampCoefficient[n] = joined (a.dampCoefficient, b.dampCoefficient);
		filteredWeight[n] = joined (a.filteredWeight, b.filteredWeight);
		directWeight[n] = joined (a.directWeight, b.directWeight);
		feedback[n] = joined (a.feedback, b.feedback);
		states[n] = joined (a.dampState, b.dampState);
	}
	LineWalk<4 * P> walk (cursors, lengths, clock, frames);
	while (walk.next ())
	{
		double* slots[4 * P];
		for (int k = 0; k < 2 * P; ++k)
		{
			slots[2 * k] = &group[k].bufferL[walk.top[2 * k]];
			slots[2 * k + 1] = &group[k].bufferR[walk.top[2 * k + 1]];
		}
		for (int32_t j = 0; j < walk.count; ++j)
		{
			const __m256d input = _mm256_broadcast_pd (reinterpret_cast<const __m128d*> (x[walk.first + j].lane));
			__m128d sum = loadPair (acc[walk.first + j]);
			for (int n = 0; n < P; ++n)
			{
				double* const* s = &slots[4 * n];
				const __m256d i = _mm256_mul_pd (inputGains[n], input);
				const __m128d low = _mm_loadh_pd (_mm_load_sd (s[0] - j), s[1] - j);
				const __m128d high = _mm_loadh_pd (_mm_load_sd (s[2] - j), s[3] - j);
				const __m256d d = _mm256_insertf128_pd (_mm256_castpd128_pd256 (low), high, 1);
				states[n] = _mm256_sub_pd (_mm256_mul_pd (dampGain[n], d), _mm256_mul_pd (dampCoefficient[n], states[n]));
				const __m256d m = _mm256_add_pd (_mm256_mul_pd (filteredWeight[n], states[n]),
				                                 _mm256_mul_pd (directWeight[n], d));
				const __m256d y = _mm256_mul_pd (feedback[n], m);
				const __m256d v = _mm256_add_pd (i, y);
				const __m128d vLow = _mm256_castpd256_pd128 (v);
				const __m128d vHigh = _mm256_extractf128_pd (v, 1);
				_mm_storel_pd (s[0] - j, vLow);
				_mm_storeh_pd (s[1] - j, vLow);
				_mm_storel_pd (s[2] - j, vHigh);
				_mm_storeh_pd (s[3] - j, vHigh);
				sum = _mm_add_pd (_mm_add_pd (sum, _mm256_castpd256_pd128 (y)), _mm256_extractf128_pd (y, 1));
			}
			storePair (acc[walk.first + j], sum);
		}
	}
	for (int n = 0; n < P; ++n)
	{
		storePair (group[2 * n].dampState, _mm256_castpd256_pd128 (states[n]));
		storePair (group[2 * n + 1].dampState, _mm256_extractf128_pd (states[n], 1));
	}
}

template void DampedComb::runPairsAvx<2> (DampedComb*, const Pair*, Pair*, FrameClock, int32_t);
template void DampedComb::runPairsAvx<3> (DampedComb*, const Pair*, Pair*, FrameClock, int32_t);

} // namespace Vst
} // namespace Steinberg
