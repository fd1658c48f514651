// Typed texts are plain values (Hz, seconds); clamping happens before the mapping so a typed
// value never leaves the parameter's range. "nan" scans as a number but counts as none.
#include "controller/RangeText.h"

#include "base/source/fstring.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

ParamValue holdWithin (ParamValue value, ParamValue low, ParamValue high)
{
	if (std::isnan (value) || value < low)
		return low;
	if (value > high)
		return high;
	return value;
}

void plainValueToString (const Parameter& parameter, ParamValue plainValue, String128 string)
{
	parameter.Parameter::toString (plainValue, string);
}

bool plainValueFromString (const Parameter& parameter, ParamValue minPlain, ParamValue maxPlain,
                           const TChar* string, ParamValue& valueNormalized)
{
	double plain = 0.0;
	if (!String (string).scanFloat (plain, 0, true) || std::isnan (plain))
		return false;
	valueNormalized = parameter.toNormalized (holdWithin (plain, minPlain, maxPlain));
	return true;
}

} // namespace Vst
} // namespace Steinberg
