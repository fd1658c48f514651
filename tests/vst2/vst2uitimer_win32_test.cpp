// Windows: while the editor is open the wrapper's thread timer hands host changes to the controller
// without any effEditIdle from the host; once it is closed, nothing ticks.
#include "tests/vst2/wrapperprobe.h"


#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace vst2host;

bool heard (double value)
{
	for (const auto& entry : probe::Controller::latest->received)
		if (entry.first == probe::kGainId && static_cast<float> (entry.second) == static_cast<float> (value))
			return true;
	return false;
}

// Runs the thread's message loop, as a host's UI thread does, for up to the given time.
bool pumpUntilHeard (double value, DWORD milliseconds)
{
	const DWORD start = GetTickCount ();
	while (GetTickCount () - start < milliseconds)
	{
		MSG message;
		while (PeekMessage (&message, nullptr, 0, 0, PM_REMOVE))
			DispatchMessage (&message);
		if (heard (value))
			return true;
		Sleep (5);
	}
	return false;
}

TEST (Vst2UiTimer, TicksWhileTheEditorIsOpen)
{
	probe::reset ();
	Host host;
	Effect effect = probe::createEffect (host);
	ASSERT_TRUE (effect.valid ());
	char parent = 0;
	ASSERT_EQ (1, effect.dispatch (kEditOpen, 0, 0, &parent));
	effect.setParameter (0, 0.625f);
	EXPECT_TRUE (pumpUntilHeard (0.625, 1000));

	effect.dispatch (kEditClose);
	effect.setParameter (0, 0.375f);
	EXPECT_FALSE (pumpUntilHeard (0.375, 200));
}

} // namespace
