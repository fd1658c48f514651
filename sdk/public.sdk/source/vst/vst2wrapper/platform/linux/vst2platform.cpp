// Linux: the host's parent window is an X11 window id; the UI work runs from the host's idle calls.
#include "public.sdk/source/vst/vst2wrapper/vst2platform.h"

#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg {
namespace Vst {

const FIDString kVst2EditorPlatformType = kPlatformTypeX11EmbedWindowID;

// A plug-in has no event loop of its own here: a timer would need a thread, and the work it does
// belongs on the host's UI thread. VST 2.4 hosts call effEditIdle while an editor is open, which is
// the only time the controller's values are seen, so that call carries the work.
bool Vst2UiTimer::start ()
{
	return false;
}

void Vst2UiTimer::stop ()
{
	handle = 0;
}

} // namespace Vst
} // namespace Steinberg
