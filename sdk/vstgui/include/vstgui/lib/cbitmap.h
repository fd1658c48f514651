// An image: loaded from an embedded PNG by name, or made blank; a missing image is 0 x 0 and draws nothing.
#pragma once

#include "cpixelbuffer.h"
#include "crect.h"
#include "cresourcedescription.h"

namespace VSTGUI {

class CBitmap : public CBaseObject
{
public:
	// Looks the name up among the module's images, ignoring case.
	explicit CBitmap (const CResourceDescription& desc);
	CBitmap (CCoord width, CCoord height);
	explicit CBitmap (CPixelBuffer pixels);

	CCoord getWidth () const { return pixels.getWidth (); }
	CCoord getHeight () const { return pixels.getHeight (); }
	bool isLoaded () const { return !pixels.isEmpty (); }
	const CResourceDescription& getResourceDescription () const { return resourceDesc; }

	// Draws the part of the image that starts at offset, as large as rect, at rect's top left.
	virtual void draw (CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint (0, 0),
	                   float alpha = 1.f);

	CPixelBuffer& getPixelBuffer () { return pixels; }
	const CPixelBuffer& getPixelBuffer () const { return pixels; }

private:
	CResourceDescription resourceDesc;
	CPixelBuffer pixels;
};

} // namespace VSTGUI
