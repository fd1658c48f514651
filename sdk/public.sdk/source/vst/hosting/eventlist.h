// Host-side event list of one block, with room fixed ahead of time.
#pragma once

#include "pluginterfaces/vst/ivstevents.h"

#include <vector>

namespace Steinberg {
namespace Vst {

class EventList : public IEventList
{
public:
	explicit EventList (int32 maxSize = 50);
	virtual ~EventList ();

	void setMaxSize (int32 maxSize);
	void clear () { usedCount = 0; }

	int32 PLUGIN_API getEventCount () SMTG_OVERRIDE { return usedCount; }
	tresult PLUGIN_API getEvent (int32 index, Event& e) SMTG_OVERRIDE;
	// kOutOfMemory when the list is full.
	tresult PLUGIN_API addEvent (Event& e) SMTG_OVERRIDE;

	Event* getEventByIndex (int32 index);

	DECLARE_FUNKNOWN_METHODS

protected:
	std::vector<Event> events;
	int32 usedCount;
};

} // namespace Vst
} // namespace Steinberg
