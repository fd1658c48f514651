// The splash screen: a click opens its image as the frame's modal view, the next click closes it.
#include "vstgui/lib/controls/csplashscreen.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cframe.h"

namespace VSTGUI {

CSplashScreen::CSplashScreen (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                              const CRect& toDisplay, const CPoint& offset)
: CControl (size, listener, tag, background), toDisplay (toDisplay), keepSize (size), offset (offset)
{
}

void CSplashScreen::draw (CDrawContext* context)
{
	if (isOpen () && background)
		background->draw (context, toDisplay, offset);
	setDirty (false);
}

bool CSplashScreen::hitTest (const CPoint& where, const CButtonState& buttons)
{
	return CControl::hitTest (where, buttons);
}

void CSplashScreen::show (bool open)
{
	if (open == isOpen ())
		return;
	if (open)
	{
		if (!frame || !frame->setModalView (this))
			return;
		keepSize = size;
		value = vmax;
		setViewSize (toDisplay);
	}
	else
	{
		value = vmin;
		if (frame && frame->getModalView () == this)
			frame->setModalView (nullptr);
		setViewSize (keepSize);
	}
	setDirty ();
}

void CSplashScreen::setValue (float val)
{
	const float v = bounce (val);
	show (v > (vmin + vmax) / 2);
}

CMouseEventResult CSplashScreen::onMouseDown (CPoint& /*where*/, const CButtonState& buttons)
{
	if (isOpen ())
		unSplash ();
	else if (buttons.isLeftButton ())
	{
		show (true);
		if (isOpen ())
			valueChanged ();
	}
	return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CSplashScreen::unSplash ()
{
	if (!isOpen ())
		return;
	show (false);
	valueChanged ();
}

bool CSplashScreen::removed (CFrame* parent)
{
	if (isOpen ())
	{
		value = vmin;
		size = mouseableArea = keepSize;
	}
	return CControl::removed (parent);
}

} // namespace VSTGUI
