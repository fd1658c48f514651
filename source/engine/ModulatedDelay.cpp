// Modulated delay settings: line length, swing and oscillator speed; the sine table.
#include "engine/ModulatedDelay.h"

#include <algorithm>
#include <iterator>
#include <cmath>

namespace Steinberg {
namespace Vst {

ModulatedDelay::ModulatedDelay ()
: length (kShortestLength)
, writeIndex (0)
, halfLength (kShortestLength / 2)
, swing (0.0)
, phase (0.0)
, phaseIncrement (0.0)
, rateHz (1.0)
, depth (1.0)
, sampleRate (44100.0)
, delayMs (1.2)
, readOffset (0.0)
, tableLength (kTableSteps)
, wrapping (false)
, readSlotL (0)
, readSlotR (1)
{
	setPair (readFraction, 0.0, 0.0);
	setPair (laneSwing, 0.0, 0.0);
	std::fill (std::begin (sineTable), std::end (sineTable), 0.0);
	reset ();
	setDelayTime (10.0);
	setSpeed (20.0);
	setDepth (1.0);
	setSampleRate (44100.0);
	buildSineTable ();
}

void ModulatedDelay::setDelayTime (double ms)
{
	delayMs = clampValue (ms, kShortestMs, kLongestMs);
	recalculate ();
}

void ModulatedDelay::setDepth (double newDepth)
{
	depth = clampValue (newDepth, 0.0, 1.0);
	recalculate ();
}

void ModulatedDelay::setSpeed (double hz)
{
	rateHz = hz;
	recalculate ();
}

void ModulatedDelay::setSampleRate (double hz)
{
	sampleRate = clampValue (usableSampleRate (hz), kLowestRate, kHighestPartRate);
	recalculate ();
}

void ModulatedDelay::reset ()
{
	tableLength = kTableSteps;
	std::fill (std::begin (buffer), std::end (buffer), 0.0);
}

void ModulatedDelay::recalculate ()
{
	const double n = delayMs * sampleRate * 0.001;
	length = std::min (std::max (static_cast<int32_t> (n) + 1, kShortestLength), kLongestLength);
	halfLength = length / 2;
	readOffset = static_cast<double> (length + halfLength);
	swing = halfLength * 0.48 * depth;
	setPair (laneSwing, -swing, swing);
	// Held within one table period, so that no rate (negative, NaN or beyond the sample rate) can
	// move the phase outside the table.
	phaseIncrement = clampValue (kTableSteps * rateHz / sampleRate, 0.0, kTableSteps);
	tableLength = kTableSteps;
	prepareRead ();
}

void ModulatedDelay::prepareRead ()
{
	double p = phase;
	if (p > tableLength)
		p = p - tableLength;
	const int32_t i = static_cast<int32_t> (p);
	const double f = p - i;
	const double s = sineTable[i] + f * (sineTable[i + 1] - sineTable[i]);

	// (oL, oR) = (readOffset - s * swing, readOffset + s * swing)
	const __m128d offsets = _mm_add_pd (_mm_set1_pd (readOffset),
	                                    _mm_mul_pd (_mm_set1_pd (s), loadPair (laneSwing)));
	const __m128i whole = _mm_cvttpd_epi32 (offsets);
	storePair (readFraction, _mm_sub_pd (offsets, _mm_cvtepi32_pd (whole)));

	// (w + offset) modulo length, w being the frame the next step writes: w < length, and the
	// offsets stay below twice the length since the swing never exceeds half of halfLength.
	const uint32_t size = static_cast<uint32_t> (length);
	const uint32_t w = writeIndex >= size ? 0 : writeIndex;
	uint32_t j[2] = {w + static_cast<uint32_t> (_mm_cvtsi128_si32 (whole)),
	                 w + static_cast<uint32_t> (_mm_cvtsi128_si32 (_mm_shuffle_epi32 (whole, 1)))};
	for (auto& frame : j)
	{
		if (frame >= size)
			frame -= size;
		if (frame >= size)
			frame -= size;
	}
	readSlotL = static_cast<int32_t> (2 * j[0]);
	readSlotR = static_cast<int32_t> (2 * j[1] + 1);
}

void ModulatedDelay::buildSineTable ()
{
	double angle = 0.0;
	for (int32_t i = 0; i < kTableSteps; ++i)
	{
		sineTable[i] = std::sin (angle);
		angle += 0.01227184630308513;
	}
	sineTable[kTableSteps] = 0.0;
	sineTable[kTableSteps + 1] = sineTable[1];
	prepareRead ();
}

} // namespace Vst
} // namespace Steinberg
