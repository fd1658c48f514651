// The frame: child views in draw order, dirty-area redraw into the back buffer, and event routing.
#include "vstgui/lib/cframe.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/vstguieditorinterface.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

// Above this many separate areas one pass redraws their union instead.
constexpr size_t kMaxDirtyRects = 32;

bool finitePoint (const CPoint& p) { return std::isfinite (p.x) && std::isfinite (p.y); }

CRect pixelRect (const CRect& r)
{
	return CRect (pixelCoord (r.left), pixelCoord (r.top), pixelCoord (r.right), pixelCoord (r.bottom));
}

} // namespace

CFrame::CFrame (const CRect& rect, void* parent, VSTGUIEditorInterface* editor)
: CView (CRect (0, 0, pixelCoord (rect.getWidth ()), pixelCoord (rect.getHeight ())))
, editor (editor)
, systemWindow (parent)
, backBuffer (pixelCoord (rect.getWidth ()), pixelCoord (rect.getHeight ()), kBlackCColor)
{
	frame = this;
	invalid ();
	platformFrame = Platform::createFrame (*this, parent);
}

CFrame::~CFrame ()
{
	// The window goes first, so nothing reaches the views while they are taken down; listeners
	// are not called from here, as the editor that owns them may already be gone.
	platformFrame.reset ();
	modalView = focusView = mouseDownView = nullptr;
	std::vector<CView*> children;
	children.swap (views);
	for (CView* view : children)
	{
		view->removed (this);
		view->forget ();
	}
}

bool CFrame::addView (CView* view)
{
	if (!view || view == this || isChild (view))
		return false;
	views.push_back (view);
	view->attached (this);
	invalidateRect (view->getViewSize ());
	return true;
}

bool CFrame::removeView (CView* view, bool withForget)
{
	auto it = std::find (views.begin (), views.end (), view);
	if (it == views.end ())
		return false;
	forgetMouseView (view);
	views.erase (it);
	invalidateRect (view->getViewSize ());
	view->removed (this);
	if (withForget)
		view->forget ();
	return true;
}

bool CFrame::removeAll (bool withForget)
{
	while (!views.empty ())
		removeView (views.back (), withForget);
	return true;
}

void CFrame::forgetMouseView (CView* view)
{
	if (mouseDownView == view)
	{
		mouseDownView = nullptr;
		view->onMouseCancel ();
	}
	if (focusView == view)
		focusView = nullptr;
	if (modalView == view)
		modalView = nullptr;
}

bool CFrame::isChild (CView* view) const { return std::find (views.begin (), views.end (), view) != views.end (); }

CView* CFrame::getView (int32_t index) const
{
	if (index < 0 || index >= getNbViews ())
		return nullptr;
	return views[size_t (index)];
}

void CFrame::setBackground (CBitmap* bitmap)
{
	CView::setBackground (bitmap);
	invalid ();
}

void CFrame::setBackgroundColor (const CColor& color)
{
	backgroundColor = color;
	invalid ();
}

bool CFrame::setModalView (CView* view)
{
	if (view && modalView && view != modalView)
		return false;
	if (view && !isChild (view))
		return false;
	if (modalView)
		invalidateRect (modalView->getViewSize ());
	modalView = view;
	if (modalView)
	{
		onMouseCancel ();
		setFocusView (nullptr);
		invalidateRect (modalView->getViewSize ());
	}
	return true;
}

void CFrame::setFocusView (CView* view)
{
	if (view == focusView || (view && !isChild (view)))
		return;
	CView* old = focusView;
	focusView = view;
	if (old)
		old->looseFocus ();
	if (view && focusView == view)
		view->takeFocus ();
}

bool CFrame::setSize (CCoord width, CCoord height)
{
	if (!std::isfinite (width) || !std::isfinite (height))
		return false;
	CPixelBuffer buffer (pixelCoord (width), pixelCoord (height), kBlackCColor);
	if (buffer.isEmpty ())
		return false;
	backBuffer = std::move (buffer);
	size = mouseableArea = CRect (0, 0, backBuffer.getWidth (), backBuffer.getHeight ());
	if (platformFrame)
		platformFrame->setSize (size);
	dirtyRects.clear ();
	invalid ();
	return true;
}

void CFrame::invalid () { invalidateRect (size); }

void CFrame::invalidateRect (const CRect& rect)
{
	CRect r = pixelRect (rect);
	r.bound (size);
	if (!r.isEmpty ())
		dirtyRects.push_back (r);
}

bool CFrame::hasDirtyArea () const
{
	return !dirtyRects.empty () ||
	       std::any_of (views.begin (), views.end (), [] (CView* v) { return v->isDirty (); });
}

