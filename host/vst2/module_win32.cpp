// Loading a module with LoadLibrary.
#include "host/vst2/module.h"

#include <windows.h>

namespace vst2host {

Module::Module(const std::string& path)
{
    handle = LoadLibraryA(path.c_str());
    if (!handle) {
        lastError = "LoadLibrary failed with error " + std::to_string(GetLastError());
        return;
    }
    entry = reinterpret_cast<EntryFn>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), "VSTPluginMain")));
    if (!entry)
        lastError = "no VSTPluginMain";
}

Module::~Module()
{
    if (handle)
        FreeLibrary(static_cast<HMODULE>(handle));
}

}  // namespace vst2host
