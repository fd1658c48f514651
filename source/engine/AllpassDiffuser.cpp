// All-pass diffuser settings: time and rate to a length in frames.
#include "engine/AllpassDiffuser.h"

#include <algorithm>
#include <iterator>

namespace Steinberg {
namespace Vst {

AllpassDiffuser::AllpassDiffuser () : length (2), sampleRate (44100.0), timeMs (20.0)
{
	position.setPosition (0, 2);
	setPair (gains, 0.5, 0.5);
	clear ();
	setGains (0.5, 0.5);
	setTime (20.0);
}

void AllpassDiffuser::setGains (double left, double right)
{
	setPair (gains, left, right);
}

void AllpassDiffuser::setSampleRate (double hz)
{
	sampleRate = usableSampleRate (hz);
	updateLength ();
}

void AllpassDiffuser::clear ()
{
	std::fill (std::begin (buffer), std::end (buffer), Pair {});
}

} // namespace Vst
} // namespace Steinberg
