// The editor wrapper through the editor opcodes: size, attachment, input, resizing, and no editor at all.
#include "tests/vst2/wrapperprobe.h"
#include "tests/vst2/wrappertestsupport.h"

#include "public.sdk/source/vst/vst2wrapper/vst2platform.h"

#include <gtest/gtest.h>

namespace {

using namespace vst2host;

class Vst2EditorWrapperTest : public ::testing::Test
{
protected:
	void SetUp () override { probe::reset (); }

	Effect make () { return probe::createEffect (host); }

	Host host;
	char parent = 0; // stands for the host's window
};

Rect rectOf (const Effect& effect)
{
	Rect* rect = nullptr;
	if (effect.dispatch (kEditGetRect, 0, 0, &rect) != 1 || !rect)
		return Rect {-1, -1, -1, -1};
	return *rect;
}

TEST_F (Vst2EditorWrapperTest, OpenSizeInputAndClose)
{
	Effect effect = make ();
	const Rect rect = rectOf (effect);
	EXPECT_EQ (0, rect.top);
	EXPECT_EQ (0, rect.left);
	EXPECT_EQ (381, rect.bottom);
	EXPECT_EQ (1105, rect.right);

	EXPECT_EQ (0, effect.dispatch (kEditOpen, 0, 0, nullptr));
	ASSERT_EQ (1, effect.dispatch (kEditOpen, 0, 0, &parent));
	EXPECT_EQ (1, probe::View::log.attached);
	EXPECT_EQ (&parent, probe::View::log.parent);
	EXPECT_EQ (std::string (probe::settings ().viewPlatform ? probe::settings ().viewPlatform
	                                                          : Steinberg::Vst::kVst2EditorPlatformType),
	           probe::View::log.platformType);
	EXPECT_EQ (0, effect.dispatch (kEditOpen, 0, 0, &parent)) << "already open";

	// Keys: character, virtual key and modifiers as the host packs them (65, 0x101, 2.9).
	EXPECT_EQ (1, effect.dispatch (kEditKeyDown, 65, 0x101, nullptr, 2.9f));
	EXPECT_EQ (1, effect.dispatch (kEditKeyUp, 65, 0x101, nullptr, 2.9f));
	EXPECT_EQ ((std::vector<int> {65, 1, 2, -65, 1, 2}), probe::View::log.keys);
	EXPECT_EQ (1, effect.dispatch (kSetEditKnobMode, 0, 2));
	EXPECT_EQ (0, effect.dispatch (kSetEditKnobMode, 0, 0));
	EXPECT_EQ ((std::vector<Steinberg::int32> {2, 0}), std::vector<Steinberg::int32> (
	                                                       probe::Controller::latest->knobModes.end () - 2,
	                                                       probe::Controller::latest->knobModes.end ()));

	// The view asks for the size it has: no question to the host. A new size needs its consent.
	probe::View* view = probe::View::latest;
	Steinberg::ViewRect same (0, 0, 1105, 381);
	Steinberg::ViewRect larger (0, 0, 1155, 431);
	EXPECT_EQ (Steinberg::kResultTrue, view->frame ()->resizeView (view, &same));
	EXPECT_TRUE (host.callsOf (kHostSizeWindow).empty ());
	EXPECT_EQ (Steinberg::kResultFalse, view->frame ()->resizeView (view, &larger));
	host.answers[kHostSizeWindow] = 1;
	EXPECT_EQ (Steinberg::kResultTrue, view->frame ()->resizeView (view, &larger));
	ASSERT_EQ (2u, host.callsOf (kHostSizeWindow).size ());
	EXPECT_EQ (1155, host.callsOf (kHostSizeWindow)[1].index);
	EXPECT_EQ (431, host.callsOf (kHostSizeWindow)[1].value);
	EXPECT_EQ (1155, probe::View::log.sizes.back ().right);
	EXPECT_EQ (431, rectOf (effect).bottom);

	const int destroyed = probe::View::log.destroyed;
	effect.dispatch (kEditClose);
	EXPECT_EQ (1, probe::View::log.removed);
	EXPECT_EQ (destroyed + 1, probe::View::log.destroyed) << "closing releases the view";
	EXPECT_EQ (0, effect.dispatch (kEditKeyDown, 65, 0, nullptr, 0.f));
	EXPECT_EQ (381, rectOf (effect).bottom) << "a new view after close";
}

TEST_F (Vst2EditorWrapperTest, OpeningShowsWhatTheHostSetWhileClosed)
{
	Effect effect = make ();
	effect.setParameter (0, 0.8f);
	probe::Controller::latest->received.clear ();
	ASSERT_EQ (1, effect.dispatch (kEditOpen, 0, 0, &parent));
	ASSERT_FALSE (probe::Controller::latest->received.empty ());
	EXPECT_EQ (probe::kGainId, probe::Controller::latest->received[0].first);
	EXPECT_FLOAT_EQ (0.8f, static_cast<float> (probe::Controller::latest->received[0].second));
}

TEST_F (Vst2EditorWrapperTest, NoEditorWithoutAUsableView)
{
	probe::settings ().withView = false;
	Effect withoutView = make ();
	probe::settings ().withView = true;
	probe::settings ().viewPlatform = "SomeOtherWindowKind";
	Effect foreignView = make ();
	for (const Effect* effect : {&withoutView, &foreignView})
	{
		EXPECT_EQ (0, effect->flags () & kHasEditor);
		Rect* rect = reinterpret_cast<Rect*> (&parent);
		EXPECT_EQ (0, effect->dispatch (kEditGetRect, 0, 0, &rect));
		EXPECT_EQ (reinterpret_cast<Rect*> (&parent), rect) << "untouched";
		EXPECT_EQ (0, effect->dispatch (kEditOpen, 0, 0, &parent));
		EXPECT_EQ (0, effect->dispatch (kEditKeyDown, 65, 0, nullptr, 0.f));
		EXPECT_EQ (0, effect->dispatch (kVendorSpecific, 0x73744341, 0x57686565, nullptr, 1.f));
		effect->dispatch (kEditIdle);
		effect->dispatch (kEditClose);
	}
	EXPECT_EQ (0, probe::View::log.attached);
}

} // namespace
