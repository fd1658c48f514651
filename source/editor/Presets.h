// The 36 factory presets: plain values of parameters 0 to 25, each in its parameter's own unit.
#pragma once

#include "pluginterfaces/base/ftypes.h"
#include "processor/ParameterIds.h"

namespace Steinberg {
namespace Vst {

constexpr int32 kNumPresets = 36;

// Menu names, in table order.
extern const char* const presetNames[kNumPresets];

// Row i is preset i; column j is the plain value of parameter j (dB, ms, %, s, Hz, list entry
// index, or flag). The bypass columns are 0 in every row.
extern const double presetTable[kNumPresets][kNumStoredParameters];

} // namespace Vst
} // namespace Steinberg
