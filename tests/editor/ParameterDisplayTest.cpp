// Parameter values as the window shows them (knob frames, fader handles, menus, buttons, texts),
// the parameter finder for hosts, and the sizes the view accepts.
#include "EditorTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace EditorTesting;
using namespace VSTGUI;

// How many pixels of the window inside rect differ from the image's opaque pixels at source.
int differingOpaquePixels (CFrame& frame, const CBitmap& image, CPoint source, const CRect& rect)
{
	frame.idle ();
	int differing = 0;
	for (int32_t y = 0; y < int32_t (rect.getHeight ()); ++y)
		for (int32_t x = 0; x < int32_t (rect.getWidth ()); ++x)
		{
			const CColor want = image.getPixelBuffer ().getPixel (int32_t (source.x) + x, int32_t (source.y) + y);
			const CColor got = frame.getBackBuffer ().getPixel (int32_t (rect.left) + x, int32_t (rect.top) + y);
			if (want.alpha == 255 && !(want == got))
				++differing;
		}
	return differing;
}

TEST (ParameterDisplay, KnobFramesAndFaderHandlesFollowTheValue)
{
	EditorSession session;
	auto* predelay = dynamic_cast<CAnimKnob*> (session.control (kPredelayKnob));
	auto* decay = dynamic_cast<CAnimKnob*> (session.control (kDecayTimeKnob));
	auto* dry = dynamic_cast<CVerticalSlider*> (session.control (kDryFader));

	session.view ().updateParameter (kPredelay, 0.5);
	session.view ().updateParameter (kDecayTime, 0.25);
	EXPECT_EQ (predelay->getFrameIndex (), 50);
	EXPECT_EQ (decay->getFrameIndex (), 38); // 37.5 rounded, of 151 frames
	EXPECT_EQ (differingOpaquePixels (session.frame (), *predelay->getBackground (), CPoint (0, 50 * 88),
	                                  CRect (79, 101, 167, 184)), 0); // above the text field
	session.view ().updateParameter (kPredelay, 1.0);
	EXPECT_EQ (predelay->getFrameIndex (), 100);
	EXPECT_GT (differingOpaquePixels (session.frame (), *predelay->getBackground (), CPoint (0, 50 * 88),
	                                  CRect (79, 101, 167, 184)), 100);

	// The handle travels 283 - 73 pixels from the bottom (0) to the top (1).
	for (const auto& [value, top] : {std::pair<double, double> {0.0, 290}, {0.5, 185}, {1.0, 80}})
	{
		session.view ().updateParameter (kDry, value);
		EXPECT_EQ (dry->getHandleRect (), CRect (13, top, 65, top + 73)) << value;
		CBitmap handle (CResourceDescription ("Fader_left.png"));
		EXPECT_EQ (differingOpaquePixels (session.frame (), handle, CPoint (0, 0),
		                                  CRect (13, top, 65, std::min (top + 73, 351.0))), 0);
	}
}

TEST (ParameterDisplay, MenusButtonsAndTextsShowTheValue)
{
	EditorSession session;
	TessalineEditorView& view = session.view ();
	auto shown = [&] (int32 tag) { return session.control (tag)->getValue (); };

	for (const auto& [value, entry] : {std::pair<double, float> {1.0, 11}, {0.99, 11}, {0.5, 6}, {0.0, 0}})
	{
		view.updateParameter (kEarlyReflectionVariation, value);
		EXPECT_EQ (shown (kEarlyReflectionVariationMenu), entry) << value;
	}
	view.updateParameter (kReverbVariation, 1.0);
	EXPECT_EQ (shown (kReverbVariationMenu), 4.f);
	view.updateParameter (kReverbVariation, 0.39);
	EXPECT_EQ (shown (kReverbVariationMenu), 1.f);
	view.updateParameter (kBypass, 0.5);
	EXPECT_EQ (shown (kBypassButton), 0.f);
	view.updateParameter (kBypass, 0.51);
	EXPECT_EQ (shown (kBypassButton), 1.f);

	view.updateParameter (kDry, 1.0);
	EXPECT_EQ (shown (kDryFader), 1.f);
	EXPECT_EQ (session.text (kDryText), "0.00");
	view.updateParameter (kEarlyReflections, 0.00005);
	EXPECT_EQ (session.text (kEarlyReflectionsText), "-oo");
	view.updateParameter (kDecayTime, 0.4923659639173309);
	EXPECT_EQ (session.text (kDecayTimeText), "5.00");
	view.updateParameter (kDamp, 1.0);
	EXPECT_EQ (session.text (kDampText), "22020.0");

	// The level output is only kept; 26 and 28 are no parameters of the window.
	session.frame ().idle ();
	view.updateParameter (kVuPPM, 0.25);
	view.updateParameter (26, 0.5);
	view.updateParameter (28, 0.5);
	EXPECT_EQ (view.getVuValue (), 0.25f);
	EXPECT_FALSE (session.frame ().hasDirtyArea ());
}

