// The editor as a host reaches it in the built module: through the controller that the factory
// made, as an IPlugView, without a window (a null parent gives a headless frame). Only the DLL has
// an editor: the Linux module has no window system for one, so its controller makes no view.
#include "HostedPlugin.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstplugview.h"

#include <string>

namespace HostTest {
namespace {

constexpr bool kModuleHasEditor = SMTG_OS_WINDOWS;
constexpr int32 kEditorWidth = 1105;
constexpr int32 kEditorHeight = 381;
// How much larger than its own size the view lets a host make its window.
constexpr int32 kSizeSlack = 50;

// Points of the editor: the middle of the predelay knob and of the decay knob, and a corner of
// the background.
constexpr int32 kPredelayKnobX = 123, kPredelayKnobY = 140;
constexpr int32 kDecayKnobX = 249, kDecayKnobY = 290;
constexpr int32 kEmptyX = 1, kEmptyY = 1;

// "left top right bottom", for comparisons that print readably.
std::string corners (const ViewRect& r)
{
	return std::to_string (r.left) + " " + std::to_string (r.top) + " " + std::to_string (r.right) + " " +
	       std::to_string (r.bottom);
}

std::string corners (int32 left, int32 top, int32 right, int32 bottom)
{
	return corners (ViewRect (left, top, right, bottom));
}

class ModuleEditor : public HostedPlugin
{
protected:
	void SetUp () override
	{
		HostedPlugin::SetUp ();
		ASSERT_NE (plugin->controller (), nullptr) << "this module carries no controller";
	}

