// The VST 3 editor base: headless attach and remove, idle timer, sizes, keys, edit brackets, knob mode.
#include "public.sdk/source/vst/vstguieditor.h"
#include "vstgui_test_support.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The controller side: which views were attached and removed, and what reached the host.
class RecordingController : public EditController
{
public:
	void editorAttached (EditorView* v) override { log.push_back (v ? "attached" : "attached null"); }
	void editorRemoved (EditorView* v) override { log.push_back (v ? "removed" : "removed null"); }
	tresult beginEdit (ParamID id) override
	{
		log.push_back ("beginEdit " + std::to_string (id));
		return kResultOk;
	}
	tresult endEdit (ParamID id) override
	{
		log.push_back ("endEdit " + std::to_string (id));
		return kResultOk;
	}
	std::vector<std::string> log;
};

// A small editor: one knob on a 300 x 200 frame; counts opens and closes.
class TestEditor : public VSTGUIEditor
{
public:
	explicit TestEditor (EditController* c) : VSTGUIEditor (c)
	{
		setIdleRate (50);
		ViewRect r (0, 0, 300, 200);
		setRect (r);
	}
	bool PLUGIN_API open (void* parent) override
	{
		if (frame)
			return false;
		++opens;
		frame = new VSTGUI::CFrame (VSTGUI::CRect (0, 0, 300, 200), parent, this);
		knob = new VSTGUI::CAnimKnob (VSTGUI::CRect (10, 10, 98, 98), nullptr, 'prKn',
		                              VSTGUI::Testing::makeFilmstrip (88, 88, 11));
		knob->getBackground ()->forget ();
		field = new VSTGUI::CTextEdit (VSTGUI::CRect (10, 120, 90, 145), nullptr, 'prTx', "5");
		frame->addView (knob);
		return frame->addView (field);
	}
	void PLUGIN_API close () override
	{
		if (!frame)
			return;
		++closes;
		frame->forget ();
		frame = nullptr;
		knob = nullptr;
		field = nullptr;
	}
	VSTGUI::CFrame* getFrameForTest () const { return frame; }
	VSTGUI::CVSTGUITimer* getTimer () const { return timer; }

	int opens {0};
	int closes {0};
	VSTGUI::CAnimKnob* knob {nullptr};
	VSTGUI::CTextEdit* field {nullptr};
};

} // namespace

TEST (VSTGUIEditorTest, AttachesHeadlessTwiceAndRunsTheTimerOnlyWhileAttached)
{
	auto* controller = new RecordingController;
	auto* editor = new TestEditor (controller);
	EXPECT_FALSE (editor->getTimer ()->isRunning ());
	EXPECT_EQ (editor->getTimer ()->getFireTime (), 50);
	for (int round = 1; round <= 2; ++round)
	{
		ASSERT_EQ (editor->attached (nullptr, kPlatformTypeHWND), kResultOk);
		EXPECT_EQ (editor->opens, round);
		ASSERT_NE (editor->getFrameForTest (), nullptr);
		EXPECT_TRUE (editor->getTimer ()->isRunning ());
		ViewRect size;
		editor->getSize (&size);
		EXPECT_EQ (size.getWidth (), 300);
		EXPECT_EQ (size.getHeight (), 200);
		// A second attach while attached is refused and leaves the one frame.
		EXPECT_NE (editor->attached (nullptr, kPlatformTypeHWND), kResultOk);
		EXPECT_EQ (editor->opens, round);

		// Each timer tick redraws what changed.
		editor->getFrameForTest ()->idle ();
		editor->knob->setValue (1.f);
		editor->getTimer ()->fire ();
		EXPECT_EQ (editor->getFrameForTest ()->getBackBuffer ().getPixel (50, 50).red, 10);

		EXPECT_EQ (editor->removed (), kResultOk);
		EXPECT_EQ (editor->closes, round);
		EXPECT_EQ (editor->getFrameForTest (), nullptr);
		EXPECT_FALSE (editor->getTimer ()->isRunning ());
	}
	EXPECT_EQ (controller->log, (std::vector<std::string> {"attached", "removed", "attached", "removed"}));
	// Removing a view that is not attached changes nothing.
	EXPECT_EQ (editor->removed (), kResultOk);
	EXPECT_EQ (editor->closes, 2);
	EXPECT_EQ (editor->release (), 0u);
	controller->release ();
}

