// Images from the module's embedded PNGs, or blank ones.
#include "vstgui/lib/cbitmap.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/platform/iplatformframe.h"

#include <string>

namespace VSTGUI {

CBitmap::CBitmap (const CResourceDescription& desc) : resourceDesc (desc)
{
	std::string name = desc.name;
	if (desc.type == CResourceDescription::kIntegerType)
		name = std::to_string (desc.id);
	const void* data = nullptr;
	size_t size = 0;
	if (desc.type != CResourceDescription::kUnknownType && Platform::findResource (name.c_str (), data, size))
		pixels = CPixelBuffer::decode (data, size);
}

CBitmap::CBitmap (CCoord width, CCoord height) : pixels (pixelCoord (width), pixelCoord (height)) {}

CBitmap::CBitmap (CPixelBuffer p) : pixels (std::move (p)) {}

void CBitmap::draw (CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
	if (context)
		context->drawPixels (pixels, rect, offset, alpha);
}

} // namespace VSTGUI
