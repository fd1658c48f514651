// Test support: the processor made directly (without the module), set up, with stereo blocks and
// its state as bytes.
#pragma once

#include "processor/Tessaline.h"

#include "public.sdk/source/common/memorystream.h"

#include <cstdint>
#include <vector>

namespace ProcessorTest {

using namespace Steinberg;
using namespace Steinberg::Vst;

using Bytes = std::vector<uint8_t>;

// Created, initialised and set up; deactivated and terminated when it goes.
struct DirectProcessor
{
	explicit DirectProcessor (int32 sampleSize = kSample32, int32 maxBlock = 512, double rate = 48000.0)
	: object (owned (Tessaline::createInstance (nullptr))), component (object), processor (object)
	{
		ProcessSetup setup {kRealtime, sampleSize, maxBlock, rate};
		ready = component && processor && component->initialize (nullptr) == kResultOk &&
		        processor->setupProcessing (setup) == kResultOk;
	}
	~DirectProcessor ()
	{
		if (ready)
		{
			component->setActive (false);
			component->terminate ();
		}
	}

	Bytes state ()
	{
		MemoryStream stream;
		component->getState (&stream);
		const auto* data = reinterpret_cast<const uint8_t*> (stream.getData ());
		return Bytes (data, data + stream.getSize ());
	}

	tresult load (const Bytes& bytes)
	{
		Bytes copy (bytes);
		MemoryStream stream (copy.data (), static_cast<TSize> (copy.size ()));
		return component->setState (&stream);
	}

	IPtr<FUnknown> object;
	FUnknownPtr<IComponent> component;
	FUnknownPtr<IAudioProcessor> processor;
	bool ready = false;
};

// ProcessData for one stereo block over the caller's channel buffers (input and output may be the same).
template <typename Sample>
struct StereoBlock
{
	StereoBlock (Sample* inLeft, Sample* inRight, Sample* outLeft, Sample* outRight, int32 frames)
	: inputs {inLeft, inRight}, outputs {outLeft, outRight}
	{
		inBus.numChannels = outBus.numChannels = 2;
		if constexpr (sizeof (Sample) == sizeof (Sample64))
		{
			inBus.channelBuffers64 = inputs;
			outBus.channelBuffers64 = outputs;
			data.symbolicSampleSize = kSample64;
		}
		else
		{
			inBus.channelBuffers32 = inputs;
			outBus.channelBuffers32 = outputs;
			data.symbolicSampleSize = kSample32;
		}
		data.numSamples = frames;
		data.numInputs = data.numOutputs = 1;
		data.inputs = &inBus;
		data.outputs = &outBus;
	}
	StereoBlock (const StereoBlock&) = delete;
	StereoBlock& operator= (const StereoBlock&) = delete;

	Sample* inputs[2];
	Sample* outputs[2];
	AudioBusBuffers inBus, outBus;
	ProcessData data;
};

// The bytes a settings record is written as.
inline Bytes written (const ReverbSettings& settings)
{
	MemoryStream stream;
	settings.write (&stream);
	const auto* data = reinterpret_cast<const uint8_t*> (stream.getData ());
	return Bytes (data, data + stream.getSize ());
}

} // namespace ProcessorTest
