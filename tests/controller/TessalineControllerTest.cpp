// TessalineController: creation as the factory does it, the view list, the preset index.
#include "ControllerTestSupport.h"

#include "processor/ParameterIds.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ControllerTesting;

TEST (TessalineController, CreateInstanceGivesAFreshEditController)
{
	FUnknown* instance = TessalineController::createInstance (nullptr);
	ASSERT_NE (instance, nullptr);
	FUnknownPtr<IEditController> editController (instance);
	FUnknownPtr<IEditController2> editController2 (instance);
	FUnknownPtr<IPluginBase> pluginBase (instance);
	EXPECT_TRUE (editController && editController2 && pluginBase);
	EXPECT_EQ (static_cast<IEditController*> (instance), editController.getInterface ());
	EXPECT_EQ (editController->getParameterCount (), 0); // nothing before initialize
	EXPECT_FALSE (static_cast<TessalineController*> (editController.getInterface ())->isLocked ());
	editController = nullptr;
	editController2 = nullptr;
	pluginBase = nullptr;
	EXPECT_EQ (instance->release (), 0u);
}

TEST (TessalineController, CreatesViewsOnlyForTheEditorName)
{
	HostedController controller;
	for (FIDString name : {"Editor", "", "editor ", "edit", static_cast<const char*> (nullptr)})
		EXPECT_EQ (controller->createView (name), nullptr) << (name ? name : "null");
}

class TessalineViews : public ::testing::Test
{
protected:
	RecordingView* newView (int source)
	{
		return new RecordingView (&controller.object (), updates, source);
	}
	// (source, id, value) of every update since the last call.
	std::vector<std::tuple<int, ParamID, ParamValue>> takeUpdates ()
	{
		std::vector<std::tuple<int, ParamID, ParamValue>> taken;
		for (const auto& call : updates)
			taken.emplace_back (call.source, call.id, call.value);
		updates.clear ();
		return taken;
	}
	using Updates = std::vector<std::tuple<int, ParamID, ParamValue>>;

	HostedController controller;
	std::vector<Call> updates;
};

TEST_F (TessalineViews, EveryAttachedViewFollowsInOrderOfAttachment)
{
	RecordingView* first = newView (1);
	RecordingView* second = newView (2);
	RecordingView* detached = newView (3); // created but never attached
	attach (first);
	attach (second);
	EXPECT_EQ (controller->setParamNormalized (kWidth, 0.25), kResultTrue);
	EXPECT_EQ (takeUpdates (), (Updates {{1, kWidth, 0.25}, {2, kWidth, 0.25}}));

	first->removed ();
	controller->setParamNormalized (kWidth, 0.5);
	EXPECT_EQ (takeUpdates (), (Updates {{2, kWidth, 0.5}}));

	second->removed ();
	second->removed (); // a second removal finds nothing
	controller->setParamNormalized (kWidth, 0.75);
	EXPECT_TRUE (takeUpdates ().empty ());
	for (RecordingView* view : {first, second, detached})
		view->release ();
}

TEST_F (TessalineViews, AViewAttachedTwiceStandsTwice)
{
	RecordingView* view = newView (1);
	attach (view);
	attach (view);
	controller->setParamNormalized (kDry, 0.5);
	EXPECT_EQ (takeUpdates (), (Updates {{1, kDry, 0.5}, {1, kDry, 0.5}}));
	view->removed ();
	controller->setParamNormalized (kDry, 0.6);
	EXPECT_EQ (takeUpdates ().size (), 1u);
	view->removed ();
	controller->setParamNormalized (kDry, 0.7);
	EXPECT_TRUE (takeUpdates ().empty ());
	view->release ();
}

