// The editor window: its 51 controls as built, the first display, open and close, the view's
// interfaces, and a view that a host releases while it is still attached.
#include "EditorTestSupport.h"

#include "editor/Presets.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>

namespace {

using namespace EditorTesting;
using namespace VSTGUI;

std::string tagName (int32 tag)
{
	if (tag == 0)
		return "----";
	return {char (tag >> 24), char (tag >> 16), char (tag >> 8), char (tag)};
}

// The text grey of fields, menus and the version label.
const CColor kGrey (164, 164, 164, 255);

TEST (EditorWindow, BuildsFiftyOneControlsInLayoutOrder)
{
	EditorSession session;
	CFrame& frame = session.frame ();
	EXPECT_EQ (frame.getViewSize (), CRect (0, 0, 1105, 381));
	ASSERT_EQ (frame.getNbViews (), 51);

	std::string tags;
	std::map<std::string, int> classes;
	for (int32 i = 0; i < frame.getNbViews (); ++i)
	{
		CView* view = frame.getView (i);
		tags += tagName (dynamic_cast<CControl*> (view)->getTag ()) + " ";
		classes[dynamic_cast<CAnimKnob*> (view)         ? "knob"
		        : dynamic_cast<CVerticalSlider*> (view) ? "fader"
		        : dynamic_cast<CTextEdit*> (view)       ? "text"
		        : dynamic_cast<COptionMenu*> (view)     ? "menu"
		        : dynamic_cast<COnOffButton*> (view)    ? "on/off"
		        : dynamic_cast<CKickButton*> (view)     ? "kick"
		        : dynamic_cast<CSplashScreen*> (view)   ? "splash"
		        : dynamic_cast<CTextLabel*> (view)      ? "label"
		                                                : "other"]++;
	}
	EXPECT_EQ (tags, "prKn prTx wdKn wdTx rsKn rsTx dfKn dfTx diKn diTx dmKn dmTx fmKn fmTx pmKn pmTx "
	                 "lgKn lgTx lsKn lsTx pgKn pgTx piKn piTx hgKn hgTx hsKn hsTx dtKn dtTx drSl drTx "
	                 "erSl erTx reSl reTx weSl weTx erMn rvMn drbp erbp rebp webp bpbp lapr nepr lodw "
	                 "spsn ---- prMn ");
	EXPECT_EQ (classes, (std::map<std::string, int> {{"knob", 15}, {"fader", 4}, {"text", 19}, {"menu", 3},
	                                                  {"on/off", 6}, {"kick", 2}, {"splash", 1}, {"label", 1}}));
	EXPECT_EQ (kDryFader, 0x6472536C);
}

// A fader keeps its handle image to itself; the pointer-to-member reads it without a cast.
struct FaderHandle : CVerticalSlider
{
	static CBitmap* of (const CVerticalSlider& fader) { return fader.*(&FaderHandle::handle); }
};

struct PlacedControl
{
	const char* tag;
	CRect rect;
	const char* image; // the name open asks for; nullptr: none
};

// Every control's place and picture, written out here rather than taken from the layout table:
// two knobs of one size with swapped colours, or a rectangle off by a pixel, show up only so.
const PlacedControl kPlacedControls[] = {
	{"prKn", CRect (79, 101, 167, 189), "Knob_green.png"},
	{"prTx", CRect (82, 184, 165, 209), nullptr},
	{"wdKn", CRect (79, 268, 167, 356), "Knob_green.png"},
	{"wdTx", CRect (82, 351, 165, 376), nullptr},
	{"rsKn", CRect (331, 101, 419, 189), "Knob_blue.png"},
	{"rsTx", CRect (335, 184, 418, 209), nullptr},
	{"dfKn", CRect (331, 268, 419, 356), "Knob_blue.png"},
	{"dfTx", CRect (335, 351, 418, 376), nullptr},
	{"diKn", CRect (430, 101, 518, 189), "Knob_blue.png"},
	{"diTx", CRect (433, 184, 516, 209), nullptr},
	{"dmKn", CRect (430, 268, 518, 356), "Knob_blue.png"},
	{"dmTx", CRect (433, 351, 516, 376), nullptr},
	{"fmKn", CRect (529, 268, 617, 356), "Knob_blue.png"},
	{"fmTx", CRect (532, 351, 615, 376), nullptr},
	{"pmKn", CRect (529, 101, 617, 189), "Knob_blue.png"},
	{"pmTx", CRect (532, 184, 615, 209), nullptr},
	{"lgKn", CRect (629, 101, 717, 189), "Knob_orange2.png"},
	{"lgTx", CRect (632, 184, 715, 209), nullptr},
	{"lsKn", CRect (629, 268, 717, 356), "Knob_orange.png"},
	{"lsTx", CRect (632, 351, 715, 376), nullptr},
	{"pgKn", CRect (725, 101, 813, 189), "Knob_orange2.png"},
	{"pgTx", CRect (728, 184, 811, 209), nullptr},
	{"piKn", CRect (725, 268, 813, 356), "Knob_orange.png"},
	{"piTx", CRect (728, 351, 811, 376), nullptr},
	{"hgKn", CRect (821, 101, 909, 189), "Knob_orange2.png"},
	{"hgTx", CRect (824, 184, 907, 209), nullptr},
	{"hsKn", CRect (821, 268, 909, 356), "Knob_orange.png"},
	{"hsTx", CRect (825, 351, 908, 376), nullptr},
	{"dtKn", CRect (179, 220, 319, 360), "Knob_large.png"},
	{"dtTx", CRect (195, 351, 303, 376), nullptr},
	{"drSl", CRect (13, 80, 65, 363), "Fader_left.png"},
	{"drTx", CRect (13, 351, 69, 376), nullptr},
	{"erSl", CRect (932, 80, 984, 363), "Fader_right.png"},
	{"erTx", CRect (927, 351, 983, 376), nullptr},
	{"reSl", CRect (989, 80, 1041, 363), "Fader_right.png"},
	{"reTx", CRect (984, 351, 1040, 376), nullptr},
	{"weSl", CRect (1046, 80, 1098, 363), "Fader_right.png"},
	{"weTx", CRect (1040, 351, 1096, 376), nullptr},
	{"erMn", CRect (178, 82, 323, 112), nullptr},
	{"rvMn", CRect (178, 137, 323, 167), nullptr},
	{"drbp", CRect (21, 47, 63, 78), "DRY_bp.png"},
	{"erbp", CRect (932, 47, 974, 78), "E.R_bp.png"},
	{"rebp", CRect (975, 47, 1045, 78), "REVERB_bp.png"},
	{"webp", CRect (1047, 47, 1089, 78), "WET_bp.png"},
	{"bpbp", CRect (932, 6, 1088, 35), "Toggle_bp.png"},
	{"lapr", CRect (329, 7, 352, 34), "last_preset.png"},
	{"nepr", CRect (571, 7, 594, 34), "next_preset.png"},
	{"lodw", CRect (598, 7, 621, 34), "lock_button.png"},
	{"spsn", CRect (6, 5, 201, 36), "About.png"},
	{"----", CRect (211, 20, 301, 40), nullptr},
	{"prMn", CRect (356, 7, 568, 35), nullptr},
};

TEST (EditorWindow, EveryControlHasItsRectangleAndImage)
{
	EditorSession session;
	CFrame& frame = session.frame ();
	ASSERT_EQ (frame.getNbViews (), int32 (std::size (kPlacedControls)));
	for (int32 i = 0; i < frame.getNbViews (); ++i)
	{
		const PlacedControl& expected = kPlacedControls[i];
		auto* control = dynamic_cast<CControl*> (frame.getView (i));
		ASSERT_NE (control, nullptr);
		SCOPED_TRACE (expected.tag);
		EXPECT_EQ (tagName (control->getTag ()), expected.tag);
		EXPECT_EQ (control->getViewSize (), expected.rect);

		auto* fader = dynamic_cast<CVerticalSlider*> (control);
		CBitmap* image = fader ? FaderHandle::of (*fader) : control->getBackground ();
		if (fader)
		{
			EXPECT_EQ (control->getBackground (), nullptr);
		}
		if (!expected.image)
		{
			EXPECT_EQ (image, nullptr);
			continue;
		}
		ASSERT_NE (image, nullptr);
		EXPECT_EQ (image->getResourceDescription ().name, expected.image);
		EXPECT_TRUE (image->isLoaded ());
	}
}

TEST (EditorWindow, ControlsShowTheirImagesFontsAndEntries)
{
	EditorSession session;
	CFrame& frame = session.frame ();
	ASSERT_NE (frame.getBackground (), nullptr);
	EXPECT_EQ (frame.getBackground ()->getWidth (), 1105);
	EXPECT_EQ (frame.getBackground ()->getHeight (), 381);

	for (int32 i = 0; i < frame.getNbViews (); ++i)
	{
		auto* control = dynamic_cast<CControl*> (frame.getView (i));
		SCOPED_TRACE (tagName (control->getTag ()));
		CBitmap* image = control->getBackground ();
		if (auto* knob = dynamic_cast<CAnimKnob*> (control))
		{
			EXPECT_EQ (knob->getNumSubPixmaps (), knob->getTag () == kDecayTimeKnob ? 151 : 101);
			EXPECT_EQ (image->getWidth (), knob->getWidth ());
		}
		else if (auto* fader = dynamic_cast<CVerticalSlider*> (control))
		{
			EXPECT_EQ (fader->getHandleRect ().getWidth (), 52);
			EXPECT_EQ (fader->getHandleRect ().getHeight (), 73);
			EXPECT_EQ (fader->getTravel (), 283 - 73);
		}
		else if (dynamic_cast<CSplashScreen*> (control))
		{
			EXPECT_EQ (image->getWidth (), 400);
			EXPECT_EQ (image->getHeight (), 380);
		}
		else if (dynamic_cast<CTwoStateButton*> (control))
			EXPECT_EQ (image->getHeight (), 2 * control->getHeight ()); // off and on stacked
		else if (auto* display = dynamic_cast<CParamDisplay*> (control))
		{
			EXPECT_EQ (image, nullptr);
			EXPECT_EQ (display->getFontColor (), kGrey);
			EXPECT_EQ (display->getBackColor ().alpha, 0);
			EXPECT_EQ (display->getStyle () & kNoFrame, kNoFrame);
			const double size = dynamic_cast<CTextEdit*> (control) ? 14 : dynamic_cast<COptionMenu*> (control) ? 18 : 12;
			EXPECT_EQ (display->getFont ().getSize (), size);
		}
	}

	auto* early = dynamic_cast<COptionMenu*> (session.control (kEarlyReflectionVariationMenu));
	auto* reverb = dynamic_cast<COptionMenu*> (session.control (kReverbVariationMenu));
	auto* presets = dynamic_cast<COptionMenu*> (session.control (kPresetMenu));
	ASSERT_EQ (early->getNbEntries (), 12);
	ASSERT_EQ (reverb->getNbEntries (), 5);
	ASSERT_EQ (presets->getNbEntries (), 36);
	EXPECT_STREQ (early->getEntry (0), "Variation 1");
	EXPECT_STREQ (early->getEntry (11), "Variation 12");
	EXPECT_STREQ (reverb->getEntry (4), "Variation 5");
	EXPECT_STREQ (presets->getEntry (0), "Default");
	EXPECT_STREQ (presets->getEntry (35), "Chorus B");
	EXPECT_STREQ (dynamic_cast<CTextLabel*> (session.control (kNoControlTag))->getText (), "Ver. 2.0.1 Beta");
}

TEST (EditorWindow, OpensWithTheControllersValuesLockAndPresetIndex)
{
	EditorSession session;
	session.host ()->setParamNormalized (kWidth, 0.25);
	session.host ()->setParamNormalized (kBypassReverb, 1.0);
	session.host ()->setParamNormalized (kReverbVariation, 0.75);
	session.tessaline ().setLock (true);
	session.tessaline ().setPresetIndex (7);
	session.view ().updateParameter (kVuPPM, 0.7);

	// Closed and opened again, the window is built anew from the controller.
	session.view ().removed ();
	session.view ().attached (nullptr, kPlatformTypeHWND);
	EXPECT_EQ (session.control (kWidthKnob)->getValue (), 0.25f);
	EXPECT_EQ (session.control (kBypassReverbButton)->getValue (), 1.f);
	EXPECT_EQ (session.control (kReverbVariationMenu)->getValue (), 3.f);
	EXPECT_EQ (session.control (kLockButton)->getValue (), 1.f);
	EXPECT_EQ (session.control (kPresetMenu)->getValue (), 7.f);
	EXPECT_EQ (session.control (kNextPresetButton)->getValue (), 0.f);
	EXPECT_EQ (session.view ().getVuValue (), 0.7f); // kept, not fetched

	// Every text field shows the controller's text for the parameter under it.
	int fields = 0;
	for (int32 i = 0; i < session.frame ().getNbViews (); ++i)
	{
		auto* field = dynamic_cast<CTextEdit*> (session.frame ().getView (i));
		if (!field)
			continue;
		ParamID id = 999;
		const CRect& r = field->getViewSize ();
		ASSERT_EQ (session.view ().findParameter (int32 (r.left) + 20, int32 (r.bottom) - 3, id), kResultOk);
		EXPECT_EQ (field->getText (), session.host ().text (id)) << id;
		++fields;
	}
	EXPECT_EQ (fields, 19);

	// A second open is refused; close twice is harmless; the view never resizes.
	EXPECT_FALSE (session.view ().open (nullptr));
	EXPECT_EQ (session.frame ().getNbViews (), 51);
	session.view ().close ();
	session.view ().close ();
	EXPECT_EQ (session.view ().getFrame (), nullptr);
	EXPECT_EQ (session.view ().canResize (), kResultFalse);
}

TEST (EditorWindow, AnswersForTheParameterFinderAndDeclinesMenuCommands)
{
	EditorSession session;
	IPlugView* view = &session.view ();
	IParameterFinder* finder = nullptr;
	const uint32 before = view->addRef () - 1;
	view->release ();
	ASSERT_EQ (view->queryInterface (IParameterFinder::iid, reinterpret_cast<void**> (&finder)), kResultOk);
	EXPECT_EQ (finder, static_cast<IParameterFinder*> (&session.view ()));
	EXPECT_EQ (finder->release (), before);

	IContextMenuTarget* target = nullptr;
	ASSERT_EQ (view->queryInterface (IContextMenuTarget::iid, reinterpret_cast<void**> (&target)), kResultOk);
	for (int32 tag : {0, 1, -1, 1000})
		EXPECT_EQ (target->executeMenuItem (tag), kResultFalse);
	target->release ();

	FUnknownPtr<IPlugView> plugView (static_cast<FUnknown*> (finder));
	EXPECT_EQ (plugView.getInterface (), view);
}

// A host that releases the view without removing it: the window goes, the host gets the end of
// the drag that was open, and the controller keeps no pointer to the view.
TEST (EditorWindow, ReleasedWhileAttachedClosesAndEndsTheOpenDrag)
{
	ControllerTesting::HostedController controller;
	std::vector<Call> calls;
	auto* handler = new ControllerTesting::RecordingHandler (calls);
	controller->setComponentHandler (handler);
	handler->release ();
	for (int round = 0; round < 2; ++round)
	{
		IPlugView* view = new TessalineEditorView (&controller.object ());
		ASSERT_EQ (view->attached (nullptr, kPlatformTypeHWND), kResultOk);
		CFrame& frame = *dynamic_cast<TessalineEditorView*> (view)->getFrame ();
		CPoint at (123, 140), up (123, 120);
		frame.onMouseDown (at, kLButton);
		frame.onMouseMoved (up, kLButton);
		EXPECT_EQ (view->release (), 0u);
		ASSERT_FALSE (calls.empty ());
		EXPECT_EQ (calls.back ().what, "end");
		EXPECT_EQ (calls.back ().id, ParamID (kPredelay));
		EXPECT_EQ (controller->setParamNormalized (kPredelay, 0.5), kResultOk); // reaches no view
	}
}

} // namespace
