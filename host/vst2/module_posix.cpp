// Loading a module with dlopen.
#include "host/vst2/module.h"

#include <dlfcn.h>

namespace vst2host {

Module::Module(const std::string& path)
{
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        lastError = dlerror();
        return;
    }
    entry = reinterpret_cast<EntryFn>(dlsym(handle, "VSTPluginMain"));
    if (!entry)
        lastError = "no VSTPluginMain";
}

Module::~Module()
{
    if (handle)
        dlclose(handle);
}

}  // namespace vst2host
