// Two-state buttons drawn from an image of two stacked states, each as high as the control.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

// What both buttons share: the state image of their value, and a left click that opens an edit.
class CTwoStateButton : public CControl
{
public:
	using CControl::CControl;

	void draw (CDrawContext* context) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;

protected:
	virtual void pressedDown () {}
	bool isOn () const { return value > (vmin + vmax) / 2; }

	bool pressed {false};
};

// Switches between 0 and 1 at a release over it.
class COnOffButton : public CTwoStateButton
{
public:
	COnOffButton (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
	              int32_t style = 0);

	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
};

// Shows 1 while pressed; a release over it reports 1 and then 0, a release elsewhere only 0.
class CKickButton : public CTwoStateButton
{
public:
	CKickButton (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
	             const CPoint& offset = CPoint (0, 0));

	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;

protected:
	void pressedDown () override { setValue (vmax); }

	CPoint offset;
};

} // namespace VSTGUI
