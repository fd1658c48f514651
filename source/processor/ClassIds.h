// The two class identifiers that tie processor, controller, factory and the VST 2.4 entry together.
#pragma once

#include "pluginterfaces/base/funknown.h"

namespace Steinberg {
namespace Vst {

// {D6FAE8EB-F870-44EF-9AAB-360BB521FC19}
static const FUID kProcessorUID (0xD6FAE8EB, 0xF87044EF, 0x9AAB360B, 0xB521FC19);
// {5F1AA8CF-7C22-4596-9D2F-B6B7E0A4EEAE}
static const FUID kControllerUID (0x5F1AA8CF, 0x7C224596, 0x9D2FB6B7, 0xE0A4EEAE);

} // namespace Vst
} // namespace Steinberg
