// The exported InitDll/ExitDll pair: counts nested entries and runs the plug-in's module hooks once.
#include "pluginterfaces/base/fplatform.h"

#include <atomic>

// Provided by the plug-in: called when the first host entry arrives and when the last one leaves.
extern bool InitModule ();
extern bool DeinitModule ();

// The handle of this library as the platform's library entry reported it (null until then).
void* moduleHandle = nullptr;

namespace {
std::atomic<int> entryCount {0};
}

extern "C" {

SMTG_EXPORT_SYMBOL bool PLUGIN_API InitDll ()
{
	if (++entryCount == 1)
		return InitModule ();
	return true;
}

SMTG_EXPORT_SYMBOL bool PLUGIN_API ExitDll ()
{
	int count = entryCount.load ();
	// An exit without a matching entry has nothing to undo.
	while (count > 0 && !entryCount.compare_exchange_weak (count, count - 1))
	{
	}
	if (count <= 0)
		return false;
	if (count == 1)
		return DeinitModule ();
	return true;
}

} // extern "C"
