// The on/off switch and the kick button.
#include "vstgui/lib/controls/cbuttons.h"

#include "vstgui/lib/cbitmap.h"

namespace VSTGUI {

void CTwoStateButton::draw (CDrawContext* context)
{
	if (background)
		background->draw (context, size, CPoint (0, isOn () ? CCoord (pixelCoord (size.getHeight ())) : 0));
	setDirty (false);
}

CMouseEventResult CTwoStateButton::onMouseDown (CPoint& /*where*/, const CButtonState& buttons)
{
	if (!buttons.isLeftButton ())
		return kMouseEventNotHandled;
	if (modifierClickTaken (buttons))
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	pressed = true;
	beginEdit ();
	pressedDown ();
	return kMouseEventHandled;
}

COnOffButton::COnOffButton (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                            int32_t style)
: CTwoStateButton (size, listener, tag, background)
{
	this->style = style;
}

CMouseEventResult COnOffButton::onMouseMoved (CPoint&, const CButtonState&)
{
	return pressed ? kMouseEventHandled : kMouseEventNotHandled;
}

CMouseEventResult COnOffButton::onMouseUp (CPoint& where, const CButtonState& /*buttons*/)
{
	// A release away from the button abandons the click.
	if (pressed && hitTest (where))
	{
		setValue (isOn () ? vmin : vmax);
		valueChanged ();
	}
	return endDrag (pressed);
}

CMouseEventResult COnOffButton::onMouseCancel () { return endDrag (pressed); }

CKickButton::CKickButton (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                          const CPoint& offset)
: CTwoStateButton (size, listener, tag, background), offset (offset)
{
}

CMouseEventResult CKickButton::onMouseMoved (CPoint& where, const CButtonState& /*buttons*/)
{
	if (!pressed)
		return kMouseEventNotHandled;
	setValue (hitTest (where) ? vmax : vmin);
	return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp (CPoint& where, const CButtonState& /*buttons*/)
{
	if (!pressed)
		return kMouseEventNotHandled;
	if (hitTest (where))
	{
		setValue (vmax);
		valueChanged ();
	}
	setValue (vmin);
	valueChanged ();
	return endDrag (pressed);
}

CMouseEventResult CKickButton::onMouseCancel ()
{
	if (pressed)
		setValue (vmin);
	return endDrag (pressed);
}

} // namespace VSTGUI
