// The headless window: records what would be shown and answers menus from a queue.
#include "vstgui/lib/platform/headlessframe.h"

#include "vstgui/lib/cframe.h"

namespace VSTGUI {
namespace Platform {

void HeadlessFrame::invalidRect (const CRect& rect) { shownArea.unite (rect); }

bool HeadlessFrame::setSize (const CRect&) { return true; }

int32_t HeadlessFrame::popupMenu (COptionMenu&)
{
	++menusShown;
	if (menuChoices.empty ())
		return -1;
	const int32_t choice = menuChoices.front ();
	menuChoices.pop_front ();
	return choice;
}

CRect HeadlessFrame::takeShownArea ()
{
	const CRect area = shownArea;
	shownArea = CRect ();
	return area;
}

HeadlessFrame* HeadlessFrame::of (CFrame* frame)
{
	return frame ? dynamic_cast<HeadlessFrame*> (frame->getPlatformFrame ()) : nullptr;
}

namespace {

class HeadlessTimer : public ITimer
{
public:
	bool start (int32_t) override { return true; }
	void stop () override {}
};

} // namespace

std::unique_ptr<ITimer> createHeadlessTimer () { return std::make_unique<HeadlessTimer> (); }

} // namespace Platform
} // namespace VSTGUI
