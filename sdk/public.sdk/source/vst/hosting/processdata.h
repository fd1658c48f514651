// Host-side ProcessData that sets up the bus buffers of a component and, if asked, owns the samples.
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

namespace Steinberg {
namespace Vst {

class HostProcessData : public ProcessData
{
public:
	HostProcessData () = default;
	~HostProcessData ();
	HostProcessData (const HostProcessData&) = delete;
	HostProcessData& operator= (const HostProcessData&) = delete;

	// One AudioBusBuffers per audio bus of the component, with its channel count. With
	// bufferSamples > 0 every channel gets zeroed samples of its own; with 0 the channel pointers
	// stay null for the host to set. False when the sample size is neither 32 nor 64 bit.
	bool prepare (IComponent& component, int32 bufferSamples, int32 symbolicSampleSize);
	void unprepare ();

	// Point the channels of a bus at the host's own buffers (then the buffers are not ours).
	bool setChannelBuffers (BusDirection dir, int32 busIndex, Sample32** buffers, int32 bufferCount);
	bool setChannelBuffers64 (BusDirection dir, int32 busIndex, Sample64** buffers, int32 bufferCount);
	bool setChannelBuffer (BusDirection dir, int32 busIndex, int32 channelIndex, Sample32* buffer);
	bool setChannelBuffer64 (BusDirection dir, int32 busIndex, int32 channelIndex, Sample64* buffer);

protected:
	AudioBusBuffers* createBuffers (IComponent& component, BusDirection dir, int32 busCount,
	                                int32 bufferSamples);
	void destroyBuffers (AudioBusBuffers*& buffers, int32& busCount);
	AudioBusBuffers* busAt (BusDirection dir, int32 busIndex);
	template <typename Sample>
	bool assignChannel (BusDirection dir, int32 busIndex, int32 channelIndex, Sample* buffer);
	template <typename Sample>
	bool assignChannels (BusDirection dir, int32 busIndex, Sample** buffers, int32 bufferCount);

	bool ownsSamples = false;
};

} // namespace Vst
} // namespace Steinberg
