// Windows: the host's parent window is an HWND; the UI timer is a USER32 thread timer.
#include "public.sdk/source/vst/vst2wrapper/vst2platform.h"

#include "pluginterfaces/gui/iplugview.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace Steinberg {
namespace Vst {

const FIDString kVst2EditorPlatformType = kPlatformTypeHWND;

namespace {

// Thread timers carry no user pointer, only the id that SetTimer chose. Starting, stopping and
// every tick happen on the one UI thread, so this table needs no lock.
std::vector<std::pair<UINT_PTR, Vst2UiTimer*>>& runningTimers ()
{
	static std::vector<std::pair<UINT_PTR, Vst2UiTimer*>> timers;
	return timers;
}

void CALLBACK onTimerMessage (HWND, UINT, UINT_PTR id, DWORD)
{
	for (const auto& entry : runningTimers ())
	{
		if (entry.first == id)
		{
			entry.second->tick ();
			return;
		}
	}
}

} // namespace

bool Vst2UiTimer::start ()
{
	if (handle != 0)
		return true;
	const UINT_PTR id = SetTimer (nullptr, 0, kIntervalMilliseconds, onTimerMessage);
	if (id == 0)
		return false;
	runningTimers ().emplace_back (id, this);
	handle = id;
	return true;
}

void Vst2UiTimer::stop ()
{
	if (handle == 0)
		return;
	KillTimer (nullptr, handle);
	// Out of the table even when the timer belongs to another thread and could not be killed:
	// a late tick then finds nobody to call.
	auto& timers = runningTimers ();
	timers.erase (std::remove_if (timers.begin (), timers.end (),
	                              [this] (const std::pair<UINT_PTR, Vst2UiTimer*>& entry) {
		                              return entry.second == this;
	                              }),
	              timers.end ());
	handle = 0;
}

} // namespace Vst
} // namespace Steinberg
