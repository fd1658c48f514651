// Library entry for Windows: remembers the module handle that resources are loaded from.
#include <windows.h>

extern void* moduleHandle;

// The instance handle under the name Windows code traditionally looks for.
HINSTANCE ghInst = nullptr;

extern "C" BOOL WINAPI DllMain (HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
	if (reason == DLL_PROCESS_ATTACH)
	{
		ghInst = instance;
		moduleHandle = instance;
		DisableThreadLibraryCalls (instance);
	}
	return TRUE;
}
