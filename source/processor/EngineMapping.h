// How stored parameter values reach the engine: the unit conversions, and the order of a full update.
#pragma once

#include "engine/ReverbEngine.h"
#include "processor/ReverbSettings.h"

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

// The entries of the two variation lists.
constexpr int32 kEarlyReflectionVariations = 12;
constexpr int32 kReverbVariations = 5;

// A stored switch byte as the controller shows it: on for any positive byte. A saved state may
// hold any byte; the record keeps it as read.
inline bool switchedOn (int8 stored)
{
	return stored > 0;
}

// Passes the stored value of one parameter; ids the engine does not take change nothing. The
// engine gets what the controller shows for the stored value, whatever a saved state held:
// normalized values within 0..1 (NaN as 0) and switches as shown; a list index selects the engine's
// variation of that number where there is one, and otherwise the entry shown.
void passToEngine (ReverbEngine& engine, const ReverbSettings& settings, ParamID id);
// Passes every value the engine takes (all but the whole-plug-in bypass).
void passAllToEngine (ReverbEngine& engine, const ReverbSettings& settings);

} // namespace Vst
} // namespace Steinberg