	IPtr<IPlugView> createView (FIDString name = ViewType::kEditor)
	{
		return owned (plugin->controller ()->createView (name));
	}
};

// The view itself, where the module has one.
class ModuleEditorView : public ModuleEditor
{
protected:
	void SetUp () override
	{
		if (!kModuleHasEditor)
			GTEST_SKIP () << "this platform's module has no editor";
		ModuleEditor::SetUp ();
	}
};

// Without a window system a view would be one that no host window can take: hosts that show it
// anyway are left with an empty window instead of their own controls.
TEST_F (ModuleEditor, CreatesAViewOnlyUnderTheEditorName)
{
	EXPECT_EQ (bool (createView ()), kModuleHasEditor);
	EXPECT_EQ (bool (createView ("editor")), kModuleHasEditor);
	for (FIDString name : {"Editor", "editor ", "edit", "", "other"})
		EXPECT_FALSE (createView (name)) << '"' << name << '"';
	EXPECT_FALSE (createView (nullptr));
}

// What a host asks before it opens a window: platform, size, resizing.
TEST_F (ModuleEditorView, DescribesItsPlatformAndFixedSize)
{
	IPtr<IPlugView> view = createView ();
	ASSERT_TRUE (view);
	EXPECT_EQ (view->isPlatformTypeSupported (kPlatformTypeHWND), kResultTrue);
	for (FIDString type : {kPlatformTypeX11EmbedWindowID, kPlatformTypeNSView, kPlatformTypeHIView, "", "hwnd"})
		EXPECT_EQ (view->isPlatformTypeSupported (type), kResultFalse) << type;

	ViewRect size {};
	ASSERT_EQ (view->getSize (&size), kResultOk);
	EXPECT_EQ (size.getWidth (), kEditorWidth);
	EXPECT_EQ (size.getHeight (), kEditorHeight);
	EXPECT_EQ (view->canResize (), kResultFalse);

	// Too small grows to the editor, too large shrinks to the slack, in between is kept; the
	// rectangle's top left never moves.
	ViewRect small (10, 20, 110, 120);
	ASSERT_EQ (view->checkSizeConstraint (&small), kResultTrue);
	EXPECT_EQ (corners (small), corners (10, 20, 10 + kEditorWidth, 20 + kEditorHeight));
	ViewRect large (-5, -5, 3000, 2000);
	ASSERT_EQ (view->checkSizeConstraint (&large), kResultTrue);
	EXPECT_EQ (corners (large), corners (-5, -5, -5 + kEditorWidth + kSizeSlack, -5 + kEditorHeight + kSizeSlack));
	ViewRect between (0, 0, kEditorWidth + 20, kEditorHeight + 7);
	ASSERT_EQ (view->checkSizeConstraint (&between), kResultTrue);
	EXPECT_EQ (corners (between), corners (0, 0, kEditorWidth + 20, kEditorHeight + 7));
	EXPECT_EQ (view->checkSizeConstraint (nullptr), kInvalidArgument);
}

// Attach without a window and remove, twice over, with the parameter finder on the way; a real
// parent of a type the view does not support is refused rather than taken.
TEST_F (ModuleEditorView, AttachesHeadlessAndRemovesAgainAndAgain)
{
	IPtr<IPlugView> view = createView ();
	ASSERT_TRUE (view);
	FUnknownPtr<IParameterFinder> finder (view);
	ASSERT_TRUE (finder);
	ParamID found = 999;
	EXPECT_EQ (finder->findParameter (kPredelayKnobX, kPredelayKnobY, found), kResultFalse) << "closed view";

	int unsupported = 0; // any address: a refused parent is never used
	EXPECT_EQ (view->attached (&unsupported, kPlatformTypeX11EmbedWindowID), kResultFalse);
	EXPECT_EQ (view->attached (&unsupported, "unknown"), kResultFalse);

	for (int round = 0; round < 2; ++round)
	{
		SCOPED_TRACE (round);
		ASSERT_EQ (view->attached (nullptr, kPlatformTypeHWND), kResultOk);
		EXPECT_EQ (view->attached (nullptr, kPlatformTypeHWND), kResultFalse) << "already attached";
		ViewRect size {};
		ASSERT_EQ (view->getSize (&size), kResultOk);
		EXPECT_EQ (corners (size), corners (0, 0, kEditorWidth, kEditorHeight));

		ASSERT_EQ (finder->findParameter (kPredelayKnobX, kPredelayKnobY, found), kResultOk);
		EXPECT_EQ (found, ParamID (kPredelay));
		ASSERT_EQ (finder->findParameter (kDecayKnobX, kDecayKnobY, found), kResultOk);
		EXPECT_EQ (found, ParamID (kDecayTime));
		found = 999;
		EXPECT_EQ (finder->findParameter (kEmptyX, kEmptyY, found), kResultFalse);
		EXPECT_EQ (finder->findParameter (-10, -10, found), kResultFalse);
		EXPECT_EQ (finder->findParameter (kEditorWidth + 10, kEditorHeight + 10, found), kResultFalse);
		EXPECT_EQ (found, 999u);

		// The host still changes parameters while the view is open.
		EXPECT_EQ (plugin->controller ()->setParamNormalized (kPredelay, 0.25 * (round + 1)), kResultOk);

		EXPECT_EQ (view->removed (), kResultOk);
		EXPECT_EQ (view->removed (), kResultOk);
		EXPECT_EQ (finder->findParameter (kPredelayKnobX, kPredelayKnobY, found), kResultFalse);
	}
	EXPECT_EQ (plugin->controller ()->setParamNormalized (kPredelay, 0.0), kResultOk);
}

// A host that releases the view while it is attached: the view goes with its frame, and the
// controller goes on without it, edits, a new view and its own end included.
TEST_F (ModuleEditorView, ReleasedWhileAttachedLeavesTheControllerWorking)
{
	IEditController* controller = plugin->controller ();
	for (int round = 0; round < 2; ++round)
	{
		IPlugView* view = controller->createView (ViewType::kEditor);
		ASSERT_NE (view, nullptr);
		ASSERT_EQ (view->attached (nullptr, kPlatformTypeHWND), kResultOk);
		EXPECT_EQ (view->release (), 0u);
		EXPECT_EQ (controller->setParamNormalized (kPredelay, 0.5), kResultOk);
		EXPECT_EQ (controller->getParamNormalized (kPredelay), 0.5);
	}

	// Two views at once, one released while attached, the other removed first.
	IPtr<IPlugView> kept = createView ();
	IPlugView* dropped = controller->createView (ViewType::kEditor);
	ASSERT_TRUE (kept);
	ASSERT_NE (dropped, nullptr);
	ASSERT_EQ (kept->attached (nullptr, kPlatformTypeHWND), kResultOk);
	ASSERT_EQ (dropped->attached (nullptr, kPlatformTypeHWND), kResultOk);
	EXPECT_EQ (dropped->release (), 0u);
	EXPECT_EQ (controller->setParamNormalized (kWidth, 0.75), kResultOk);
	EXPECT_EQ (kept->removed (), kResultOk);
}

} // namespace
} // namespace HostTest
