// A library with a VST 2.4 entry point and a bare effect, so the host's loader meets a real module.
#include "probeeffect.h"

namespace {
constexpr VstInt32 kTestModuleId = 0x74657374;  // 'test'
}

#ifdef _WIN32
#define TEST_MODULE_EXPORT __declspec(dllexport)
#else
#define TEST_MODULE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" TEST_MODULE_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback master)
{
    if (!master || master(nullptr, audioMasterVersion, 0, 0, nullptr, 0.f) == 0)
        return nullptr;
    auto* effect = new BareEffect(master);
    effect->setUniqueID(kTestModuleId);
    effect->setNumInputs(2);
    return effect->getAeffect();
}
