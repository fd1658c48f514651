// The table of resources built into the module where the platform has no resource section of its own.
#pragma once

#include <cstddef>

namespace VSTGUI {
namespace Platform {

struct EmbeddedResource
{
	const char* name; // upper case
	const unsigned char* data;
	size_t size;
};

// Defined by the generated source of the module's resource target.
extern const EmbeddedResource kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;

} // namespace Platform
} // namespace VSTGUI
