// process allocates nothing and takes no lock: the C library's allocator and lock calls are
// counted while blocks run through every path (parameter changes, a state hand-over, bypass, level).
#include "DirectProcessor.h"
#include "RealtimeWatch.h"

#include "processor/ParameterIds.h"

#include "public.sdk/source/vst/hosting/eventlist.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace ProcessorTest;
using namespace realtime;

constexpr int32 kBlock = 512;

TEST (ProcessRealtime, AllocatesNothingAndTakesNoLock)
{
	ASSERT_TRUE (countersWork ());

	DirectProcessor plugin (kSample32, kBlock);
	ASSERT_TRUE (plugin.ready);
	IAudioProcessor* processor = plugin.processor;
	IComponent* component = plugin.component;

	std::vector<float> in32 (kBlock, 0.25f), out32 (kBlock);
	std::vector<double> in64 (kBlock, 0.25), out64 (kBlock);
	float* in32Channels[2] = {in32.data (), in32.data ()};
	float* out32Channels[2] = {out32.data (), out32.data ()};
	double* in64Channels[2] = {in64.data (), in64.data ()};
	double* out64Channels[2] = {out64.data (), out64.data ()};
	AudioBusBuffers inBus, outBus;
	inBus.numChannels = outBus.numChannels = 2;

	ParameterChanges inputChanges (kNumStoredParameters + 4), outputChanges (4);
	EventList events (8);
	Event note {};
	ProcessData data;
	data.numInputs = data.numOutputs = 1;
	data.inputs = &inBus;
	data.outputs = &outBus;
	data.numSamples = kBlock;
	data.inputParameterChanges = &inputChanges;
	data.outputParameterChanges = &outputChanges;
	data.inputEvents = &events;

	auto runBlock = [&] (int32 sampleSize, double parameterValue) {
		data.symbolicSampleSize = sampleSize;
		inBus.channelBuffers32 = in32Channels;
		outBus.channelBuffers32 = out32Channels;
		if (sampleSize == kSample64)
		{
			inBus.channelBuffers64 = in64Channels;
			outBus.channelBuffers64 = out64Channels;
		}
		inputChanges.clearQueue ();
		outputChanges.clearQueue ();
		for (ParamID id = 0; id < kNumStoredParameters; ++id)
		{
			int32 index = 0;
			if (id == kBypass)
				continue;
			inputChanges.addParameterData (id, index)->addPoint (0, parameterValue, index);
			inputChanges.addParameterData (id, index)->addPoint (7, 1.0 - parameterValue, index);
		}
		events.clear ();
		events.addEvent (note);
		watching = true;
		processor->process (data);
		watching = false;
	};

	ASSERT_EQ (component->setActive (true), kResultOk);
	runBlock (kSample32, 0.3); // the host's queues have their room from here on

	const Bytes state = plugin.state ();
	allocations = 0;
	locks = 0;
	for (int round = 0; round < 4; ++round)
	{
		runBlock (kSample32, 0.1 * round);
		runBlock (kSample64, 0.2 * round);
	}
	// A state loaded while active is adopted inside the next block.
	ASSERT_EQ (plugin.load (state), kResultOk);
	runBlock (kSample32, 0.6);
	// Bypassed blocks copy.
	int32 index = 0;
	inputChanges.clearQueue ();
	inputChanges.addParameterData (kBypass, index)->addPoint (0, 1.0, index);
	watching = true;
	processor->process (data);
	watching = false;

	EXPECT_EQ (allocations.load (), 0);
	EXPECT_EQ (locks.load (), 0);
}

} // namespace
