// Driving one plug-in through the VST 3 calling order: create, connect, set up, process, save, release.
#include "PluginInstance.h"

#include "public.sdk/source/common/memorystream.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/smartpointer.h"

namespace TessalineHost {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Enough parameter queues that a block never makes the host allocate.
constexpr int32 kPreparedQueues = 32;

void activateAllBuses (IComponent& component, BusDirection direction, bool state)
{
	const int32 count = component.getBusCount (kAudio, direction);
	for (int32 i = 0; i < count; ++i)
		component.activateBus (kAudio, direction, i, state);
}

} // namespace

PluginInstance::PluginInstance ()
: toController (owned (new MessageRelay))
, toProcessor (owned (new MessageRelay))
, editRecorder (owned (new EditRecorder))
, inputChanges (kPreparedQueues)
, outputChangeList (kPreparedQueues)
{
}

std::unique_ptr<PluginInstance> PluginInstance::create (PluginModule& module, std::string& error)
{
	const ClassDescription* processorClass = module.findClass (kVstAudioEffectClass);
	if (!processorClass)
	{
		error = "the module has no audio processor class";
		return nullptr;
	}
	std::unique_ptr<PluginInstance> instance (new PluginInstance);
	instance->componentPtr = module.createInstance<IComponent> (processorClass->cid);
	if (!instance->componentPtr)
	{
		error = "the factory did not create the processor";
		return nullptr;
	}
	if (instance->componentPtr->initialize (&instance->hostApplication) != kResultOk)
	{
		instance->componentPtr = nullptr;
		error = "the processor did not initialise";
		return nullptr;
	}
	instance->processorPtr = FUnknownPtr<IAudioProcessor> (instance->componentPtr);
	if (!instance->processorPtr)
	{
		error = "the processor has no IAudioProcessor";
		return nullptr;
	}
	activateAllBuses (*instance->componentPtr, kInput, true);
	activateAllBuses (*instance->componentPtr, kOutput, true);

	TUID controllerId {};
	if (instance->componentPtr->getControllerClassId (controllerId) == kResultTrue &&
	    module.findClass (FUID::fromTUID (controllerId)))
	{
		auto controller = module.createInstance<IEditController> (FUID::fromTUID (controllerId));
		if (controller && controller->initialize (&instance->hostApplication) == kResultOk)
		{
			controller->setComponentHandler (instance->editRecorder);
			instance->controllerPtr = controller;
		}
	}

	instance->connectComponents ();

	// The controller starts from the processor's values, whatever its own defaults are.
	if (instance->controllerPtr)
	{
		std::vector<char> state;
		if (instance->getState (state) == kResultOk)
		{
			MemoryStream stream (state.data (), static_cast<TSize> (state.size ()));
			instance->controllerPtr->setComponentState (&stream);
		}
	}
	return instance;
}

void PluginInstance::connectComponents ()
{
	FUnknownPtr<IConnectionPoint> processorPoint (componentPtr);
	if (!processorPoint)
		return;
	processorPoint->connect (toController);
	if (controllerPtr)
	{
		FUnknownPtr<IConnectionPoint> controllerPoint (controllerPtr);
		if (controllerPoint)
		{
			toController->setDestination (controllerPoint);
			toProcessor->setDestination (processorPoint);
			controllerPoint->connect (toProcessor);
		}
	}
	connected = true;
}

void PluginInstance::disconnectComponents ()
{
	if (!connected)
		return;
	if (FUnknownPtr<IConnectionPoint> processorPoint {componentPtr})
		processorPoint->disconnect (toController);
	if (controllerPtr)
		if (FUnknownPtr<IConnectionPoint> controllerPoint {controllerPtr})
			controllerPoint->disconnect (toProcessor);
	toController->setDestination (nullptr);
	toProcessor->setDestination (nullptr);
	connected = false;
}

PluginInstance::~PluginInstance ()
{
	if (active)
		setActive (false);
	disconnectComponents ();
	if (controllerPtr)
	{
		controllerPtr->setComponentHandler (nullptr);
		controllerPtr->terminate ();
		controllerPtr = nullptr;
	}
	processorPtr = nullptr;
	if (componentPtr)
	{
		componentPtr->terminate ();
		componentPtr = nullptr;
	}
}

