// A knob drawn from a vertical filmstrip; dragging follows linear mouse movement.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

class CAnimKnob : public CDragControl
{
public:
	// The frame count is the image height divided by the control height; offset is kept for
	// compatibility and does not shift the image.
	CAnimKnob (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
	           const CPoint& offset = CPoint (0, 0));

	int32_t getNumSubPixmaps () const;
	CCoord getHeightOfOneImage () const { return size.getHeight (); }
	// The filmstrip frame that the current value shows.
	int32_t getFrameIndex () const;

	// Pixels of vertical plus horizontal travel for the whole range; Shift multiplies it by zoomFactor.
	static constexpr float kRange = 200.f;
	static constexpr float kZoomFactor = 10.f;

	void draw (CDrawContext* context) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;

protected:
	CPoint offset;
	CPoint firstPoint;
	float startValue {0.f};
	bool fine {false};
};

} // namespace VSTGUI
