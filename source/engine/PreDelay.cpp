// Pre-delay settings: time and rate to a length in frames.
#include "engine/PreDelay.h"

#include <algorithm>
#include <iterator>

namespace Steinberg {
namespace Vst {

PreDelay::PreDelay () : sampleRate (44100.0), length (2), timeMs (20.0)
{
	position.setPosition (0, 2);
	clear ();
	setTime (20.0);
}

void PreDelay::setTime (double ms)
{
	timeMs = clampValue (ms, kShortestMs, kLongestMs);
	updateLength ();
}

void PreDelay::setSampleRate (double hz)
{
	sampleRate = usableSampleRate (hz);
	updateLength ();
}

void PreDelay::clear ()
{
	std::fill (std::begin (buffer), std::end (buffer), Pair {});
}

void PreDelay::updateLength ()
{
	length = delayCount (timeMs, sampleRate, 2, kLongestFrames);
}

} // namespace Vst
} // namespace Steinberg
