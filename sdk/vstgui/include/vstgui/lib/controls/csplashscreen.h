// A click area that opens an image over the whole window; any click then closes it.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

class CSplashScreen : public CControl
{
public:
	CSplashScreen (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
	               const CRect& toDisplay, const CPoint& offset = CPoint (0, 0));

	bool isOpen () const { return value > 0.5f; }
	const CRect& getDisplayRect () const { return toDisplay; }

	void draw (CDrawContext* context) override;
	bool hitTest (const CPoint& where, const CButtonState& buttons = -1) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	void setValue (float val) override;
	bool removed (CFrame* parent) override;

	virtual void unSplash ();

protected:
	void show (bool open);

	CRect toDisplay;
	CRect keepSize;
	CPoint offset;
};

} // namespace VSTGUI
