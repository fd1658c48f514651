// Damped comb settings: loop lengths, feedback from decay time, damping coefficients; the combs
// over whole passes.
#include "engine/DampedComb.h"
#include "engine/FrameLanes.h"
#include "engine/VariationTables.h"

#include <algorithm>
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
		// The engine damps both channels at one frequency: the right one's cosine and root would be
		// the left one's again.
		if (c == 1 && dampFrequencies[1] == dampFrequencies[0])
		{
			dampCoefficient[1] = dampCoefficient[0];
			dampGain[1] = dampGain[0];
			break;
		}
		const double b = 2.0 - std::cos (6.283185307179586 * dampFrequencies[c] / sampleRate);
		const double coefficient = std::sqrt (b * b - 1.0) - b;
		dampCoefficient[c] = coefficient;
		dampGain[c] = 1.0 + coefficient;
	}
}

// G units of combs in runs of their lines, a unit being the combs whose lines fill the lanes of
// one vector. Each group of frames is loaded from the lines as one column per frame and stored
// back the same way, so that the lines are read and written a vector at a time; the damping
// recurrences of the units overlap. A run's last few frames go one by one.
template <class Lanes, int G>
inline void DampedComb::runUnits (DampedComb* combs, const Pair* x, const Pair* base, Pair* acc, FrameClock clock,
                                  int32_t frames)
{
	using Vector = typename Lanes::Vector;
	constexpr int kLanes = Lanes::kFrames;
	constexpr int kCombs = kLanes / 2; // per unit
	LineCursor* cursors[G * kLanes];
	int32_t lengths[G * kLanes];
	for (int c = 0; c < G * kCombs; ++c)
	{
		cursors[2 * c] = &combs[c].positionL;
		cursors[2 * c + 1] = &combs[c].positionR;
		lengths[2 * c] = combs[c].lengthL;
		lengths[2 * c + 1] = combs[c].lengthR;
	}
	Vector inputGains[G], dampGain[G], dampCoefficient[G], filteredWeight[G], directWeight[G], feedback[G], state[G];
	for (int u = 0; u < G; ++u)
	{
		const DampedComb* unit = combs + u * kCombs;
		inputGains[u] = Lanes::gatherPairs (unit, &DampedComb::inputGains);
		dampGain[u] = Lanes::gatherPairs (unit, &DampedComb::dampGain);
		dampCoefficient[u] = Lanes::gatherPairs (unit, &DampedComb::dampCoefficient);
		filteredWeight[u] = Lanes::gatherPairs (unit, &DampedComb::filteredWeight);
		directWeight[u] = Lanes::gatherPairs (unit, &DampedComb::directWeight);
		feedback[u] = Lanes::gatherPairs (unit, &DampedComb::feedback);
		state[u] = Lanes::gatherPairs (unit, &DampedComb::dampState);
	}
	// The arithmetic of step (), lane for lane: d read from the line, the returned v stored.
	auto pass = [&] (int u, Vector input, Vector d, Vector& y) {
		const Vector i = Lanes::mul (inputGains[u], input);
		state[u] = Lanes::sub (Lanes::mul (dampGain[u], d), Lanes::mul (dampCoefficient[u], state[u]));
		const Vector m = Lanes::add (Lanes::mul (filteredWeight[u], state[u]), Lanes::mul (directWeight[u], d));
		y = Lanes::mul (feedback[u], m);
		return Lanes::add (i, y);
	};
	LineWalk<G * kLanes> walk (cursors, lengths, clock, frames);
	while (walk.next ())
	{
		double* slots[G * kLanes];
		stereoSlots<G * kCombs> (combs, &DampedComb::bufferL, &DampedComb::bufferR, walk.top, slots);
		const Pair* const in = x + walk.first;
		const Pair* const start = base + walk.first;
		Pair* const sum = acc + walk.first;
		int32_t j = 0;
		for (; j + kLanes <= walk.count; j += kLanes)
		{
			// The block's inputs and sums stay in registers through the units.
			Vector inputs[kLanes];
			for (int f = 0; f < kLanes; ++f)
				inputs[f] = Lanes::frame (in[j + f]);
			typename Lanes::Sums sums;
			Lanes::loadSums (start + j, sums);
#pragma GCC unroll 8
			for (int u = 0; u < G; ++u)
			{
				// Line r of the unit from at[r]; column e: frame kLanes - 1 - e.
				double* at[kLanes];
				for (int r = 0; r < kLanes; ++r)
					at[r] = slots[u * kLanes + r] - j - (kLanes - 1);
				Vector columns[kLanes];
				Lanes::loadColumns (at, columns);
				for (int f = 0; f < kLanes; f += 2)
				{
					Vector first, second;
					columns[kLanes - 1 - f] = pass (u, inputs[f], columns[kLanes - 1 - f], first);
					columns[kLanes - 2 - f] = pass (u, inputs[f + 1], columns[kLanes - 2 - f], second);
					Lanes::addPairToSums (sums, f / 2, first, second);
				}
				Lanes::storeColumns (at, columns);
			}
			Lanes::storeSums (sum + j, sums);
		}
		for (; j < walk.count; ++j)
		{
			__m128d frameSum = loadPair (start[j]);
			for (int u = 0; u < G; ++u)
			{
				double* const* lines = &slots[u * kLanes];
				Vector y;
				Lanes::scatter (lines, j, pass (u, Lanes::frame (in[j]), Lanes::gather (lines, j), y));
				frameSum = Lanes::addPairs (frameSum, y);
			}
			storePair (sum[j], frameSum);
		}
	}
	for (int u = 0; u < G; ++u)
		Lanes::scatterPairs (combs + u * kCombs, &DampedComb::dampState, state[u]);
}

// Five units of two combs: three, then two.
template <int N>
TESSALINE_AVX_ENTRY void DampedComb::runAvx (DampedComb* combs, const Pair* x, const Pair* base, Pair* acc,
                                             FrameClock clock, int32_t frames)
{
	static_assert (N == 10, "the units are laid out for ten combs");
	runUnits<AvxLanes, 3> (combs, x, base, acc, clock, frames);
	runUnits<AvxLanes, 2> (combs + 6, x, acc, acc, clock, frames);
}

template <int N>
void DampedComb::runCombs (DampedComb* combs, const Pair* x, const Pair* base, Pair* acc, FrameClock clock,
                           int32_t frames, bool avx)
{
	if (avx)
	{
		runAvx<N> (combs, x, base, acc, clock, frames);
		return;
	}
	// Units of one comb, five to a loop (as fast as two on 32-bit x86 with its 8 registers).
	constexpr int kUnits = 5;
	static_assert (N % kUnits == 0, "the combs fill whole loops");
	for (int c = 0; c < N; c += kUnits)
		runUnits<Sse2Lanes, kUnits> (combs + c, x, c == 0 ? base : acc, acc, clock, frames);
}

template void DampedComb::runCombs<kNumCombs> (DampedComb*, const Pair*, const Pair*, Pair*, FrameClock, int32_t,
                                               bool);

} // namespace Vst
} // namespace Steinberg