// Values outside 0 to 1 or NaN, which hosts do send, never reach a control or a text unchecked.
TEST (ParameterDisplay, HoldsValuesToTheRangeAndDropsNaN)
{
	EditorSession session;
	TessalineEditorView& view = session.view ();
	view.updateParameter (kWet, 0.5);
	const std::string half = session.text (kWetText);
	view.updateParameter (kWet, std::numeric_limits<double>::quiet_NaN ());
	EXPECT_EQ (session.control (kWetFader)->getValue (), 0.5f);
	EXPECT_EQ (session.text (kWetText), half);

	view.updateParameter (kWet, 7.0);
	EXPECT_EQ (session.control (kWetFader)->getValue (), 1.f);
	EXPECT_EQ (session.text (kWetText), "0.00");
	view.updateParameter (kWet, -3.0);
	EXPECT_EQ (session.text (kWetText), "-oo");
	view.updateParameter (kEarlyReflectionVariation, 1e9);
	EXPECT_EQ (session.control (kEarlyReflectionVariationMenu)->getValue (), 11.f);
	view.updateParameter (kEarlyReflectionVariation, -1e9);
	EXPECT_EQ (session.control (kEarlyReflectionVariationMenu)->getValue (), 0.f);
	view.updateParameter (kBypassWet, std::numeric_limits<double>::infinity ());
	EXPECT_EQ (session.control (kBypassWetButton)->getValue (), 1.f);
	view.updateParameter (kVuPPM, std::numeric_limits<double>::quiet_NaN ());
	EXPECT_EQ (view.getVuValue (), 0.f);

	// A text that the controller cannot give (its parameters are gone) leaves the field as it was.
	session.host ()->terminate ();
	view.updateParameter (kWet, 0.0);
	EXPECT_EQ (session.control (kWetFader)->getValue (), 0.f);
	EXPECT_EQ (session.text (kWetText), "-oo");
	view.updateParameter (kWet, 1.0);
	EXPECT_EQ (session.text (kWetText), "-oo");

	// Before open and after close there is nothing to show, and nothing fails.
	view.removed ();
	view.updateParameter (kWet, 0.3);
	EXPECT_EQ (view.getFrame (), nullptr);
}

TEST (ParameterFinder, FindsTheParameterUnderAPointWithHalfOpenEdges)
{
	EditorSession session;
	auto find = [&] (int32 x, int32 y) -> int64 {
		ParamID id = 12345;
		const tresult result = session.view ().findParameter (x, y, id);
		EXPECT_TRUE (result == kResultOk || id == 12345) << "changed on a miss";
		return result == kResultOk ? int64 (id) : -1;
	};
	EXPECT_EQ (find (100, 195), kPredelay);       // predelay text field
	EXPECT_EQ (find (40, 370), kDry);             // dry text field, below the fader
	EXPECT_EQ (find (1040, 360), kReverb);        // reverb fader over the wet text field's edge
	EXPECT_EQ (find (1041, 360), kWet);
	EXPECT_EQ (find (460, 20), -1);               // preset menu
	EXPECT_EQ (find (100, 20), -1);               // About logo
	EXPECT_EQ (find (300, 60), -1);               // background
	EXPECT_EQ (find (79, 101), kPredelay);        // a knob's top left belongs to it
	EXPECT_EQ (find (167, 120), -1);              // its right edge does not
	EXPECT_EQ (find (123, 100), -1);              // nor the row above it
	EXPECT_EQ (find (932, 6), kBypass);
	EXPECT_EQ (find (1087, 34), kBypass);
	EXPECT_EQ (find (1088, 20), -1);
	EXPECT_EQ (find (250, 150), kReverbVariation);
	EXPECT_EQ (find (953, 60), kBypassEarlyReflections);
	EXPECT_EQ (find (573, 300), kModSpeed);
	EXPECT_EQ (find (-1, -1), -1);

	// Closed, the view has no controls to find.
	session.view ().removed ();
	EXPECT_EQ (find (100, 195), -1);
}

TEST (ViewSize, AdmitsItsOwnSizeUpToFiftyPixelsMore)
{
	EditorSession session;
	TessalineEditorView& view = session.view ();
	auto constrained = [&] (ViewRect r) {
		EXPECT_EQ (view.checkSizeConstraint (&r), kResultTrue);
		return std::vector<int32> {r.left, r.top, r.right, r.bottom};
	};
	EXPECT_EQ (constrained ({0, 0, 1000, 300}), (std::vector<int32> {0, 0, 1105, 381}));
	EXPECT_EQ (constrained ({10, 20, 1300, 600}), (std::vector<int32> {10, 20, 1165, 451}));
	EXPECT_EQ (constrained ({0, 0, 1120, 400}), (std::vector<int32> {0, 0, 1120, 400}));
	EXPECT_EQ (constrained ({50, 50, 0, 0}), (std::vector<int32> {50, 50, 1155, 431}));
	EXPECT_EQ (view.checkSizeConstraint (nullptr), kInvalidArgument);
	ViewRect far (kMaxInt32 - 10, 0, kMaxInt32, 381);
	EXPECT_EQ (view.checkSizeConstraint (&far), kResultFalse); // no room for the width
	EXPECT_EQ (far.right, kMaxInt32);

	// onSize is the editor base's: the frame follows, a null size is refused.
	ViewRect larger (0, 0, 1155, 431);
	EXPECT_EQ (view.onSize (&larger), kResultTrue);
	EXPECT_EQ (session.frame ().getViewSize (), CRect (0, 0, 1155, 431));
	EXPECT_EQ (view.onSize (nullptr), kInvalidArgument);
}

} // namespace
