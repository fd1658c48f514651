// Gestures through the frame's entry points, as a listener and the editor see them.
#include "vstgui_test_support.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VSTGUI;
using namespace VSTGUI::Testing;

namespace {

using Events = std::vector<std::string>;

class GestureTest : public ::testing::Test
{
protected:
	void SetUp () override
	{
		frame = new CFrame (CRect (0, 0, 1105, 381), nullptr, &rec);
		CBitmap* strip = makeFilmstrip (88, 88, 101);
		knob = new CAnimKnob (CRect (79, 101, 167, 189), &rec, 1, strip, CPoint (0, 88));
		strip->forget ();
		CBitmap* handle = makeSolid (52, 73, kWhiteCColor);
		fader = new CVerticalSlider (CRect (13, 80, 65, 363), &rec, 2, CPoint (0, 0), 283, handle, nullptr,
		                             CPoint (0, 0), kRight);
		handle->forget ();
		CBitmap* states = makeFilmstrip (42, 31, 2);
		onOff = new COnOffButton (CRect (932, 47, 974, 78), &rec, 3, states);
		kick = new CKickButton (CRect (329, 7, 352, 34), &rec, 4, states);
		states->forget ();
		field = new CTextEdit (CRect (82, 184, 165, 209), &rec, 5, "", nullptr, kNoFrame);
		field->setText ("-6.02");
		menu = new COptionMenu (CRect (178, 137, 323, 167), &rec, 6, nullptr, nullptr, kNoFrame);
		for (const char* entry : {"Variation 1", "Variation 2", "Variation 3", "Variation 4", "Variation 5"})
			menu->addEntry (entry);
		CBitmap* aboutImage = makeSolid (400, 380, CColor (200, 10, 10, 255));
		splash = new CSplashScreen (CRect (6, 5, 201, 36), &rec, 7, aboutImage, CRect (325, 0, 725, 380));
		aboutImage->forget ();
		for (CView* v : std::initializer_list<CView*> {knob, fader, onOff, kick, field, splash, menu})
			frame->addView (v);
		window = Platform::HeadlessFrame::of (frame);
	}
	void TearDown () override { frame->forget (); }

	Recorder rec;
	CFrame* frame {nullptr};
	CAnimKnob* knob {nullptr};
	CVerticalSlider* fader {nullptr};
	COnOffButton* onOff {nullptr};
	CKickButton* kick {nullptr};
	CTextEdit* field {nullptr};
	COptionMenu* menu {nullptr};
	CSplashScreen* splash {nullptr};
	Platform::HeadlessFrame* window {nullptr};
};

} // namespace

TEST_F (GestureTest, KnobDragFollowsLinearMovementBracketedByEdits)
{
	knob->setValue (0.5f);
	press (*frame, 120, 140);
	for (int i = 1; i <= 5; ++i)
		move (*frame, 120, 140 - 10 * i); // 50 pixels up: a quarter of the range
	release (*frame, 120, 90);
	EXPECT_NEAR (knob->getValue (), 0.75f, 1e-5);
	const Events expected {"frame-begin 1", "begin 1", "value 1", "value 1", "value 1", "value 1",
	                       "value 1",       "end 1",   "frame-end 1"};
	EXPECT_EQ (rec.events, expected);

	// Rightward movement counts as upward; the value stops at the ends.
	rec.clear ();
	press (*frame, 120, 140);
	move (*frame, 220, 140);
	move (*frame, 400, 0);
	release (*frame, 400, 0);
	EXPECT_EQ (knob->getValue (), 1.f);
	EXPECT_EQ (rec.values.size (), 1u); // clamped at 1 already after the first move
	press (*frame, 120, 140);
	move (*frame, 120, 1000);
	release (*frame, 120, 1000);
	EXPECT_EQ (knob->getValue (), 0.f);
}

TEST_F (GestureTest, ShiftDragIsTenTimesFinerAndSwitchesWithoutAJump)
{
	knob->setValue (0.5f);
	press (*frame, 120, 140, kLButton | kShift);
	move (*frame, 120, 40, kLButton | kShift); // 100 pixels
	EXPECT_NEAR (knob->getValue (), 0.55f, 1e-5);
	move (*frame, 120, 40, kLButton); // Shift let go: no change until the pointer moves
	EXPECT_NEAR (knob->getValue (), 0.55f, 1e-5);
	move (*frame, 120, 20, kLButton);
	EXPECT_NEAR (knob->getValue (), 0.65f, 1e-5);
	release (*frame, 120, 20);
}