TEST_F (TessalineViews, ViewsGetTheValueExactlyAsReceived)
{
	RecordingView* view = newView (1);
	attach (view);
	EXPECT_EQ (controller->setParamNormalized (26, 0.5), kResultFalse);
	EXPECT_EQ (controller->setParamNormalized (kBypass, 2.0), kResultTrue);
	EXPECT_EQ (controller->setParamNormalized (kVuPPM, 0.3), kResultTrue);
	EXPECT_EQ (takeUpdates (), (Updates {{1, 26, 0.5}, {1, kBypass, 2.0}, {1, kVuPPM, 0.3}}));
	EXPECT_EQ (controller->getParamNormalized (kBypass), 1.0);

	// NaN is the one value that does not pass unchanged: neither parameter nor view could use it.
	controller->setParamNormalized (kPredelay, std::nan (""));
	EXPECT_EQ (takeUpdates (), (Updates {{1, kPredelay, 0.0}}));
	EXPECT_EQ (controller->getParamNormalized (kPredelay), 0.0);
	view->removed ();
	view->release ();
}

TEST_F (TessalineViews, ViewsOfOtherKindsAreIgnored)
{
	auto* foreign = new EditorView (&controller.object ());
	attach (foreign);
	RecordingView* view = newView (1);
	attach (view);
	controller->setParamNormalized (kWidth, 0.5);
	EXPECT_EQ (takeUpdates ().size (), 1u);
	foreign->removed ();
	foreign->release ();
	view->removed ();
	view->release ();
}

TEST_F (TessalineViews, StatePresetsAndHostValuesAllReachTheViews)
{
	RecordingView* view = newView (1);
	attach (view);
	ASSERT_EQ (controller->setComponentState (defaultStateStream ()), kResultOk);
	const Updates fromState = takeUpdates ();
	std::vector<ParamID> ids;
	for (const auto& update : fromState)
		ids.push_back (std::get<1> (update));
	const std::vector<ParamID> stateOrder = {0,  1,  2,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
	                                         15, 16, 17, 18, 3,  4,  19, 20, 21, 22, 23, 24, 25};
	EXPECT_EQ (ids, stateOrder);
	EXPECT_EQ (fromState[17], (std::tuple<int, ParamID, ParamValue> {1, 3, 2.0 / 11.0}));

	ParamValue row[kNumStoredParameters] = {};
	controller.object ().applyPreset (row);
	EXPECT_EQ (takeUpdates ().size (), 25u);
	view->removed ();
	view->release ();
}

// A host may release an attached view without removing it first; the list must forget it, or
// the next value would reach freed memory.
TEST_F (TessalineViews, ADestroyedViewLeavesTheList)
{
	RecordingView* survivor = newView (1);
	RecordingView* doomed = newView (2);
	attach (survivor);
	attach (doomed);
	attach (doomed);
	doomed->release ();
	controller->setParamNormalized (kWidth, 0.5);
	EXPECT_EQ (takeUpdates (), (Updates {{1, kWidth, 0.5}}));
	survivor->removed ();
	survivor->release ();
}

TEST_F (TessalineViews, TerminateEmptiesTheList)
{
	RecordingView* view = newView (1);
	attach (view);
	controller->terminate ();
	controller->initialize (nullptr);
	controller->setParamNormalized (kWidth, 0.5);
	EXPECT_TRUE (takeUpdates ().empty ());
	view->removed ();
	view->release ();
}

TEST (TessalineController, PresetIndexIsStoredAsGivenAndResetByInitialize)
{
	HostedController controller;
	EXPECT_EQ (controller.object ().getPresetIndex (), 0);
	controller.object ().setPresetIndex (40);
	EXPECT_EQ (controller.object ().getPresetIndex (), 40);
	controller.object ().setPresetIndex (-1);
	EXPECT_EQ (controller.object ().getPresetIndex (), -1);
	controller->terminate ();
	EXPECT_EQ (controller.object ().getPresetIndex (), -1);
	controller->initialize (nullptr);
	EXPECT_EQ (controller.object ().getPresetIndex (), 0);
}

} // namespace
