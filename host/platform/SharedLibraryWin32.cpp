// Loading a module on Windows: LoadLibrary, then InitDll.
#include "SharedLibrary.h"

#include <windows.h>

#include <vector>

namespace TessalineHost {

std::unique_ptr<SharedLibrary> SharedLibrary::open (const std::string& path, std::string& error)
{
	int length = MultiByteToWideChar (CP_UTF8, 0, path.c_str (), -1, nullptr, 0);
	std::vector<wchar_t> widePath (static_cast<size_t> (length > 0 ? length : 1));
	MultiByteToWideChar (CP_UTF8, 0, path.c_str (), -1, widePath.data (), length);
	HMODULE handle = LoadLibraryW (widePath.data ());
	if (!handle)
	{
		error = "LoadLibrary failed with error " + std::to_string (GetLastError ());
		return nullptr;
	}
	return std::unique_ptr<SharedLibrary> (new SharedLibrary (handle));
}

SharedLibrary::~SharedLibrary ()
{
	FreeLibrary (static_cast<HMODULE> (handle));
}

void* SharedLibrary::symbol (const char* name) const
{
	return reinterpret_cast<void*> (GetProcAddress (static_cast<HMODULE> (handle), name));
}

bool SharedLibrary::enter ()
{
	using InitDllFunc = bool (__stdcall*) ();
	auto init = reinterpret_cast<InitDllFunc> (symbol ("InitDll"));
	return init && init ();
}

bool SharedLibrary::exit ()
{
	using ExitDllFunc = bool (__stdcall*) ();
	auto exitFunc = reinterpret_cast<ExitDllFunc> (symbol ("ExitDll"));
	return exitFunc && exitFunc ();
}

} // namespace TessalineHost
