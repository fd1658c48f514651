// The frame's window when there is none: nothing is shown, menus answer from a queue of choices.
#pragma once

#include "iplatformframe.h"

#include <deque>

namespace VSTGUI {
namespace Platform {

class HeadlessFrame : public IFrame
{
public:
	void invalidRect (const CRect& rect) override;
	bool setSize (const CRect& size) override;
	int32_t popupMenu (COptionMenu& menu) override;
	bool startTextEdit (CTextEdit&) override { return false; }
	void stopTextEdit (CTextEdit&, std::string&) override {}

	// The next pop-up menu picks this entry; with no queued choice a menu is dismissed (-1).
	void queueMenuChoice (int32_t index) { menuChoices.push_back (index); }
	int32_t getMenusShown () const { return menusShown; }
	// Union of the areas shown since the last call.
	CRect takeShownArea ();

	// The headless window of a frame, or null when the frame has a real one.
	static HeadlessFrame* of (CFrame* frame);

private:
	std::deque<int32_t> menuChoices;
	int32_t menusShown {0};
	CRect shownArea;
};

// A timer that never fires by itself: tests tick CVSTGUITimer::fire.
std::unique_ptr<ITimer> createHeadlessTimer ();

} // namespace Platform
} // namespace VSTGUI
