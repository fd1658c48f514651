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
, readSlots {0, 1}
, settings (0)
{
	setPair (readFractions, 0.0, 0.0);
	setPair (laneSwing, 0.0, 0.0);
	std::fill (std::begin (sineTable), std::end (sineTable), 0.0);
	std::fill (std::begin (sineSlopes), std::end (sineSlopes), 0.0);
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

void ModulatedDelay::setDelayTimeAndDepth (double ms, double newDepth)
{
	delayMs = clampValue (ms, kShortestMs, kLongestMs);
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
	++settings;
	tableLength = kTableSteps;
	std::fill (std::begin (buffer), std::end (buffer), 0.0);
}

void ModulatedDelay::recalculate ()
{
	const int32_t oldLength = length;
	const double oldSwing = swing;
	const double oldIncrement = phaseIncrement;
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
	// The read points depend on these alone (the offset on the length): a kept plan still holds
	// when none of them changed bit for bit.
	if (length != oldLength || !sameBits (swing, oldSwing) || !sameBits (phaseIncrement, oldIncrement))
		++settings;
	prepareRead ();
}

void ModulatedDelay::buildSineTable ()
{
	++settings;
	double angle = 0.0;
	for (int32_t i = 0; i < kTableSteps; ++i)
	{
		sineTable[i] = std::sin (angle);
		angle += 0.01227184630308513;
	}
	sineTable[kTableSteps] = 0.0;
	sineTable[kTableSteps + 1] = sineTable[1];
	for (int32_t i = 0; i <= kTableSteps; ++i)
		sineSlopes[i] = sineTable[i + 1] - sineTable[i];
	prepareRead ();
}

} // namespace Vst
} // namespace Steinberg
