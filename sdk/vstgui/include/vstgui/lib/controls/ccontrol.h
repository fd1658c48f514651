// A view with a tag and a value that reports gestures to its listener, bracketed by begin/end edit.
#pragma once

#include "../cview.h"

namespace VSTGUI {

class CControl;

enum CControlStyle : int32_t
{
	kHorizontal = 1 << 0,
	kVertical = 1 << 1,
	kShadowText = 1 << 2,
	kLeft = 1 << 3,
	kRight = 1 << 4,
	kTop = 1 << 5,
	kBottom = 1 << 6,
	k3DIn = 1 << 7,
	k3DOut = 1 << 8,
	kPopupStyle = 1 << 9,
	kCheckStyle = 1 << 10,
	kNoTextStyle = 1 << 11,
	kNoDrawStyle = 1 << 12,
	kDoubleClickStyle = 1 << 13,
	kNoFrame = 1 << 14
};

class CControlListener
{
public:
	virtual ~CControlListener () = default;
	virtual void valueChanged (CControl* pControl) = 0;
	// A click with modifier keys: a non-zero answer means the listener handled it.
	virtual long controlModifierClicked (CControl* /*pControl*/, long /*button*/) { return 0; }
	virtual void controlBeginEdit (CControl* /*pControl*/) {}
	virtual void controlEndEdit (CControl* /*pControl*/) {}
};

class CControl : public CView
{
public:
	CControl (const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
	          CBitmap* background = nullptr);

	// Held to [min, max]; NaN gives min.
	virtual void setValue (float val);
	virtual float getValue () const { return value; }
	virtual void setMin (float val) { vmin = val; }
	virtual float getMin () const { return vmin; }
	virtual void setMax (float val) { vmax = val; }
	virtual float getMax () const { return vmax; }
	virtual void setTag (int32_t val) { tag = val; }
	virtual int32_t getTag () const { return tag; }
	virtual void setListener (CControlListener* l) { listener = l; }
	CControlListener* getListener () const { return listener; }
	void setStyle (int32_t val) { style = val; }
	int32_t getStyle () const { return style; }
	void setWheelInc (float val) { wheelInc = val; }
	float getWheelInc () const { return wheelInc; }

	// Listener's controlBeginEdit and frame's beginEdit (with the tag); nested calls count.
	virtual void beginEdit ();
	virtual void endEdit ();
	bool isEditing () const { return editing > 0; }
	virtual void valueChanged ();

	void setDirty (bool state = true) override;
	bool isDirty () const override;

protected:
	// Offers a click with modifier keys to the listener first; true when it took it.
	bool modifierClickTaken (const CButtonState& buttons);
	float bounce (float val) const;
	// One wheel step of wheelInc x distance (a tenth of it with Shift) as a bracketed edit.
	bool wheelStep (float distance, const CButtonState& buttons);
	// Closes a drag opened with beginEdit; not handled when none is open.
	CMouseEventResult endDrag (bool& dragging);

	CControlListener* listener;
	int32_t tag;
	float value {0.f};
	float oldValue {0.f};
	float vmin {0.f};
	float vmax {1.f};
	float wheelInc {0.1f};
	int32_t style {0};
	int32_t editing {0};
};

// A control dragged between beginEdit and endEdit, with wheel steps: the knob and the fader.
class CDragControl : public CControl
{
public:
	using CControl::CControl;

	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const float& distance, const CButtonState& buttons) override;

protected:
	bool dragging {false};
};

} // namespace VSTGUI
