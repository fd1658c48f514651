// Library entry for Linux hosts: ModuleEntry/ModuleExit with the handle the host opened us with.
#include "pluginterfaces/base/fplatform.h"

extern void* moduleHandle;

extern "C" {

bool PLUGIN_API InitDll ();
bool PLUGIN_API ExitDll ();

SMTG_EXPORT_SYMBOL bool ModuleEntry (void* sharedLibraryHandle)
{
	if (!moduleHandle)
		moduleHandle = sharedLibraryHandle;
	return InitDll ();
}

SMTG_EXPORT_SYMBOL bool ModuleExit ()
{
	return ExitDll ();
}

} // extern "C"
