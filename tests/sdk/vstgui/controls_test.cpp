// What the controls show for their values: knob frames, fader handle positions, menu indices, texts.
#include "vstgui_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace VSTGUI;
using namespace VSTGUI::Testing;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN ();

// The red channel of the filmstrip pixel that the frame shows in the knob's middle.
int shownFrame (CFrame& frame, CAnimKnob& knob)
{
	frame.invalid ();
	frame.idle ();
	const CRect& r = knob.getViewSize ();
	return frame.getBackBuffer ().getPixel (int (r.left + r.getWidth () / 2), int (r.top + r.getHeight () / 2)).red;
}

} // namespace

TEST (CAnimKnobTest, FrameFollowsValueClampedWithNaNAsZero)
{
	CFrame* frame = new CFrame (CRect (0, 0, 100, 100), nullptr, nullptr);
	// 11 frames of 20 rows plus 5 rows that make no whole frame.
	CBitmap* strip = makeFilmstrip (20, 20, 11, 5);
	auto* knob = new CAnimKnob (CRect (10, 10, 30, 30), nullptr, 1, strip, CPoint (0, 20));
	frame->addView (knob);
	EXPECT_EQ (knob->getNumSubPixmaps (), 11);

	const std::pair<float, int> cases[] = {{0.f, 0},  {1.f, 10},   {0.5f, 5},  {0.04f, 0}, {0.06f, 1},
	                                       {1.5f, 10}, {-0.5f, 0}, {kNaN, 0}, {std::numeric_limits<float>::infinity (), 10}};
	for (const auto& c : cases)
	{
		knob->setValue (c.first);
		EXPECT_GE (knob->getValue (), 0.f);
		EXPECT_LE (knob->getValue (), 1.f);
		EXPECT_EQ (knob->getFrameIndex (), c.second) << c.first;
		EXPECT_EQ (shownFrame (*frame, *knob), c.second) << c.first;
	}
	// The offset argument does not shift the image: value 0 shows the first frame.
	knob->setValue (0.f);
	EXPECT_EQ (shownFrame (*frame, *knob), 0);
	strip->forget ();
	frame->forget ();
}

TEST (CVerticalSliderTest, HandleTravelsOverRangeMinusHandleHeight)
{
	CFrame* frame = new CFrame (CRect (0, 0, 100, 400), nullptr, nullptr);
	CBitmap* handle = makeSolid (52, 73, CColor (250, 0, 0, 255));
	auto* fader = new CVerticalSlider (CRect (13, 80, 65, 363), nullptr, 1, CPoint (0, 0), 283, handle, nullptr,
	                                   CPoint (0, 0), kRight);
	frame->addView (fader);
	EXPECT_EQ (fader->getTravel (), 210);

	fader->setValue (0.f);
	EXPECT_EQ (fader->getHandleRect (), CRect (13, 290, 65, 363));
	fader->setValue (1.f);
	EXPECT_EQ (fader->getHandleRect (), CRect (13, 80, 65, 153));
	fader->setValue (0.5f);
	EXPECT_EQ (fader->getHandleRect ().top, 185);
	fader->setValue (kNaN);
	EXPECT_EQ (fader->getHandleRect ().top, 290);

	// The pixels agree: red inside the handle, black just above and below it.
	fader->setValue (0.5f);
	frame->idle ();
	const CPixelBuffer& px = frame->getBackBuffer ();
	EXPECT_EQ (px.getPixel (40, 185).red, 250);
	EXPECT_EQ (px.getPixel (40, 257).red, 250);
	EXPECT_EQ (px.getPixel (40, 184).red, 0);
	EXPECT_EQ (px.getPixel (40, 258).red, 0);

	// kTop turns the direction round.
	auto* topDown = new CVerticalSlider (CRect (0, 0, 52, 283), nullptr, 2, CPoint (0, 0), 283, handle, nullptr,
	                                     CPoint (0, 0), kTop);
	topDown->setValue (0.f);
	EXPECT_EQ (topDown->getHandleRect ().top, 0);
	topDown->forget ();
	handle->forget ();
	frame->forget ();
}

