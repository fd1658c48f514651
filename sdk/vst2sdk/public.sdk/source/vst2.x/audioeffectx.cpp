// Opcodes 25 to 79, the extended host calls, the can-do texts and the speaker-arrangement helpers.
#include "public.sdk/source/vst2.x/audioeffectx.h"

#include <cstdlib>
#include <cstring>

#include "public.sdk/source/vst2.x/aeffeditor.h"

namespace HostCanDos {
const char* const canDoSendVstEvents = "sendVstEvents";
const char* const canDoSendVstMidiEvent = "sendVstMidiEvent";
const char* const canDoSendVstTimeInfo = "sendVstTimeInfo";
const char* const canDoReceiveVstEvents = "receiveVstEvents";
const char* const canDoReceiveVstMidiEvent = "receiveVstMidiEvent";
const char* const canDoReportConnectionChanges = "reportConnectionChanges";
const char* const canDoAcceptIOChanges = "acceptIOChanges";
const char* const canDoSizeWindow = "sizeWindow";
const char* const canDoOffline = "offline";
const char* const canDoOpenFileSelector = "openFileSelector";
const char* const canDoCloseFileSelector = "closeFileSelector";
const char* const canDoStartStopProcess = "startStopProcess";
const char* const canDoShellCategory = "shellCategory";
const char* const canDoSendVstMidiEventFlagIsRealtime = "sendVstMidiEventFlagIsRealtime";
}  // namespace HostCanDos

namespace PlugCanDos {
const char* const canDoSendVstEvents = "sendVstEvents";
const char* const canDoSendVstMidiEvent = "sendVstMidiEvent";
const char* const canDoReceiveVstEvents = "receiveVstEvents";
const char* const canDoReceiveVstMidiEvent = "receiveVstMidiEvent";
const char* const canDoReceiveVstTimeInfo = "receiveVstTimeInfo";
const char* const canDoOffline = "offline";
const char* const canDoMidiProgramNames = "midiProgramNames";
const char* const canDoBypass = "bypass";
}  // namespace PlugCanDos

namespace {

// Far beyond any speaker layout a host offers; a garbage count must not ask for gigabytes
// or wrap the size computation around.
constexpr VstInt32 kMaxArrangementChannels = 1024;

constexpr std::size_t kSpeakerNameLimit = kVstMaxNameLen - 1;

bool channelCountUsable(VstInt32 channels)
{
    return channels >= 0 && channels <= kMaxArrangementChannels;
}

bool arrangementUsable(const VstSpeakerArrangement* arrangement)
{
    return arrangement && channelCountUsable(arrangement->numChannels);
}

bool fitsInt32(VstIntPtr value)
{
    return value >= INT32_MIN && value <= INT32_MAX;
}

// The modifier byte of a key travels in a float; NaN and values no integer holds count as none.
unsigned char lowByteOf(float opt)
{
    if (!(opt >= -2147483648.f && opt < 2147483648.f))
        return 0;
    return static_cast<unsigned char>(static_cast<VstInt32>(opt) & 0xFF);
}

}  // namespace

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : AudioEffect(audioMaster, numPrograms, numParams)
{
}

