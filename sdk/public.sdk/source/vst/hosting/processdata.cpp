// Host-side ProcessData: bus buffers of a component, with or without samples of their own.
#include "public.sdk/source/vst/hosting/processdata.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <cstring>

namespace Steinberg {
namespace Vst {

namespace {

size_t sampleBytes (int32 symbolicSampleSize)
{
	return symbolicSampleSize == kSample64 ? sizeof (Sample64) : sizeof (Sample32);
}

template <typename Sample>
constexpr int32 sampleSizeOf ()
{
	return sizeof (Sample) == sizeof (Sample64) ? kSample64 : kSample32;
}

} // namespace

HostProcessData::~HostProcessData ()
{
	unprepare ();
}

bool HostProcessData::prepare (IComponent& component, int32 bufferSamples, int32 _symbolicSampleSize)
{
	if (_symbolicSampleSize != kSample32 && _symbolicSampleSize != kSample64)
		return false;
	unprepare ();
	symbolicSampleSize = _symbolicSampleSize;
	ownsSamples = bufferSamples > 0;
	numInputs = component.getBusCount (kAudio, kInput);
	numOutputs = component.getBusCount (kAudio, kOutput);
	inputs = createBuffers (component, kInput, numInputs, bufferSamples);
	outputs = createBuffers (component, kOutput, numOutputs, bufferSamples);
	return true;
}

void HostProcessData::unprepare ()
{
	destroyBuffers (inputs, numInputs);
	destroyBuffers (outputs, numOutputs);
	ownsSamples = false;
}

AudioBusBuffers* HostProcessData::createBuffers (IComponent& component, BusDirection dir,
                                                 int32 busCount, int32 bufferSamples)
{
	if (busCount <= 0)
		return nullptr;
	auto* buffers = new AudioBusBuffers[static_cast<size_t> (busCount)];
	for (int32 b = 0; b < busCount; ++b)
	{
		BusInfo info {};
		int32 channels = 0;
		if (component.getBusInfo (kAudio, dir, b, info) == kResultTrue && info.channelCount > 0)
			channels = info.channelCount;
		AudioBusBuffers& bus = buffers[b];
		bus.numChannels = channels;
		bus.silenceFlags = 0;
		auto** pointers = new void*[static_cast<size_t> (channels > 0 ? channels : 1)] ();
		if (ownsSamples)
		{
			size_t bytes = sampleBytes (symbolicSampleSize) * static_cast<size_t> (bufferSamples);
			for (int32 c = 0; c < channels; ++c)
			{
				auto* samples = new char[bytes];
				std::memset (samples, 0, bytes);
				pointers[c] = samples;
			}
		}
		bus.channelBuffers32 = reinterpret_cast<Sample32**> (pointers);
	}
	return buffers;
}

void HostProcessData::destroyBuffers (AudioBusBuffers*& buffers, int32& busCount)
{
	if (buffers)
	{
		for (int32 b = 0; b < busCount; ++b)
		{
			auto** pointers = reinterpret_cast<void**> (buffers[b].channelBuffers32);
			if (ownsSamples)
				for (int32 c = 0; c < buffers[b].numChannels; ++c)
					delete[] static_cast<char*> (pointers[c]);
			delete[] pointers;
		}
		delete[] buffers;
	}
	buffers = nullptr;
	busCount = 0;
}

AudioBusBuffers* HostProcessData::busAt (BusDirection dir, int32 busIndex)
{
	AudioBusBuffers* buses = dir == kInput ? inputs : outputs;
	int32 count = dir == kInput ? numInputs : numOutputs;
	if (!buses || busIndex < 0 || busIndex >= count)
		return nullptr;
	return &buses[busIndex];
}

template <typename Sample>
bool HostProcessData::assignChannel (BusDirection dir, int32 busIndex, int32 channelIndex,
                                     Sample* buffer)
{
	AudioBusBuffers* bus = busAt (dir, busIndex);
	if (ownsSamples || symbolicSampleSize != sampleSizeOf<Sample> () || !bus || channelIndex < 0 ||
	    channelIndex >= bus->numChannels)
		return false;
	reinterpret_cast<Sample**> (bus->channelBuffers32)[channelIndex] = buffer;
	return true;
}

template <typename Sample>
bool HostProcessData::assignChannels (BusDirection dir, int32 busIndex, Sample** buffers,
                                      int32 bufferCount)
{
	AudioBusBuffers* bus = busAt (dir, busIndex);
	if (!bus || !buffers || bufferCount < bus->numChannels)
		return false;
	for (int32 c = 0; c < bus->numChannels; ++c)
		if (!assignChannel (dir, busIndex, c, buffers[c]))
			return false;
	return true;
}

bool HostProcessData::setChannelBuffer (BusDirection dir, int32 busIndex, int32 channelIndex,
                                        Sample32* buffer)
{
	return assignChannel (dir, busIndex, channelIndex, buffer);
}

bool HostProcessData::setChannelBuffer64 (BusDirection dir, int32 busIndex, int32 channelIndex,
                                          Sample64* buffer)
{
	return assignChannel (dir, busIndex, channelIndex, buffer);
}

bool HostProcessData::setChannelBuffers (BusDirection dir, int32 busIndex, Sample32** buffers,
                                         int32 bufferCount)
{
	return assignChannels (dir, busIndex, buffers, bufferCount);
}

bool HostProcessData::setChannelBuffers64 (BusDirection dir, int32 busIndex, Sample64** buffers,
                                           int32 bufferCount)
{
	return assignChannels (dir, busIndex, buffers, bufferCount);
}

} // namespace Vst
} // namespace Steinberg
