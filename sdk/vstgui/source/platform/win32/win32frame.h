// The frame's native child window on Windows.
#pragma once

#include "vstgui/lib/platform/iplatformframe.h"

#include <windows.h>

namespace VSTGUI {
namespace Platform {

HMODULE codeModule ();
// Null when the window cannot be made.
std::unique_ptr<IFrame> createWin32Frame (CFrame& frame, HWND parent);

} // namespace Platform
} // namespace VSTGUI
