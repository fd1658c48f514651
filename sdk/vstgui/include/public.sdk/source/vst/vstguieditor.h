// The VST 3 editor base for views built on the GUI layer: attach, idle timer, size, edit brackets.
#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "vstgui/vstgui.h"

namespace Steinberg {
namespace Vst {

class VSTGUIEditor : public EditorView, public VSTGUI::VSTGUIEditorInterface, public VSTGUI::CBaseObject
{
public:
	VSTGUIEditor (EditController* controller, ViewRect* size = nullptr);
	// Stops the timer and drops a frame that is still open (the subclass's close can no longer run).
	~VSTGUIEditor () override;

	// Builds the frame in parent (null: headless); true when it stands.
	virtual bool PLUGIN_API open (void* parent) = 0;
	virtual void PLUGIN_API close () = 0;

	// Period of the idle timer that redraws the frame while attached.
	void setIdleRate (int32 millisec);

	//---VSTGUIEditorInterface: the controller's edit brackets and knob mode
	void beginEdit (int32 index) override;
	void endEdit (int32 index) override;
	int32 getKnobMode () const override;

	//---IPlugView
	tresult PLUGIN_API isPlatformTypeSupported (FIDString type) override;
	tresult PLUGIN_API attached (void* parent, FIDString type) override;
	tresult PLUGIN_API removed () override;
	tresult PLUGIN_API onSize (ViewRect* newSize) override;
	tresult PLUGIN_API onKeyDown (char16 key, int16 keyMsg, int16 modifiers) override;
	tresult PLUGIN_API onKeyUp (char16 key, int16 keyMsg, int16 modifiers) override;

	//---CBaseObject: the timer's message redraws the frame
	VSTGUI::CMessageResult notify (VSTGUI::CBaseObject* sender, const char* message) override;

	// One reference count for both faces.
	void remember () override { EditorView::addRef (); }
	void forget () override { EditorView::release (); }
	int32_t getNbReference () const override { return const_cast<VSTGUIEditor*> (this)->getRefCount (); }

	OBJ_METHODS (VSTGUIEditor, EditorView)
	REFCOUNT_METHODS (EditorView)

protected:
	VSTGUI::CVSTGUITimer* timer;
};

} // namespace Vst
} // namespace Steinberg
