// The probe effects: each reached operation notes itself, texts are written at the hosts' limits.
#include "probeeffect.h"

#include <cstring>

int ProbeEditor::destroyed = 0;
int ProbeEffect::destroyed = 0;

audioMasterCallback testHostCallback()
{
    return reinterpret_cast<audioMasterCallback>(&vst2host::Host::callback);
}

bool ProbeEditor::getRect(ERect** out)
{
    *out = &rect;
    return true;
}

bool ProbeEditor::open(void* window)
{
    AEffEditor::open(window);
    return true;
}

bool ProbeEditor::onKeyDown(VstKeyCode& key)
{
    lastKey = key;
    lastKeyCall = "down";
    return true;
}

bool ProbeEditor::onKeyUp(VstKeyCode& key)
{
    lastKey = key;
    lastKeyCall = "up";
    return true;
}

bool ProbeEditor::setKnobMode(VstInt32 mode)
{
    knobMode = mode;
    return true;
}

ProbeEffect::ProbeEffect(audioMasterCallback master) : AudioEffectX(master, kPrograms, kParams)
{
    setNumInputs(2);
    setNumOutputs(2);
    canDoubleReplacing(true);
    setEditor(new ProbeEditor(this));
}

bool ProbeEffect::checkIndex(VstInt32 index)
{
    const bool inRange = index >= 0 && index < kParams;
    badIndexReached = badIndexReached || !inRange;
    return inRange;
}

void ProbeEffect::resume()
{
    note("resume");
    AudioEffectX::resume();
}

void ProbeEffect::setSampleRate(float rate)
{
    note("setSampleRate " + std::to_string(rate));
    AudioEffectX::setSampleRate(rate);
}

void ProbeEffect::setBlockSize(VstInt32 size)
{
    note("setBlockSize " + std::to_string(size));
    AudioEffectX::setBlockSize(size);
}

void ProbeEffect::processReplacing(float** inputs, float** outputs, VstInt32 frames)
{
    for (int c = 0; c < 2; ++c)
        for (VstInt32 i = 0; i < frames; ++i)
            outputs[c][i] = inputs[c][i] * 0.5f;
}

void ProbeEffect::processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames)
{
    for (int c = 0; c < 2; ++c)
        for (VstInt32 i = 0; i < frames; ++i)
            outputs[c][i] = inputs[c][i] * 0.25;
}

void ProbeEffect::__processDeprecated(float** inputs, float** outputs, VstInt32 frames)
{
    for (int c = 0; c < 2; ++c)
        for (VstInt32 i = 0; i < frames; ++i)
            outputs[c][i] += inputs[c][i];
}

void ProbeEffect::setParameter(VstInt32 index, float value)
{
    if (checkIndex(index))
        params[static_cast<std::size_t>(index)] = value;
}

float ProbeEffect::getParameter(VstInt32 index)
{
    return checkIndex(index) ? params[static_cast<std::size_t>(index)] : 0.f;
}

void ProbeEffect::setProgram(VstInt32 program)
{
    note("setProgram " + std::to_string(program));
    AudioEffectX::setProgram(program);
}

void ProbeEffect::setProgramName(char* name)
{
    char bounded[kVstMaxProgNameLen + 1];
    programName = vst_strncpy(bounded, name, kVstMaxProgNameLen);
}

void ProbeEffect::getProgramName(char* name)
{
    vst_strncpy(name, programName.c_str(), kVstMaxProgNameLen);
}

void ProbeEffect::getParameterLabel(VstInt32 index, char* label)
{
    checkIndex(index);
    vst_strncpy(label, "dB", kVstMaxParamStrLen);
}

void ProbeEffect::getParameterDisplay(VstInt32 index, char* text)
{
    float2string(getParameter(index), text, kVstMaxParamStrLen);
}

void ProbeEffect::getParameterName(VstInt32 index, char* text)
{
    checkIndex(index);
    vst_strncpy(text, "Parameter with a long name", kVstMaxParamStrLen);
}

VstInt32 ProbeEffect::getChunk(void** data, bool isPreset)
{
    note("getChunk " + std::to_string(isPreset));
    *data = chunk.data();
    return static_cast<VstInt32>(chunk.size());
}

VstInt32 ProbeEffect::setChunk(void* data, VstInt32 byteSize, bool isPreset)
{
    note("setChunk " + std::to_string(byteSize) + " " + std::to_string(isPreset));
    const char* bytes = static_cast<const char*>(data);
    chunk.assign(bytes, bytes + byteSize);
    return 1;
}

VstInt32 ProbeEffect::processEvents(VstEvents* events)
{
    return note("processEvents " + std::to_string(events->numEvents)), 1;
}

bool ProbeEffect::canParameterBeAutomated(VstInt32 index)
{
    checkIndex(index);
    return note("canParameterBeAutomated " + std::to_string(index));
}

bool ProbeEffect::string2parameter(VstInt32 index, char* text)
{
    checkIndex(index);
    return note("string2parameter " + std::to_string(index) + " " + text);
}

