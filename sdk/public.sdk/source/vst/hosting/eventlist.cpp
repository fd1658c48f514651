// Host-side event list of one block.
#include "public.sdk/source/vst/hosting/eventlist.h"

namespace Steinberg {
namespace Vst {

IMPLEMENT_FUNKNOWN_METHODS (EventList, IEventList, IEventList::iid)

EventList::EventList (int32 maxSize) : usedCount (0)
{
	FUNKNOWN_CTOR
	setMaxSize (maxSize);
}

EventList::~EventList ()
{
	FUNKNOWN_DTOR
}

void EventList::setMaxSize (int32 maxSize)
{
	events.resize (static_cast<size_t> (maxSize > 0 ? maxSize : 0));
	if (usedCount > static_cast<int32> (events.size ()))
		usedCount = static_cast<int32> (events.size ());
}

Event* EventList::getEventByIndex (int32 index)
{
	if (index < 0 || index >= usedCount)
		return nullptr;
	return &events[static_cast<size_t> (index)];
}

tresult PLUGIN_API EventList::getEvent (int32 index, Event& e)
{
	Event* event = getEventByIndex (index);
	if (!event)
		return kResultFalse;
	e = *event;
	return kResultTrue;
}

tresult PLUGIN_API EventList::addEvent (Event& e)
{
	if (usedCount >= static_cast<int32> (events.size ()))
		return kOutOfMemory;
	events[static_cast<size_t> (usedCount++)] = e;
	return kResultTrue;
}

} // namespace Vst
} // namespace Steinberg