AudioEffectX::~AudioEffectX() = default;

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        return ptr ? processEvents(static_cast<VstEvents*>(ptr)) : 0;
    case effCanBeAutomated:
        return isParameterIndex(index) && canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
        return text && isParameterIndex(index) && string2parameter(index, text) ? 1 : 0;
    case effGetProgramNameIndexed:
        if (!text)
            return 0;
        if (index < 0 || index >= numPrograms || !fitsInt32(value)) {
            text[0] = 0;
            return 0;
        }
        return getProgramNameIndexed(static_cast<VstInt32>(value), index, text) ? 1 : 0;
    case effGetInputProperties:
        return ptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
        return ptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effOfflineNotify:
        return ptr && value >= 0 && value <= INT32_MAX &&
                       offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<VstInt32>(value), index != 0)
                   ? 1
                   : 0;
    case effOfflinePrepare:
        return ptr && value >= 0 && value <= INT32_MAX &&
                       offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value))
                   ? 1
                   : 0;
    case effOfflineRun:
        return ptr && value >= 0 && value <= INT32_MAX &&
                       offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value))
                   ? 1
                   : 0;
    case effProcessVarIo:
        return ptr && processVariableIo(static_cast<VstVariableIo*>(ptr)) ? 1 : 0;
    case effSetSpeakerArrangement: {
        VstSpeakerArrangement* input = FromVstPtr<VstSpeakerArrangement>(value);
        auto* output = static_cast<VstSpeakerArrangement*>(ptr);
        return arrangementUsable(input) && arrangementUsable(output) && setSpeakerArrangement(input, output) ? 1 : 0;
    }
    case effSetBypass:
        return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
        return text && getEffectName(text) ? 1 : 0;
    case effGetVendorString:
        return text && getVendorString(text) ? 1 : 0;
    case effGetProductString:
        return text && getProductString(text) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return text ? canDo(text) : 0;
    case effGetTailSize:
        return getGetTailSize();
    case effGetParameterProperties:
        return ptr && isParameterIndex(index) &&
                       getParameterProperties(index, static_cast<VstParameterProperties*>(ptr))
                   ? 1
                   : 0;
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
        if (!editor)
            return 0;
        VstKeyCode key{index, static_cast<unsigned char>(value & 0xFF), lowByteOf(opt)};
        return (opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key)) ? 1 : 0;
    }
    case effSetEditKnobMode:
        return editor && fitsInt32(value) && editor->setKnobMode(static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetMidiProgramName:
        return ptr ? getMidiProgramName(index, static_cast<MidiProgramName*>(ptr)) : 0;
    case effGetCurrentMidiProgram:
        return ptr ? getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr)) : 0;
    case effGetMidiProgramCategory:
        return ptr ? getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr)) : 0;
    case effHasMidiProgramsChanged:
        return hasMidiProgramsChanged(index) ? 1 : 0;
    case effGetMidiKeyName:
        return ptr && getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)) ? 1 : 0;
    case effBeginSetProgram:
        return beginSetProgram() ? 1 : 0;
    case effEndSetProgram:
        return endSetProgram() ? 1 : 0;
    case effGetSpeakerArrangement: {
        auto** input = FromVstPtr<VstSpeakerArrangement*>(value);
        auto** output = static_cast<VstSpeakerArrangement**>(ptr);
        return input && output && getSpeakerArrangement(input, output) ? 1 : 0;
    }
    case effShellGetNextPlugin:
        return text ? getNextShellPlugin(text) : 0;
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return fitsInt32(value) ? setTotalSampleToProcess(static_cast<VstInt32>(value)) : 0;
    case effSetPanLaw:
        return fitsInt32(value) && setPanLaw(static_cast<VstInt32>(value), opt) ? 1 : 0;
    case effBeginLoadBank:
        return ptr ? beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr)) : 0;
    case effBeginLoadProgram:
        return ptr ? beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr)) : 0;
    case effSetProcessPrecision:
        return fitsInt32(value) && setProcessPrecision(static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetNumMidiInputChannels:
        return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
        return getNumMidiOutputChannels();
    default:
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

void AudioEffectX::resume()
{
    if ((cEffect.flags & effFlagsIsSynth) || canDo(const_cast<char*>(PlugCanDos::canDoReceiveVstMidiEvent)) == 1)
        __wantEventsDeprecated(1);
}

bool AudioEffectX::beginEdit(VstInt32 index)
{
    return isParameterIndex(index) && callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit(VstInt32 index)
{
    return isParameterIndex(index) && callHost(audioMasterEndEdit, index) != 0;
}

bool AudioEffectX::ioChanged()
{
    return callHost(audioMasterIOChanged) != 0;
}

float AudioEffectX::updateSampleRate()
{
    const VstIntPtr answer = callHost(audioMasterGetSampleRate);
    if (answer > 0)
        sampleRate = static_cast<float>(answer);
    return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize()
{
    const VstIntPtr answer = callHost(audioMasterGetBlockSize);
    if (answer > 0 && answer <= INT32_MAX)
        blockSize = static_cast<VstInt32>(answer);
    return blockSize;
}

VstInt32 AudioEffectX::getInputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput)
{
    if (pluginInput)
        *pluginInput = nullptr;
    if (pluginOutput)
        *pluginOutput = nullptr;
    return false;
}

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter)
{
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

VstInt32 AudioEffectX::getCurrentProcessLevel()
{
    return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState()
{
    return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}

// Here and in getHostProductString, canHostDo and sendVstEventsToHost: a host handed a null text or
// event list would write or read through it, so such a call is not made and the neutral value stands.
bool AudioEffectX::getHostVendorString(char* text)
{
    return text && callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text)
{
    return text && callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion()
{
    return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 arg1, VstIntPtr arg2, void* ptrArg, float floatArg)
{
    return callHost(audioMasterVendorSpecific, arg1, arg2, ptrArg, floatArg);
}

VstInt32 AudioEffectX::canHostDo(char* text)
{
    return text && callHost(audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0;
}

VstInt32 AudioEffectX::getHostLanguage()
{
    return static_cast<VstInt32>(callHost(audioMasterGetLanguage));
}

void* AudioEffectX::getDirectory()
{
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

VstInt32 AudioEffectX::getPlugCategory()
{
    return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

bool AudioEffectX::updateDisplay()
{
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
{
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

bool AudioEffectX::openFileSelector(VstFileSelect* select)
{
    return select && callHost(audioMasterOpenFileSelector, 0, 0, select) != 0;
}

bool AudioEffectX::closeFileSelector(VstFileSelect* select)
{
    return select && callHost(audioMasterCloseFileSelector, 0, 0, select) != 0;
}

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 channels)
{
    if (!arrangement)
        return false;
    std::free(*arrangement);
    *arrangement = nullptr;
    if (!channelCountUsable(channels))
        return false;
    const std::size_t size =
        offsetof(VstSpeakerArrangement, speakers) + sizeof(VstSpeakerProperties) * static_cast<std::size_t>(channels);
    auto* block = static_cast<VstSpeakerArrangement*>(std::calloc(1, size));
    if (!block)
        return false;
    block->numChannels = channels;
    *arrangement = block;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement)
{
    if (arrangement) {
        std::free(*arrangement);
        *arrangement = nullptr;
    }
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from)
{
    if (!to || !from)
        return false;
    vst_strncpy(to->name, from->name, kSpeakerNameLimit);
    to->type = from->type;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    std::memcpy(to->future, from->future, sizeof(to->future));
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from)
{
    if (!from || !to)
        return false;
    if (!deallocateArrangement(to) || !allocateArrangement(to, from->numChannels))
        return false;
    (*to)->type = from->type;
    for (VstInt32 i = 0; i < from->numChannels; ++i)
        if (!copySpeaker(&(*to)->speakers[i], &from->speakers[i]))
            return false;
    return true;
}

bool AudioEffectX::offlineRead(VstOfflineTask* offline, VstInt32 option, bool readSource)
{
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool AudioEffectX::offlineWrite(VstOfflineTask* offline, VstInt32 option)
{
    return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool AudioEffectX::offlineStart(VstAudioFile* files, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles)
{
    return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, files) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentPass()
{
    return callHost(audioMasterOfflineGetCurrentPass) != 0 ? 1 : 0;
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass()
{
    return callHost(audioMasterOfflineGetCurrentMetaPass) != 0 ? 1 : 0;
}

void AudioEffectX::__wantEventsDeprecated(VstInt32 filter)
{
    callHost(__audioMasterWantMidiDeprecated, 0, filter);
}

VstInt32 AudioEffectX::__tempoAtDeprecated(VstInt32 position)
{
    return static_cast<VstInt32>(callHost(__audioMasterTempoAtDeprecated, 0, position));
}

VstInt32 AudioEffectX::__getNumAutomatableParametersDeprecated()
{
    return static_cast<VstInt32>(callHost(__audioMasterGetNumAutomatableParametersDeprecated));
}

VstInt32 AudioEffectX::__getParameterQuantizationDeprecated()
{
    return static_cast<VstInt32>(callHost(__audioMasterGetParameterQuantizationDeprecated));
}

bool AudioEffectX::__needIdleDeprecated()
{
    return callHost(__audioMasterNeedIdleDeprecated) != 0;
}

AEffect* AudioEffectX::__getPreviousPlugDeprecated(VstInt32)
{
    return reinterpret_cast<AEffect*>(callHost(__audioMasterGetPreviousPlugDeprecated));
}

AEffect* AudioEffectX::__getNextPlugDeprecated(VstInt32)
{
    return reinterpret_cast<AEffect*>(callHost(__audioMasterGetNextPlugDeprecated));
}

VstInt32 AudioEffectX::__willProcessReplacingDeprecated()
{
    return static_cast<VstInt32>(callHost(__audioMasterWillReplaceOrAccumulateDeprecated));
}

void AudioEffectX::__setOutputSamplerateDeprecated(float rate)
{
    callHost(__audioMasterSetOutputSampleRateDeprecated, 0, 0, nullptr, rate);
}

VstSpeakerArrangement* AudioEffectX::__getInputSpeakerArrangementDeprecated()
{
    return reinterpret_cast<VstSpeakerArrangement*>(callHost(__audioMasterGetInputSpeakerArrangementDeprecated));
}

VstSpeakerArrangement* AudioEffectX::__getOutputSpeakerArrangementDeprecated()
{
    return reinterpret_cast<VstSpeakerArrangement*>(callHost(__audioMasterGetOutputSpeakerArrangementDeprecated));
}

void* AudioEffectX::__openWindowDeprecated(VstWindow* window)
{
    return reinterpret_cast<void*>(callHost(__audioMasterOpenWindowDeprecated, 0, 0, window));
}

bool AudioEffectX::__closeWindowDeprecated(VstWindow* window)
{
    return callHost(__audioMasterCloseWindowDeprecated, 0, 0, window) != 0;
}

void AudioEffectX::__setBlockSizeAndSampleRateDeprecated(VstInt32 newBlockSize, float newSampleRate)
{
    blockSize = newBlockSize;
    sampleRate = newSampleRate;
}

bool AudioEffectX::__getChunkFileDeprecated(void* nativePath)
{
    return nativePath && callHost(__audioMasterGetChunkFileDeprecated, 0, 0, nativePath) != 0;
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events)
{
    return events && callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}
