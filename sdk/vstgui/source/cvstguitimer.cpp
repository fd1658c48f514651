// The idle timer, running on the platform's user-interface timer.
#include "vstgui/lib/cvstguitimer.h"

#include "vstgui/lib/platform/iplatformframe.h"

namespace VSTGUI {

const char* CVSTGUITimer::kMsgTimer = "timer fired";

CVSTGUITimer::CVSTGUITimer (CBaseObject* target, int32_t fireTime)
: target (target), fireTime (fireTime < 1 ? 1 : fireTime)
{
}

CVSTGUITimer::~CVSTGUITimer () { stop (); }

bool CVSTGUITimer::start ()
{
	if (running)
		return true;
	if (!platformTimer)
		platformTimer = Platform::createTimer ([] (void* self) { static_cast<CVSTGUITimer*> (self)->fire (); }, this);
	running = platformTimer && platformTimer->start (fireTime);
	return running;
}

bool CVSTGUITimer::stop ()
{
	if (!running)
		return false;
	running = false;
	if (platformTimer)
		platformTimer->stop ();
	return true;
}

bool CVSTGUITimer::setFireTime (int32_t ms)
{
	if (ms < 1)
		ms = 1;
	fireTime = ms;
	if (running)
	{
		stop ();
		start ();
	}
	return true;
}

void CVSTGUITimer::fire ()
{
	if (target)
	{
		// The target may stop or release this timer while it handles the tick.
		remember ();
		target->notify (this, kMsgTimer);
		forget ();
	}
}

} // namespace VSTGUI