tresult PluginInstance::setupProcessing (double sampleRate, int32 maxSamplesPerBlock,
                                         int32 symbolicSampleSize)
{
	ProcessSetup setup {kRealtime, symbolicSampleSize, maxSamplesPerBlock, sampleRate};
	tresult result = processorPtr->setupProcessing (setup);
	if (result == kResultOk)
		data.prepare (*componentPtr, 0, symbolicSampleSize);
	context.sampleRate = sampleRate;
	return result;
}

tresult PluginInstance::setActive (bool state)
{
	if (!state && active)
		processorPtr->setProcessing (false);
	tresult result = componentPtr->setActive (state);
	active = state;
	if (state)
		processorPtr->setProcessing (true);
	return result;
}

void PluginInstance::queueParameter (ParamID id, ParamValue value, int32 sampleOffset)
{
	int32 queueIndex = 0;
	if (IParamValueQueue* queue = inputChanges.addParameterData (id, queueIndex))
	{
		int32 pointIndex = 0;
		queue->addPoint (sampleOffset, value, pointIndex);
	}
	if (controllerPtr)
		controllerPtr->setParamNormalized (id, value);
}

template <typename Sample>
tresult PluginInstance::processBlock (Sample* const in[2], Sample* const out[2], int32 frames)
{
	const int32 sampleSize = sizeof (Sample) == sizeof (Sample64) ? kSample64 : kSample32;
	if (data.symbolicSampleSize != sampleSize || !data.inputs)
		data.prepare (*componentPtr, 0, sampleSize);
	for (int32 c = 0; c < 2; ++c)
	{
		if constexpr (sizeof (Sample) == sizeof (Sample64))
		{
			data.setChannelBuffer64 (kInput, 0, c, in[c]);
			data.setChannelBuffer64 (kOutput, 0, c, out[c]);
		}
		else
		{
			data.setChannelBuffer (kInput, 0, c, in[c]);
			data.setChannelBuffer (kOutput, 0, c, out[c]);
		}
	}
	data.numSamples = frames;
	data.processMode = kRealtime;
	data.inputParameterChanges = &inputChanges;
	data.outputParameterChanges = &outputChangeList;
	data.inputEvents = &events;
	data.processContext = &context;
	outputChangeList.clearQueue ();

	const tresult result = processorPtr->process (data);

	inputChanges.clearQueue ();
	events.clear ();
	context.projectTimeSamples += frames;
	lastOutputChanges.clear ();
	for (int32 i = 0; i < outputChangeList.getParameterCount (); ++i)
	{
		IParamValueQueue* queue = outputChangeList.getParameterData (i);
		int32 offset = 0;
		ParamValue value = 0.0;
		for (int32 p = 0; queue && p < queue->getPointCount (); ++p)
			if (queue->getPoint (p, offset, value) == kResultTrue)
				lastOutputChanges.push_back ({queue->getParameterId (), offset, value});
		// The controller shows the last value, as a host's UI thread would pass it on.
		if (controllerPtr && queue && queue->getPointCount () > 0)
			controllerPtr->setParamNormalized (queue->getParameterId (), value);
	}
	return result;
}

tresult PluginInstance::process (float* const in[2], float* const out[2], int32 frames)
{
	return processBlock (in, out, frames);
}

tresult PluginInstance::process (double* const in[2], double* const out[2], int32 frames)
{
	return processBlock (in, out, frames);
}

tresult PluginInstance::getState (std::vector<char>& bytes)
{
	MemoryStream stream;
	tresult result = componentPtr->getState (&stream);
	bytes.assign (stream.getData (), stream.getData () + stream.getSize ());
	return result;
}

tresult PluginInstance::setState (const std::vector<char>& bytes)
{
	std::vector<char> copy (bytes);
	MemoryStream stream (copy.data (), static_cast<TSize> (copy.size ()));
	tresult result = componentPtr->setState (&stream);
	if (result == kResultOk && controllerPtr)
	{
		MemoryStream controllerStream (copy.data (), static_cast<TSize> (copy.size ()));
		controllerPtr->setComponentState (&controllerStream);
	}
	return result;
}

tresult PluginInstance::sendTextToProcessor (const char* text)
{
	FUnknownPtr<IConnectionPoint> processorPoint (componentPtr);
	if (!processorPoint)
		return kNoInterface;
	auto message = owned (new HostMessage);
	message->setMessageID ("TextMessage");
	String converted (text, kCP_Utf8);
	message->getAttributes ()->setString ("Text", converted.text16 ());
	return processorPoint->notify (message);
}

} // namespace TessalineHost
