// Loading a module on Linux: dlopen, then ModuleEntry with the library handle.
#include "SharedLibrary.h"

#include <dlfcn.h>

namespace TessalineHost {

std::unique_ptr<SharedLibrary> SharedLibrary::open (const std::string& path, std::string& error)
{
	void* handle = dlopen (path.c_str (), RTLD_NOW | RTLD_LOCAL);
	if (!handle)
	{
		const char* reason = dlerror ();
		error = reason ? reason : "dlopen failed";
		return nullptr;
	}
	return std::unique_ptr<SharedLibrary> (new SharedLibrary (handle));
}

SharedLibrary::~SharedLibrary ()
{
	dlclose (handle);
}

void* SharedLibrary::symbol (const char* name) const
{
	return dlsym (handle, name);
}

bool SharedLibrary::enter ()
{
	using ModuleEntryFunc = bool (*) (void*);
	auto entry = reinterpret_cast<ModuleEntryFunc> (symbol ("ModuleEntry"));
	return entry && entry (handle);
}

bool SharedLibrary::exit ()
{
	using ModuleExitFunc = bool (*) ();
	auto exitFunc = reinterpret_cast<ModuleExitFunc> (symbol ("ModuleExit"));
	return exitFunc && exitFunc ();
}

} // namespace TessalineHost
