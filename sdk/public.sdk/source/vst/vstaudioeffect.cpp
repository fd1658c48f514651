// Default audio-processor behaviour shared by every effect built on AudioEffect.
#include "public.sdk/source/vst/vstaudioeffect.h"

#include <new>

namespace Steinberg {
namespace Vst {

namespace {

AudioBus* audioBusAt (BusList& list, int32 index)
{
	if (index < 0 || index >= static_cast<int32> (list.size ()))
		return nullptr;
	return FCast<AudioBus> (list.at (static_cast<size_t> (index)).get ());
}

// Null when there is no memory for the bus or for the list's room for it.
AudioBus* addAudioBus (BusList& list, const TChar* name, SpeakerArrangement arr, BusType busType,
                       int32 flags)
{
	IPtr<AudioBus> bus = owned (new (std::nothrow) AudioBus (name, busType, flags, arr));
	if (!bus)
		return nullptr;
	try
	{
		list.push_back (bus);
	}
	catch (...)
	{
		return nullptr;
	}
	return bus;
}

} // namespace

AudioEffect::AudioEffect ()
{
	processSetup.processMode = kRealtime;
	processSetup.symbolicSampleSize = kSample32;
	processSetup.maxSamplesPerBlock = 1024;
	processSetup.sampleRate = 44100.0;
}

AudioBus* AudioEffect::addAudioInput (const TChar* name, SpeakerArrangement arr, BusType busType,
                                      int32 flags)
{
	return addAudioBus (audioInputs, name, arr, busType, flags);
}

AudioBus* AudioEffect::addAudioOutput (const TChar* name, SpeakerArrangement arr, BusType busType,
                                       int32 flags)
{
	return addAudioBus (audioOutputs, name, arr, busType, flags);
}

tresult PLUGIN_API AudioEffect::notify (IMessage* message)
{
	// ComponentBase follows a message into its attributes unchecked, and its conversion of a text
	// to UTF-8 allocates.
	if (message && !message->getAttributes ())
		return kResultFalse;
	try
	{
		return Component::notify (message);
	}
	catch (...)
	{
		return kResultFalse;
	}
}

tresult AudioEffect::sendTextMessage (const char8* text) const
{
	// The message, its attributes and the text's conversion are allocated.
	try
	{
		return Component::sendTextMessage (text);
	}
	catch (...)
	{
		return kOutOfMemory;
	}
}

AudioBus* AudioEffect::getAudioInput (int32 index)
{
	return audioBusAt (audioInputs, index);
}

AudioBus* AudioEffect::getAudioOutput (int32 index)
{
	return audioBusAt (audioOutputs, index);
}

tresult PLUGIN_API AudioEffect::setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
                                                    SpeakerArrangement* outputs, int32 numOuts)
{
	if (numIns < 0 || numOuts < 0)
		return kInvalidArgument;
	if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
		return kInvalidArgument;
	if (numIns != static_cast<int32> (audioInputs.size ()) ||
	    numOuts != static_cast<int32> (audioOutputs.size ()))
		return kResultFalse;

	for (int32 i = 0; i < numIns; ++i)
		if (AudioBus* bus = getAudioInput (i))
			bus->setArrangement (inputs[i]);
	for (int32 i = 0; i < numOuts; ++i)
		if (AudioBus* bus = getAudioOutput (i))
			bus->setArrangement (outputs[i]);
	return kResultTrue;
}

tresult PLUGIN_API AudioEffect::getBusArrangement (BusDirection dir, int32 index,
                                                   SpeakerArrangement& arr)
{
	AudioBus* bus = dir == kInput ? getAudioInput (index) : getAudioOutput (index);
	if (!bus)
		return kInvalidArgument;
	arr = bus->getArrangement ();
	return kResultTrue;
}

tresult PLUGIN_API AudioEffect::canProcessSampleSize (int32 symbolicSampleSize)
{
	return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API AudioEffect::getLatencySamples ()
{
	return 0;
}

tresult PLUGIN_API AudioEffect::setupProcessing (ProcessSetup& setup)
{
	if (canProcessSampleSize (setup.symbolicSampleSize) != kResultTrue)
		return kResultFalse;
	processSetup = setup;
	return kResultOk;
}

tresult PLUGIN_API AudioEffect::setProcessing (TBool /*state*/)
{
	return kNotImplemented;
}

uint32 PLUGIN_API AudioEffect::getTailSamples ()
{
	return kNoTail;
}

} // namespace Vst
} // namespace Steinberg
