// VST 2.4 extended interface: opcodes 25 to 79, the extended host calls and the records they carry.
#pragma once

#include "pluginterfaces/vst2.x/aeffect.h"

// Dispatcher opcodes 25 to 79.
enum AEffectXOpcodes {
    effProcessEvents = effSetChunk + 1,
    effCanBeAutomated,
    effString2Parameter,
    __effGetNumProgramCategoriesDeprecated,
    effGetProgramNameIndexed,
    __effCopyProgramDeprecated,
    __effConnectInputDeprecated,
    __effConnectOutputDeprecated,
    effGetInputProperties,
    effGetOutputProperties,
    effGetPlugCategory,
    __effGetCurrentPositionDeprecated,
    __effGetDestinationBufferDeprecated,
    effOfflineNotify,
    effOfflinePrepare,
    effOfflineRun,
    effProcessVarIo,
    effSetSpeakerArrangement,
    __effSetBlockSizeAndSampleRateDeprecated,
    effSetBypass,
    effGetEffectName,
    __effGetErrorTextDeprecated,
    effGetVendorString,
    effGetProductString,
    effGetVendorVersion,
    effVendorSpecific,
    effCanDo,
    effGetTailSize,
    __effIdleDeprecated,
    __effGetIconDeprecated,
    __effSetViewPositionDeprecated,
    effGetParameterProperties,
    __effKeysRequiredDeprecated,
    effGetVstVersion,
    effEditKeyDown,
    effEditKeyUp,
    effSetEditKnobMode,
    effGetMidiProgramName,
    effGetCurrentMidiProgram,
    effGetMidiProgramCategory,
    effHasMidiProgramsChanged,
    effGetMidiKeyName,
    effBeginSetProgram,
    effEndSetProgram,
    effGetSpeakerArrangement,
    effShellGetNextPlugin,
    effStartProcess,
    effStopProcess,
    effSetTotalSampleToProcess,
    effSetPanLaw,
    effBeginLoadBank,
    effBeginLoadProgram,
    effSetProcessPrecision,
    effGetNumMidiInputChannels,
    effGetNumMidiOutputChannels
};
static_assert(effGetNumMidiOutputChannels == 79, "extended opcodes end at 79");

// Host-call opcodes 6 to 49 (5 is unused).
enum AudioMasterOpcodesX {
    __audioMasterWantMidiDeprecated = __audioMasterPinConnectedDeprecated + 2,
    audioMasterGetTime,
    audioMasterProcessEvents,
    __audioMasterSetTimeDeprecated,
    __audioMasterTempoAtDeprecated,
    __audioMasterGetNumAutomatableParametersDeprecated,
    __audioMasterGetParameterQuantizationDeprecated,
    audioMasterIOChanged,
    __audioMasterNeedIdleDeprecated,
    audioMasterSizeWindow,
    audioMasterGetSampleRate,
    audioMasterGetBlockSize,
    audioMasterGetInputLatency,
    audioMasterGetOutputLatency,
    __audioMasterGetPreviousPlugDeprecated,
    __audioMasterGetNextPlugDeprecated,
    __audioMasterWillReplaceOrAccumulateDeprecated,
    audioMasterGetCurrentProcessLevel,
    audioMasterGetAutomationState,
    audioMasterOfflineStart,
    audioMasterOfflineRead,
    audioMasterOfflineWrite,
    audioMasterOfflineGetCurrentPass,
    audioMasterOfflineGetCurrentMetaPass,
    __audioMasterSetOutputSampleRateDeprecated,
    __audioMasterGetOutputSpeakerArrangementDeprecated,
    audioMasterGetVendorString,
    audioMasterGetProductString,
    audioMasterGetVendorVersion,
    audioMasterVendorSpecific,
    __audioMasterSetIconDeprecated,
    audioMasterCanDo,
    audioMasterGetLanguage,
    __audioMasterOpenWindowDeprecated,
    __audioMasterCloseWindowDeprecated,
    audioMasterGetDirectory,
    audioMasterUpdateDisplay,
    audioMasterBeginEdit,
    audioMasterEndEdit,
    audioMasterOpenFileSelector,
    audioMasterCloseFileSelector,
    __audioMasterEditFileDeprecated,
    __audioMasterGetChunkFileDeprecated,
    __audioMasterGetInputSpeakerArrangementDeprecated
};
static_assert(__audioMasterGetInputSpeakerArrangementDeprecated == 49, "host opcodes end at 49");

