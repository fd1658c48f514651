// The filmstrip knob: frame choice, linear drag with a fine mode, and wheel steps.
#include "vstgui/lib/controls/cknob.h"

#include "vstgui/lib/cbitmap.h"

#include <cmath>

namespace VSTGUI {

CAnimKnob::CAnimKnob (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                      const CPoint& offset)
: CDragControl (size, listener, tag, background), offset (offset)
{
}

int32_t CAnimKnob::getNumSubPixmaps () const
{
	const int32_t frameHeight = pixelCoord (size.getHeight ());
	if (!background || frameHeight <= 0)
		return 0;
	return pixelCoord (background->getHeight ()) / frameHeight;
}

int32_t CAnimKnob::getFrameIndex () const
{
	const int32_t frames = getNumSubPixmaps ();
	if (frames <= 1 || !(vmax > vmin))
		return 0;
	float normalized = (value - vmin) / (vmax - vmin);
	if (!(normalized >= 0.f))
		normalized = 0.f;
	if (normalized > 1.f)
		normalized = 1.f;
	return std::min (frames - 1, int32_t (std::floor (normalized * float (frames - 1) + 0.5f)));
}

void CAnimKnob::draw (CDrawContext* context)
{
	if (background && getNumSubPixmaps () > 0)
		background->draw (context, size, CPoint (0, CCoord (getFrameIndex ()) * pixelCoord (size.getHeight ())));
	setDirty (false);
}

CMouseEventResult CAnimKnob::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (!buttons.isLeftButton ())
		return kMouseEventNotHandled;
	if (modifierClickTaken (buttons))
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	beginEdit ();
	dragging = true;
	firstPoint = where;
	startValue = value;
	fine = (buttons & kShift) != 0;
	return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!dragging)
		return kMouseEventNotHandled;
	const bool nowFine = (buttons & kShift) != 0;
	if (nowFine != fine)
	{
		// Switching speed mid-drag continues from where the knob is, without a jump.
		fine = nowFine;
		firstPoint = where;
		startValue = value;
	}
	const float range = kRange * (fine ? kZoomFactor : 1.f);
	const float travel = float ((firstPoint.y - where.y) + (where.x - firstPoint.x));
	const float before = value;
	setValue (startValue + travel / range * (vmax - vmin));
	if (value != before)
		valueChanged ();
	return kMouseEventHandled;
}

} // namespace VSTGUI
