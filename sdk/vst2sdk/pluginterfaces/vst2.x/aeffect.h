// VST 2.4 core interface: basic types, the AEffect record, the core opcodes and the text helpers.
#pragma once

#include <cstddef>
#include <cstdint>

// Every function that crosses the host boundary uses the C calling convention of the platform;
// 32-bit Windows hosts call the record's functions and their callback as __cdecl.
#ifdef _WIN32
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

using VstInt16 = std::int16_t;
using VstInt32 = std::int32_t;
using VstInt64 = std::int64_t;
using VstIntPtr = std::intptr_t;  // as wide as a pointer: 4 bytes in the DLL, 8 in the Linux module

struct AEffect;

using audioMasterCallback = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                     VstIntPtr value, void* ptr, float opt);
using AEffectDispatcherProc = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                       VstIntPtr value, void* ptr, float opt);
using AEffectProcessProc = void(VSTCALLBACK*)(AEffect* effect, float** inputs, float** outputs,
                                              VstInt32 sampleFrames);
using AEffectProcessDoubleProc = void(VSTCALLBACK*)(AEffect* effect, double** inputs, double** outputs,
                                                    VstInt32 sampleFrames);
using AEffectSetParameterProc = void(VSTCALLBACK*)(AEffect* effect, VstInt32 index, float parameter);
using AEffectGetParameterProc = float(VSTCALLBACK*)(AEffect* effect, VstInt32 index);

// Four-character identifiers, first character in the most significant byte.
constexpr VstInt32 kEffectMagic = 0x56737450;  // 'VstP'

// The one record a host holds of an effect. Field order and widths are the binary interface.
struct AEffect {
    VstInt32 magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;  // deprecated accumulating process
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;
    VstInt32 flags;
    VstIntPtr resvd1;
    VstIntPtr resvd2;
    VstInt32 initialDelay;
    VstInt32 realQualities;  // deprecated
    VstInt32 offQualities;   // deprecated
    float ioRatio;           // deprecated
    void* object;            // the plug-in object behind the record
    void* user;              // left to the host
    VstInt32 uniqueID;
    VstInt32 version;
    AEffectProcessProc processReplacing;
    AEffectProcessDoubleProc processDoubleReplacing;
    char future[56];
};

#if INTPTR_MAX == INT32_MAX
// The 32-bit layout that Windows hosts read, byte for byte.
static_assert(sizeof(AEffect) == 144, "AEffect must be 144 bytes in a 32-bit module");
static_assert(offsetof(AEffect, dispatcher) == 4 && offsetof(AEffect, process) == 8 &&
                  offsetof(AEffect, setParameter) == 12 && offsetof(AEffect, getParameter) == 16,
              "AEffect callbacks");
static_assert(offsetof(AEffect, numPrograms) == 20 && offsetof(AEffect, numParams) == 24 &&
                  offsetof(AEffect, numInputs) == 28 && offsetof(AEffect, numOutputs) == 32 &&
                  offsetof(AEffect, flags) == 36,
              "AEffect counts and flags");
static_assert(offsetof(AEffect, resvd1) == 40 && offsetof(AEffect, resvd2) == 44 &&
                  offsetof(AEffect, initialDelay) == 48 && offsetof(AEffect, realQualities) == 52 &&
                  offsetof(AEffect, offQualities) == 56 && offsetof(AEffect, ioRatio) == 60,
              "AEffect reserved fields and delay");
static_assert(offsetof(AEffect, object) == 64 && offsetof(AEffect, user) == 68 &&
                  offsetof(AEffect, uniqueID) == 72 && offsetof(AEffect, version) == 76,
              "AEffect object and identity");
static_assert(offsetof(AEffect, processReplacing) == 80 && offsetof(AEffect, processDoubleReplacing) == 84 &&
                  offsetof(AEffect, future) == 88,
              "AEffect replacing callbacks");
#else
static_assert(sizeof(AEffect) == 192, "AEffect in a 64-bit module: the same fields, pointer-sized");
static_assert(offsetof(AEffect, resvd1) == 64 && offsetof(AEffect, object) == 96 &&
                  offsetof(AEffect, processReplacing) == 120 && offsetof(AEffect, future) == 136,
              "AEffect 64-bit offsets");
#endif

// Dispatcher opcodes 0 to 24.
enum AEffectOpcodes {
    effOpen = 0,
    effClose,
    effSetProgram,
    effGetProgram,
    effSetProgramName,
    effGetProgramName,
    effGetParamLabel,
    effGetParamDisplay,
    effGetParamName,
    __effGetVuDeprecated,
    effSetSampleRate,
    effSetBlockSize,
    effMainsChanged,
    effEditGetRect,
    effEditOpen,
    effEditClose,
    __effEditDrawDeprecated,
    __effEditMouseDeprecated,
    __effEditKeyDeprecated,
    effEditIdle,
    __effEditTopDeprecated,
    __effEditSleepDeprecated,
    __effIdentifyDeprecated,
    effGetChunk,
    effSetChunk,
    effNumOpcodes
};

// Host-call opcodes 0 to 4.
enum AudioMasterOpcodes {
    audioMasterAutomate = 0,
    audioMasterVersion,
    audioMasterCurrentId,
    audioMasterIdle,
    __audioMasterPinConnectedDeprecated
};

// Bits of AEffect::flags.
enum VstAEffectFlags {
    effFlagsHasEditor = 1 << 0,
    __effFlagsHasClipDeprecated = 1 << 1,
    __effFlagsHasVuDeprecated = 1 << 2,
    __effFlagsCanMonoDeprecated = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    __effFlagsExtIsAsyncDeprecated = 1 << 10,
    __effFlagsExtHasBufferDeprecated = 1 << 11,
    effFlagsCanDoubleReplacing = 1 << 12
};

// Text sizes that VST 2.4 hosts provide, in characters without the terminating zero.
enum VstStringConstants {
    kVstMaxProgNameLen = 24,
    kVstMaxParamStrLen = 8,
    kVstMaxVendorStrLen = 64,
    kVstMaxProductStrLen = 64,
    kVstMaxEffectNameLen = 32
};

// Copies at most maxLen characters and always terminates at dst[maxLen]: dst holds maxLen + 1 bytes.
inline char* vst_strncpy(char* dst, const char* src, std::size_t maxLen)
{
    if (!dst)
        return dst;
    std::size_t i = 0;
    if (src)
        for (; i < maxLen && src[i] != 0; ++i)
            dst[i] = src[i];
    for (; i <= maxLen; ++i)
        dst[i] = 0;
    return dst;
}

// Appends so that the whole text keeps at most maxLen characters; never writes past dst[maxLen].
inline char* vst_strncat(char* dst, const char* src, std::size_t maxLen)
{
    if (!dst)
        return dst;
    std::size_t length = 0;
    while (length < maxLen && dst[length] != 0)
        ++length;
    if (src)
        for (; length < maxLen && *src != 0; ++src)
            dst[length++] = *src;
    dst[length] = 0;
    return dst;
}

// Reads a pointer that a host passed in the integer argument of a call.
template <class T>
inline T* FromVstPtr(VstIntPtr arg)
{
    return reinterpret_cast<T*>(arg);
}

// Window rectangle of an editor, in pixels.
struct ERect {
    VstInt16 top;
    VstInt16 left;
    VstInt16 bottom;
    VstInt16 right;
};
static_assert(sizeof(ERect) == 8, "ERect is four 16-bit values");
