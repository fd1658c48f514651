// A vertical fader: a handle image that travels over the control's height.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

class CVerticalSlider : public CDragControl
{
public:
	// rangeHandle: the pixels the handle moves in, handle included; style kTop puts 0 at the top,
	// any other style 0 at the bottom.
	CVerticalSlider (const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
	                 int32_t rangeHandle, CBitmap* handle, CBitmap* background,
	                 const CPoint& offset = CPoint (0, 0), int32_t style = kBottom);
	~CVerticalSlider () override;

	// The handle's rectangle for the current value.
	CRect getHandleRect () const;
	// Pixels the handle's top can move: range minus handle height, never below 0.
	CCoord getTravel () const;

	static constexpr float kZoomFactor = 10.f;

	void draw (CDrawContext* context) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;

protected:
	CCoord handleHeight () const;
	float valueAtHandleTop (CCoord handleTop) const;

	CBitmap* handle;
	CPoint offsetHandle;
	CPoint offset;
	int32_t rangeHandle;
	CCoord grabOffset {0};
	CPoint fineAnchor;
	float fineStartValue {0.f};
	bool fine {false};
};

} // namespace VSTGUI
