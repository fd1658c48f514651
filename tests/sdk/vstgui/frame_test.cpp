// The frame: draw order, redraw of dirty areas only, the modal view on top, sizes and PNG output.
#include "vstgui_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

using namespace VSTGUI;
using namespace VSTGUI::Testing;

namespace {

// A view that fills its rectangle with one colour and counts its draws.
class Patch : public CView
{
public:
	Patch (const CRect& r, CColor c) : CView (r), color (c) {}
	void draw (CDrawContext* context) override
	{
		++draws;
		context->fillRect (size, color);
		setDirty (false);
	}
	CColor color;
	int draws {0};
};

const CColor kRed (255, 0, 0, 255);
const CColor kGreen (0, 255, 0, 255);
const CColor kBack (1, 2, 3, 255);

} // namespace

TEST (CFrameTest, ViewsDrawInAddOrderOverTheBackground)
{
	CFrame* frame = new CFrame (CRect (0, 0, 60, 40), nullptr, nullptr);
	frame->setBackgroundColor (kBack);
	CBitmap* back = makeSolid (30, 40, CColor (9, 9, 9, 255));
	frame->setBackground (back);
	back->forget ();
	frame->addView (new Patch (CRect (10, 10, 40, 30), kRed));
	frame->addView (new Patch (CRect (20, 0, 50, 20), kGreen));
	EXPECT_FALSE (frame->addView (nullptr));
	frame->idle ();
	const CPixelBuffer& px = frame->getBackBuffer ();
	EXPECT_EQ (px.getPixel (15, 25), kRed);
	EXPECT_EQ (px.getPixel (25, 15), kGreen); // the later view covers the earlier one
	EXPECT_EQ (px.getPixel (5, 5), CColor (9, 9, 9, 255));
	EXPECT_EQ (px.getPixel (55, 35), kBack); // past the background image
	EXPECT_EQ (frame->getNbViews (), 2);
	frame->forget ();
}

TEST (CFrameTest, IdleRedrawsOnlyWhatChanged)
{
	CFrame* frame = new CFrame (CRect (0, 0, 300, 100), nullptr, nullptr);
	auto* left = new Patch (CRect (0, 0, 100, 100), kRed);
	auto* middle = new Patch (CRect (100, 0, 200, 100), kGreen);
	CBitmap* strip = makeFilmstrip (50, 50, 3);
	auto* knob = new CAnimKnob (CRect (220, 20, 270, 70), nullptr, 1, strip);
	strip->forget ();
	frame->addView (left);
	frame->addView (middle);
	frame->addView (knob);
	frame->idle ();
	Platform::HeadlessFrame* window = Platform::HeadlessFrame::of (frame);
	ASSERT_NE (window, nullptr);
	EXPECT_EQ (window->takeShownArea (), CRect (0, 0, 300, 100));
	const int leftDraws = left->draws, middleDraws = middle->draws;

	frame->idle (); // nothing changed
	EXPECT_EQ (window->takeShownArea (), CRect ());
	EXPECT_FALSE (frame->hasDirtyArea ());

	knob->setValue (1.f);
	EXPECT_TRUE (frame->hasDirtyArea ());
	frame->idle ();
	EXPECT_EQ (window->takeShownArea (), CRect (220, 20, 270, 70));
	EXPECT_EQ (frame->getBackBuffer ().getPixel (240, 40).red, 2);
	EXPECT_EQ (left->draws, leftDraws);
	EXPECT_EQ (middle->draws, middleDraws);

	// An invalidated strip redraws only the views it touches, clipped to it.
	middle->color = CColor (0, 0, 255, 255);
	frame->invalidateRect (CRect (150, 10, 160, 20));
	frame->idle ();
	EXPECT_EQ (left->draws, leftDraws);
	EXPECT_EQ (middle->draws, middleDraws + 1);
	EXPECT_EQ (frame->getBackBuffer ().getPixel (155, 15), CColor (0, 0, 255, 255));
	EXPECT_EQ (frame->getBackBuffer ().getPixel (165, 15), kGreen);
	frame->forget ();
}

TEST (CFrameTest, ModalViewIsDrawnLastAndRemovedViewsAreForgotten)
{
	CFrame* frame = new CFrame (CRect (0, 0, 100, 100), nullptr, nullptr);
	auto* under = new Patch (CRect (0, 0, 50, 50), kRed);
	auto* over = new Patch (CRect (25, 25, 75, 75), kGreen);
	frame->addView (under);
	frame->addView (over);
	EXPECT_TRUE (frame->setModalView (under));
	EXPECT_FALSE (frame->setModalView (over));
	frame->idle ();
	EXPECT_EQ (frame->getBackBuffer ().getPixel (30, 30), kRed);
	EXPECT_TRUE (frame->setModalView (nullptr));
	frame->idle ();
	EXPECT_EQ (frame->getBackBuffer ().getPixel (30, 30), kGreen);

	under->remember ();
	EXPECT_TRUE (frame->removeView (under));
	EXPECT_FALSE (frame->removeView (under));
	EXPECT_EQ (under->getNbReference (), 1);
	EXPECT_FALSE (under->isAttached ());
	under->forget ();
	frame->idle ();
	EXPECT_EQ (frame->getBackBuffer ().getPixel (10, 10), kBlackCColor);
	frame->forget ();
}

TEST (CFrameTest, SetSizeAcceptsOnlyDrawableSizes)
{
	CFrame* frame = new CFrame (CRect (0, 0, 1105, 381), nullptr, nullptr);
	EXPECT_FALSE (frame->setSize (0, 381));
	EXPECT_FALSE (frame->setSize (-5, 10));
	EXPECT_FALSE (frame->setSize (1e9, 10));
	EXPECT_FALSE (frame->setSize (std::numeric_limits<double>::quiet_NaN (), 10));
	EXPECT_EQ (frame->getBackBuffer ().getWidth (), 1105);
	EXPECT_TRUE (frame->setSize (1155, 431));
	EXPECT_EQ (frame->getViewSize (), CRect (0, 0, 1155, 431));
	EXPECT_EQ (frame->getBackBuffer ().getHeight (), 431);
	frame->forget ();
}

TEST (CFrameTest, WritesItsPixelsAsAPNG)
{
	CFrame* frame = new CFrame (CRect (0, 0, 40, 30), nullptr, nullptr);
	frame->addView (new Patch (CRect (5, 5, 20, 20), kRed));
	const char* path = "vstgui_frame_test.png";
	ASSERT_TRUE (frame->writePNG (path));
	std::ifstream in (path, std::ios::binary);
	const std::vector<char> bytes ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char> ());
	const CPixelBuffer decoded = CPixelBuffer::decode (bytes.data (), bytes.size ());
	EXPECT_TRUE (decoded == frame->getBackBuffer ());
	EXPECT_EQ (decoded.getPixel (10, 10), kRed);
	in.close ();
	std::remove (path);
	EXPECT_FALSE (frame->writePNG ("no/such/folder/x.png"));
	frame->forget ();
}
