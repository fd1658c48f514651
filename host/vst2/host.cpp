// Answers the calls effects make to the test host and remembers them for the tests.
#include "host/vst2/host.h"

#include <cstring>

namespace vst2host {

namespace {

thread_local Host* creatingHost = nullptr;

Host* hostOf(void* effect)
{
    if (effect) {
        void* user = nullptr;
        std::memcpy(&user, static_cast<const char*>(effect) + kLayout.user, sizeof(user));
        if (user)
            return static_cast<Host*>(user);
    }
    return creatingHost;
}

IntPtr copyText(void* ptr, const char* text, std::size_t bytes)
{
    if (!ptr)
        return 0;
    std::strncpy(static_cast<char*>(ptr), text, bytes - 1);
    static_cast<char*>(ptr)[bytes - 1] = 0;
    return 1;
}

}  // namespace

Host::Host()
{
    timeInfo.sampleRate = 44100.;
    timeInfo.tempo = 120.;
    timeInfo.timeSigNumerator = 4;
    timeInfo.timeSigDenominator = 4;
}

Host::CreationScope::CreationScope(Host& host) : previous(creatingHost)
{
    creatingHost = &host;
}

Host::CreationScope::~CreationScope()
{
    creatingHost = previous;
}

IntPtr VST2HOST_CDECL Host::callback(void* effect, Int32 opcode, Int32 index, IntPtr value, void* ptr, float opt)
{
    Host* host = hostOf(effect);
    return host ? host->answer(effect, opcode, index, value, ptr, opt) : 0;
}

IntPtr Host::answer(void* effect, Int32 opcode, Int32 index, IntPtr value, void* ptr, float opt)
{
    HostCall call{effect, opcode, index, value, opt, {}};
    if (opcode == kHostCanDo && ptr)
        call.text = static_cast<const char*>(ptr);
    {
        std::lock_guard<std::mutex> lock(mutex);
        log.push_back(call);
    }
    const auto fixed = answers.find(opcode);
    if (fixed != answers.end())
        return fixed->second;
    switch (opcode) {
    case kHostVersion:
        return versionAnswer;
    case kHostGetSampleRate:
        return sampleRate;
    case kHostGetBlockSize:
        return blockSize;
    case kHostGetTime:
        return reinterpret_cast<IntPtr>(&timeInfo);
    case kHostGetVendorString:
        return copyText(ptr, "Tessaline", 65);
    case kHostGetProductString:
        return copyText(ptr, "vst2host", 65);
    case kHostGetVendorVersion:
        return 1;
    case kHostCanDo:
        return ptr && canDos.count(call.text) ? 1 : 0;
    default:
        return 0;
    }
}

std::vector<HostCall> Host::calls() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return log;
}

std::vector<HostCall> Host::callsOf(Int32 opcode) const
{
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<HostCall> matching;
    for (const HostCall& call : log)
        if (call.opcode == opcode)
            matching.push_back(call);
    return matching;
}

void Host::clearCalls()
{
    std::lock_guard<std::mutex> lock(mutex);
    log.clear();
}

}  // namespace vst2host
