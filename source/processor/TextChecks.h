// What makes a host's UTF-16 text readable, for the processor's messages and the controller's
// typed values alike.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

// Whether every surrogate of the text stands in a pair. Text that breaks this is no text at all;
// the SDK's conversion to UTF-8 on Linux throws for it.
inline bool isWholeUtf16 (const TChar* text)
{
	const auto isHigh = [] (TChar c) { return c >= 0xD800 && c <= 0xDBFF; };
	const auto isLow = [] (TChar c) { return c >= 0xDC00 && c <= 0xDFFF; };
	for (; *text; ++text)
	{
		if (isLow (*text) || (isHigh (*text) && !isLow (*++text)))
			return false;
	}
	return true;
}

} // namespace Vst
} // namespace Steinberg
