// What the VST 2.4 wrapper needs from the platform: the editor's window type and the UI timer.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <cstdint>

namespace Steinberg {
namespace Vst {

// The kind of parent window a VST 2.4 host hands to effEditOpen on this platform, in the
// view platform type names of VST 3 ("HWND" on Windows, an X11 window id on Linux).
extern const FIDString kVst2EditorPlatformType;

// The wrapper's 50 ms timer on the thread that starts it (the host's UI thread). Where the
// platform offers no timer without an event loop of our own (Linux), start() answers false and
// the host's effEditIdle calls do the work alone.
class Vst2UiTimer
{
public:
	class Client
	{
	public:
		virtual void onUiTimer () = 0;

	protected:
		~Client () = default;
	};

	static constexpr uint32 kIntervalMilliseconds = 50;

	explicit Vst2UiTimer (Client& client) : client (client) {}
	~Vst2UiTimer () { stop (); }
	Vst2UiTimer (const Vst2UiTimer&) = delete;
	Vst2UiTimer& operator= (const Vst2UiTimer&) = delete;

	// Both on the thread that the ticks are to come on; start while running changes nothing.
	bool start ();
	void stop ();
	bool isRunning () const { return handle != 0; }

	// Called by the platform's tick.
	void tick () { client.onUiTimer (); }

private:
	Client& client;
	uintptr_t handle = 0;
};

} // namespace Vst
} // namespace Steinberg
