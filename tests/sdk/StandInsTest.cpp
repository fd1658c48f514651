// Our SDK stand-ins behave as plug-ins and hosts written against the SDK expect.
#include "public.sdk/source/main/pluginfactory.h"
#include "public.sdk/source/vst/hosting/eventlist.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "public.sdk/source/vst/hosting/processdata.h"
#include "public.sdk/source/vst/vstaudioeffect.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

class StereoEffect : public AudioEffect
{
public:
	tresult PLUGIN_API initialize (FUnknown* context) override
	{
		tresult result = AudioEffect::initialize (context);
		if (result == kResultOk)
		{
			addAudioInput (STR16 ("In"), SpeakerArr::kStereo);
			addAudioOutput (STR16 ("Out"), SpeakerArr::kStereo);
		}
		return result;
	}
	tresult PLUGIN_API process (ProcessData&) override { return kResultOk; }
	static FUnknown* create (void*) { return static_cast<IAudioProcessor*> (new StereoEffect); }
};

TEST (AudioEffect, AnswersTheComponentInterfacesAndDefaults)
{
	auto effect = owned (new StereoEffect);
	ASSERT_EQ (effect->initialize (nullptr), kResultOk);
	for (const FUID* iid : {&FUnknown::iid, &IAudioProcessor::iid, &IComponent::iid, &IPluginBase::iid,
	                        &IConnectionPoint::iid})
	{
		void* object = nullptr;
		EXPECT_EQ (effect->queryInterface (iid->toTUID (), &object), kResultOk);
		ASSERT_TRUE (object);
		static_cast<FUnknown*> (object)->release ();
	}
	EXPECT_EQ (effect->canProcessSampleSize (kSample32), kResultTrue);
	EXPECT_EQ (effect->canProcessSampleSize (kSample64), kResultFalse);
	ProcessSetup setup {kRealtime, kSample64, 256, 48000.0};
	EXPECT_EQ (effect->setupProcessing (setup), kResultFalse);
	setup.symbolicSampleSize = kSample32;
	EXPECT_EQ (effect->setupProcessing (setup), kResultOk);
	EXPECT_EQ (effect->getLatencySamples (), 0u);
	EXPECT_EQ (effect->getTailSamples (), kNoTail);

	BusInfo info {};
	ASSERT_EQ (effect->getBusInfo (kAudio, kOutput, 0, info), kResultTrue);
	EXPECT_EQ (info.channelCount, 2);
	EXPECT_EQ (info.flags, static_cast<uint32> (BusInfo::kDefaultActive));
	EXPECT_EQ (String (info.name), String ("Out"));
	effect->terminate ();
}

TEST (AudioEffect, DefaultBusArrangementFollowsTheBusCount)
{
	auto effect = owned (new StereoEffect);
	effect->initialize (nullptr);
	SpeakerArrangement side = SpeakerArr::kStereoSide, arrangement = 0;
	EXPECT_EQ (effect->setBusArrangements (&side, 1, &side, 1), kResultTrue);
	EXPECT_EQ (effect->getBusArrangement (kInput, 0, arrangement), kResultTrue);
	EXPECT_EQ (arrangement, SpeakerArr::kStereoSide);
	EXPECT_EQ (effect->setBusArrangements (&side, 1, &side, 0), kResultFalse);
	EXPECT_EQ (effect->setBusArrangements (nullptr, 1, &side, 1), kInvalidArgument);
	EXPECT_EQ (effect->getBusArrangement (kOutput, 1, arrangement), kInvalidArgument);
	EXPECT_EQ (effect->getBusArrangement (kOutput, -1, arrangement), kInvalidArgument);
	effect->terminate ();
}

FUnknown* createNothing (void*)
{
	return nullptr;
}

TEST (PluginFactory, ListsCreatesAndClearsTheModulePointer)
{
	PFactoryInfo info ("Vendor", "https://example.invalid", "mailto:a@example.invalid", PFactoryInfo::kUnicode);
	auto* factory = new CPluginFactory (info);
	gPluginFactory = factory;
	const FUID effectId (1, 2, 3, 4), brokenId (5, 6, 7, 8);
	const PClassInfo2 effectClass (effectId.toTUID (), PClassInfo::kManyInstances, kVstAudioEffectClass,
	                               "Effect", kDistributable, "Fx", "", "1.0", "VST 3.6.6");
	const PClassInfo2 brokenClass (brokenId.toTUID (), 1, kVstAudioEffectClass, "Broken", 0, "", "", "", "");
	EXPECT_FALSE (factory->registerClass (nullptr, StereoEffect::create));
	EXPECT_FALSE (factory->registerClass (&effectClass, nullptr));
	EXPECT_TRUE (factory->registerClass (&effectClass, StereoEffect::create));
	EXPECT_TRUE (factory->registerClass (&brokenClass, createNothing));
	EXPECT_EQ (factory->countClasses (), 2);
	EXPECT_TRUE (factory->isClassRegistered (effectId));

	PClassInfo plain;
	ASSERT_EQ (factory->getClassInfo (0, &plain), kResultOk);
	EXPECT_STREQ (plain.name, "Effect");
	PClassInfoW wide;
	ASSERT_EQ (factory->getClassInfoUnicode (0, &wide), kResultOk);
	EXPECT_EQ (String (wide.name), String ("Effect"));
	EXPECT_EQ (wide.classFlags, static_cast<uint32> (kDistributable));
	EXPECT_EQ (factory->getClassInfo2 (2, nullptr), kInvalidArgument);
	EXPECT_EQ (factory->getClassInfo2 (-1, nullptr), kInvalidArgument);

	void* object = nullptr;
	ASSERT_EQ (factory->createInstance (effectId.toTUID (), IComponent::iid.toTUID (), &object), kResultOk);
	static_cast<IComponent*> (object)->release ();
	EXPECT_EQ (factory->createInstance (brokenId.toTUID (), IComponent::iid.toTUID (), &object), kOutOfMemory);
	EXPECT_EQ (object, nullptr);
	EXPECT_EQ (factory->createInstance (effectId.toTUID (), nullptr, &object), kInvalidArgument);
	EXPECT_EQ (factory->createInstance (effectId.toTUID (), IComponent::iid.toTUID (), nullptr), kInvalidArgument);

	FUnknownPtr<IPluginFactory3> factory3 (factory);
	EXPECT_TRUE (factory3);
	factory3 = nullptr;
	factory->release ();
	EXPECT_EQ (gPluginFactory, nullptr);
}

