// The module's images: every one found by name ignoring case, with its size and frame count.
#include "vstgui/vstgui.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

struct ImageFact
{
	const char* name;
	int width;
	int height;
	int frameHeight; // one knob frame or button state
};

const ImageFact kImages[] = {
	{"Background.png", 1105, 381, 381},  {"Knob_green.png", 88, 8888, 88},   {"Knob_large.png", 140, 21140, 140},
	{"Knob_blue.png", 88, 8888, 88},     {"Knob_orange.png", 88, 8888, 88},  {"Knob_orange2.png", 88, 8888, 88},
	{"Fader_left.png", 52, 73, 73},      {"Fader_right.png", 52, 73, 73},    {"DRY_bp.png", 41, 62, 31},
	{"E.R_bp.png", 42, 62, 31},          {"REVERB_bp.png", 70, 62, 31},      {"WET_bp.png", 42, 62, 31},
	{"last_preset.png", 23, 54, 27},     {"next_preset.png", 23, 54, 27},    {"lock_button.png", 23, 54, 27},
	{"Toggle_bp.png", 156, 58, 29},      {"About.png", 400, 380, 380},
};

} // namespace

TEST (ImagesTest, EveryImageIsPresentWithItsSizeAndFrameCount)
{
	for (const ImageFact& fact : kImages)
	{
		SCOPED_TRACE (fact.name);
		CBitmap* bitmap = new CBitmap (CResourceDescription (fact.name));
		ASSERT_TRUE (bitmap->isLoaded ());
		EXPECT_EQ (bitmap->getWidth (), fact.width);
		EXPECT_EQ (bitmap->getHeight (), fact.height);
		EXPECT_EQ (fact.height % fact.frameHeight, 0);
		bitmap->forget ();
	}
	// Knob frame counts as the knobs see them.
	CBitmap* green = new CBitmap (CResourceDescription ("Knob_green.png"));
	CBitmap* large = new CBitmap (CResourceDescription ("Knob_large.png"));
	CAnimKnob* greenKnob = new CAnimKnob (CRect (0, 0, 88, 88), nullptr, 0, green, CPoint (0, 88));
	CAnimKnob* largeKnob = new CAnimKnob (CRect (0, 0, 140, 140), nullptr, 0, large, CPoint (0, 140));
	EXPECT_EQ (greenKnob->getNumSubPixmaps (), 101);
	EXPECT_EQ (largeKnob->getNumSubPixmaps (), 151);
	greenKnob->forget ();
	largeKnob->forget ();
	green->forget ();
	large->forget ();
}

TEST (ImagesTest, LookupIgnoresCaseAndAMissingImageIsEmpty)
{
	CBitmap* asked = new CBitmap (CResourceDescription ("E.R_bp.png"));
	CBitmap* upper = new CBitmap (CResourceDescription ("E.R_BP.PNG"));
	CBitmap* lower = new CBitmap (CResourceDescription ("e.r_bp.png"));
	EXPECT_TRUE (asked->getPixelBuffer () == upper->getPixelBuffer ());
	EXPECT_TRUE (asked->getPixelBuffer () == lower->getPixelBuffer ());

	for (const char* name : {"Missing.png", "", "E.R_bp", "E.R_bp.png.png"})
	{
		CBitmap* missing = new CBitmap (CResourceDescription (name));
		EXPECT_FALSE (missing->isLoaded ()) << name;
		EXPECT_EQ (missing->getWidth (), 0);
		EXPECT_EQ (missing->getHeight (), 0);
		missing->forget ();
	}
	CBitmap* byNull = new CBitmap (CResourceDescription (static_cast<const char*> (nullptr)));
	EXPECT_FALSE (byNull->isLoaded ());
	byNull->forget ();
	asked->forget ();
	upper->forget ();
	lower->forget ();
}

TEST (ImagesTest, MissingImagesDrawNothingAndDivideByNothing)
{
	CFrame* frame = new CFrame (CRect (0, 0, 200, 200), nullptr, nullptr);
	CBitmap* missing = new CBitmap (CResourceDescription ("Nothing.png"));
	frame->setBackgroundColor (CColor (10, 20, 30, 255));
	frame->setBackground (missing);
	auto* knob = new CAnimKnob (CRect (0, 0, 88, 88), nullptr, 1, missing);
	auto* fader = new CVerticalSlider (CRect (100, 0, 152, 150), nullptr, 2, CPoint (0, 0), 150, missing, nullptr,
	                                   CPoint (0, 0), kRight);
	auto* button = new COnOffButton (CRect (0, 100, 40, 131), nullptr, 3, missing);
	knob->setValue (0.7f);
	fader->setValue (0.3f);
	button->setValue (1.f);
	frame->addView (knob);
	frame->addView (fader);
	frame->addView (button);
	frame->idle ();
	EXPECT_EQ (knob->getNumSubPixmaps (), 0);
	EXPECT_EQ (knob->getFrameIndex (), 0);
	EXPECT_EQ (fader->getTravel (), 150);
	for (int y = 0; y < 200; y += 7)
		for (int x = 0; x < 200; x += 7)
			ASSERT_EQ (frame->getBackBuffer ().getPixel (x, y), CColor (10, 20, 30, 255));
	missing->forget ();
	frame->forget ();
}
