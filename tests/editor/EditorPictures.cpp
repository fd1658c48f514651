// Writes pictures of the editor as a host would show it: the default view, the "Chorus B" preset
// and the open About screen, as PNG files in the folder given on the command line.
#include "controller/TessalineController.h"
#include "editor/TessalineEditorView.h"
#include "processor/ReverbSettings.h"

#include "public.sdk/source/common/memorystream.h"
#include "vstgui/lib/platform/headlessframe.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <cstdio>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int32 kChorusB = 35;

bool writeView (IPlugView* view, const std::string& folder, const char* name)
{
	auto* editor = dynamic_cast<TessalineEditorView*> (view);
	const std::string path = folder + "/" + name;
	if (!editor || !editor->getFrame () || !editor->getFrame ()->writePNG (path.c_str ()))
	{
		std::fprintf (stderr, "could not write %s\n", path.c_str ());
		return false;
	}
	std::printf ("wrote %s\n", path.c_str ());
	return true;
}

} // namespace

int main (int argc, char** argv)
{
	const std::string folder = argc > 1 ? argv[1] : ".";
	HostApplication hostContext;
	auto* controller = static_cast<IEditController*> (TessalineController::createInstance (nullptr));
	controller->initialize (&hostContext);
	// What a host hands over from a new processor.
	IPtr<MemoryStream> state = owned (new MemoryStream);
	defaultReverbSettings ().write (state);
	state->seek (0, IBStream::kIBSeekSet, nullptr);
	controller->setComponentState (state);

	// Made directly: on a platform without a window system createView gives no view.
	IPlugView* view = new TessalineEditorView (static_cast<TessalineController*> (controller));
	bool ok = view && view->attached (nullptr, kPlatformTypeHWND) == kResultOk;
	ok = ok && writeView (view, folder, "editor-default.png");
	if (ok)
	{
		// Chosen as a user chooses it: the preset menu, then a click on the logo for the About screen.
		VSTGUI::CFrame* frame = dynamic_cast<TessalineEditorView*> (view)->getFrame ();
		VSTGUI::Platform::HeadlessFrame::of (frame)->queueMenuChoice (kChorusB);
		for (VSTGUI::CPoint at : {VSTGUI::CPoint (460, 20), VSTGUI::CPoint (100, 20)})
		{
			frame->onMouseDown (at, VSTGUI::kLButton);
			frame->onMouseUp (at, VSTGUI::kLButton);
			ok = ok && writeView (view, folder, at.x > 200 ? "editor-chorus-b.png" : "editor-about.png");
		}
		view->removed ();
	}
	if (view)
		view->release ();
	controller->terminate ();
	controller->release ();
	return ok ? 0 : 1;
}