TEST_F (GestureTest, WheelStepsAreBracketedEditsAndOverlappingFieldsPassThem)
{
	knob->setValue (0.5f);
	EXPECT_TRUE (frame->onWheel (CPoint (120, 140), 1.f, 0));
	EXPECT_NEAR (knob->getValue (), 0.6f, 1e-5);
	EXPECT_TRUE (frame->onWheel (CPoint (120, 140), -1.f, kShift));
	EXPECT_NEAR (knob->getValue (), 0.59f, 1e-5);
	const Events expected {"frame-begin 1", "begin 1", "value 1", "end 1", "frame-end 1",
	                       "frame-begin 1", "begin 1", "value 1", "end 1", "frame-end 1"};
	EXPECT_EQ (rec.events, expected);
	// Over the knob's text field (on top of the knob's lower edge) the knob still turns.
	EXPECT_TRUE (frame->onWheel (CPoint (120, 186), 1.f, 0));
	EXPECT_NEAR (knob->getValue (), 0.69f, 1e-5);
	// Nothing under the pointer, or a broken distance: nothing happens.
	rec.clear ();
	EXPECT_FALSE (frame->onWheel (CPoint (700, 300), 1.f, 0));
	EXPECT_FALSE (frame->onWheel (CPoint (120, 140), std::numeric_limits<float>::quiet_NaN (), 0));
	EXPECT_TRUE (rec.events.empty ());
}

TEST_F (GestureTest, FaderDragKeepsTheGrabPointOrJumpsToTheClick)
{
	fader->setValue (0.f); // handle 290..363
	press (*frame, 39, 300); // on the handle, 10 below its top
	move (*frame, 39, 195);
	EXPECT_EQ (fader->getHandleRect ().top, 185);
	EXPECT_NEAR (fader->getValue (), 0.5f, 1e-5);
	release (*frame, 39, 195);
	EXPECT_EQ (rec.listenerEvents (), (Events {"begin 2", "value 2", "end 2"}));

	rec.clear ();
	press (*frame, 39, 116.5); // beside the handle: its middle comes to the pointer
	EXPECT_NEAR (fader->getValue (), 1.f, 1e-5);
	move (*frame, 39, 500);
	EXPECT_EQ (fader->getValue (), 0.f);
	release (*frame, 39, 500);
	EXPECT_EQ (rec.listenerEvents (), (Events {"begin 2", "value 2", "value 2", "end 2"}));

	rec.clear ();
	fader->setValue (0.5f);
	EXPECT_TRUE (frame->onWheel (CPoint (39, 200), 1.f, 0));
	EXPECT_NEAR (fader->getValue (), 0.6f, 1e-5);
	press (*frame, 39, 230, kLButton | kShift); // fine: 21 pixels make 1 % of the range
	move (*frame, 39, 209, kLButton | kShift);
	release (*frame, 39, 209);
	EXPECT_NEAR (fader->getValue (), 0.61f, 1e-5);
}

TEST_F (GestureTest, OnOffTogglesOnAReleaseOverIt)
{
	click (*frame, 950, 60);
	EXPECT_EQ (onOff->getValue (), 1.f);
	click (*frame, 950, 60);
	EXPECT_EQ (onOff->getValue (), 0.f);
	EXPECT_EQ (rec.events, (Events {"frame-begin 3", "begin 3", "value 3", "end 3", "frame-end 3", "frame-begin 3",
	                                "begin 3", "value 3", "end 3", "frame-end 3"}));
	rec.clear ();
	press (*frame, 950, 60);
	release (*frame, 1000, 200); // abandoned
	EXPECT_EQ (onOff->getValue (), 0.f);
	EXPECT_EQ (rec.listenerEvents (), (Events {"begin 3", "end 3"}));
	// Right button and half-open edges: nothing.
	rec.clear ();
	click (*frame, 950, 60, kRButton);
	click (*frame, 974, 60);
	EXPECT_TRUE (rec.events.empty ());
}

TEST_F (GestureTest, KickButtonReportsOneThenZeroOnlyForACompletedClick)
{
	press (*frame, 340, 20);
	EXPECT_EQ (kick->getValue (), 1.f); // shown pressed, not yet reported
	EXPECT_TRUE (rec.values.empty ());
	release (*frame, 340, 20);
	EXPECT_EQ (rec.values, (std::vector<float> {1.f, 0.f}));
	EXPECT_EQ (kick->getValue (), 0.f);

	rec.clear ();
	press (*frame, 340, 20);
	move (*frame, 500, 200);
	EXPECT_EQ (kick->getValue (), 0.f);
	release (*frame, 500, 200);
	EXPECT_EQ (rec.values, (std::vector<float> {0.f}));
	EXPECT_EQ (rec.listenerEvents (), (Events {"begin 4", "value 4", "end 4"}));
}

TEST_F (GestureTest, OptionMenuReportsTheChosenEntry)
{
	ASSERT_NE (window, nullptr);
	window->queueMenuChoice (2);
	click (*frame, 250, 150);
	EXPECT_EQ (menu->getValue (), 2.f);
	EXPECT_EQ (rec.events, (Events {"frame-begin 6", "begin 6", "value 6", "end 6", "frame-end 6"}));
	// The same entry again is reported again; a dismissed menu or an entry past the end is not.
	rec.clear ();
	window->queueMenuChoice (2);
	click (*frame, 250, 150);
	click (*frame, 250, 150);
	window->queueMenuChoice (9);
	click (*frame, 250, 150);
	EXPECT_EQ (rec.values, (std::vector<float> {2.f}));
	EXPECT_EQ (window->getMenusShown (), 4);
}

