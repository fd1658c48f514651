// A plug-in module loaded by the test host, and its VST 2.4 entry point.
#pragma once

#include <string>

#include "host/vst2/effect.h"
#include "host/vst2/host.h"
#include "host/vst2/vst2abi.h"

namespace vst2host {

class Module {
public:
    // Loads the library at path (a file name is looked up beside the program on Windows).
    explicit Module(const std::string& path);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    bool loaded() const { return handle != nullptr; }
    bool hasEntry() const { return entry != nullptr; }
    std::string error() const { return lastError; }

    // Calls VSTPluginMain with the host's callback; an invalid Effect when the module answers null.
    Effect create(Host& host) const;

private:
    void* handle = nullptr;
    EntryFn entry = nullptr;
    std::string lastError;
};

}  // namespace vst2host
