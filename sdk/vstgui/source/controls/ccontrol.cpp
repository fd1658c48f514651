// Control values, edit brackets and listener notification.
#include "vstgui/lib/controls/ccontrol.h"

#include "vstgui/lib/cframe.h"

#include <cmath>

namespace VSTGUI {

CControl::CControl (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background)
: CView (size), listener (listener), tag (tag)
{
	if (background)
		setBackground (background);
}

float CControl::bounce (float val) const
{
	if (!(val == val))
		return vmin;
	if (val < vmin)
		val = vmin;
	if (val > vmax)
		val = vmax;
	return val;
}

void CControl::setValue (float val) { value = bounce (val); }

void CControl::beginEdit ()
{
	// Only the outermost bracket reaches the listener and the editor.
	if (++editing != 1)
		return;
	if (frame)
		frame->beginEdit (tag);
	if (listener)
		listener->controlBeginEdit (this);
}

void CControl::endEdit ()
{
	if (editing == 0 || --editing != 0)
		return;
	if (listener)
		listener->controlEndEdit (this);
	if (frame)
		frame->endEdit (tag);
}

void CControl::valueChanged ()
{
	if (listener)
		listener->valueChanged (this);
}

void CControl::setDirty (bool state)
{
	CView::setDirty (state);
	if (!state)
		oldValue = value;
}

bool CControl::isDirty () const { return CView::isDirty () || value != oldValue; }

bool CControl::modifierClickTaken (const CButtonState& buttons)
{
	if (!listener || buttons.getModifierState () == 0)
		return false;
	return listener->controlModifierClicked (this, long (buttons.getButtonState ())) != 0;
}

bool CControl::wheelStep (float distance, const CButtonState& buttons)
{
	if (!std::isfinite (distance))
		return false;
	const float step = wheelInc * distance * ((buttons & kShift) ? 0.1f : 1.f);
	const float before = value;
	setValue (value + step * (vmax - vmin));
	if (value != before)
	{
		beginEdit ();
		valueChanged ();
		endEdit ();
	}
	return true;
}

CMouseEventResult CControl::endDrag (bool& dragging)
{
	if (!dragging)
		return kMouseEventNotHandled;
	dragging = false;
	endEdit ();
	return kMouseEventHandled;
}

CMouseEventResult CDragControl::onMouseUp (CPoint&, const CButtonState&) { return endDrag (dragging); }

CMouseEventResult CDragControl::onMouseCancel () { return endDrag (dragging); }

bool CDragControl::onWheel (const CPoint&, const float& distance, const CButtonState& buttons)
{
	return wheelStep (distance, buttons);
}

} // namespace VSTGUI
