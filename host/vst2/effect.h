// One effect as the test host holds it: the address of its record, read and called by offsets.
#pragma once

#include <cstring>
#include <string>

#include "host/vst2/host.h"
#include "host/vst2/vst2abi.h"

namespace vst2host {

class Effect {
public:
    Effect() = default;
    // Takes the record that an entry point returned; marks it as this host's in its user field.
    Effect(void* record, Host& host);
    ~Effect();
    Effect(Effect&& other) noexcept;
    Effect& operator=(Effect&& other) noexcept;
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    bool valid() const { return record != nullptr; }
    void* address() const { return record; }

    template <typename T>
    T field(std::size_t offset) const
    {
        T value;
        std::memcpy(&value, static_cast<const char*>(record) + offset, sizeof(T));
        return value;
    }
    Int32 magic() const { return field<Int32>(kLayout.magic); }
    Int32 numPrograms() const { return field<Int32>(kLayout.numPrograms); }
    Int32 numParams() const { return field<Int32>(kLayout.numParams); }
    Int32 numInputs() const { return field<Int32>(kLayout.numInputs); }
    Int32 numOutputs() const { return field<Int32>(kLayout.numOutputs); }
    Int32 flags() const { return field<Int32>(kLayout.flags); }
    Int32 initialDelay() const { return field<Int32>(kLayout.initialDelay); }
    Int32 uniqueId() const { return field<Int32>(kLayout.uniqueId); }
    Int32 version() const { return field<Int32>(kLayout.version); }
    float ioRatio() const { return field<float>(kLayout.ioRatio); }
    void* object() const { return field<void*>(kLayout.object); }

    IntPtr dispatch(Int32 opcode, Int32 index = 0, IntPtr value = 0, void* ptr = nullptr, float opt = 0.f) const;
    // Asks for a text into a buffer of the size hosts give for it; the buffer starts filled
    // with 'X' so that a missing terminator shows.
    std::string text(Int32 opcode, Int32 index, std::size_t bufferBytes) const;
    IntPtr canDo(const char* question) const;

    void setParameter(Int32 index, float value) const;
    float getParameter(Int32 index) const;
    void process(float** inputs, float** outputs, Int32 frames) const;
    void processReplacing(float** inputs, float** outputs, Int32 frames) const;
    void processDoubleReplacing(double** inputs, double** outputs, Int32 frames) const;

    // effClose: the effect deletes itself, and the record goes with it.
    IntPtr close();

private:
    void* record = nullptr;
};

}  // namespace vst2host
