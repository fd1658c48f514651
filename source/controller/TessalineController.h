// The edit controller that hosts create: the Controller plus the editor view and its view list.
#pragma once

#include "controller/Controller.h"

#include <vector>

namespace Steinberg {
namespace Vst {

class TessalineController : public Controller
{
public:
	// The factory's create function: a new controller as its IEditController, or null.
	static FUnknown* createInstance (void* context);

	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API terminate () SMTG_OVERRIDE;

	// Sets the parameter, then hands the value, exactly as received (NaN as 0), to every attached
	// view; values outside 0 to 1 reach the views unclamped.
	tresult PLUGIN_API setParamNormalized (ParamID tag, ParamValue value) SMTG_OVERRIDE;

	// The editor for the view name "editor", else null; null as well where the platform has no
	// window system for the editor.
	IPlugView* PLUGIN_API createView (FIDString name) SMTG_OVERRIDE;

	// Called by the SDK's EditorView. Views that implement ParameterView join the list while
	// attached; a view destroyed while still listed (a host that never detached it) leaves it too.
	void editorDestroyed (EditorView* editor) SMTG_OVERRIDE;
	void editorAttached (EditorView* editor) SMTG_OVERRIDE;
	void editorRemoved (EditorView* editor) SMTG_OVERRIDE;

	// Appends the view (a view attached twice stands twice); removes its first entry.
	void addView (EditorView* view);
	void removeView (EditorView* view);

	// The editor's current factory preset; no state saves it, initialize sets it to 0.
	void setPresetIndex (int32 index);
	int32 getPresetIndex () const;

private:
	std::vector<EditorView*> views; // not owned
	int32 presetIndex = 0;
};

} // namespace Vst
} // namespace Steinberg
