// The test host's side of the callback: canned answers, and a log of what each effect asked.
#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "host/vst2/vst2abi.h"

namespace vst2host {

struct HostCall {
    void* effect;
    Int32 opcode;
    Int32 index;
    IntPtr value;
    float opt;
    std::string text;  // what a can-do question asked
};

class Host {
public:
    Host();

    // The function every effect of this host calls. It finds the host through the record's
    // user field, or through the creation under way on this thread.
    static IntPtr VST2HOST_CDECL callback(void* effect, Int32 opcode, Int32 index, IntPtr value, void* ptr,
                                          float opt);

    // While it lives, calls from effects that are not yet attached reach this host.
    class CreationScope {
    public:
        explicit CreationScope(Host& host);
        ~CreationScope();
        CreationScope(const CreationScope&) = delete;
        CreationScope& operator=(const CreationScope&) = delete;

    private:
        Host* previous;
    };

    std::vector<HostCall> calls() const;
    std::vector<HostCall> callsOf(Int32 opcode) const;
    void clearCalls();

    // Answers: a fixed one per opcode wins over the defaults below.
    std::map<Int32, IntPtr> answers;
    IntPtr versionAnswer = 2400;
    IntPtr sampleRate = 44100;
    IntPtr blockSize = 512;
    std::set<std::string> canDos{"sendVstEvents", "sendVstTimeInfo", "sizeWindow"};
    TimeInfo timeInfo{};

private:
    IntPtr answer(void* effect, Int32 opcode, Int32 index, IntPtr value, void* ptr, float opt);

    mutable std::mutex mutex;
    std::vector<HostCall> log;
};

}  // namespace vst2host
