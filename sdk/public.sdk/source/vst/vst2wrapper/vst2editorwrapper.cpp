// The editor wrapper: size, attachment, keys, wheel and knob mode of the VST 3 view.
#include "public.sdk/source/vst/vst2wrapper/vst2editorwrapper.h"

#include "public.sdk/source/vst/vst2wrapper/vst2platform.h"
#include "public.sdk/source/vst/vst2wrapper/vst2wrapper.h"

#include <cmath>
#include <limits>

namespace Steinberg {
namespace Vst {

namespace {

VstInt16 coordinate (int32 value)
{
	constexpr int32 kLow = std::numeric_limits<VstInt16>::min ();
	constexpr int32 kHigh = std::numeric_limits<VstInt16>::max ();
	return static_cast<VstInt16> (value < kLow ? kLow : (value > kHigh ? kHigh : value));
}

} // namespace

Vst2EditorWrapper::Vst2EditorWrapper (Vst2Wrapper* wrapper, IEditController* controller)
: AEffEditor (wrapper)
, wrapper (wrapper)
, controller (controller)
{
}

Vst2EditorWrapper::~Vst2EditorWrapper ()
{
	close ();
	view = nullptr;
}

bool Vst2EditorWrapper::ensureView ()
{
	if (view)
		return true;
	if (IPlugView* created = controller ? controller->createView (ViewType::kEditor) : nullptr)
		view = owned (created);
	return view != nullptr;
}

void Vst2EditorWrapper::takeSize (const ViewRect& size)
{
	rect.left = coordinate (size.left);
	rect.top = coordinate (size.top);
	rect.right = coordinate (size.right);
	rect.bottom = coordinate (size.bottom);
}

bool Vst2EditorWrapper::getRect (ERect** result)
{
	if (!result)
		return false;
	*result = nullptr;
	ViewRect size;
	if (!ensureView () || view->getSize (&size) != kResultTrue)
		return false;
	takeSize (size);
	*result = &rect;
	return true;
}

bool Vst2EditorWrapper::open (void* ptr)
{
	if (isOpen () || !ptr || !ensureView ())
		return false;
	// The view starts from the values the host set while it was closed.
	wrapper->onUiTimer ();
	// The size the host made its window for: the view's first resize request then needs no consent.
	ViewRect size;
	if (view->getSize (&size) == kResultTrue)
		takeSize (size);
	view->setFrame (this);
	if (view->attached (ptr, kVst2EditorPlatformType) != kResultTrue)
	{
		view->setFrame (nullptr);
		view = nullptr;
		return false;
	}
	AEffEditor::open (ptr);
	wrapper->startUiTimer ();
	return true;
}

void Vst2EditorWrapper::close ()
{
	wrapper->stopUiTimer ();
	if (view && isOpen ())
	{
		view->removed ();
		view->setFrame (nullptr);
	}
	view = nullptr;
	AEffEditor::close ();
}

void Vst2EditorWrapper::idle ()
{
	wrapper->onUiTimer ();
}

bool Vst2EditorWrapper::onKeyDown (VstKeyCode& keyCode)
{
	// VST 2.4 and VST 3 number their virtual keys and modifier bits alike.
	return view && isOpen () &&
	       view->onKeyDown (static_cast<char16> (keyCode.character), keyCode.virt, keyCode.modifier) == kResultTrue;
}

bool Vst2EditorWrapper::onKeyUp (VstKeyCode& keyCode)
{
	return view && isOpen () &&
	       view->onKeyUp (static_cast<char16> (keyCode.character), keyCode.virt, keyCode.modifier) == kResultTrue;
}

bool Vst2EditorWrapper::onWheel (float distance)
{
	return view && isOpen () && std::isfinite (distance) && view->onWheel (distance) == kResultTrue;
}

bool Vst2EditorWrapper::setKnobMode (VstInt32 mode)
{
	FUnknownPtr<IEditController2> controller2 (controller);
	return controller2 && controller2->setKnobMode (mode) == kResultTrue;
}

tresult PLUGIN_API Vst2EditorWrapper::resizeView (IPlugView* requester, ViewRect* newSize)
{
	if (!requester || requester != view || !newSize)
		return kInvalidArgument;
	const int32 width = newSize->right - newSize->left;
	const int32 height = newSize->bottom - newSize->top;
	if (width <= 0 || height <= 0)
		return kInvalidArgument;
	// The host already sized its window from getRect: only a change needs its consent.
	const bool unchanged = width == rect.right - rect.left && height == rect.bottom - rect.top;
	if (!unchanged && !wrapper->sizeWindow (width, height))
		return kResultFalse;
	takeSize (*newSize);
	view->onSize (newSize);
	return kResultTrue;
}

tresult PLUGIN_API Vst2EditorWrapper::queryInterface (const TUID _iid, void** obj)
{
	QUERY_INTERFACE (_iid, obj, FUnknown::iid, IPlugFrame)
	QUERY_INTERFACE (_iid, obj, IPlugFrame::iid, IPlugFrame)
	*obj = nullptr;
	return kNoInterface;
}

} // namespace Vst
} // namespace Steinberg