void CFrame::idle ()
{
	for (CView* view : views)
	{
		if (view->isDirty ())
		{
			invalidateRect (view->getViewSize ());
			view->setDirty (false);
		}
	}
	if (dirtyRects.empty ())
		return;
	std::vector<CRect> rects;
	rects.swap (dirtyRects);
	if (rects.size () > kMaxDirtyRects)
	{
		CRect all;
		for (const CRect& r : rects)
			all.unite (r);
		rects.assign (1, all);
	}
	CDrawContext context (backBuffer);
	for (const CRect& r : rects)
	{
		drawRect (&context, r);
		if (platformFrame)
			platformFrame->invalidRect (r);
	}
}

void CFrame::draw (CDrawContext* context) { drawRect (context, size); }

void CFrame::drawRect (CDrawContext* context, const CRect& updateRect)
{
	if (!context)
		return;
	CRect area = pixelRect (updateRect);
	area.bound (size);
	if (area.isEmpty ())
		return;
	context->setClipRect (area);
	context->fillRect (area, backgroundColor);
	if (background)
		background->draw (context, size);
	auto drawView = [&] (CView* view) {
		CRect part = pixelRect (view->getViewSize ());
		part.bound (area);
		if (part.isEmpty ())
			return;
		context->setClipRect (part);
		view->drawRect (context, part);
	};
	for (CView* view : views)
		if (view != modalView)
			drawView (view);
	if (modalView)
		drawView (modalView);
	context->setClipRect (area);
}

CView* CFrame::viewAt (const CPoint& where) const
{
	for (auto it = views.rbegin (); it != views.rend (); ++it)
		if ((*it)->getMouseEnabled () && (*it)->hitTest (where))
			return *it;
	return nullptr;
}

CMouseEventResult CFrame::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (!finitePoint (where))
		return kMouseEventNotHandled;
	// A press while a drag is still open (its release was lost) ends that drag first.
	if (mouseDownView)
		onMouseCancel ();
	if (modalView)
	{
		CView* modal = modalView;
		if (modal->onMouseDown (where, buttons) == kMouseEventHandled && modalView == modal)
			mouseDownView = modal;
		return kMouseEventHandled;
	}
	CView* target = viewAt (where);
	if (focusView && focusView != target)
		setFocusView (nullptr);
	// From the top down, until a view takes the click.
	for (size_t i = views.size (); i-- > 0;)
	{
		if (i >= views.size ())
			continue;
		CView* view = views[i];
		if (!view->getMouseEnabled () || !view->hitTest (where, buttons))
			continue;
		const CMouseEventResult result = view->onMouseDown (where, buttons);
		if (result == kMouseEventHandled)
		{
			if (isChild (view))
				mouseDownView = view;
			return result;
		}
		if (result == kMouseDownEventHandledButDontNeedMovedOrUpEvents)
			return result;
	}
	return kMouseEventNotHandled;
}

CMouseEventResult CFrame::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!mouseDownView || !finitePoint (where))
		return kMouseEventNotHandled;
	return mouseDownView->onMouseMoved (where, buttons);
}

CMouseEventResult CFrame::onMouseUp (CPoint& where, const CButtonState& buttons)
{
	if (!mouseDownView)
		return kMouseEventNotHandled;
	CView* view = mouseDownView;
	mouseDownView = nullptr;
	if (!finitePoint (where))
		return view->onMouseCancel ();
	return view->onMouseUp (where, buttons);
}

CMouseEventResult CFrame::onMouseCancel ()
{
	if (!mouseDownView)
		return kMouseEventNotHandled;
	CView* view = mouseDownView;
	mouseDownView = nullptr;
	return view->onMouseCancel ();
}

bool CFrame::onWheel (const CPoint& where, const float& distance, const CButtonState& buttons)
{
	if (!finitePoint (where) || !std::isfinite (distance) || mouseDownView)
		return false;
	if (modalView)
		return true;
	for (size_t i = views.size (); i-- > 0;)
	{
		if (i >= views.size ())
			continue;
		CView* view = views[i];
		if (view->getMouseEnabled () && view->hitTest (where, buttons) && view->onWheel (where, distance, buttons))
			return true;
	}
	return false;
}

int32_t CFrame::onKeyDown (VstKeyCode& keyCode)
{
	if (focusView)
		return focusView->onKeyDown (keyCode);
	return -1;
}

int32_t CFrame::onKeyUp (VstKeyCode& keyCode)
{
	if (focusView)
		return focusView->onKeyUp (keyCode);
	return -1;
}

void CFrame::beginEdit (int32_t tag)
{
	if (editor)
		editor->beginEdit (tag);
}

void CFrame::endEdit (int32_t tag)
{
	if (editor)
		editor->endEdit (tag);
}

int32_t CFrame::getKnobMode () const { return editor ? editor->getKnobMode () : 2; }

bool CFrame::writePNG (const char* path)
{
	idle ();
	return backBuffer.writePNG (path);
}

} // namespace VSTGUI
