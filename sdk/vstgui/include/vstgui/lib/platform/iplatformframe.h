// The seam between the layer and the windowing system: one source per platform implements it.
#pragma once

#include "../crect.h"

#include <cstddef>
#include <memory>
#include <string>

namespace VSTGUI {

class CFrame;
class COptionMenu;
class CTextEdit;

namespace Platform {

// The window a frame lives in.
class IFrame
{
public:
	virtual ~IFrame () = default;
	// The frame's back buffer changed inside rect: show it.
	virtual void invalidRect (const CRect& rect) = 0;
	virtual bool setSize (const CRect& size) = 0;
	// Shows the menu's entries at its position and waits: the chosen index, or -1.
	virtual int32_t popupMenu (COptionMenu& menu) = 0;
	// A native field takes over the editing of the text (true), or the layer edits it itself (false).
	virtual bool startTextEdit (CTextEdit& edit) = 0;
	// Ends the native editing; the field's text at that moment goes into text.
	virtual void stopTextEdit (CTextEdit& edit, std::string& text) = 0;
};

class ITimer
{
public:
	virtual ~ITimer () = default;
	virtual bool start (int32_t periodMs) = 0;
	virtual void stop () = 0;
};

// parent null gives the headless frame on every platform.
std::unique_ptr<IFrame> createFrame (CFrame& frame, void* parent);
// tick is called on the user-interface thread every periodMs while started.
std::unique_ptr<ITimer> createTimer (void (*tick) (void* context), void* context);
// The native window types this platform can live in ("HWND" on Windows).
bool isPlatformTypeSupported (const char* type);
// An embedded resource by name, ignoring case; the bytes stay valid for the module's lifetime.
bool findResource (const char* name, const void*& data, size_t& size);

} // namespace Platform
} // namespace VSTGUI
