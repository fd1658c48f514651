// How stored parameter values reach the engine: the unit conversions, and the order of a full update.
#pragma once

#include "engine/ReverbEngine.h"
#include "processor/ReverbSettings.h"

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

// Passes the stored value of one parameter; ids the engine does not take change nothing.
void passToEngine (ReverbEngine& engine, const ReverbSettings& settings, ParamID id);
// Passes every value the engine takes (all but the whole-plug-in bypass).
void passAllToEngine (ReverbEngine& engine, const ReverbSettings& settings);

} // namespace Vst
} // namespace Steinberg
