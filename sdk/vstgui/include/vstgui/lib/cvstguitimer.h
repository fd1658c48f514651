// A repeating timer that sends kMsgTimer to its target on the user-interface thread.
#pragma once

#include "vstguibase.h"

#include <memory>

namespace VSTGUI {

namespace Platform { class ITimer; }

class CVSTGUITimer : public CBaseObject
{
public:
	static const char* kMsgTimer;

	CVSTGUITimer (CBaseObject* target, int32_t fireTime = 100);
	~CVSTGUITimer () override;

	bool start ();
	bool stop ();
	bool isRunning () const { return running; }
	// At least 1 ms; a running timer restarts with the new period.
	bool setFireTime (int32_t ms);
	int32_t getFireTime () const { return fireTime; }
	// One tick: what the platform timer calls; tests may call it directly.
	void fire ();

private:
	CBaseObject* target;
	int32_t fireTime;
	bool running {false};
	std::unique_ptr<Platform::ITimer> platformTimer;
};

} // namespace VSTGUI
