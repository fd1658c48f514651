// Text editing: in a native field where the platform has one, otherwise with the frame's keys.
#include "vstgui/lib/controls/ctextedit.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/iplatformframe.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI {

namespace {

std::string bounded (const char* txt)
{
	if (!txt)
		return {};
	return std::string (txt, strnlen (txt, CTextEdit::kMaxTextLength));
}

const CColor kEditBackColor (16, 18, 20, 235);
const CColor kEditFrameColor (90, 150, 210, 255);
const CColor kSelectionColor (60, 110, 170, 255);

} // namespace

CTextEdit::CTextEdit (const CRect& size, CControlListener* listener, int32_t tag, const char* txt,
                      CBitmap* background, int32_t style)
: CParamDisplay (size, background, style), text (bounded (txt))
{
	this->listener = listener;
	this->tag = tag;
}

void CTextEdit::setText (const char* txt)
{
	std::string newText = bounded (txt);
	if (newText != text)
	{
		text = std::move (newText);
		setDirty ();
	}
}

void CTextEdit::getText (char* txt, size_t maxSize) const
{
	if (!txt || maxSize == 0)
		return;
	const size_t n = std::min (text.size (), maxSize - 1);
	std::memcpy (txt, text.data (), n);
	txt[n] = 0;
}

CMouseEventResult CTextEdit::onMouseDown (CPoint& /*where*/, const CButtonState& buttons)
{
	if (!buttons.isLeftButton ())
		return kMouseEventNotHandled;
	if (modifierClickTaken (buttons))
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	if (frame && !editingText)
		frame->setFocusView (this);
	return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus ()
{
	if (editingText)
		return;
	editingText = true;
	cancelled = false;
	Platform::IFrame* platform = frame ? frame->getPlatformFrame () : nullptr;
	nativeEditing = platform && platform->startTextEdit (*this);
	// The whole text starts selected, so typing replaces it.
	editBuffer = text;
	caret = editBuffer.size ();
	allSelected = true;
	setDirty ();
}

void CTextEdit::looseFocus ()
{
	if (!editingText)
		return;
	std::string newText = editBuffer;
	if (nativeEditing)
	{
		if (Platform::IFrame* platform = frame ? frame->getPlatformFrame () : nullptr)
			platform->stopTextEdit (*this, newText);
	}
	const bool take = !cancelled;
	editingText = nativeEditing = cancelled = false;
	editBuffer.clear ();
	setDirty ();
	if (take)
		commit (newText);
}

bool CTextEdit::removed (CFrame* parent)
{
	// Taken down while editing: the typed text is dropped and nobody is told.
	if (editingText && nativeEditing && frame && frame->getPlatformFrame ())
	{
		std::string ignored;
		frame->getPlatformFrame ()->stopTextEdit (*this, ignored);
	}
	editingText = nativeEditing = cancelled = false;
	editBuffer.clear ();
	return CParamDisplay::removed (parent);
}

void CTextEdit::commit (const std::string& typed)
{
	const std::string newText = bounded (typed.c_str ());
	if (newText == text)
		return;
	// The listener may take this control out of its frame.
	remember ();
	beginEdit ();
	text = newText;
	setDirty ();
	valueChanged ();
	endEdit ();
	forget ();
}

int32_t CTextEdit::onKeyDown (VstKeyCode& key)
{
	if (!editingText || nativeEditing)
		return -1;
	auto finish = [this] {
		if (frame)
			frame->setFocusView (nullptr);
		else
			looseFocus ();
	};
	switch (key.virt)
	{
		case VKEY_RETURN:
		case VKEY_ENTER: finish (); return 1;
		case VKEY_ESCAPE:
			cancelled = true;
			finish ();
			return 1;
		case VKEY_BACK:
			if (allSelected)
				editBuffer.clear (), caret = 0;
			else if (caret > 0)
				editBuffer.erase (--caret, 1);
			break;
		case VKEY_DELETE:
			if (allSelected)
				editBuffer.clear (), caret = 0;
			else if (caret < editBuffer.size ())
				editBuffer.erase (caret, 1);
			break;
		case VKEY_LEFT: caret = (allSelected || caret == 0) ? 0 : caret - 1; break;
		case VKEY_RIGHT: caret = allSelected ? editBuffer.size () : std::min (caret + 1, editBuffer.size ()); break;
		case VKEY_HOME: caret = 0; break;
		case VKEY_END: caret = editBuffer.size (); break;
		case 0:
			if (key.character < 32 || key.character > 126 ||
			    (key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND)))
				return -1;
			if (allSelected)
				editBuffer.clear (), caret = 0;
			if (editBuffer.size () < kMaxTextLength)
				editBuffer.insert (caret++, 1, char (key.character));
			break;
		default: return -1;
	}
	allSelected = false;
	setDirty ();
	return 1;
}

void CTextEdit::draw (CDrawContext* context)
{
	if (!editingText || nativeEditing)
	{
		CParamDisplay::draw (context);
		return;
	}
	context->fillRect (size, kEditBackColor);
	context->setFrameColor (kEditFrameColor);
	context->drawRect (size, kDrawStroked);
	context->setFont (font);
	const CCoord width = context->getStringWidth (editBuffer.c_str ());
	CCoord x = size.left + 2;
	if (horiAlign == kCenterText)
		x = size.left + (size.getWidth () - width) / 2;
	else if (horiAlign == kRightText)
		x = size.right - 2 - width;
	const CCoord textTop = size.top + (size.getHeight () - font.getSize ()) / 2;
	if (allSelected && !editBuffer.empty ())
		context->fillRect (CRect (x - 1, textTop, x + width + 1, textTop + font.getSize ()), kSelectionColor);
	context->setFontColor (fontColor.alpha ? CColor (fontColor.red, fontColor.green, fontColor.blue, 255) : kWhiteCColor);
	context->drawString (editBuffer.c_str (), CRect (x, size.top, x + width + 1, size.bottom), kLeftText);
	if (!allSelected)
	{
		const CCoord caretX = x + context->getStringWidth (editBuffer.substr (0, caret).c_str ());
		context->fillRect (CRect (caretX, textTop, caretX + 1, textTop + font.getSize ()), kWhiteCColor);
	}
	setDirty (false);
}

} // namespace VSTGUI
