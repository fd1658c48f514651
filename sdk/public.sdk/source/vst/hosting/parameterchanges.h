// Host-side parameter queues: what a host hands to IAudioProcessor::process and reads back from it.
#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace Steinberg {
namespace Vst {

// The points of one parameter within a block, kept in sample-offset order.
class ParameterValueQueue : public IParamValueQueue
{
public:
	explicit ParameterValueQueue (ParamID paramID);
	virtual ~ParameterValueQueue ();

	ParamID PLUGIN_API getParameterId () SMTG_OVERRIDE { return paramID; }
	int32 PLUGIN_API getPointCount () SMTG_OVERRIDE;
	tresult PLUGIN_API getPoint (int32 index, int32& sampleOffset, ParamValue& value) SMTG_OVERRIDE;
	// A point at an offset that already holds one replaces its value.
	tresult PLUGIN_API addPoint (int32 sampleOffset, ParamValue value, int32& index) SMTG_OVERRIDE;

	void setParamID (ParamID id) { paramID = id; }
	// Forgets the points but keeps their memory, so a reused queue does not allocate.
	void clear ();

	DECLARE_FUNKNOWN_METHODS

protected:
	struct Point
	{
		int32 sampleOffset;
		ParamValue value;
	};

	ParamID paramID;
	std::vector<Point> points;
};

// All queues of one block. Queues are reused from block to block; memory is only added when a
// block carries more parameters than any block before it.
class ParameterChanges : public IParameterChanges
{
public:
	explicit ParameterChanges (int32 maxParameters = 0);
	virtual ~ParameterChanges ();

	// Prepares this many queues ahead of time.
	void setMaxParameters (int32 maxParameters);
	// Empties the list for the next block.
	void clearQueue ();

	int32 PLUGIN_API getParameterCount () SMTG_OVERRIDE;
	IParamValueQueue* PLUGIN_API getParameterData (int32 index) SMTG_OVERRIDE;
	// The queue of this parameter, added when the block has none yet.
	IParamValueQueue* PLUGIN_API addParameterData (const ParamID& id, int32& index) SMTG_OVERRIDE;

	DECLARE_FUNKNOWN_METHODS

protected:
	std::vector<ParameterValueQueue*> queues;
	int32 usedQueueCount;
};

} // namespace Vst
} // namespace Steinberg
