// Drawing into a pixel buffer: filled and framed rectangles, images and text, within a clip rectangle.
#pragma once

#include "ccolor.h"
#include "cfont.h"
#include "cpixelbuffer.h"
#include "crect.h"

namespace VSTGUI {

enum CDrawStyle
{
	kDrawStroked = 0,
	kDrawFilled,
	kDrawFilledAndStroked
};

enum CHoriTxtAlign
{
	kLeftText = 0,
	kCenterText,
	kRightText
};

class CDrawContext
{
public:
	explicit CDrawContext (CPixelBuffer& target);

	CPixelBuffer& getPixelBuffer () { return target; }

	// Always within the target buffer.
	void setClipRect (const CRect& clip);
	const CRect& getClipRect () const { return clip; }
	void resetClipRect ();

	void setFillColor (const CColor& c) { fillColor = c; }
	void setFrameColor (const CColor& c) { frameColor = c; }
	void setFontColor (const CColor& c) { fontColor = c; }
	void setFont (CFontRef font);
	void setFont (const CFontDesc& font) { this->font = font; }
	const CFontDesc& getFont () const { return font; }

	void drawRect (const CRect& rect, CDrawStyle style = kDrawStroked);
	void fillRect (const CRect& rect, const CColor& color);
	void drawPixels (const CPixelBuffer& source, const CRect& dest, const CPoint& sourceOffset,
	                 float alpha = 1.f);

	// One line, vertically centred in rect; 8-bit text read as UTF-8, other bytes as Latin-1.
	void drawString (const char* string, const CRect& rect, CHoriTxtAlign align = kCenterText);
	CCoord getStringWidth (const char* string);

private:
	CPixelBuffer& target;
	CRect clip;
	CColor fillColor {kWhiteCColor};
	CColor frameColor {kBlackCColor};
	CColor fontColor {kBlackCColor};
	CFontDesc font;
};

// Rounds a coordinate to a whole pixel; NaN gives 0 and far values are held to +-2^24.
int32_t pixelCoord (CCoord c);

} // namespace VSTGUI
