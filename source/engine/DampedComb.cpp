// Damped comb settings: loop lengths, feedback from decay time, damping coefficients.
#include "engine/DampedComb.h"

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

} // namespace Vst
} // namespace Steinberg
