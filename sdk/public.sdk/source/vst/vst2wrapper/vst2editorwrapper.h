// The VST 2.4 editor of a wrapped plug-in: the controller's VST 3 view in the host's window.
#pragma once

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include "public.sdk/source/vst2.x/aeffeditor.h"

namespace Steinberg {
namespace Vst {

class Vst2Wrapper;

// The view is made on the first getRect or open and released by close; it is the host's frame
// (IPlugFrame) for the view's resize requests.
class Vst2EditorWrapper : public ::AEffEditor, public IPlugFrame
{
public:
	Vst2EditorWrapper (Vst2Wrapper* wrapper, IEditController* controller);
	~Vst2EditorWrapper () override;

	//---from AEffEditor----------
	bool getRect (ERect** rect) override;
	bool open (void* ptr) override;
	void close () override;
	void idle () override;
	bool onKeyDown (VstKeyCode& keyCode) override;
	bool onKeyUp (VstKeyCode& keyCode) override;
	bool onWheel (float distance) override;
	bool setKnobMode (VstInt32 mode) override;

	//---from IPlugFrame----------
	tresult PLUGIN_API resizeView (IPlugView* view, ViewRect* newSize) SMTG_OVERRIDE;

	// Owned by the effect: references are not counted.
	tresult PLUGIN_API queryInterface (const TUID _iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }

private:
	bool ensureView ();
	void takeSize (const ViewRect& size);

	Vst2Wrapper* wrapper;
	IPtr<IEditController> controller;
	IPtr<IPlugView> view;
	ERect rect {};
};

} // namespace Vst
} // namespace Steinberg
