// Case-insensitive lookup in the embedded resource table.
#pragma once

#include "vstgui/lib/platform/embeddedresources.h"

namespace VSTGUI {
namespace Platform {

inline bool sameNameIgnoringCase (const char* a, const char* b)
{
	auto upper = [] (char c) { return (c >= 'a' && c <= 'z') ? char (c - 'a' + 'A') : c; };
	for (; *a && *b; ++a, ++b)
		if (upper (*a) != upper (*b))
			return false;
	return *a == *b;
}

} // namespace Platform
} // namespace VSTGUI
