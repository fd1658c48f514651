// Entering a loaded module: the same on every platform.
#include "host/vst2/module.h"

namespace vst2host {

Effect Module::create(Host& host) const
{
    if (!entry)
        return Effect();
    Host::CreationScope scope(host);
    return Effect(entry(&Host::callback), host);
}

}  // namespace vst2host
