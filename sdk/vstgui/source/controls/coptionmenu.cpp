// The option menu: entries, the chosen index, and the platform's pop-up.
#include "vstgui/lib/controls/coptionmenu.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/iplatformframe.h"

#include <algorithm>

namespace VSTGUI {

COptionMenu::COptionMenu (const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                          CBitmap* bgWhenClick, int32_t style)
: CParamDisplay (size, background, style), bgWhenClick (bgWhenClick)
{
	this->listener = listener;
	this->tag = tag;
	if (bgWhenClick)
		bgWhenClick->remember ();
}

COptionMenu::~COptionMenu ()
{
	if (bgWhenClick)
		bgWhenClick->forget ();
}

int32_t COptionMenu::addEntry (const char* txt, int32_t index, int32_t itemFlags)
{
	if (!txt)
		return -1;
	const int32_t count = getNbEntries ();
	const int32_t position = (index < 0 || index > count) ? count : index;
	entries.insert (entries.begin () + position, Entry {txt, itemFlags});
	vmax = float (getNbEntries () - 1);
	setDirty ();
	return position;
}

bool COptionMenu::removeEntry (int32_t index)
{
	if (index < 0 || index >= getNbEntries ())
		return false;
	entries.erase (entries.begin () + index);
	vmax = float (std::max (getNbEntries () - 1, 0));
	if (value > vmax)
		value = vmax;
	setDirty ();
	return true;
}

bool COptionMenu::removeAllEntry ()
{
	entries.clear ();
	value = vmax = 0.f;
	setDirty ();
	return true;
}

const char* COptionMenu::getEntry (int32_t index) const
{
	if (index < 0 || index >= getNbEntries ())
		return nullptr;
	return entries[size_t (index)].text.c_str ();
}

int32_t COptionMenu::getEntryFlags (int32_t index) const
{
	if (index < 0 || index >= getNbEntries ())
		return kNoFlags;
	return entries[size_t (index)].flags;
}

void COptionMenu::setValue (float val)
{
	// "!(val >= 0)" also turns NaN away.
	if (!(val >= 0.f) || val >= float (getNbEntries ()))
		return;
	setCurrentIndex (int32_t (val));
}

bool COptionMenu::setCurrentIndex (int32_t index)
{
	if (index < 0 || index >= getNbEntries ())
		return false;
	value = float (index);
	return true;
}

std::string COptionMenu::getDisplayText () const
{
	const char* entry = getEntry (getCurrentIndex ());
	return entry ? entry : "";
}

void COptionMenu::draw (CDrawContext* context) { CParamDisplay::draw (context); }

CMouseEventResult COptionMenu::onMouseDown (CPoint& /*where*/, const CButtonState& buttons)
{
	if (!buttons.isLeftButton ())
		return kMouseEventNotHandled;
	if (modifierClickTaken (buttons) || !frame || entries.empty ())
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	Platform::IFrame* platform = frame->getPlatformFrame ();
	if (!platform)
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	// A native menu runs its own message loop, in which the window may be taken down.
	remember ();
	const int32_t chosen = platform->popupMenu (*this);
	if (chosen >= 0 && isAttached ())
		choose (chosen);
	forget ();
	return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void COptionMenu::choose (int32_t index)
{
	if (index < 0 || index >= getNbEntries () || (entries[size_t (index)].flags & kDisabled))
		return;
	// Choosing the current entry again is reported too.
	remember ();
	beginEdit ();
	setCurrentIndex (index);
	setDirty ();
	valueChanged ();
	endEdit ();
	forget ();
}

} // namespace VSTGUI