// Further text sizes, in characters without the terminating zero.
enum Vstx2StringConstants {
    kVstMaxNameLen = 64,
    kVstMaxLabelLen = 64,
    kVstMaxShortLabelLen = 8,
    kVstMaxCategLabelLen = 24,
    kVstMaxFileNameLen = 100
};

enum VstPlugCategory {
    kPlugCategUnknown = 0,
    kPlugCategEffect,
    kPlugCategSynth,
    kPlugCategAnalysis,
    kPlugCategMastering,
    kPlugCategSpacializer,
    kPlugCategRoomFx,  // reverbs
    kPlugSurroundFx,
    kPlugCategRestoration,
    kPlugCategOfflineProcess,
    kPlugCategShell,
    kPlugCategGenerator,
    kPlugCategMaxCount
};

enum VstProcessPrecision { kVstProcessPrecision32 = 0, kVstProcessPrecision64 };

enum VstProcessLevels {
    kVstProcessLevelUnknown = 0,
    kVstProcessLevelUser,
    kVstProcessLevelRealtime,
    kVstProcessLevelPrefetch,
    kVstProcessLevelOffline
};

enum VstAutomationStates {
    kVstAutomationUnsupported = 0,
    kVstAutomationOff,
    kVstAutomationRead,
    kVstAutomationWrite,
    kVstAutomationReadWrite
};

// Events a host sends with effProcessEvents or receives with audioMasterProcessEvents.
enum VstEventTypes { kVstMidiType = 1, kVstSysExType = 6 };

struct VstEvent {
    VstInt32 type;
    VstInt32 byteSize;  // of the record after this field
    VstInt32 deltaFrames;
    VstInt32 flags;
    char data[16];
};

enum VstMidiEventFlags { kVstMidiEventIsRealtime = 1 << 0 };