TEST (ParameterChanges, QueuesKeepPointsInOffsetOrderAndAreReused)
{
	ParameterChanges changes (2);
	int32 index = -1;
	IParamValueQueue* queue = changes.addParameterData (7, index);
	ASSERT_TRUE (queue);
	EXPECT_EQ (index, 0);
	int32 pointIndex = -1;
	queue->addPoint (100, 0.1, pointIndex);
	queue->addPoint (20, 0.2, pointIndex);
	EXPECT_EQ (pointIndex, 0);
	queue->addPoint (100, 0.3, pointIndex); // same offset: replaces
	EXPECT_EQ (queue->getPointCount (), 2);
	int32 offset = 0;
	ParamValue value = 0.0;
	ASSERT_EQ (queue->getPoint (1, offset, value), kResultTrue);
	EXPECT_EQ (offset, 100);
	EXPECT_EQ (value, 0.3);
	EXPECT_EQ (queue->getPoint (2, offset, value), kResultFalse);
	EXPECT_EQ (queue->getPoint (-1, offset, value), kResultFalse);

	EXPECT_EQ (changes.addParameterData (7, index), queue);
	EXPECT_EQ (changes.addParameterData (9, index)->getParameterId (), 9u);
	EXPECT_EQ (changes.addParameterData (11, index)->getParameterId (), 11u); // beyond the prepared two
	EXPECT_EQ (changes.getParameterCount (), 3);
	EXPECT_EQ (changes.getParameterData (3), nullptr);

	changes.clearQueue ();
	EXPECT_EQ (changes.getParameterCount (), 0);
	IParamValueQueue* reused = changes.addParameterData (12, index);
	EXPECT_EQ (reused, queue);
	EXPECT_EQ (reused->getPointCount (), 0);
	EXPECT_EQ (reused->getParameterId (), 12u);
}

TEST (EventList, HoldsUpToItsSize)
{
	EventList events (2);
	Event event {};
	event.sampleOffset = 5;
	EXPECT_EQ (events.addEvent (event), kResultTrue);
	EXPECT_EQ (events.addEvent (event), kResultTrue);
	EXPECT_EQ (events.addEvent (event), kOutOfMemory);
	EXPECT_EQ (events.getEventCount (), 2);
	Event out {};
	EXPECT_EQ (events.getEvent (1, out), kResultTrue);
	EXPECT_EQ (out.sampleOffset, 5);
	EXPECT_EQ (events.getEvent (2, out), kResultFalse);
	events.clear ();
	EXPECT_EQ (events.getEventCount (), 0);
}

TEST (HostProcessData, BuffersFollowTheComponentsBuses)
{
	auto effect = owned (new StereoEffect);
	effect->initialize (nullptr);
	HostProcessData data;
	EXPECT_FALSE (data.prepare (*effect, 16, 5));

	ASSERT_TRUE (data.prepare (*effect, 16, kSample64));
	ASSERT_EQ (data.numInputs, 1);
	ASSERT_EQ (data.numOutputs, 1);
	ASSERT_EQ (data.outputs[0].numChannels, 2);
	EXPECT_EQ (data.outputs[0].channelBuffers64[1][15], 0.0);
	double own[16];
	EXPECT_FALSE (data.setChannelBuffer64 (kOutput, 0, 0, own)) << "the samples are its own";

	ASSERT_TRUE (data.prepare (*effect, 0, kSample32));
	EXPECT_EQ (data.inputs[0].channelBuffers32[0], nullptr);
	float left[4], right[4];
	float* both[2] = {left, right};
	EXPECT_TRUE (data.setChannelBuffers (kInput, 0, both, 2));
	EXPECT_EQ (data.inputs[0].channelBuffers32[1], right);
	EXPECT_FALSE (data.setChannelBuffers (kInput, 0, both, 1));
	EXPECT_FALSE (data.setChannelBuffer (kInput, 1, 0, left));
	EXPECT_FALSE (data.setChannelBuffer (kInput, 0, 2, left));
	EXPECT_FALSE (data.setChannelBuffer64 (kInput, 0, 0, own)) << "wrong sample size";
	data.unprepare ();
	EXPECT_EQ (data.numInputs, 0);
	effect->terminate ();
}

} // namespace
