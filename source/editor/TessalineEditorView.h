// The plug-in's editor: a fixed bitmap panel of 51 controls bound to the controller's parameters.
#pragma once

#include "controller/ParameterView.h"
#include "editor/EditorLayout.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivstplugview.h"
#include "public.sdk/source/vst/vstguieditor.h"

namespace Steinberg {
namespace Vst {

class TessalineController;

class TessalineEditorView : public VSTGUIEditor,
                            public VSTGUI::CControlListener,
                            public IParameterFinder,
                            public IContextMenuTarget,
                            public ParameterView
{
public:
	explicit TessalineEditorView (TessalineController* controller);
	// A host may release the view without removing it first: the window and the timer go here,
	// and a drag still open is ended, so the host is left with no open edit.
	~TessalineEditorView () override;

	// Whether the GUI layer of this platform can show the view in any kind of host window. Where
	// it cannot, a view could only be drawn off screen, never attached to a host.
	static bool hasWindowSystem ();

	bool PLUGIN_API open (void* parent) override;
	void PLUGIN_API close () override;

	// The controls take the edit brackets themselves (controlBeginEdit), with the parameter
	// rather than the tag that the editor base would pass on.
	void beginEdit (int32 index) override;
	void endEdit (int32 index) override;

	tresult PLUGIN_API canResize () override;
	tresult PLUGIN_API checkSizeConstraint (ViewRect* rect) override;
	tresult PLUGIN_API onSize (ViewRect* newSize) override;

	//---ParameterView: values from the controller, whatever their source
	// NaN is dropped and other values are held to 0 to 1 before any control sees them.
	void updateParameter (ParamID id, ParamValue value) override;

	//---IParameterFinder: which parameter lies under a point of the view
	tresult PLUGIN_API findParameter (int32 xPos, int32 yPos, ParamID& resultTag) override;

	//---IContextMenuTarget: the view offers no commands of its own
	tresult PLUGIN_API executeMenuItem (int32 tag) override;

	//---CControlListener: gestures, dispatched on the control's tag
	void valueChanged (VSTGUI::CControl* control) override;
	long controlModifierClicked (VSTGUI::CControl* control, long button) override;
	void controlBeginEdit (VSTGUI::CControl* control) override;
	void controlEndEdit (VSTGUI::CControl* control) override;

	// Applies the factory preset whose index the controller holds; any other index applies nothing.
	void loadPreset ();

	// The last level value that reached the view; nothing draws it.
	float getVuValue () const { return vuValue; }

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) override;
	REFCOUNT_METHODS (VSTGUIEditor)

private:
	VSTGUI::CControl* controlOfTag (int32 tag) const;
	VSTGUI::CControl* createControl (const EditorControlLayout& row, VSTGUI::CBitmap* image);
	void editValue (VSTGUI::CControl* control, const EditorControlLayout& row);
	void enterText (VSTGUI::CControl* field, const EditorControlLayout& row);
	void stepPreset (int32 step);

	VSTGUI::CBitmap* background {nullptr};
	float vuValue {0.f};
	// In layout order, the version label among them; set from open to close, owned by the frame.
	VSTGUI::CControl* controls[kNumEditorControls] {};
	TessalineController* tessalineController; // the same object as `controller`; no reference
};

} // namespace Vst
} // namespace Steinberg
