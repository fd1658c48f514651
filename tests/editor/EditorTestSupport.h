// A stand-in host for the editor tests: the factory's controller with a recording component
// handler, and its editor attached headlessly and driven through the frame's entry points.
#pragma once

#include "ControllerTestSupport.h"

#include "editor/TessalineEditorView.h"
#include "vstgui/lib/platform/headlessframe.h"

#include <string>
#include <vector>

namespace EditorTesting {

using namespace Steinberg;
using namespace Steinberg::Vst;
using ControllerTesting::Call;

class EditorSession
{
public:
	EditorSession ();
	~EditorSession ();
	EditorSession (const EditorSession&) = delete;
	EditorSession& operator= (const EditorSession&) = delete;

	// A further view of the same controller, attached; released with the session.
	TessalineEditorView* openAnotherView ();

	ControllerTesting::HostedController& host () { return controller; }
	TessalineController& tessaline () { return controller.object (); }
	TessalineEditorView& view () { return *editor; }
	VSTGUI::CFrame& frame () { return *editor->getFrame (); }

	// The control of a tag in the open window (null when there is none).
	VSTGUI::CControl* control (int32 tag) const;
	static VSTGUI::CControl* controlIn (const TessalineEditorView& view, int32 tag);
	std::string text (int32 tag) const;
	VSTGUI::CPoint centre (int32 tag) const;

	// Mouse and keys at frame coordinates.
	void click (VSTGUI::CCoord x, VSTGUI::CCoord y, int32 buttons = VSTGUI::kLButton);
	void click (int32 tag) { click (centre (tag).x, centre (tag).y); }
	void drag (int32 tag, VSTGUI::CCoord dy, int steps);
	// Clicks the text field, types the text and presses Return.
	void type (int32 tag, const std::string& text);
	void chooseInMenu (int32 tag, int32 entry);

	// What reached the host since the last call ("begin", "perform", "end").
	std::vector<Call> takeHostCalls ();

private:
	std::vector<Call> hostCalls; // outlives the controller, which holds the handler
	ControllerTesting::HostedController controller;
	IPlugView* plugView {nullptr};
	TessalineEditorView* editor {nullptr};
	std::vector<IPlugView*> otherViews;
};

// The text that a view's text field shows.
std::string shownText (const TessalineEditorView& view, int32 textTag);

} // namespace EditorTesting
