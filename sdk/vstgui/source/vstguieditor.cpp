// The VST 3 editor base: opens the frame on attach, runs the idle timer, closes on remove.
#include "public.sdk/source/vst/vstguieditor.h"

#include "vstgui/lib/platform/iplatformframe.h"

#include <cstring>

namespace Steinberg {
namespace Vst {

namespace {
// Far beyond any screen; keeps the back buffer's allocation bounded.
constexpr int32 kMaxViewSide = 16384;
} // namespace

VSTGUIEditor::VSTGUIEditor (EditController* controller, ViewRect* size)
: EditorView (controller, size), timer (new VSTGUI::CVSTGUITimer (this, 100))
{
}

VSTGUIEditor::~VSTGUIEditor ()
{
	if (timer)
	{
		timer->stop ();
		timer->forget ();
		timer = nullptr;
	}
	// A view released while open: the subclass's close cannot run any more, so the frame (and the
	// window with it) goes here.
	if (frame)
	{
		VSTGUI::CFrame* open = frame;
		frame = nullptr;
		open->forget ();
	}
}

void VSTGUIEditor::setIdleRate (int32 millisec)
{
	if (timer)
		timer->setFireTime (millisec);
}

void VSTGUIEditor::beginEdit (int32 index)
{
	if (controller)
		controller->beginEdit (static_cast<ParamID> (index));
}

void VSTGUIEditor::endEdit (int32 index)
{
	if (controller)
		controller->endEdit (static_cast<ParamID> (index));
}

int32 VSTGUIEditor::getKnobMode () const { return EditController::getHostKnobMode (); }

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported (FIDString type)
{
	return VSTGUI::Platform::isPlatformTypeSupported (type) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::attached (void* parent, FIDString type)
{
	// A null parent opens the frame without a window (tests, offline drawing).
	if (parent && isPlatformTypeSupported (type) != kResultTrue)
		return kResultFalse;
	if (isAttached () || frame)
		return kResultFalse;
	// The frame, its images and controls are allocated: a view that finds no memory for them is
	// not attached, and what it had built goes.
	try
	{
		if (open (parent) && frame && (!parent || frame->getPlatformFrame ()))
		{
			ViewRect vr (0, 0, int32 (frame->getWidth ()), int32 (frame->getHeight ()));
			setRect (vr);
			if (plugFrame)
				plugFrame->resizeView (this, &vr);
			if (timer)
				timer->start ();
			// The SDK base remembers the parent; a headless frame still counts as attached.
			static char headlessParent;
			return EditorView::attached (parent ? parent : &headlessParent, type);
		}
	}
	catch (...)
	{
		if (timer)
			timer->stop ();
	}
	close ();
	return kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::removed ()
{
	if (timer)
		timer->stop ();
	// A drag still open gets its end bracket before the controls go. Its last value redraws the
	// partner field, which may find no memory: the view goes all the same (a VST 2.4 editor is
	// removed from a destructor).
	if (frame)
	{
		try
		{
			frame->onMouseCancel ();
		}
		catch (...)
		{
		}
	}
	close ();
	if (!isAttached ())
		return kResultOk;
	return EditorView::removed ();
}

tresult PLUGIN_API VSTGUIEditor::onSize (ViewRect* newSize)
{
	if (!newSize)
		return kInvalidArgument;
	const int32 width = newSize->right - newSize->left;
	const int32 height = newSize->bottom - newSize->top;
	if (width <= 0 || height <= 0 || width > kMaxViewSide || height > kMaxViewSide)
		return kResultFalse;
	try
	{
		// The frame's back buffer is allocated at the new size.
		if (frame && !frame->setSize (width, height))
			return kResultFalse;
	}
	catch (...)
	{
		return kResultFalse;
	}
	return EditorView::onSize (newSize);
}

namespace {

// VST 3 hosts number the virtual keys and modifier bits as the layer does.
VSTGUI::VstKeyCode toKeyCode (char16 key, int16 keyMsg, int16 modifiers)
{
	constexpr int16 kLastVirtualKey = VSTGUI::VKEY_DELETE;
	VSTGUI::VstKeyCode code;
	if (keyMsg >= 1 && keyMsg <= kLastVirtualKey)
		code.virt = static_cast<uint8_t> (keyMsg);
	else
		code.character = key;
	code.modifier = static_cast<uint8_t> (modifiers & 0x0F);
	return code;
}

// A key that a text field cannot take (no memory for the text) counts as not handled.
template <typename KeyHandler>
tresult handleKey (VSTGUI::CFrame* frame, char16 key, int16 keyMsg, int16 modifiers, KeyHandler handler)
{
	if (!frame)
		return kResultFalse;
	VSTGUI::VstKeyCode code = toKeyCode (key, keyMsg, modifiers);
	try
	{
		return (frame->*handler) (code) == 1 ? kResultTrue : kResultFalse;
	}
	catch (...)
	{
		return kResultFalse;
	}
}

} // namespace

tresult PLUGIN_API VSTGUIEditor::onKeyDown (char16 key, int16 keyMsg, int16 modifiers)
{
	return handleKey (frame, key, keyMsg, modifiers, &VSTGUI::CFrame::onKeyDown);
}

tresult PLUGIN_API VSTGUIEditor::onKeyUp (char16 key, int16 keyMsg, int16 modifiers)
{
	return handleKey (frame, key, keyMsg, modifiers, &VSTGUI::CFrame::onKeyUp);
}

VSTGUI::CMessageResult VSTGUIEditor::notify (VSTGUI::CBaseObject* /*sender*/, const char* message)
{
	if (message == VSTGUI::CVSTGUITimer::kMsgTimer ||
	    (message && std::strcmp (message, VSTGUI::CVSTGUITimer::kMsgTimer) == 0))
	{
		if (frame)
			frame->idle ();
		return VSTGUI::kMessageNotified;
	}
	return VSTGUI::kMessageUnknown;
}

} // namespace Vst
} // namespace Steinberg
