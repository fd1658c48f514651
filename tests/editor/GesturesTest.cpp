// Gestures on the window, driven through the frame's mouse and key entry points, and what the
// controller and the host's component handler receive from them.
#include "EditorTestSupport.h"

#include "vstgui_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace EditorTesting;
using namespace VSTGUI;

// "what id" for each call, values left out.
std::vector<std::string> kinds (const std::vector<Call>& calls)
{
	std::vector<std::string> out;
	for (const Call& call : calls)
		out.push_back (call.what + " " + std::to_string (call.id));
	return out;
}

using Kinds = std::vector<std::string>;

TEST (Gestures, KnobDragIsOneBracketedEditThatEveryViewFollows)
{
	EditorSession session;
	TessalineEditorView* other = session.openAnotherView ();
	session.drag (kPredelayKnob, -10, 3);
	const std::vector<Call> calls = session.takeHostCalls ();
	EXPECT_EQ (kinds (calls), (Kinds {"begin 1", "perform 1", "perform 1", "perform 1", "end 1"}));
	ASSERT_EQ (calls.size (), 5u);
	EXPECT_NEAR (calls[3].value - calls[1].value, 0.1, 1e-6); // 20 pixels of 200 for the range
	EXPECT_EQ (session.host ()->getParamNormalized (kPredelay), calls[3].value);
	EXPECT_EQ (session.text (kPredelayText), session.host ().text (kPredelay));
	EXPECT_EQ (EditorSession::controlIn (*other, kPredelayKnob)->getValue (), float (calls[3].value));
	EXPECT_EQ (shownText (*other, kPredelayText), session.host ().text (kPredelay));
}

TEST (Gestures, TypedTextIsOneEditWithoutBrackets)
{
	EditorSession session;
	session.type (kDryText, "12"); // a positive level counts as the same attenuation
	std::vector<Call> calls = session.takeHostCalls ();
	ASSERT_EQ (kinds (calls), (Kinds {"perform 0"}));
	EXPECT_EQ (calls[0].value, double (float (std::pow (10.0, -12.0 / 20.0))));
	EXPECT_NEAR (calls[0].value, 0.2511886, 1e-7);
	EXPECT_EQ (session.text (kDryText), "-12.00");
	EXPECT_EQ (session.control (kDryFader)->getValue (), float (calls[0].value));

	// What the parameter cannot read sets the bottom of its range.
	session.type (kDryText, "abc");
	calls = session.takeHostCalls ();
	ASSERT_EQ (kinds (calls), (Kinds {"perform 0"}));
	EXPECT_EQ (calls[0].value, 0.0);
	EXPECT_EQ (session.text (kDryText), "-oo");
	session.type (kWidthText, "wide");
	EXPECT_EQ (session.takeHostCalls ()[0].value, 0.0);
	EXPECT_EQ (session.control (kWidthKnob)->getValue (), 0.f);

	// Only the first 127 characters are read: here "-000...0", 0 dB, not the -12 dB of the whole.
	session.type (kDryText, "-" + std::string (126, '0') + "12");
	calls = session.takeHostCalls ();
	ASSERT_EQ (calls.size (), 1u);
	EXPECT_EQ (calls[0].value, 1.0);
}

TEST (Gestures, VariationMenusAndBypassButtonsAreBracketedEdits)
{
	EditorSession session;
	session.chooseInMenu (kReverbVariationMenu, 2);
	std::vector<Call> calls = session.takeHostCalls ();
	ASSERT_EQ (kinds (calls), (Kinds {"begin 4", "perform 4", "end 4"}));
	EXPECT_EQ (calls[1].value, 0.5);
	session.chooseInMenu (kEarlyReflectionVariationMenu, 11);
	EXPECT_EQ (session.takeHostCalls ()[1].value, 1.0);

	session.click (kBypassEarlyReflectionsButton);
	calls = session.takeHostCalls ();
	ASSERT_EQ (kinds (calls), (Kinds {"begin 21", "perform 21", "end 21"}));
	EXPECT_EQ (calls[1].value, 1.0);
	EXPECT_EQ (session.host ()->getParamNormalized (kBypassEarlyReflections), 1.0);
	// A click with a modifier key is left to the button: it toggles back.
	const CPoint at = session.centre (kBypassEarlyReflectionsButton);
	session.click (at.x, at.y, kLButton | kShift);
	EXPECT_EQ (session.host ()->getParamNormalized (kBypassEarlyReflections), 0.0);
}

