// Text controls: background colour, optional frame and one line of text.
#include "vstgui/lib/controls/cparamdisplay.h"

#include "vstgui/lib/cbitmap.h"

#include <cstdio>

namespace VSTGUI {

CParamDisplay::CParamDisplay (const CRect& size, CBitmap* background, int32_t style)
: CControl (size, nullptr, 0, background), font (*kSystemFont)
{
	this->style = style;
}

void CParamDisplay::setFont (CFontRef f)
{
	if (f)
		setFont (*f);
}

void CParamDisplay::setFont (const CFontDesc& f)
{
	font = f;
	setDirty ();
}

void CParamDisplay::setFontColor (CColor color)
{
	fontColor = color;
	setDirty ();
}

void CParamDisplay::setBackColor (CColor color)
{
	backColor = color;
	setDirty ();
}

void CParamDisplay::setFrameColor (CColor color)
{
	frameColor = color;
	setDirty ();
}

void CParamDisplay::setHoriAlign (CHoriTxtAlign align)
{
	horiAlign = align;
	setDirty ();
}

std::string CParamDisplay::getDisplayText () const
{
	char text[64];
	std::snprintf (text, sizeof (text), "%.2f", double (value));
	return text;
}

void CParamDisplay::drawBack (CDrawContext* context)
{
	if (background)
		background->draw (context, size);
	else
		context->fillRect (size, backColor);
	if (!(style & kNoFrame))
	{
		context->setFrameColor (frameColor);
		context->drawRect (size, kDrawStroked);
	}
}

void CParamDisplay::drawText (CDrawContext* context, const std::string& text)
{
	if (style & kNoTextStyle)
		return;
	context->setFont (font);
	context->setFontColor (fontColor);
	context->drawString (text.c_str (), size, horiAlign);
}

void CParamDisplay::draw (CDrawContext* context)
{
	drawBack (context);
	drawText (context, getDisplayText ());
	setDirty (false);
}

} // namespace VSTGUI
