// A VST 2.4 host's editor window on Windows: the shipped DLL's editor opened in a top-level window
// through effEditOpen, driven from outside (xdotool on wine's X display), and a host parameter
// change while it is open. The host never sends effEditIdle: the wrapper's own timer must carry
// host changes into the editor.
//
// Usage: tessaline_vst2_editor_window <module> <folder>. Writes <folder>/ready.txt with the
// editor's top left on the screen; sets Width to 0 once <folder>/set.txt appears (then writes
// set-done.txt); ends when <folder>/done.txt appears or after a minute. Exit status 0 when the
// host saw every expected edit with its VST 2 index.
#include "host/HostWindowWin32.h"
#include "host/vst2/module.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using namespace vst2host;
using namespace TessalineHost;

constexpr UINT_PTR kPollTimer = 1;
constexpr int kGiveUpAfterPolls = 600; // 100 ms each
// VST 2 indices: the host's order without the bypass.
constexpr Int32 kDryIndex = 0;
constexpr Int32 kPredelayIndex = 1;
constexpr Int32 kWidthIndex = 2;
constexpr Int32 kBypassEarlyReflectionsIndex = 20;

std::string folder;
const Effect* effect = nullptr;
int polls = 0;
bool widthSet = false;

LRESULT CALLBACK hostWindowProc (HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_TIMER && wParam == kPollTimer)
	{
		if (!widthSet && fileExists (folder + "\\set.txt"))
		{
			// As automation playback does: from the host, not from the editor.
			effect->setParameter (kWidthIndex, 0.f);
			widthSet = true;
			touchFile (folder + "\\set-done.txt");
		}
		if (fileExists (folder + "\\done.txt") || ++polls > kGiveUpAfterPolls)
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

bool sawCall (const Host& host, Int32 opcode, Int32 index)
{
	for (const HostCall& call : host.callsOf (opcode))
		if (call.index == index)
			return true;
	return false;
}

bool sawAutomation (const Host& host, Int32 index, float value)
{
	for (const HostCall& call : host.callsOf (kHostAutomate))
		if (call.index == index && std::fabs (call.opt - value) < 1e-6f)
			return true;
	return false;
}

} // namespace

int main (int argc, char** argv)
{
	if (argc < 3)
	{
		std::fprintf (stderr, "usage: %s <module> <folder>\n", argv[0]);
		return 2;
	}
	folder = argv[2];
	Module module (argv[1]);
	Host host;
	Effect instance = module.create (host);
	if (!check (instance.valid () && (instance.flags () & kHasEditor), "effect with an editor"))
		return 1;
	effect = &instance;

	Rect* rect = nullptr;
	if (!check (instance.dispatch (kEditGetRect, 0, 0, &rect) == 1 && rect && rect->right - rect->left == 1105 &&
	                rect->bottom - rect->top == 381,
	            "editor rectangle 1105 x 381"))
		return 1;
	HWND window = createHostWindow (L"TessalineVst2Host", L"Tessaline (VST 2.4)", hostWindowProc, rect->right - rect->left, rect->bottom - rect->top);
	if (!check (window && instance.dispatch (kEditOpen, 0, 0, window) == 1, "editor opened in the host's window"))
		return 1;
	UpdateWindow (window);
	SetForegroundWindow (window);

	POINT origin {0, 0};
	ClientToScreen (window, &origin);
	if (FILE* ready = std::fopen ((folder + "\\ready.txt").c_str (), "w"))
	{
		std::fprintf (ready, "%ld %ld\n", origin.x, origin.y);
		std::fclose (ready);
	}

	SetTimer (window, kPollTimer, 100, nullptr);
	MSG message;
	while (GetMessageW (&message, nullptr, 0, 0) > 0)
	{
		TranslateMessage (&message);
		DispatchMessageW (&message);
	}

	// The script drags the predelay knob up, switches the E.R. bypass on and types -12 into the
	// dry field; every edit reaches the host with its VST 2 index.
	bool ok = check (sawCall (host, kHostBeginEdit, kPredelayIndex) && sawCall (host, kHostAutomate, kPredelayIndex) &&
	                     sawCall (host, kHostEndEdit, kPredelayIndex),
	                 "predelay drag: begin, automate, end with index 1");
	ok &= check (instance.getParameter (kPredelayIndex) > 0.15f, "predelay knob dragged up");
	ok &= check (sawAutomation (host, kBypassEarlyReflectionsIndex, 1.f), "E.R. bypass reached the host as index 20");
	ok &= check (sawAutomation (host, kDryIndex, 0.2511886f), "-12 dB typed into the dry field reached the host");
	ok &= check (widthSet && instance.getParameter (kWidthIndex) == 0.f, "the host set Width");
	ok &= check (polls <= kGiveUpAfterPolls, "input script finished in time");

	instance.dispatch (kEditClose);
	DestroyWindow (window);
	ok &= check (instance.close () == 1, "effClose");
	return ok ? 0 : 1;
}