struct VstMidiEvent {
    VstInt32 type;
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    VstInt32 noteLength;
    VstInt32 noteOffset;
    char midiData[4];
    char detune;
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

struct VstMidiSysexEvent {
    VstInt32 type;
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    VstInt32 dumpBytes;
    VstIntPtr resvd1;
    char* sysexDump;
    VstIntPtr resvd2;
};

struct VstEvents {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[2];  // numEvents entries in truth: the host allocates as many as it sends
};

// Transport and tempo, answered by audioMasterGetTime.
enum VstTimeInfoFlags {
    kVstTransportChanged = 1,
    kVstTransportPlaying = 1 << 1,
    kVstTransportCycleActive = 1 << 2,
    kVstTransportRecording = 1 << 3,
    kVstAutomationWriting = 1 << 6,
    kVstAutomationReading = 1 << 7,
    kVstNanosValid = 1 << 8,
    kVstPpqPosValid = 1 << 9,
    kVstTempoValid = 1 << 10,
    kVstBarsValid = 1 << 11,
    kVstCyclePosValid = 1 << 12,
    kVstTimeSigValid = 1 << 13,
    kVstSmpteValid = 1 << 14,
    kVstClockValid = 1 << 15
};

struct VstTimeInfo {
    double samplePos;
    double sampleRate;
    double nanoSeconds;
    double ppqPos;
    double tempo;
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    VstInt32 timeSigNumerator;
    VstInt32 timeSigDenominator;
    VstInt32 smpteOffset;
    VstInt32 smpteFrameRate;
    VstInt32 samplesToNextClock;
    VstInt32 flags;
};

// Description of one input or output pin.
enum VstPinPropertiesFlags { kVstPinIsActive = 1, kVstPinIsStereo = 1 << 1, kVstPinUseSpeaker = 1 << 2 };

struct VstPinProperties {
    char label[kVstMaxLabelLen];
    VstInt32 flags;
    VstInt32 arrangementType;
    char shortLabel[kVstMaxShortLabelLen];
    char future[48];
};

// Description of one parameter, for hosts that build their own controls.
enum VstParameterFlags {
    kVstParameterIsSwitch = 1,
    kVstParameterUsesIntegerMinMax = 1 << 1,
    kVstParameterUsesFloatStep = 1 << 2,
    kVstParameterUsesIntStep = 1 << 3,
    kVstParameterSupportsDisplayIndex = 1 << 4,
    kVstParameterSupportsDisplayCategory = 1 << 5,
    kVstParameterCanRamp = 1 << 6
};

struct VstParameterProperties {
    float stepFloat;
    float smallStepFloat;
    float largeStepFloat;
    char label[kVstMaxLabelLen];
    VstInt32 flags;
    VstInt32 minInteger;
    VstInt32 maxInteger;
    VstInt32 stepInteger;
    VstInt32 largeStepInteger;
    char shortLabel[kVstMaxShortLabelLen];
    VstInt16 displayIndex;
    VstInt16 category;
    VstInt16 numParametersInCategory;
    VstInt16 reserved;
    char categoryLabel[kVstMaxCategLabelLen];
    char future[16];
};

// What a host tells before loading a bank or a program.
struct VstPatchChunkInfo {
    VstInt32 version;
    VstInt32 pluginUniqueID;
    VstInt32 pluginVersion;
    VstInt32 numElements;
    char future[48];
};

// MIDI program and key names.
struct MidiProgramName {
    VstInt32 thisProgramIndex;
    char name[kVstMaxNameLen];
    char midiProgram;
    char midiBankMsb;
    char midiBankLsb;
    char reserved;
    VstInt32 parentCategoryIndex;
    VstInt32 flags;
};

struct MidiProgramCategory {
    VstInt32 thisCategoryIndex;
    char name[kVstMaxNameLen];
    VstInt32 parentCategoryIndex;
    VstInt32 flags;
};

struct MidiKeyName {
    VstInt32 thisProgramIndex;
    VstInt32 thisKeyNumber;
    char keyName[kVstMaxNameLen];
    VstInt32 reserved;
    VstInt32 flags;
};

// Speakers and arrangements.
enum VstSpeakerArrangementType {
    kSpeakerArrUserDefined = -2,
    kSpeakerArrEmpty = -1,
    kSpeakerArrMono = 0,
    kSpeakerArrStereo
};

enum VstSpeakerType { kSpeakerUndefined = 0x7fffffff, kSpeakerM = 0, kSpeakerL, kSpeakerR };

struct VstSpeakerProperties {
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[kVstMaxNameLen];
    VstInt32 type;
    char future[28];
};

struct VstSpeakerArrangement {
    VstInt32 type;
    VstInt32 numChannels;
    VstSpeakerProperties speakers[8];  // numChannels entries in truth: allocated to fit
};

// Keys for the editor, built by the dispatcher from effEditKeyDown and effEditKeyUp.
struct VstKeyCode {
    VstInt32 character;
    unsigned char virt;
    unsigned char modifier;
};

struct VstVariableIo {
    float** inputs;
    float** outputs;
    VstInt32 numSamplesInput;
    VstInt32 numSamplesOutput;
    VstInt32* numSamplesInputProcessed;
    VstInt32* numSamplesOutputProcessed;
};

// Offline processing, file selection and deprecated windows: passed through, never read here.
struct VstOfflineTask;
struct VstAudioFile;
struct VstFileSelect;
struct VstWindow;

// The byte layouts that hosts rely on; the pointer-sized fields grow in a 64-bit module.
static_assert(sizeof(VstSpeakerProperties) == 112 && offsetof(VstSpeakerProperties, name) == 16 &&
                  offsetof(VstSpeakerProperties, type) == 80 && offsetof(VstSpeakerProperties, future) == 84,
              "VstSpeakerProperties");
static_assert(offsetof(VstSpeakerArrangement, speakers) == 8, "speakers follow type and count");
static_assert(sizeof(VstTimeInfo) == 88 && offsetof(VstTimeInfo, flags) == 84, "VstTimeInfo");
static_assert(sizeof(VstEvent) == 32 && sizeof(VstMidiEvent) == 32, "VstEvent");
static_assert(sizeof(VstPinProperties) == 128 && offsetof(VstPinProperties, shortLabel) == 72, "VstPinProperties");
static_assert(sizeof(VstParameterProperties) == 152 && offsetof(VstParameterProperties, shortLabel) == 96 &&
                  offsetof(VstParameterProperties, displayIndex) == 104 &&
                  offsetof(VstParameterProperties, categoryLabel) == 112,
              "VstParameterProperties");
static_assert(sizeof(VstPatchChunkInfo) == 64, "VstPatchChunkInfo");
static_assert(sizeof(MidiProgramName) == 80 && sizeof(MidiProgramCategory) == 76 && sizeof(MidiKeyName) == 80,
              "MIDI name records");
#if INTPTR_MAX == INT32_MAX
static_assert(sizeof(VstEvents) == 16 && offsetof(VstEvents, events) == 8, "VstEvents, 32-bit");
static_assert(sizeof(VstMidiSysexEvent) == 32, "VstMidiSysexEvent, 32-bit");
#else
static_assert(sizeof(VstEvents) == 32 && offsetof(VstEvents, events) == 16, "VstEvents, 64-bit");
static_assert(sizeof(VstMidiSysexEvent) == 48, "VstMidiSysexEvent, 64-bit");
#endif