TEST (VSTGUIEditorTest, NativeParentsNeedASupportedPlatformType)
{
	auto* controller = new RecordingController;
	auto* editor = new TestEditor (controller);
	EXPECT_EQ (editor->isPlatformTypeSupported (kPlatformTypeHWND),
	           std::string (TESSALINE_NATIVE_PLATFORM_TYPE) == kPlatformTypeHWND ? kResultTrue : kResultFalse);
	EXPECT_EQ (editor->isPlatformTypeSupported ("X11EmbedWindowID"), kResultFalse);
	EXPECT_EQ (editor->isPlatformTypeSupported (nullptr), kResultFalse);
	int fakeWindow = 0;
	EXPECT_EQ (editor->attached (&fakeWindow, "NSView"), kResultFalse);
	EXPECT_EQ (editor->opens, 0);
	EXPECT_TRUE (controller->log.empty ());
	editor->release ();
	controller->release ();
}

TEST (VSTGUIEditorTest, ReleasedWhileAttachedTakesItsWindowDown)
{
	auto* controller = new RecordingController;
	auto* editor = new TestEditor (controller);
	ASSERT_EQ (editor->attached (nullptr, kPlatformTypeHWND), kResultOk);
	VSTGUI::CVSTGUITimer* timer = editor->getTimer ();
	timer->remember ();
	// No removed(): the destructor must stop the timer and free the frame (the sanitizer build
	// checks that nothing leaks).
	EXPECT_EQ (editor->release (), 0u);
	EXPECT_FALSE (timer->isRunning ());
	timer->forget ();
	controller->release ();
}

TEST (VSTGUIEditorTest, SizesKeysBracketsAndKnobMode)
{
	auto* controller = new RecordingController;
	auto* editor = new TestEditor (controller);
	ASSERT_EQ (editor->attached (nullptr, kPlatformTypeHWND), kResultOk);

	EXPECT_EQ (editor->onSize (nullptr), kInvalidArgument);
	ViewRect tooBig (0, 0, 100000, 200);
	EXPECT_EQ (editor->onSize (&tooBig), kResultFalse);
	ViewRect negative (0, 0, -10, 200);
	EXPECT_EQ (editor->onSize (&negative), kResultFalse);
	ViewRect larger (0, 0, 350, 250);
	EXPECT_EQ (editor->onSize (&larger), kResultTrue);
	EXPECT_EQ (editor->getFrameForTest ()->getViewSize (), VSTGUI::CRect (0, 0, 350, 250));

	// Keys from the host reach the focused text field.
	VSTGUI::Testing::click (*editor->getFrameForTest (), 20, 130);
	EXPECT_EQ (editor->onKeyDown ('8', 0, 0), kResultTrue);
	EXPECT_EQ (editor->onKeyDown (0, 4 /* return */, 0), kResultTrue);
	EXPECT_STREQ (editor->field->getText (), "8");
	EXPECT_EQ (editor->onKeyDown ('1', 0, 0), kResultFalse);

	// The base passes a control's tag on to the controller as a parameter id (the text commit
	// above did so with the field's tag).
	editor->beginEdit (5);
	editor->endEdit (5);
	const std::string fieldTag = std::to_string ('prTx');
	EXPECT_EQ (controller->log, (std::vector<std::string> {"attached", "beginEdit " + fieldTag, "endEdit " + fieldTag,
	                                                        "beginEdit 5", "endEdit 5"}));

	controller->setKnobMode (kLinearMode);
	EXPECT_EQ (editor->getKnobMode (), kLinearMode);
	EXPECT_EQ (editor->notify (nullptr, "something else"), VSTGUI::kMessageUnknown);
	EXPECT_EQ (editor->removed (), kResultOk);
	editor->release ();
	controller->release ();
}

TEST (VSTGUIEditorTest, RemovedMidDragEndsTheDrag)
{
	auto* controller = new RecordingController;
	auto* editor = new TestEditor (controller);
	ASSERT_EQ (editor->attached (nullptr, kPlatformTypeHWND), kResultOk);
	VSTGUI::Testing::press (*editor->getFrameForTest (), 50, 50);
	VSTGUI::Testing::move (*editor->getFrameForTest (), 50, 40);
	EXPECT_EQ (editor->removed (), kResultOk);
	EXPECT_EQ (controller->log.back (), "removed");
	EXPECT_EQ (controller->log[controller->log.size () - 2], "endEdit " + std::to_string ('prKn'));
	editor->release ();
	controller->release ();
}
