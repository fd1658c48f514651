// Early-reflection tap settings: times and rate to a length per channel.
#include "engine/EarlyReflectionTap.h"

#include <algorithm>
#include <iterator>

namespace Steinberg {
namespace Vst {

EarlyReflectionTap::EarlyReflectionTap ()
: lengthL (2), lengthR (2), sampleRate (44100.0)
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

void EarlyReflectionTap::setTimes (double leftMs, double rightMs)
{
	setPair (timesMs, clampValue (leftMs, kShortestMs, kLongestMs),
	         clampValue (rightMs, kShortestMs, kLongestMs));
	updateLengths ();
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

void EarlyReflectionTap::updateLengths ()
{
	lengthL = delayCount (timesMs[0], sampleRate, 2, kLongest);
	lengthR = delayCount (timesMs[1], sampleRate, 2, kLongest);
}

} // namespace Vst
} // namespace Steinberg
