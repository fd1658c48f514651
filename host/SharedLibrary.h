// A loaded module library and its platform entry (ModuleEntry/ModuleExit on Linux, InitDll/ExitDll on Windows).
#pragma once

#include <memory>
#include <string>

namespace TessalineHost {

class SharedLibrary
{
public:
	// Null with a reason in error when the file cannot be loaded. On Linux a bundle folder
	// (Name.vst3) stands for the library inside it.
	static std::unique_ptr<SharedLibrary> open (const std::string& path, std::string& error);
	~SharedLibrary ();
	SharedLibrary (const SharedLibrary&) = delete;
	SharedLibrary& operator= (const SharedLibrary&) = delete;

	// Address of an exported function, null when the library has none of that name.
	void* symbol (const char* name) const;

	// The platform's module entry and exit, as a host of that platform calls them.
	bool enter ();
	bool exit ();

private:
	explicit SharedLibrary (void* handle) : handle (handle) {}
	void* handle;
};

} // namespace TessalineHost