bool ProbeEffect::getParameterProperties(VstInt32 index, VstParameterProperties* p)
{
    checkIndex(index);
    vst_strncpy(p->label, "Probe parameter", kVstMaxLabelLen - 1);
    vst_strncpy(p->shortLabel, "Probe", kVstMaxShortLabelLen - 1);
    return note("getParameterProperties " + std::to_string(index));
}

bool ProbeEffect::getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text)
{
    vst_strncpy(text, "Indexed", kVstMaxProgNameLen);
    return note("getProgramNameIndexed " + std::to_string(category) + " " + std::to_string(index));
}

VstInt32 ProbeEffect::beginLoadBank(VstPatchChunkInfo* info)
{
    return note("beginLoadBank " + std::to_string(info->numElements)), 1;
}

VstInt32 ProbeEffect::beginLoadProgram(VstPatchChunkInfo* info)
{
    return note("beginLoadProgram " + std::to_string(info->numElements)), 1;
}

bool ProbeEffect::getInputProperties(VstInt32 index, VstPinProperties* properties)
{
    vst_strncpy(properties->label, "In", kVstMaxLabelLen - 1);
    return note("getInputProperties " + std::to_string(index));
}

bool ProbeEffect::getOutputProperties(VstInt32 index, VstPinProperties* properties)
{
    vst_strncpy(properties->label, "Out", kVstMaxLabelLen - 1);
    return note("getOutputProperties " + std::to_string(index));
}

bool ProbeEffect::setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output)
{
    return note("setSpeakerArrangement " + std::to_string(input->numChannels) + " " +
                std::to_string(output->numChannels));
}

bool ProbeEffect::getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output)
{
    *input = &arrangement;
    *output = &arrangement;
    return note("getSpeakerArrangement");
}

bool ProbeEffect::setPanLaw(VstInt32 type, float gain)
{
    return note("setPanLaw " + std::to_string(type) + " " + std::to_string(gain));
}

bool ProbeEffect::setProcessPrecision(VstInt32 precision)
{
    return note("setProcessPrecision " + std::to_string(precision));
}

VstInt32 ProbeEffect::setTotalSampleToProcess(VstInt32 value)
{
    return note("setTotalSampleToProcess " + std::to_string(value)), value;
}

bool ProbeEffect::getEffectName(char* name)
{
    vst_strncpy(name, "Probe effect with a name longer than the limit", kVstMaxEffectNameLen);
    return note("getEffectName");
}

bool ProbeEffect::getVendorString(char* text)
{
    vst_strncpy(text, "Tessaline", kVstMaxVendorStrLen);
    return note("getVendorString");
}

bool ProbeEffect::getProductString(char* text)
{
    vst_strncpy(text, "Probe", kVstMaxProductStrLen);
    return note("getProductString");
}

VstIntPtr ProbeEffect::vendorSpecific(VstInt32 arg1, VstIntPtr arg2, void*, float floatArg)
{
    return note("vendorSpecific " + std::to_string(arg1) + " " + std::to_string(arg2) + " " +
                std::to_string(floatArg)),
           7;
}

VstInt32 ProbeEffect::canDo(char* text)
{
    note(std::string("canDo ") + text);
    if (std::strcmp(text, PlugCanDos::canDoReceiveVstMidiEvent) == 0)
        return midiAnswer;
    return std::strcmp(text, PlugCanDos::canDoBypass) == 0 ? 1 : -1;
}

VstInt32 ProbeEffect::getMidiProgramName(VstInt32 channel, MidiProgramName*)
{
    return note("getMidiProgramName " + std::to_string(channel)), 1;
}

VstInt32 ProbeEffect::getCurrentMidiProgram(VstInt32 channel, MidiProgramName*)
{
    return note("getCurrentMidiProgram " + std::to_string(channel)), 3;
}

VstInt32 ProbeEffect::getMidiProgramCategory(VstInt32 channel, MidiProgramCategory*)
{
    return note("getMidiProgramCategory " + std::to_string(channel)), 1;
}

bool ProbeEffect::hasMidiProgramsChanged(VstInt32 channel)
{
    return note("hasMidiProgramsChanged " + std::to_string(channel));
}

bool ProbeEffect::getMidiKeyName(VstInt32 channel, MidiKeyName*)
{
    return note("getMidiKeyName " + std::to_string(channel));
}

VstInt32 ProbeEffect::getNextShellPlugin(char* name)
{
    name[0] = 0;
    return note("getNextShellPlugin"), 0;
}

bool ProbeEffect::offlineNotify(VstAudioFile*, VstInt32 count, bool start)
{
    return note("offlineNotify " + std::to_string(count) + " " + std::to_string(start));
}

bool ProbeEffect::offlinePrepare(VstOfflineTask*, VstInt32 count)
{
    return note("offlinePrepare " + std::to_string(count));
}

bool ProbeEffect::offlineRun(VstOfflineTask*, VstInt32 count)
{
    return note("offlineRun " + std::to_string(count));
}
