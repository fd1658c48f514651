// Text conversions shared by the parameters whose plain value lies on a mapped range in Hz or s,
// and the one rule by which the controller holds any value within a parameter's domain.
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

// The value held within [low, high], NaN (which lies nowhere) as low. A value within stays as it
// is, bit for bit.
ParamValue holdWithin (ParamValue value, ParamValue low, ParamValue high);

// The text of a plain value, printed as the base Parameter prints numbers (its precision).
void plainValueToString (const Parameter& parameter, ParamValue plainValue, String128 string);

// Reads a typed plain value, clamps it to [minPlain, maxPlain] and converts it with the
// parameter's own toNormalized. False, with the value untouched, when the text holds no number.
bool plainValueFromString (const Parameter& parameter, ParamValue minPlain, ParamValue maxPlain,
                           const TChar* string, ParamValue& valueNormalized);

} // namespace Vst
} // namespace Steinberg
