// A control that shows text: font, colours, frame and alignment; the base of the text controls.
#pragma once

#include "../cfont.h"
#include "ccontrol.h"

#include <string>

namespace VSTGUI {

class CParamDisplay : public CControl
{
public:
	CParamDisplay (const CRect& size, CBitmap* background = nullptr, int32_t style = 0);

	virtual void setFont (CFontRef font);
	void setFont (const CFontDesc& font);
	const CFontDesc& getFont () const { return font; }
	virtual void setFontColor (CColor color);
	CColor getFontColor () const { return fontColor; }
	virtual void setBackColor (CColor color);
	CColor getBackColor () const { return backColor; }
	virtual void setFrameColor (CColor color);
	CColor getFrameColor () const { return frameColor; }
	virtual void setHoriAlign (CHoriTxtAlign align);
	CHoriTxtAlign getHoriAlign () const { return horiAlign; }

	void draw (CDrawContext* context) override;

protected:
	// The text drawn; the base shows the value with two decimals.
	virtual std::string getDisplayText () const;
	void drawBack (CDrawContext* context);
	void drawText (CDrawContext* context, const std::string& text);

	CFontDesc font;
	CColor fontColor {kWhiteCColor};
	CColor backColor {kBlackCColor};
	CColor frameColor {kBlackCColor};
	CHoriTxtAlign horiAlign {kCenterText};
};

} // namespace VSTGUI
