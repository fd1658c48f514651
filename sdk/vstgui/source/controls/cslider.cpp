// The vertical fader: handle position, drag along the travel (finer with Shift), wheel steps.
#include "vstgui/lib/controls/cslider.h"

#include "vstgui/lib/cbitmap.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CVerticalSlider::CVerticalSlider (const CRect& size, CControlListener* listener, int32_t tag,
                                  const CPoint& offsetHandle, int32_t rangeHandle, CBitmap* handle,
                                  CBitmap* background, const CPoint& offset, int32_t style)
: CDragControl (size, listener, tag, background)
, handle (handle)
, offsetHandle (offsetHandle)
, offset (offset)
, rangeHandle (rangeHandle)
{
	this->style = style;
	if (handle)
		handle->remember ();
}

CVerticalSlider::~CVerticalSlider ()
{
	if (handle)
		handle->forget ();
}

CCoord CVerticalSlider::handleHeight () const { return handle ? handle->getHeight () : 0; }

CCoord CVerticalSlider::getTravel () const { return std::max<CCoord> (0, rangeHandle - handleHeight ()); }

CRect CVerticalSlider::getHandleRect () const
{
	float normalized = vmax > vmin ? (value - vmin) / (vmax - vmin) : 0.f;
	normalized = std::min (std::max (normalized, 0.f), 1.f);
	const CCoord fromTop = (style & kTop) ? normalized : 1.0 - normalized;
	const CCoord top = pixelCoord (size.top + offsetHandle.y + fromTop * getTravel ());
	const CCoord left = size.left + offsetHandle.x;
	return CRect (left, top, left + (handle ? handle->getWidth () : 0), top + handleHeight ());
}

float CVerticalSlider::valueAtHandleTop (CCoord handleTop) const
{
	const CCoord travel = getTravel ();
	if (!(travel > 0))
		return value;
	CCoord fromTop = (handleTop - size.top - offsetHandle.y) / travel;
	fromTop = std::min<CCoord> (std::max<CCoord> (fromTop, 0), 1);
	const CCoord normalized = (style & kTop) ? fromTop : 1.0 - fromTop;
	return float (vmin + normalized * (vmax - vmin));
}

void CVerticalSlider::draw (CDrawContext* context)
{
	if (background)
		background->draw (context, size, offset);
	if (handle)
		handle->draw (context, getHandleRect ());
	setDirty (false);
}

CMouseEventResult CVerticalSlider::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (!buttons.isLeftButton ())
		return kMouseEventNotHandled;
	if (modifierClickTaken (buttons))
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	beginEdit ();
	dragging = true;
	fine = (buttons & kShift) != 0;
	const CRect handleRect = getHandleRect ();
	if (handleRect.pointInside (where) || fine)
		grabOffset = where.y - handleRect.top;
	else
	{
		// A click beside the handle brings the handle's middle to the pointer.
		grabOffset = handleHeight () / 2;
		const float before = value;
		setValue (valueAtHandleTop (where.y - grabOffset));
		if (value != before)
			valueChanged ();
	}
	fineAnchor = where;
	fineStartValue = value;
	return kMouseEventHandled;
}

CMouseEventResult CVerticalSlider::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!dragging)
		return kMouseEventNotHandled;
	const bool nowFine = (buttons & kShift) != 0;
	if (nowFine != fine)
	{
		fine = nowFine;
		fineAnchor = where;
		fineStartValue = value;
		grabOffset = where.y - getHandleRect ().top;
	}
	const float before = value;
	if (fine)
	{
		const CCoord travel = getTravel ();
		if (travel > 0)
		{
			const CCoord upward = (style & kTop) ? where.y - fineAnchor.y : fineAnchor.y - where.y;
			setValue (float (fineStartValue + upward / (travel * kZoomFactor) * (vmax - vmin)));
		}
	}
	else
		setValue (valueAtHandleTop (where.y - grabOffset));
	if (value != before)
		valueChanged ();
	return kMouseEventHandled;
}

} // namespace VSTGUI