TEST (Gestures, PresetButtonsStepAndWrapAndTheMenuChooses)
{
	EditorSession session;
	auto index = [&] { return session.tessaline ().getPresetIndex (); };
	session.click (kPreviousPresetButton);
	EXPECT_EQ (index (), 35);
	EXPECT_EQ (session.control (kPresetMenu)->getValue (), 35.f);
	EXPECT_EQ (session.text (kEarlyReflectionsText), "-14.51"); // "Chorus B"
	const std::vector<Call> calls = session.takeHostCalls ();
	EXPECT_EQ (calls.size (), 25u);
	EXPECT_EQ (kinds (calls).front (), "perform 0");
	session.click (kNextPresetButton);
	EXPECT_EQ (index (), 0);
	EXPECT_EQ (session.control (kPresetMenu)->getValue (), 0.f);

	// An index from outside the table restarts at the end that the button points to.
	session.tessaline ().setPresetIndex (40);
	session.click (kPreviousPresetButton);
	EXPECT_EQ (index (), 35);
	session.tessaline ().setPresetIndex (-3);
	session.click (kNextPresetButton);
	EXPECT_EQ (index (), 0);

	// A click abandoned off the button steps nothing.
	session.takeHostCalls ();
	const CPoint at = session.centre (kNextPresetButton);
	Testing::press (session.frame (), at.x, at.y);
	Testing::move (session.frame (), at.x + 40, at.y);
	Testing::release (session.frame (), at.x + 40, at.y);
	EXPECT_EQ (index (), 0);
	EXPECT_TRUE (session.takeHostCalls ().empty ());

	session.chooseInMenu (kPresetMenu, 5);
	EXPECT_EQ (index (), 5);
	EXPECT_EQ (session.text (kModSpeedText), "2.65"); // "Little Room"
	EXPECT_EQ (kinds (session.takeHostCalls ()).size (), 25u);
}

TEST (Gestures, TheLockChangesNothingTheHostSees)
{
	EditorSession session;
	const auto before = session.host ().allValues ();
	session.takeHostCalls ();
	session.click (kLockButton);
	EXPECT_TRUE (session.tessaline ().isLocked ());
	EXPECT_TRUE (session.takeHostCalls ().empty ());
	EXPECT_EQ (session.host ().allValues (), before);
	session.click (kLockButton);
	EXPECT_FALSE (session.tessaline ().isLocked ());
}

TEST (Gestures, TheOpenAboutScreenIsOnTopAndTakesEveryClick)
{
	EditorSession session;
	const auto before = session.host ().allValues ();
	session.takeHostCalls ();
	CBitmap about (CResourceDescription ("About.png"));
	// Each click lands while the About screen is open, and only closes it.
	for (int32 tag : {kBypassEarlyReflectionsButton, kLockButton, kPresetMenu, kPredelayKnob, kNextPresetButton})
	{
		session.click (kAboutSplash);
		ASSERT_NE (session.frame ().getModalView (), nullptr);
		// Drawn over the preset menu, which lies inside its rectangle.
		session.frame ().idle ();
		EXPECT_EQ (session.frame ().getBackBuffer ().getPixel (460, 20), about.getPixelBuffer ().getPixel (135, 20));
		session.drag (tag, -10, 2);
		EXPECT_EQ (session.frame ().getModalView (), nullptr);
	}
	EXPECT_EQ (Platform::HeadlessFrame::of (&session.frame ())->getMenusShown (), 0);
	EXPECT_TRUE (session.takeHostCalls ().empty ());
	EXPECT_EQ (session.host ().allValues (), before);
	EXPECT_FALSE (session.tessaline ().isLocked ());
	EXPECT_EQ (session.tessaline ().getPresetIndex (), 0);

	session.click (kBypassEarlyReflectionsButton);
	EXPECT_EQ (session.host ()->getParamNormalized (kBypassEarlyReflections), 1.0);
	EXPECT_EQ (session.view ().controlModifierClicked (session.control (kAboutSplash), kLButton | kShift), 0);
}

} // namespace
