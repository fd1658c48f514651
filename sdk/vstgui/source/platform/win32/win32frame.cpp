// The frame's native child window on Windows.
#include "win32frame.h"

namespace VSTGUI {
namespace Platform {

std::unique_ptr<IFrame> createWin32Frame (CFrame&, HWND) { return nullptr; }

} // namespace Platform
} // namespace VSTGUI
