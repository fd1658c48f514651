// The stand-in host's editor side: creation through the controller, headless attach, gestures.
#include "EditorTestSupport.h"

#include "vstgui_test_support.h"

namespace EditorTesting {

using namespace VSTGUI;

namespace {

// Made as createView makes it: on a platform without a window system createView gives none.
IPlugView* createAttached (ControllerTesting::HostedController& controller)
{
	IPlugView* view = new TessalineEditorView (&controller.object ());
	view->attached (nullptr, kPlatformTypeHWND);
	return view;
}

} // namespace

EditorSession::EditorSession ()
{
	auto* handler = new ControllerTesting::RecordingHandler (hostCalls);
	controller->setComponentHandler (handler);
	handler->release ();
	plugView = createAttached (controller);
	editor = dynamic_cast<TessalineEditorView*> (plugView);
}

EditorSession::~EditorSession ()
{
	for (IPlugView* view : otherViews)
	{
		view->removed ();
		view->release ();
	}
	if (plugView)
	{
		plugView->removed ();
		plugView->release ();
	}
}

TessalineEditorView* EditorSession::openAnotherView ()
{
	otherViews.push_back (createAttached (controller));
	return dynamic_cast<TessalineEditorView*> (otherViews.back ());
}

CControl* EditorSession::controlIn (const TessalineEditorView& view, int32 tag)
{
	CFrame* frame = view.getFrame ();
	for (int32 i = 0; frame && i < frame->getNbViews (); ++i)
	{
		auto* control = dynamic_cast<CControl*> (frame->getView (i));
		if (control && control->getTag () == tag)
			return control;
	}
	return nullptr;
}

CControl* EditorSession::control (int32 tag) const { return controlIn (*editor, tag); }

std::string shownText (const TessalineEditorView& view, int32 textTag)
{
	auto* field = dynamic_cast<CTextEdit*> (EditorSession::controlIn (view, textTag));
	return field ? field->getText () : "(no field)";
}

std::string EditorSession::text (int32 tag) const { return shownText (*editor, tag); }

CPoint EditorSession::centre (int32 tag) const
{
	const CRect& r = control (tag)->getViewSize ();
	return CPoint ((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void EditorSession::click (CCoord x, CCoord y, int32 buttons) { Testing::click (frame (), x, y, buttons); }

void EditorSession::drag (int32 tag, CCoord dy, int steps)
{
	const CPoint start = centre (tag);
	Testing::press (frame (), start.x, start.y);
	for (int step = 1; step <= steps; ++step)
		Testing::move (frame (), start.x, start.y + dy * step);
	Testing::release (frame (), start.x, start.y + dy * steps);
}

void EditorSession::type (int32 tag, const std::string& text)
{
	click (tag);
	Testing::typeText (frame (), text.c_str ());
	Testing::typeVirtual (frame (), VKEY_RETURN);
}

void EditorSession::chooseInMenu (int32 tag, int32 entry)
{
	Platform::HeadlessFrame::of (&frame ())->queueMenuChoice (entry);
	click (tag);
}

std::vector<Call> EditorSession::takeHostCalls ()
{
	std::vector<Call> taken;
	taken.swap (hostCalls);
	return taken;
}

} // namespace EditorTesting
