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
		const double b = 2.0 - std::cos (6.283185307179586 * dampFrequencies[c] / sampleRate);
		const double coefficient = std::sqrt (b * b - 1.0) - b;
		dampCoefficient[c] = coefficient;
		dampGain[c] = 1.0 + coefficient;
	}
}

namespace {

// Where the block units keep what. A unit is the combs whose lines fill the lanes of one vector:
// kLanes = Lanes::kFrames lanes, a comb's two channels to each pair of them. G units run together,
// their combs counted from the first. The run's lines are in lane order, unit by unit, and a group
// of kLanes frames goes to one column per frame:
//
//   lane r of unit u       comb u * kLanes / 2 + r / 2, channel r % 2 (0 left, 1 right)
//   that lane's line       lines[u * kLanes + r], holding the run's frame j at j below it
//   column e of a group    frame kLanes - 1 - e of the group: the lines keep later frames lower
//
//            lane 0      lane 1      lane 2      lane 3
//   SSE2     comb L      comb R
//   AVX      comb 0 L    comb 0 R    comb 1 L    comb 1 R      (combs numbered within the unit)
template <class Lanes, int G>
struct CombUnits
{
	static constexpr int kLanes = Lanes::kFrames;
	static constexpr int kCombs = kLanes / 2; // per unit
	static constexpr int kLines = G * kLanes;

	static DampedComb* combsOf (DampedComb* combs, int u) { return combs + u * kCombs; }
	double* const* linesOf (int u) const { return &lines[u * kLanes]; }

	double* lines[kLines];
};

// kLanes frames of a unit's lines from the run's frame j, as one column per frame with lane r from
// line r; store () puts them back.
template <class Lanes>
class FrameColumns
{
public:
	static constexpr int kLanes = Lanes::kFrames;

	FrameColumns (double* const* lines, int32_t j)
	{
		for (int r = 0; r < kLanes; ++r)
			at[r] = lines[r] - j - (kLanes - 1);
		Lanes::loadColumns (at, columns);
	}
	// Frame j + f of the group.
	typename Lanes::Vector& frame (int f) { return columns[kLanes - 1 - f]; }
	void store () { Lanes::storeColumns (at, columns); }

private:
	double* at[kLanes]; // line r's frames j + kLanes - 1 down to j, the lowest first
	typename Lanes::Vector columns[kLanes];
};

} // namespace

// G units of combs (see CombUnits) in runs of their lines. Each group of frames is loaded from
// the lines as one column per frame and stored back the same way, so that the lines are read and
// written a vector at a time; the damping recurrences of the units overlap. A run's last few
// frames go one by one.
template <class Lanes, int G>
inline void DampedComb::runUnits (DampedComb* combs, const Pair* x, const Pair* base, Pair* acc, FrameClock clock,
                                  int32_t frames)
{
	using Units = CombUnits<Lanes, G>;
	using Vector = typename Lanes::Vector;
	constexpr int kLanes = Units::kLanes;
	// The lines in lane order: comb c's left line is line 2 c, its right line 2 c + 1.
	LineCursor* cursors[Units::kLines];
	int32_t lengths[Units::kLines];
	for (int c = 0; c < G * Units::kCombs; ++c)
	{
		cursors[2 * c] = &combs[c].positionL;
		cursors[2 * c + 1] = &combs[c].positionR;
		lengths[2 * c] = combs[c].lengthL;
		lengths[2 * c + 1] = combs[c].lengthR;
	}
	// Every loop over the units is unrolled, so that no unit's loop is indexed at run time: the
	// loops then live in registers and spill slots, not in an array that each group writes back.
	Loop<Lanes> loops[G];
#pragma GCC unroll 8
	for (int u = 0; u < G; ++u)
		loops[u].load (Units::combsOf (combs, u));
	LineWalk<Units::kLines> walk (cursors, lengths, clock, frames);
	while (walk.next ())
	{
		Units units;
		stereoSlots<G * Units::kCombs> (combs, &DampedComb::bufferL, &DampedComb::bufferR, walk.top, units.lines);
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
				FrameColumns<Lanes> group (units.linesOf (u), j);
				for (int f = 0; f < kLanes; f += 2)
				{
					Vector first, second;
					loops[u].run (inputs[f], group.frame (f), first);
					loops[u].run (inputs[f + 1], group.frame (f + 1), second);
					Lanes::addPairToSums (sums, f / 2, first, second);
				}
				group.store ();
			}
			Lanes::storeSums (sum + j, sums);
		}
		for (; j < walk.count; ++j)
		{
			__m128d frameSum = loadPair (start[j]);
#pragma GCC unroll 8
			for (int u = 0; u < G; ++u)
			{
				Vector y;
				loops[u].frame (units.linesOf (u), j, Lanes::frame (in[j]), y);
				frameSum = Lanes::addPairs (frameSum, y);
			}
			storePair (sum[j], frameSum);
		}
	}
#pragma GCC unroll 8
	for (int u = 0; u < G; ++u)
		loops[u].save (Units::combsOf (combs, u));
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
