// Pieces shared by our Windows test hosts that show an editor in a top-level window and talk to
// the script driving them through marker files.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace TessalineHost {

inline bool fileExists (const std::string& path)
{
	return GetFileAttributesA (path.c_str ()) != INVALID_FILE_ATTRIBUTES;
}

inline void touchFile (const std::string& path)
{
	if (FILE* file = std::fopen (path.c_str (), "w"))
		std::fclose (file);
}

// A visible top-level window whose client area has the given size, at a fixed place on screen.
inline HWND createHostWindow (const wchar_t* className, const wchar_t* title, WNDPROC procedure,
                              int clientWidth, int clientHeight)
{
	WNDCLASSW windowClass {};
	windowClass.lpfnWndProc = procedure;
	windowClass.hInstance = GetModuleHandleW (nullptr);
	windowClass.hCursor = LoadCursor (nullptr, IDC_ARROW);
	windowClass.lpszClassName = className;
	RegisterClassW (&windowClass);
	const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
	RECT frame {0, 0, clientWidth, clientHeight};
	AdjustWindowRect (&frame, style, FALSE);
	return CreateWindowExW (0, className, title, style | WS_VISIBLE, 40, 40,
	                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
	                        GetModuleHandleW (nullptr), nullptr);
}

// One line per check, as the driving script prints them.
inline bool check (bool ok, const char* what)
{
	std::printf ("%s: %s\n", ok ? "ok" : "FAILED", what);
	return ok;
}

} // namespace TessalineHost