TEST (COptionMenuTest, ValueIsAnEntryIndexAndOthersAreIgnored)
{
	auto* menu = new COptionMenu (CRect (178, 82, 323, 112), nullptr, 7, nullptr, nullptr, kNoFrame);
	for (int i = 1; i <= 5; ++i)
		EXPECT_EQ (menu->addEntry (("Variation " + std::to_string (i)).c_str (), -1, 0), i - 1);
	EXPECT_EQ (menu->getNbEntries (), 5);
	EXPECT_STREQ (menu->getEntry (4), "Variation 5");
	EXPECT_EQ (menu->getEntry (5), nullptr);
	EXPECT_EQ (menu->getEntry (-1), nullptr);
	EXPECT_EQ (menu->addEntry (nullptr), -1);

	menu->setValue (2.f);
	EXPECT_EQ (menu->getValue (), 2.f);
	for (float ignored : {5.f, -1.f, 36.f, kNaN, std::numeric_limits<float>::infinity ()})
	{
		menu->setValue (ignored);
		EXPECT_EQ (menu->getValue (), 2.f) << ignored;
	}
	menu->setValue (3.9f);
	EXPECT_EQ (menu->getCurrentIndex (), 3);
	EXPECT_EQ (menu->getValue (), 3.f);
	menu->setValue (4.f);
	EXPECT_EQ (menu->getCurrentIndex (), 4);
	menu->forget ();
}

TEST (CTextEditTest, GetTextIsBoundedAndLongTextsAreCut)
{
	auto* field = new CTextEdit (CRect (82, 184, 165, 209), nullptr, 1, "", nullptr, kNoFrame);
	field->setText ("-12.00");
	char shortBuffer[4] = {'x', 'x', 'x', 'x'};
	field->getText (shortBuffer, sizeof (shortBuffer));
	EXPECT_STREQ (shortBuffer, "-12");
	char exact[7];
	field->getText (exact, sizeof (exact));
	EXPECT_STREQ (exact, "-12.00");
	field->getText (nullptr, 10);
	char untouched = 'u';
	field->getText (&untouched, 0);
	EXPECT_EQ (untouched, 'u');

	const std::string longText (1000, '7');
	field->setText (longText.c_str ());
	EXPECT_EQ (std::strlen (field->getText ()), CTextEdit::kMaxTextLength);
	field->setText (nullptr);
	EXPECT_STREQ (field->getText (), "");
	field->forget ();
}

TEST (CParamDisplayTest, TransparentNoFrameFieldDrawsOnlyCentredText)
{
	CFrame* frame = new CFrame (CRect (0, 0, 120, 40), nullptr, nullptr);
	frame->setBackgroundColor (CColor (0, 0, 255, 255));
	auto* field = new CTextEdit (CRect (10, 5, 110, 35), nullptr, 1, "", nullptr, kNoFrame);
	field->setFont (kNormalFontBig);
	field->setBackColor (kTransparentCColor);
	field->setFontColor (CColor (164, 164, 164, 255));
	frame->addView (field);
	frame->idle ();
	const CPixelBuffer before = frame->getBackBuffer ();
	for (int x = 0; x < 120; ++x)
		ASSERT_EQ (before.getPixel (x, 20), CColor (0, 0, 255, 255));

	field->setText ("0.00");
	frame->idle ();
	const CPixelBuffer& after = frame->getBackBuffer ();
	int left = 120, right = -1, top = 40, bottom = -1;
	for (int y = 0; y < 40; ++y)
		for (int x = 0; x < 120; ++x)
			if (after.getPixel (x, y) != CColor (0, 0, 255, 255))
				left = std::min (left, x), right = std::max (right, x), top = std::min (top, y),
				bottom = std::max (bottom, y);
	ASSERT_GE (right, left);
	// Inside the field, centred within a pixel or two, and no frame line.
	EXPECT_GE (left, 10);
	EXPECT_LT (right, 110);
	EXPECT_NEAR ((left + right) / 2.0, 60, 2);
	EXPECT_NEAR ((top + bottom) / 2.0, 20, 3);
	EXPECT_GT (left, 30);
	frame->forget ();
}

TEST (CButtonTest, OnOffAndKickButtonsShowTheStateImageOfTheirValue)
{
	CFrame* frame = new CFrame (CRect (0, 0, 100, 40), nullptr, nullptr);
	CBitmap* states = makeFilmstrip (23, 27, 2);
	auto* onOff = new COnOffButton (CRect (0, 0, 23, 27), nullptr, 1, states);
	auto* kick = new CKickButton (CRect (50, 0, 73, 27), nullptr, 2, states);
	frame->addView (onOff);
	frame->addView (kick);
	auto stateAt = [&] (int x) {
		frame->idle ();
		return frame->getBackBuffer ().getPixel (x, 13).red;
	};
	EXPECT_EQ (stateAt (10), 0);
	onOff->setValue (1.f);
	EXPECT_EQ (stateAt (10), 1);
	onOff->setValue (0.5f);
	EXPECT_EQ (stateAt (10), 0);
	kick->setValue (1.f);
	EXPECT_EQ (stateAt (60), 1);
	states->forget ();
	frame->forget ();
}
