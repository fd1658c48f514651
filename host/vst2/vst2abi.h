// The test host's own reading of the VST 2.4 binary interface: record offsets, opcodes and flags.
// Kept apart from the plug-in's headers on purpose, so that each checks the other.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#define VST2HOST_CDECL __cdecl
#else
#define VST2HOST_CDECL
#endif

namespace vst2host {

using Int16 = std::int16_t;
using Int32 = std::int32_t;
using IntPtr = std::intptr_t;

// The host sees an effect only as the address of its record.
using HostCallback = IntPtr(VST2HOST_CDECL*)(void* effect, Int32 opcode, Int32 index, IntPtr value, void* ptr,
                                             float opt);
using DispatcherFn = HostCallback;
using ProcessFn = void(VST2HOST_CDECL*)(void* effect, float** inputs, float** outputs, Int32 frames);
using ProcessDoubleFn = void(VST2HOST_CDECL*)(void* effect, double** inputs, double** outputs, Int32 frames);
using SetParameterFn = void(VST2HOST_CDECL*)(void* effect, Int32 index, float value);
using GetParameterFn = float(VST2HOST_CDECL*)(void* effect, Int32 index);
using EntryFn = void*(VST2HOST_CDECL*)(HostCallback callback);

// Byte offsets of the record's fields: 4-byte integers and floats, pointer-sized pointers and
// reserved words, each aligned to its own width.
struct RecordLayout {
    std::size_t magic, dispatcher, process, setParameter, getParameter;
    std::size_t numPrograms, numParams, numInputs, numOutputs, flags;
    std::size_t reserved1, reserved2, initialDelay, realQualities, offQualities, ioRatio;
    std::size_t object, user, uniqueId, version, processReplacing, processDoubleReplacing, future, size;
};

constexpr RecordLayout kLayout32{0,  4,  8,  12, 16, 20, 24, 28, 32, 36, 40, 44,
                                 48, 52, 56, 60, 64, 68, 72, 76, 80, 84, 88, 144};
constexpr RecordLayout kLayout64{0,  8,  16, 24, 32,  40,  44,  48,  52,  56,  64,  72,
                                 80, 84, 88, 92, 96, 104, 112, 116, 120, 128, 136, 192};
inline constexpr const RecordLayout& kLayout = sizeof(void*) == 4 ? kLayout32 : kLayout64;
constexpr std::size_t kFutureBytes = 56;

constexpr Int32 kMagic = 0x56737450;  // 'VstP'

// Flag bits of the record.
enum Flag : Int32 {
    kHasEditor = 1,
    kCanReplacing = 16,
    kProgramChunks = 32,
    kIsSynth = 256,
    kNoSoundInStop = 512,
    kCanDoubleReplacing = 4096
};

// Effect opcodes, as the host sends them.
enum Op : Int32 {
    kOpen = 0,
    kClose = 1,
    kSetProgram = 2,
    kGetProgram = 3,
    kSetProgramName = 4,
    kGetProgramName = 5,
    kGetParamLabel = 6,
    kGetParamDisplay = 7,
    kGetParamName = 8,
    kSetSampleRate = 10,
    kSetBlockSize = 11,
    kMainsChanged = 12,
    kEditGetRect = 13,
    kEditOpen = 14,
    kEditClose = 15,
    kEditIdle = 19,
    kIdentify = 22,
    kGetChunk = 23,
    kSetChunk = 24,
    kProcessEvents = 25,
    kCanBeAutomated = 26,
    kString2Parameter = 27,
    kGetProgramNameIndexed = 29,
    kGetInputProperties = 33,
    kGetOutputProperties = 34,
    kGetPlugCategory = 35,
    kOfflineNotify = 38,
    kOfflinePrepare = 39,
    kOfflineRun = 40,
    kProcessVarIo = 41,
    kSetSpeakerArrangement = 42,
    kSetBypass = 44,
    kGetEffectName = 45,
    kGetVendorString = 47,
    kGetProductString = 48,
    kGetVendorVersion = 49,
    kVendorSpecific = 50,
    kCanDo = 51,
    kGetTailSize = 52,
    kGetParameterProperties = 56,
    kGetVstVersion = 58,
    kEditKeyDown = 59,
    kEditKeyUp = 60,
    kSetEditKnobMode = 61,
    kGetMidiProgramName = 62,
    kGetCurrentMidiProgram = 63,
    kGetMidiProgramCategory = 64,
    kHasMidiProgramsChanged = 65,
    kGetMidiKeyName = 66,
    kBeginSetProgram = 67,
    kEndSetProgram = 68,
    kGetSpeakerArrangement = 69,
    kShellGetNextPlugin = 70,
    kStartProcess = 71,
    kStopProcess = 72,
    kSetTotalSampleToProcess = 73,
    kSetPanLaw = 74,
    kBeginLoadBank = 75,
    kBeginLoadProgram = 76,
    kSetProcessPrecision = 77,
    kGetNumMidiInputChannels = 78,
    kGetNumMidiOutputChannels = 79
};

// Opcodes of the calls an effect makes to the host.
enum HostOp : Int32 {
    kHostAutomate = 0,
    kHostVersion = 1,
    kHostCurrentId = 2,
    kHostIdle = 3,
    kHostPinConnected = 4,
    kHostWantMidi = 6,
    kHostGetTime = 7,
    kHostProcessEvents = 8,
    kHostIoChanged = 13,
    kHostSizeWindow = 15,
    kHostGetSampleRate = 16,
    kHostGetBlockSize = 17,
    kHostGetCurrentProcessLevel = 23,
    kHostGetAutomationState = 24,
    kHostGetVendorString = 32,
    kHostGetProductString = 33,
    kHostGetVendorVersion = 34,
    kHostVendorSpecific = 35,
    kHostCanDo = 37,
    kHostGetLanguage = 38,
    kHostGetDirectory = 41,
    kHostUpdateDisplay = 42,
    kHostBeginEdit = 43,
    kHostEndEdit = 44
};

// Buffer sizes a host hands over for texts and records (texts include their terminating zero).
constexpr std::size_t kProgramNameBytes = 24 + 1;
constexpr std::size_t kParamTextBytes = 8 + 1;
// What hosts really give for parameter texts, beyond the interface's 8: names of 32 characters,
// labels and displays of 24.
constexpr std::size_t kParamNameBytes = 32 + 1;
constexpr std::size_t kParamDisplayBytes = 24 + 1;
constexpr std::size_t kEffectNameBytes = 32 + 1;
constexpr std::size_t kVendorTextBytes = 64 + 1;
constexpr std::size_t kPinPropertiesBytes = 128;
constexpr std::size_t kParameterPropertiesBytes = 152;
constexpr std::size_t kMidiProgramNameBytes = 80;
constexpr std::size_t kMidiProgramCategoryBytes = 76;
constexpr std::size_t kMidiKeyNameBytes = 80;
constexpr std::size_t kPatchChunkInfoBytes = 64;
constexpr std::size_t kSpeakerBytes = 112;       // one speaker of an arrangement
constexpr std::size_t kArrangementHeadBytes = 8;  // type and channel count before the speakers

// Editor rectangle: top, left, bottom, right.
struct Rect {
    Int16 top, left, bottom, right;
};
static_assert(sizeof(Rect) == 8, "four 16-bit values");

// Transport record the host answers time requests with.
struct TimeInfo {
    double samplePos, sampleRate, nanoSeconds, ppqPos, tempo, barStartPos, cycleStartPos, cycleEndPos;
    Int32 timeSigNumerator, timeSigDenominator, smpteOffset, smpteFrameRate, samplesToNextClock, flags;
};
static_assert(sizeof(TimeInfo) == 88, "eight doubles and six integers");

}  // namespace vst2host
