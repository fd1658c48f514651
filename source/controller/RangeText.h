// Text conversions shared by the parameters whose plain value lies on a mapped range in Hz or s.
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

// The text of a plain value, printed as the base Parameter prints numbers (its precision).
void plainValueToString (const Parameter& parameter, ParamValue plainValue, String128 string);

// Reads a typed plain value, clamps it to [minPlain, maxPlain] and converts it with the
// parameter's own toNormalized. False, with the value untouched, when the text holds no number.
bool plainValueFromString (const Parameter& parameter, ParamValue minPlain, ParamValue maxPlain,
                           const TChar* string, ParamValue& valueNormalized);

} // namespace Vst
} // namespace Steinberg