TEST_F (GestureTest, TextEditCommitsOnEnterOrFocusLossAndCancelsOnEscape)
{
	click (*frame, 120, 195);
	EXPECT_TRUE (field->isEditingText ());
	EXPECT_TRUE (rec.events.empty ());
	typeText (*frame, "12");
	EXPECT_EQ (field->getEditText (), "12"); // typing replaced the selected text
	typeVirtual (*frame, VKEY_RETURN);
	EXPECT_FALSE (field->isEditingText ());
	EXPECT_STREQ (field->getText (), "12");
	EXPECT_EQ (rec.listenerEvents (), (Events {"begin 5", "value 5", "end 5"}));

	rec.clear ();
	click (*frame, 120, 195);
	typeText (*frame, "abc");
	typeVirtual (*frame, VKEY_ESCAPE);
	EXPECT_STREQ (field->getText (), "12");
	EXPECT_TRUE (rec.events.empty ());

	// A click elsewhere commits, and then goes on to what it hit.
	click (*frame, 120, 195);
	typeVirtual (*frame, VKEY_END);
	typeVirtual (*frame, VKEY_BACK);
	typeText (*frame, "5");
	click (*frame, 950, 60);
	EXPECT_STREQ (field->getText (), "15");
	EXPECT_EQ (onOff->getValue (), 1.f);
	EXPECT_EQ (rec.listenerEvents (), (Events {"begin 5", "value 5", "end 5", "begin 3", "value 3", "end 3"}));

	// An unchanged text is no edit; keys without a focused field go nowhere.
	rec.clear ();
	click (*frame, 120, 195);
	typeVirtual (*frame, VKEY_RETURN);
	typeText (*frame, "9");
	EXPECT_TRUE (rec.events.empty ());
}

TEST_F (GestureTest, SplashOpensOverEverythingAndTakesEveryClickUntilClosed)
{
	click (*frame, 100, 20);
	EXPECT_TRUE (splash->isOpen ());
	EXPECT_EQ (frame->getModalView (), splash);
	frame->idle ();
	// Drawn over the menu and everything else in its rectangle.
	EXPECT_EQ (frame->getBackBuffer ().getPixel (400, 150), CColor (200, 10, 10, 255));
	EXPECT_EQ (frame->getBackBuffer ().getPixel (330, 20), CColor (200, 10, 10, 255));
	EXPECT_EQ (rec.listenerEvents (), (Events {"value 7"}));

	rec.clear ();
	EXPECT_TRUE (frame->onWheel (CPoint (120, 140), 1.f, 0));
	click (*frame, 120, 140); // on the knob, outside the About image: closes it, nothing else
	EXPECT_FALSE (splash->isOpen ());
	EXPECT_EQ (frame->getModalView (), nullptr);
	EXPECT_EQ (rec.listenerEvents (), (Events {"value 7"}));
	frame->idle ();
	EXPECT_NE (frame->getBackBuffer ().getPixel (400, 150), CColor (200, 10, 10, 255));
	EXPECT_EQ (knob->getValue (), 0.f);
}

TEST_F (GestureTest, ModifierClicksGoToTheListenerFirst)
{
	rec.modifierAnswer = 1;
	click (*frame, 950, 60, kLButton | kControl);
	EXPECT_EQ (rec.events, (Events {"modifier 3"}));
	EXPECT_EQ (onOff->getValue (), 0.f);
	rec.modifierAnswer = 0;
	click (*frame, 950, 60, kLButton | kControl);
	EXPECT_EQ (onOff->getValue (), 1.f);
}

TEST_F (GestureTest, InterruptedGesturesStillEndTheirEdit)
{
	press (*frame, 120, 140);
	move (*frame, 120, 100);
	frame->onMouseCancel ();
	EXPECT_EQ (rec.listenerEvents ().back (), "end 1");
	// A press while a drag is open ends that drag first; a lone release or move does nothing.
	rec.clear ();
	press (*frame, 120, 140);
	press (*frame, 39, 300);
	release (*frame, 39, 300);
	release (*frame, 39, 300);
	move (*frame, 39, 100);
	EXPECT_EQ (rec.listenerEvents (), (Events {"begin 1", "end 1", "begin 2", "end 2"}));
	// Coordinates that are not numbers are ignored.
	rec.clear ();
	press (*frame, std::numeric_limits<double>::quiet_NaN (), 140);
	EXPECT_TRUE (rec.events.empty ());
}

TEST (GestureTeardownTest, AFrameTakenDownMidGestureTellsNobody)
{
	auto* rec = new Recorder;
	CFrame* frame = new CFrame (CRect (0, 0, 200, 200), nullptr, rec);
	auto* knob = new CAnimKnob (CRect (0, 0, 88, 88), rec, 1, nullptr);
	auto* field = new CTextEdit (CRect (0, 100, 80, 125), rec, 2, "1");
	frame->addView (knob);
	frame->addView (field);
	click (*frame, 10, 110);
	typeText (*frame, "7");
	press (*frame, 10, 10);
	move (*frame, 10, 0);
	const size_t seen = rec->events.size ();
	// The listener may be gone before the frame: nothing may reach it from here on.
	frame->forget ();
	EXPECT_EQ (rec->events.size (), seen);
	delete rec;
}
