// Test effects that the tests drive through their records as a host does, noting what reaches them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "host/vst2/effect.h"
#include "host/vst2/host.h"
#include "public.sdk/source/vst2.x/aeffeditor.h"
#include "public.sdk/source/vst2.x/audioeffectx.h"

// The test host's callback seen through the plug-in's own type: the same C function either way.
audioMasterCallback testHostCallback();

// The least a derived effect must write: everything else is the base classes' default.
class BareEffect : public AudioEffectX {
public:
    explicit BareEffect(audioMasterCallback master, VstInt32 programs = 2, VstInt32 params = 3)
        : AudioEffectX(master, programs, params)
    {
    }
    void processReplacing(float**, float**, VstInt32) override {}
};

class ProbeEditor : public AEffEditor {
public:
    explicit ProbeEditor(AudioEffect* effect) : AEffEditor(effect) {}
    ~ProbeEditor() override { ++destroyed; }

    bool getRect(ERect** rect) override;
    bool open(void* window) override;
    void idle() override { ++idles; }
    bool onKeyDown(VstKeyCode& key) override;
    bool onKeyUp(VstKeyCode& key) override;
    bool setKnobMode(VstInt32 mode) override;

    ERect rect{0, 0, 381, 1105};
    VstKeyCode lastKey{};
    std::string lastKeyCall;
    int idles = 0;
    VstInt32 knobMode = -1;
    static int destroyed;
};

// Every operation the dispatchers can reach notes its name and arguments in `calls`.
class ProbeEffect : public AudioEffectX {
public:
    static constexpr VstInt32 kPrograms = 3;
    static constexpr VstInt32 kParams = 4;

    explicit ProbeEffect(audioMasterCallback master);
    ~ProbeEffect() override { ++destroyed; }

    std::string lastCall() const { return calls.empty() ? std::string() : calls.back(); }

    void open() override { note("open"); }
    void close() override { note("close"); }
    void suspend() override { note("suspend"); }
    void resume() override;
    void setSampleRate(float rate) override;
    void setBlockSize(VstInt32 size) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames) override;
    void __processDeprecated(float** inputs, float** outputs, VstInt32 frames) override;
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

    VstInt32 processEvents(VstEvents* events) override;
    bool canParameterBeAutomated(VstInt32 index) override;
    bool string2parameter(VstInt32 index, char* text) override;
    bool getParameterProperties(VstInt32 index, VstParameterProperties* p) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool beginSetProgram() override { return note("beginSetProgram"); }
    bool endSetProgram() override { return note("endSetProgram"); }
    VstInt32 beginLoadBank(VstPatchChunkInfo* info) override;
    VstInt32 beginLoadProgram(VstPatchChunkInfo* info) override;
    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) override;
    bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output) override;
    bool setBypass(bool onOff) override { return note("setBypass " + std::to_string(onOff)); }
    bool setPanLaw(VstInt32 type, float gain) override;
    bool setProcessPrecision(VstInt32 precision) override;
    VstInt32 getNumMidiInputChannels() override { return note("getNumMidiInputChannels"), 16; }
    VstInt32 getNumMidiOutputChannels() override { return note("getNumMidiOutputChannels"), 2; }
    bool processVariableIo(VstVariableIo*) override { return note("processVariableIo"); }
    VstInt32 startProcess() override { return note("startProcess"), 1; }
    VstInt32 stopProcess() override { return note("stopProcess"), 1; }
    VstInt32 setTotalSampleToProcess(VstInt32 value) override;
    VstInt32 getGetTailSize() override { return note("getGetTailSize"), 4410; }
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return note("getVendorVersion"), 0x02000101; }
    VstIntPtr vendorSpecific(VstInt32 arg1, VstIntPtr arg2, void* ptrArg, float floatArg) override;
    VstInt32 canDo(char* text) override;
    VstInt32 getPlugCategory() override { return note("getPlugCategory"), kPlugCategRoomFx; }
    VstInt32 getMidiProgramName(VstInt32 channel, MidiProgramName*) override;
    VstInt32 getCurrentMidiProgram(VstInt32 channel, MidiProgramName*) override;
    VstInt32 getMidiProgramCategory(VstInt32 channel, MidiProgramCategory*) override;
    bool hasMidiProgramsChanged(VstInt32 channel) override;
    bool getMidiKeyName(VstInt32 channel, MidiKeyName*) override;
    VstInt32 getNextShellPlugin(char* name) override;
    bool offlineNotify(VstAudioFile*, VstInt32 count, bool start) override;
    bool offlinePrepare(VstOfflineTask*, VstInt32 count) override;
    bool offlineRun(VstOfflineTask*, VstInt32 count) override;

    // Made reachable for the tests.
    using AudioEffect::callHost;
    VstInt32 currentProgram() const { return curProgram; }
    float currentSampleRate() const { return sampleRate; }
    VstInt32 currentBlockSize() const { return blockSize; }

    std::vector<std::string> calls;
    std::array<float, kParams> params{};
    std::string programName = "Init";
    std::vector<char> chunk{'t', 'w', 'k', 'n'};
    VstInt32 midiAnswer = 0;  // what canDo says to "receiveVstMidiEvent"
    bool badIndexReached = false;
    VstSpeakerArrangement arrangement{};
    static int destroyed;

private:
    bool note(const std::string& call)
    {
        calls.push_back(call);
        return true;
    }
    bool checkIndex(VstInt32 index);
};

// Owns a probe the way a host owns an effect: through its record, until effClose.
struct HostedProbe {
    HostedProbe() : probe(new ProbeEffect(testHostCallback())), effect(probe->getAeffect(), host) {}
    vst2host::Host host;
    ProbeEffect* probe;
    vst2host::Effect effect;
};
