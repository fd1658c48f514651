// Texts between VST 3 (UTF-16) and VST 2.4 hosts (8-bit), always within the host's buffer.
#pragma once

#include "pluginterfaces/base/ftypes.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <cstddef>

namespace Steinberg {
namespace Vst {

// Writes source as UTF-8 into a host buffer of maxLen characters plus the terminating zero, cut at
// a character boundary; a null source writes the empty text. A null destination writes nothing.
void copyToHostText (const TChar* source, char* destination, size_t maxLen);

// Reads a host's text into a String128: UTF-8 where the bytes form it, otherwise each byte as the
// Latin-1 character it is (Windows hosts write their code page). Cut to fit, always terminated.
void copyFromHostText (const char* source, String128 destination);

} // namespace Vst
} // namespace Steinberg
