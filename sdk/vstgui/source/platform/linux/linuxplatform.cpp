// Linux: no native window is supported, frames are headless, images come from the embedded table.
#include "../embeddedlookup.h"
#include "vstgui/lib/platform/headlessframe.h"

namespace VSTGUI {
namespace Platform {

std::unique_ptr<IFrame> createFrame (CFrame&, void* parent)
{
	if (parent)
		return nullptr;
	return std::make_unique<HeadlessFrame> ();
}

std::unique_ptr<ITimer> createTimer (void (*) (void*), void*) { return createHeadlessTimer (); }

bool isPlatformTypeSupported (const char*) { return false; }

bool findResource (const char* name, const void*& data, size_t& size)
{
	if (!name)
		return false;
	for (size_t i = 0; i < kEmbeddedResourceCount; ++i)
	{
		if (sameNameIgnoringCase (kEmbeddedResources[i].name, name))
		{
			data = kEmbeddedResources[i].data;
			size = kEmbeddedResources[i].size;
			return true;
		}
	}
	return false;
}

} // namespace Platform
} // namespace VSTGUI
