// The base of everything a frame shows: a rectangle that draws itself and takes mouse and key events.
#pragma once

#include "cdrawcontext.h"
#include "crect.h"

namespace VSTGUI {

class CView : public CBaseObject
{
public:
	explicit CView (const CRect& size);
	~CView () override;

	virtual void draw (CDrawContext* context);
	// Draws the part in updateRect; the context is already clipped to it.
	virtual void drawRect (CDrawContext* context, const CRect& updateRect);

	virtual CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons);
	// The gesture ends without a release (capture lost, window removed).
	virtual CMouseEventResult onMouseCancel ();
	virtual bool onWheel (const CPoint& where, const float& distance, const CButtonState& buttons);
	// 1 when handled, -1 otherwise.
	virtual int32_t onKeyDown (VstKeyCode& keyCode);
	virtual int32_t onKeyUp (VstKeyCode& keyCode);

	// Half-open test against the mouseable area.
	virtual bool hitTest (const CPoint& where, const CButtonState& buttons = -1);

	virtual void setDirty (bool state = true) { dirty = state; }
	virtual bool isDirty () const { return dirty; }
	// Asks the frame to redraw this view's rectangle at its next idle pass.
	virtual void invalid ();
	void invalidRect (const CRect& rect);

	const CRect& getViewSize () const { return size; }
	CRect& getViewSize (CRect& rect) const { return rect = size; }
	virtual void setViewSize (const CRect& rect, bool invalidate = true);
	CCoord getWidth () const { return size.getWidth (); }
	CCoord getHeight () const { return size.getHeight (); }
	const CRect& getMouseableArea () const { return mouseableArea; }
	void setMouseableArea (const CRect& rect) { mouseableArea = rect; }
	void setMouseEnabled (bool state) { mouseEnabled = state; }
	bool getMouseEnabled () const { return mouseEnabled; }

	virtual void setBackground (CBitmap* background);
	CBitmap* getBackground () const { return background; }

	virtual bool wantsFocus () const { return false; }
	virtual void takeFocus () {}
	virtual void looseFocus () {}

	virtual bool attached (CFrame* parent);
	virtual bool removed (CFrame* parent);
	bool isAttached () const { return frame != nullptr; }
	CFrame* getFrame () const { return frame; }

protected:
	CRect size;
	CRect mouseableArea;
	CBitmap* background {nullptr};
	CFrame* frame {nullptr};
	bool dirty {false};
	bool mouseEnabled {true};
};

} // namespace VSTGUI
