// The view base: geometry, dirty state, background image and do-nothing event answers.
#include "vstgui/lib/cview.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cframe.h"

namespace VSTGUI {

CView::CView (const CRect& size) : size (size), mouseableArea (size) {}

CView::~CView ()
{
	if (background)
		background->forget ();
}

void CView::draw (CDrawContext* context)
{
	if (background)
		background->draw (context, size);
	setDirty (false);
}

void CView::drawRect (CDrawContext* context, const CRect& /*updateRect*/) { draw (context); }

CMouseEventResult CView::onMouseDown (CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseUp (CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseMoved (CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseCancel () { return kMouseEventNotImplemented; }
bool CView::onWheel (const CPoint&, const float&, const CButtonState&) { return false; }
int32_t CView::onKeyDown (VstKeyCode&) { return -1; }
int32_t CView::onKeyUp (VstKeyCode&) { return -1; }

bool CView::hitTest (const CPoint& where, const CButtonState&) { return mouseableArea.pointInside (where); }

void CView::invalid ()
{
	setDirty (false);
	if (frame)
		frame->invalidateRect (size);
}

void CView::invalidRect (const CRect& rect)
{
	if (frame)
		frame->invalidateRect (rect);
}

void CView::setViewSize (const CRect& rect, bool invalidate)
{
	if (invalidate)
		invalidRect (size);
	size = rect;
	mouseableArea = rect;
	if (invalidate)
		invalidRect (size);
}

void CView::setBackground (CBitmap* bitmap)
{
	if (bitmap == background)
		return;
	if (bitmap)
		bitmap->remember ();
	if (background)
		background->forget ();
	background = bitmap;
	setDirty ();
}

bool CView::attached (CFrame* parent)
{
	frame = parent;
	setDirty ();
	return true;
}

bool CView::removed (CFrame* /*parent*/)
{
	frame = nullptr;
	return true;
}

} // namespace VSTGUI
