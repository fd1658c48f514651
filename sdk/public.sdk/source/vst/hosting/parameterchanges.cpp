// Host-side parameter queues, reused from block to block.
#include "public.sdk/source/vst/hosting/parameterchanges.h"

namespace Steinberg {
namespace Vst {

namespace {
// Enough for the points a host usually gives one parameter in one block.
constexpr size_t kReservedPoints = 16;
}

IMPLEMENT_FUNKNOWN_METHODS (ParameterValueQueue, IParamValueQueue, IParamValueQueue::iid)

ParameterValueQueue::ParameterValueQueue (ParamID paramID) : paramID (paramID)
{
	FUNKNOWN_CTOR
	points.reserve (kReservedPoints);
}

ParameterValueQueue::~ParameterValueQueue ()
{
	FUNKNOWN_DTOR
}

void ParameterValueQueue::clear ()
{
	points.clear ();
}

int32 PLUGIN_API ParameterValueQueue::getPointCount ()
{
	return static_cast<int32> (points.size ());
}

tresult PLUGIN_API ParameterValueQueue::getPoint (int32 index, int32& sampleOffset, ParamValue& value)
{
	if (index < 0 || index >= static_cast<int32> (points.size ()))
		return kResultFalse;
	const Point& point = points[static_cast<size_t> (index)];
	sampleOffset = point.sampleOffset;
	value = point.value;
	return kResultTrue;
}

tresult PLUGIN_API ParameterValueQueue::addPoint (int32 sampleOffset, ParamValue value, int32& index)
{
	size_t at = 0;
	while (at < points.size () && points[at].sampleOffset < sampleOffset)
		++at;
	if (at < points.size () && points[at].sampleOffset == sampleOffset)
		points[at].value = value;
	else
		points.insert (points.begin () + static_cast<std::ptrdiff_t> (at), Point {sampleOffset, value});
	index = static_cast<int32> (at);
	return kResultTrue;
}

IMPLEMENT_FUNKNOWN_METHODS (ParameterChanges, IParameterChanges, IParameterChanges::iid)

ParameterChanges::ParameterChanges (int32 maxParameters) : usedQueueCount (0)
{
	FUNKNOWN_CTOR
	setMaxParameters (maxParameters);
}

ParameterChanges::~ParameterChanges ()
{
	for (auto* queue : queues)
		queue->release ();
	FUNKNOWN_DTOR
}

void ParameterChanges::setMaxParameters (int32 maxParameters)
{
	while (static_cast<int32> (queues.size ()) < maxParameters)
		queues.push_back (new ParameterValueQueue (kNoParamId));
}

void ParameterChanges::clearQueue ()
{
	usedQueueCount = 0;
}

int32 PLUGIN_API ParameterChanges::getParameterCount ()
{
	return usedQueueCount;
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData (int32 index)
{
	if (index < 0 || index >= usedQueueCount)
		return nullptr;
	return queues[static_cast<size_t> (index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData (const ParamID& id, int32& index)
{
	for (int32 i = 0; i < usedQueueCount; ++i)
	{
		if (queues[static_cast<size_t> (i)]->getParameterId () == id)
		{
			index = i;
			return queues[static_cast<size_t> (i)];
		}
	}
	if (usedQueueCount == static_cast<int32> (queues.size ()))
		queues.push_back (new ParameterValueQueue (id));
	ParameterValueQueue* queue = queues[static_cast<size_t> (usedQueueCount)];
	queue->setParamID (id);
	queue->clear ();
	index = usedQueueCount++;
	return queue;
}

} // namespace Vst
} // namespace Steinberg
