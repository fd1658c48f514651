// Loading a module on Linux: dlopen, then ModuleEntry with the library handle.
#include "SharedLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace {

// A bundle folder "X.vst3" holds its library as X.vst3/Contents/x86_64-linux/X.so.
std::string libraryInBundle (const std::string& path)
{
	struct stat info {};
	if (stat (path.c_str (), &info) != 0 || !S_ISDIR (info.st_mode))
		return path;
	std::string bundle = path;
	while (bundle.size () > 1 && bundle.back () == '/')
		bundle.pop_back ();
	const size_t slash = bundle.find_last_of ('/');
	std::string name = bundle.substr (slash == std::string::npos ? 0 : slash + 1);
	const size_t dot = name.rfind (".vst3");
	if (dot != std::string::npos)
		name.erase (dot);
	return bundle + "/Contents/x86_64-linux/" + name + ".so";
}

} // namespace

namespace TessalineHost {

std::unique_ptr<SharedLibrary> SharedLibrary::open (const std::string& path, std::string& error)
{
	void* handle = dlopen (libraryInBundle (path).c_str (), RTLD_NOW | RTLD_LOCAL);
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
