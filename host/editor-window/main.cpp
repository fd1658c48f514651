// Hosts the built module's editor in a top-level window as a Windows host does: the DLL is reached
// only through its exports, the view only through IEditController and IPlugView. Waits while input
// arrives from outside (xdotool on the X display that wine draws on), then asks the controller and
// the host's component handler what changed.
//
// Usage: tessaline_editor_window <folder> [module]. The module defaults to the build's own
// (module/Tessaline.vst3, two folders above this program). Writes <folder>/ready.txt with the
// screen position of the editor's top left once it is shown, and ends when <folder>/done.txt
// appears (or after a minute). Exit status 0 when the controller and the handler saw every
// expected edit.
#include "HostWindowWin32.h"
#include "PluginInstance.h"
#include "PluginModule.h"

#include "processor/ParameterIds.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace TessalineHost;

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr int kGiveUpAfterPolls = 600; // 100 ms each

std::string folder;
int polls = 0;

std::string defaultModulePath ()
{
	char program[MAX_PATH] {};
	GetModuleFileNameA (nullptr, program, MAX_PATH);
	std::string path (program);
	path.erase (path.find_last_of ("\\/") + 1);
	return path + "..\\..\\module\\Tessaline.vst3";
}

LRESULT CALLBACK hostWindowProc (HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_TIMER && wParam == kPollTimer && (fileExists (folder + "\\done.txt") || ++polls > kGiveUpAfterPolls))
	{
		PostQuitMessage (0);
		return 0;
	}
	if (message == WM_CLOSE)
	{
		PostQuitMessage (0);
		return 0;
	}
	return DefWindowProcW (hwnd, message, wParam, lParam);
}

int fail (const std::string& what)
{
	std::printf ("FAILED: %s\n", what.c_str ());
	return 1;
}

// Whether the handler saw an edit of this kind for the parameter; value gets the last one's value.
bool handlerSaw (const EditRecorder& handler, EditRecorder::Edit::Kind kind, ParamID id, ParamValue* value = nullptr)
{
	bool seen = false;
	for (const EditRecorder::Edit& edit : handler.edits ())
	{
		if (edit.kind != kind || edit.id != id)
			continue;
		seen = true;
		if (value)
			*value = edit.value;
	}
	return seen;
}

double plainValue (IEditController& controller, ParamID id)
{
	return controller.normalizedParamToPlain (id, controller.getParamNormalized (id));
}

// The window's part of the run: the view attached to a top-level window until the input is over.
int runWindow (IEditController& controller, const EditRecorder& handler)
{
	IPtr<IPlugView> view = owned (controller.createView (ViewType::kEditor));
	ViewRect size {};
	if (!view || view->isPlatformTypeSupported (kPlatformTypeHWND) != kResultTrue || view->getSize (&size) != kResultOk)
		return fail ("editor view for HWND");
	HWND window = createHostWindow (L"TessalineEditorHost", L"Tessaline", hostWindowProc, size.getWidth (), size.getHeight ());
	if (!window || view->attached (window, kPlatformTypeHWND) != kResultOk)
		return fail ("editor attached to a top-level window");
	UpdateWindow (window);
	SetForegroundWindow (window);

	POINT origin {0, 0};
	ClientToScreen (window, &origin);
	if (FILE* ready = std::fopen ((folder + "\\ready.txt").c_str (), "w"))
	{
		std::fprintf (ready, "%ld %ld\n", origin.x, origin.y);
		std::fclose (ready);
	}
	const ParamValue predelayBefore = controller.getParamNormalized (kPredelay);

	SetTimer (window, kPollTimer, 100, nullptr);
	MSG message;
	while (GetMessageW (&message, nullptr, 0, 0) > 0)
	{
		TranslateMessage (&message);
		DispatchMessageW (&message);
	}

	// The input script clicks "next", drags the predelay knob up, switches the E.R. bypass on and
	// types -12 into the dry field, in that order (the preset would undo the others). "Ambience"
	// has a decay of 0.55 s in a room of 22 %.
	bool ok = check (std::fabs (plainValue (controller, kDecayTime) - 0.55) < 1e-3 &&
	                     std::fabs (plainValue (controller, kRoomSize) - 22.0) < 1e-3,
	                 "next preset chose \"Ambience\"");
	ok &= check (handlerSaw (handler, EditRecorder::Edit::kPerform, kDecayTime), "preset reached the host");
	const ParamValue predelay = controller.getParamNormalized (kPredelay);
	ParamValue predelayEdit = -1.0;
	ok &= check (predelay > predelayBefore + 0.05, "predelay knob dragged up");
	ok &= check (handlerSaw (handler, EditRecorder::Edit::kBegin, kPredelay) &&
	                 handlerSaw (handler, EditRecorder::Edit::kPerform, kPredelay, &predelayEdit) &&
	                 handlerSaw (handler, EditRecorder::Edit::kEnd, kPredelay) && predelayEdit == predelay,
	             "drag bracketed for the host, ending at the controller's value");
	ok &= check (controller.getParamNormalized (kBypassEarlyReflections) == 1.0, "E.R. bypass switched on");
	ok &= check (handlerSaw (handler, EditRecorder::Edit::kPerform, kBypassEarlyReflections), "bypass reached the host");
	ParamValue dryEdit = -1.0;
	ok &= check (std::fabs (controller.getParamNormalized (kDry) - 0.2511886) < 1e-6 &&
	                 handlerSaw (handler, EditRecorder::Edit::kPerform, kDry, &dryEdit) &&
	                 dryEdit == controller.getParamNormalized (kDry),
	             "-12 typed into the dry field");
	ok &= check (polls <= kGiveUpAfterPolls, "input script finished in time");

	ok &= check (view->removed () == kResultOk, "editor removed");
	view = nullptr;
	DestroyWindow (window);
	return ok ? 0 : 1;
}

} // namespace

int main (int argc, char** argv)
{
	if (argc < 2)
	{
		std::fprintf (stderr, "usage: %s <folder> [module]\n", argv[0]);
		return 2;
	}
	folder = argv[1];
	const std::string modulePath = argc > 2 ? argv[2] : defaultModulePath ();

	std::string error;
	std::unique_ptr<PluginModule> module = PluginModule::load (modulePath, error);
	if (!module)
		return fail ("loading " + modulePath + ": " + error);
	std::unique_ptr<PluginInstance> plugin = PluginInstance::create (*module, error);
	if (!plugin)
		return fail ("creating the plug-in: " + error);
	if (!plugin->controller ())
		return fail ("the module made no edit controller");

	const int status = runWindow (*plugin->controller (), plugin->controllerEdits ());
	plugin.reset ();
	module.reset ();
	return status;
}
