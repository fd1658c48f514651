// Opens the editor in a top-level window as a Windows host does, waits while input arrives from
// outside (xdotool on the X display that wine draws on), then asks the controller what changed.
//
// Usage: tessaline_editor_window <folder>. Writes <folder>/ready.txt with the screen position of
// the editor's top left once it is shown, and ends when <folder>/done.txt appears (or after a
// minute). Exit status 0 when the controller and the host's handler saw every expected edit.
#include "controller/TessalineController.h"
#include "processor/ParameterIds.h"

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <utility>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr int kGiveUpAfterPolls = 600; // 100 ms each

// Which parameters the host saw edited, and how.
class HandlerLog : public FObject, public IComponentHandler
{
public:
	tresult PLUGIN_API beginEdit (ParamID id) override { return note ("begin", id); }
	tresult PLUGIN_API performEdit (ParamID id, ParamValue) override { return note ("perform", id); }
	tresult PLUGIN_API endEdit (ParamID id) override { return note ("end", id); }
	tresult PLUGIN_API restartComponent (int32) override { return kResultOk; }

	bool saw (const char* what, ParamID id) const { return seen.count ({what, id}) > 0; }

	OBJ_METHODS (HandlerLog, FObject)
	DEFINE_INTERFACES
		DEF_INTERFACE (IComponentHandler)
	END_DEFINE_INTERFACES (FObject)
	REFCOUNT_METHODS (FObject)

private:
	tresult note (const char* what, ParamID id)
	{
		seen.insert ({what, id});
		return kResultOk;
	}
	std::set<std::pair<std::string, ParamID>> seen;
};

std::string folder;
int polls = 0;

bool exists (const std::string& path) { return GetFileAttributesA (path.c_str ()) != INVALID_FILE_ATTRIBUTES; }

LRESULT CALLBACK hostWindowProc (HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_TIMER && wParam == kPollTimer && (exists (folder + "\\done.txt") || ++polls > kGiveUpAfterPolls))
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

HWND createHostWindow (int clientWidth, int clientHeight)
{
	WNDCLASSW windowClass {};
	windowClass.lpfnWndProc = hostWindowProc;
	windowClass.hInstance = GetModuleHandleW (nullptr);
	windowClass.hCursor = LoadCursor (nullptr, IDC_ARROW);
	windowClass.lpszClassName = L"TessalineEditorHost";
	RegisterClassW (&windowClass);
	const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
	RECT frame {0, 0, clientWidth, clientHeight};
	AdjustWindowRect (&frame, style, FALSE);
	return CreateWindowExW (0, L"TessalineEditorHost", L"Tessaline", style | WS_VISIBLE, 40, 40,
	                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
	                        GetModuleHandleW (nullptr), nullptr);
}

bool check (bool ok, const char* what)
{
	std::printf ("%s: %s\n", ok ? "ok" : "FAILED", what);
	return ok;
}

} // namespace

int main (int argc, char** argv)
{
	if (argc < 2)
	{
		std::fprintf (stderr, "usage: %s <folder>\n", argv[0]);
		return 2;
	}
	folder = argv[1];

	HostApplication hostContext;
	auto* controller = static_cast<IEditController*> (TessalineController::createInstance (nullptr));
	auto& tessaline = *static_cast<TessalineController*> (controller);
	controller->initialize (&hostContext);
	auto* handler = new HandlerLog;
	controller->setComponentHandler (handler);

	IPlugView* view = controller->createView (ViewType::kEditor);
	ViewRect size {};
	if (!view || view->isPlatformTypeSupported (kPlatformTypeHWND) != kResultTrue || view->getSize (&size) != kResultOk)
		return check (false, "editor view for HWND") ? 0 : 1;
	HWND window = createHostWindow (size.getWidth (), size.getHeight ());
	if (!window || view->attached (window, kPlatformTypeHWND) != kResultOk)
		return check (false, "editor attached to a top-level window") ? 0 : 1;
	UpdateWindow (window);
	SetForegroundWindow (window);

	POINT origin {0, 0};
	ClientToScreen (window, &origin);
	if (FILE* ready = std::fopen ((folder + "\\ready.txt").c_str (), "w"))
	{
		std::fprintf (ready, "%ld %ld\n", origin.x, origin.y);
		std::fclose (ready);
	}
	const ParamValue predelayBefore = controller->getParamNormalized (kPredelay);

	SetTimer (window, kPollTimer, 100, nullptr);
	MSG message;
	while (GetMessageW (&message, nullptr, 0, 0) > 0)
	{
		TranslateMessage (&message);
		DispatchMessageW (&message);
	}

	// The input script clicks "next", drags the predelay knob up, switches the E.R. bypass on and
	// types -12 into the dry field, in that order (the preset would undo the others).
	bool ok = check (tessaline.getPresetIndex () == 1, "next preset chose \"Ambience\"");
	ok &= check (controller->getParamNormalized (kPredelay) > predelayBefore + 0.05, "predelay knob dragged up");
	ok &= check (handler->saw ("begin", kPredelay) && handler->saw ("end", kPredelay), "drag bracketed for the host");
	ok &= check (controller->getParamNormalized (kBypassEarlyReflections) == 1.0, "E.R. bypass switched on");
	ok &= check (handler->saw ("perform", kBypassEarlyReflections), "bypass reached the host");
	ok &= check (std::fabs (controller->getParamNormalized (kDry) - 0.2511886) < 1e-6, "-12 typed into the dry field");
	ok &= check (polls <= kGiveUpAfterPolls, "input script finished in time");

	view->removed ();
	view->release ();
	DestroyWindow (window);
	controller->terminate ();
	controller->release ();
	handler->release ();
	return ok ? 0 : 1;
}
