// AudioEffectX as a host meets it: opcodes 25 to 79, extended host calls, can-dos, arrangements.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "probeeffect.h"

namespace {

using namespace vst2host;

struct Route {
    Int32 opcode;
    Int32 index;
    IntPtr value;
    float opt;
    const char* call;  // what the probe notes
    IntPtr result;
};

// Each opcode reaches its operation with the arguments in the places the interface gives them.
TEST(AudioEffectX, OpcodesReachTheirOperations)
{
    HostedProbe hosted;
    std::vector<char> buffer(512);
    const Route routes[] = {
        {kProcessEvents, 0, 0, 0.f, "processEvents 0", 1},
        {kCanBeAutomated, 2, 0, 0.f, "canParameterBeAutomated 2", 1},
        {kString2Parameter, 3, 0, 0.f, "string2parameter 3 0.5", 1},
        {kGetProgramNameIndexed, 2, 5, 0.f, "getProgramNameIndexed 5 2", 1},
        {kGetInputProperties, 1, 0, 0.f, "getInputProperties 1", 1},
        {kGetOutputProperties, 0, 0, 0.f, "getOutputProperties 0", 1},
        {kGetPlugCategory, 0, 0, 0.f, "getPlugCategory", 6},
        {kOfflineNotify, 1, 3, 0.f, "offlineNotify 3 1", 1},
        {kOfflinePrepare, 0, 2, 0.f, "offlinePrepare 2", 1},
        {kOfflineRun, 0, 2, 0.f, "offlineRun 2", 1},
        {kProcessVarIo, 0, 0, 0.f, "processVariableIo", 1},
        {kSetBypass, 0, 5, 0.f, "setBypass 1", 1},
        {kSetBypass, 0, 0, 0.f, "setBypass 0", 1},
        {kGetEffectName, 0, 0, 0.f, "getEffectName", 1},
        {kGetVendorString, 0, 0, 0.f, "getVendorString", 1},
        {kGetProductString, 0, 0, 0.f, "getProductString", 1},
        {kGetVendorVersion, 0, 0, 0.f, "getVendorVersion", 0x02000101},
        {kVendorSpecific, 0x73744341, 0x57686565, 1.5f, "vendorSpecific 1936999233 1466459493 1.500000", 7},
        {kGetTailSize, 0, 0, 0.f, "getGetTailSize", 4410},
        {kGetParameterProperties, 3, 0, 0.f, "getParameterProperties 3", 1},
        {kGetMidiProgramName, 4, 0, 0.f, "getMidiProgramName 4", 1},
        {kGetCurrentMidiProgram, 4, 0, 0.f, "getCurrentMidiProgram 4", 3},
        {kGetMidiProgramCategory, 4, 0, 0.f, "getMidiProgramCategory 4", 1},
        {kHasMidiProgramsChanged, 4, 0, 0.f, "hasMidiProgramsChanged 4", 1},
        {kGetMidiKeyName, 4, 0, 0.f, "getMidiKeyName 4", 1},
        {kBeginSetProgram, 0, 0, 0.f, "beginSetProgram", 1},
        {kEndSetProgram, 0, 0, 0.f, "endSetProgram", 1},
        {kShellGetNextPlugin, 0, 0, 0.f, "getNextShellPlugin", 0},
        {kStartProcess, 0, 0, 0.f, "startProcess", 1},
        {kStopProcess, 0, 0, 0.f, "stopProcess", 1},
        {kSetTotalSampleToProcess, 0, 4096, 0.f, "setTotalSampleToProcess 4096", 4096},
        {kSetPanLaw, 0, 1, 0.5f, "setPanLaw 1 0.500000", 1},
        {kBeginLoadBank, 0, 0, 0.f, "beginLoadBank 0", 1},
        {kBeginLoadProgram, 0, 0, 0.f, "beginLoadProgram 0", 1},
        {kSetProcessPrecision, 0, 1, 0.f, "setProcessPrecision 1", 1},
        {kGetNumMidiInputChannels, 0, 0, 0.f, "getNumMidiInputChannels", 16},
        {kGetNumMidiOutputChannels, 0, 0, 0.f, "getNumMidiOutputChannels", 2},
    };
    for (const Route& r : routes) {
        hosted.probe->calls.clear();
        std::fill(buffer.begin(), buffer.end(), 0);
        if (r.opcode == kString2Parameter)
            std::strcpy(buffer.data(), "0.5");
        EXPECT_EQ(r.result, hosted.effect.dispatch(r.opcode, r.index, r.value, buffer.data(), r.opt))
            << "opcode " << r.opcode;
        EXPECT_EQ(r.call, hosted.probe->lastCall()) << "opcode " << r.opcode;
    }
    EXPECT_EQ(-1, hosted.effect.canDo("nothing"));
    EXPECT_EQ("canDo nothing", hosted.probe->lastCall());
    EXPECT_EQ(1, hosted.effect.canDo("bypass"));

    EXPECT_EQ("Probe effect with a name longer ", hosted.effect.text(kGetEffectName, 0, kEffectNameBytes));
    EXPECT_EQ("Tessaline", hosted.effect.text(kGetVendorString, 0, kVendorTextBytes));
    EXPECT_EQ("Indexed", hosted.effect.text(kGetProgramNameIndexed, 1, kProgramNameBytes));
    EXPECT_EQ("", hosted.effect.text(kGetProgramNameIndexed, ProbeEffect::kPrograms, kProgramNameBytes))
        << "no program there";
}

TEST(AudioEffectX, ArrangementsArriveOnlyWithUsableCounts)
{
    HostedProbe hosted;
    VstSpeakerArrangement input{}, output{};
    input.numChannels = 2;
    output.numChannels = 2;
    EXPECT_EQ(1, hosted.effect.dispatch(kSetSpeakerArrangement, 0, reinterpret_cast<IntPtr>(&input), &output));
    EXPECT_EQ("setSpeakerArrangement 2 2", hosted.probe->lastCall());
    for (VstInt32 bad : {-1, INT_MIN, 1025, INT_MAX}) {
        hosted.probe->calls.clear();
        input.numChannels = bad;
        EXPECT_EQ(0, hosted.effect.dispatch(kSetSpeakerArrangement, 0, reinterpret_cast<IntPtr>(&input), &output));
        input.numChannels = 2;
        output.numChannels = bad;
        EXPECT_EQ(0, hosted.effect.dispatch(kSetSpeakerArrangement, 0, reinterpret_cast<IntPtr>(&input), &output));
        output.numChannels = 2;
        EXPECT_TRUE(hosted.probe->calls.empty()) << "count " << bad;
    }

    VstSpeakerArrangement* in = nullptr;
    VstSpeakerArrangement* out = nullptr;
    EXPECT_EQ(1, hosted.effect.dispatch(kGetSpeakerArrangement, 0, reinterpret_cast<IntPtr>(&in), &out));
    EXPECT_EQ(&hosted.probe->arrangement, in);
    EXPECT_EQ(&hosted.probe->arrangement, out);
}

// Every opcode that reads or writes through a pointer does nothing without one.
TEST(AudioEffectX, NullPointersAndBadIndicesAnswerZero)
{
    HostedProbe hosted;
    const Int32 pointerOpcodes[] = {kProcessEvents,       kString2Parameter,      kGetProgramNameIndexed,
                                    kGetInputProperties,  kGetOutputProperties,   kOfflineNotify,
                                    kOfflinePrepare,      kOfflineRun,            kProcessVarIo,
                                    kGetEffectName,       kGetVendorString,       kGetProductString,
                                    kCanDo,               kGetParameterProperties, kGetMidiProgramName,
                                    kGetCurrentMidiProgram, kGetMidiProgramCategory, kGetMidiKeyName,
                                    kShellGetNextPlugin,  kBeginLoadBank,         kBeginLoadProgram};
    for (Int32 opcode : pointerOpcodes)
        EXPECT_EQ(0, hosted.effect.dispatch(opcode, 0, 1, nullptr)) << "opcode " << opcode;
    VstSpeakerArrangement arrangement{};
    VstSpeakerArrangement* address = nullptr;
    EXPECT_EQ(0, hosted.effect.dispatch(kSetSpeakerArrangement, 0, 0, &arrangement));
    EXPECT_EQ(0, hosted.effect.dispatch(kSetSpeakerArrangement, 0, reinterpret_cast<IntPtr>(&arrangement), nullptr));
    EXPECT_EQ(0, hosted.effect.dispatch(kGetSpeakerArrangement, 0, 0, &address));
    EXPECT_EQ(0, hosted.effect.dispatch(kGetSpeakerArrangement, 0, reinterpret_cast<IntPtr>(&address), nullptr));

    char text[64] = "0.5";
    VstParameterProperties properties{};
    for (Int32 bad : {-1, ProbeEffect::kParams, INT_MIN}) {
        EXPECT_EQ(0, hosted.effect.dispatch(kCanBeAutomated, bad));
        EXPECT_EQ(0, hosted.effect.dispatch(kString2Parameter, bad, 0, text));
        EXPECT_EQ(0, hosted.effect.dispatch(kGetParameterProperties, bad, 0, &properties));
    }
    EXPECT_TRUE(hosted.probe->calls.empty());
    EXPECT_FALSE(hosted.probe->badIndexReached);
}

TEST(AudioEffectX, KeysAndKnobModeReachTheEditor)
{
    HostedProbe hosted;
    auto* editor = static_cast<ProbeEditor*>(hosted.probe->getEditor());
    EXPECT_EQ(1, hosted.effect.dispatch(kEditKeyDown, 65, 0x101, nullptr, 2.9f));
    EXPECT_EQ("down", editor->lastKeyCall);
    EXPECT_EQ(65, editor->lastKey.character);
    EXPECT_EQ(1, editor->lastKey.virt);
    EXPECT_EQ(2, editor->lastKey.modifier);

    const float strange[] = {std::numeric_limits<float>::quiet_NaN(), 1e10f, -1e10f,
                             std::numeric_limits<float>::infinity()};
    for (float opt : strange) {
        editor->lastKey.modifier = 99;
        EXPECT_EQ(1, hosted.effect.dispatch(kEditKeyUp, 66, 3, nullptr, opt));
        EXPECT_EQ(0, editor->lastKey.modifier) << "opt " << opt;
    }
    EXPECT_EQ("up", editor->lastKeyCall);

    EXPECT_EQ(1, hosted.effect.dispatch(kSetEditKnobMode, 0, 2));
    EXPECT_EQ(2, editor->knobMode);

    Host host;
    Effect bare((new BareEffect(testHostCallback()))->getAeffect(), host);
    EXPECT_EQ(0, bare.dispatch(kEditKeyDown, 65, 1, nullptr, 2.f));
    EXPECT_EQ(0, bare.dispatch(kEditKeyUp, 65, 1, nullptr, 2.f));
    EXPECT_EQ(0, bare.dispatch(kSetEditKnobMode, 0, 2));
}

TEST(AudioEffectX, NeutralDefaults)
{
    Host host;
    auto* object = new BareEffect(testHostCallback());
    Effect bare(object->getAeffect(), host);
    EXPECT_EQ(2400, bare.dispatch(kGetVstVersion));
    EXPECT_EQ(0, bare.dispatch(kGetPlugCategory));
    object->isSynth(true);
    EXPECT_EQ(2, bare.dispatch(kGetPlugCategory));
    EXPECT_EQ(kIsSynth | kCanReplacing, bare.flags());
    object->isSynth(false);
    object->noTail(true);
    EXPECT_EQ(kNoSoundInStop | kCanReplacing, bare.flags());

    EXPECT_EQ(-1, bare.dispatch(kGetCurrentMidiProgram, 0, 0, std::vector<char>(kMidiProgramNameBytes).data()));
    EXPECT_EQ(0, bare.canDo("bypass"));
    EXPECT_EQ(1, bare.dispatch(kCanBeAutomated, 0));
    EXPECT_EQ(4096, bare.dispatch(kSetTotalSampleToProcess, 0, 4096));
    for (Int32 opcode : {28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57})
        EXPECT_EQ(0, bare.dispatch(opcode, 1, 1)) << "deprecated opcode " << opcode;
    EXPECT_EQ(0x4E764566, bare.dispatch(22)) << "still answered by the core dispatcher";

    VstSpeakerArrangement stale{};
    VstSpeakerArrangement* in = &stale;
    VstSpeakerArrangement* out = &stale;
    EXPECT_EQ(0, bare.dispatch(kGetSpeakerArrangement, 0, reinterpret_cast<IntPtr>(&in), &out));
    EXPECT_EQ(nullptr, in);
    EXPECT_EQ(nullptr, out);

    EXPECT_EQ(1, object->__getNumCategoriesDeprecated());
    object->__setBlockSizeAndSampleRateDeprecated(64, 96000.f);
    EXPECT_EQ(64, object->getBlockSize());
    EXPECT_EQ(96000.f, object->getSampleRate());
    EXPECT_TRUE(host.calls().empty()) << "defaults ask the host nothing";
}

TEST(AudioEffectX, ResumeAsksForEventsOnlyForEventReceivers)
{
    HostedProbe hosted;
    for (VstInt32 answer : {0, -1}) {
        hosted.probe->midiAnswer = answer;
        hosted.effect.dispatch(kMainsChanged, 0, 1);
    }
    EXPECT_TRUE(hosted.host.calls().empty());
    hosted.probe->midiAnswer = 1;
    hosted.effect.dispatch(kMainsChanged, 0, 1);
    hosted.probe->midiAnswer = 0;
    hosted.probe->isSynth(true);
    hosted.effect.dispatch(kMainsChanged, 0, 1);
    const auto wants = hosted.host.callsOf(kHostWantMidi);
    ASSERT_EQ(2u, wants.size());
    EXPECT_EQ(1, wants[1].value);
}

TEST(AudioEffectX, ExtendedHostCalls)
{
    HostedProbe hosted;
    ProbeEffect& fx = *hosted.probe;
    Host& host = hosted.host;

    host.sampleRate = 48000;
    EXPECT_EQ(48000.f, fx.updateSampleRate());
    host.sampleRate = 0;
    EXPECT_EQ(48000.f, fx.updateSampleRate());
    host.blockSize = 128;
    EXPECT_EQ(128, fx.updateBlockSize());
    host.blockSize = -4;
    EXPECT_EQ(128, fx.updateBlockSize());

    VstEvents events{};
    host.answers[kHostProcessEvents] = 2;
    EXPECT_FALSE(fx.sendVstEventsToHost(&events));
    host.answers[kHostProcessEvents] = 1;
    EXPECT_TRUE(fx.sendVstEventsToHost(&events));
    EXPECT_FALSE(fx.sendVstEventsToHost(nullptr));

    char question[] = "sizeWindow";
    EXPECT_EQ(1, fx.canHostDo(question));
    host.answers[kHostCanDo] = -1;
    EXPECT_EQ(1, fx.canHostDo(question)) << "any answer but 0 is yes";
    host.answers[kHostCanDo] = 0;
    EXPECT_EQ(0, fx.canHostDo(question));

    EXPECT_EQ(static_cast<void*>(&host.timeInfo), fx.getTimeInfo(kVstTempoValid));
    EXPECT_EQ(kVstTempoValid, host.callsOf(kHostGetTime).back().value);

    EXPECT_FALSE(fx.sizeWindow(1105, 381));
    const HostCall size = host.callsOf(kHostSizeWindow).back();
    EXPECT_EQ(1105, size.index);
    EXPECT_EQ(381, size.value);

    char vendor[kVstMaxVendorStrLen + 1] = {};
    EXPECT_TRUE(fx.getHostVendorString(vendor));
    EXPECT_STREQ("Tessaline", vendor);
    EXPECT_FALSE(fx.getHostVendorString(nullptr));

    host.answers[kHostBeginEdit] = 1;
    EXPECT_TRUE(fx.beginEdit(3));
    EXPECT_FALSE(fx.endEdit(3)) << "this host answers 0";
    EXPECT_FALSE(fx.beginEdit(ProbeEffect::kParams));
    EXPECT_FALSE(fx.endEdit(-1));
    EXPECT_EQ(1u, host.callsOf(kHostBeginEdit).size());
    EXPECT_EQ(3, host.callsOf(kHostEndEdit).back().index);

    host.answers[28] = 5;  // current offline pass
    EXPECT_EQ(1, fx.offlineGetCurrentPass());
    host.answers[kHostVendorSpecific] = 77;
    EXPECT_EQ(77, fx.hostVendorSpecific(1, 2, nullptr, 3.f));
    const HostCall specific = host.callsOf(kHostVendorSpecific).back();
    EXPECT_EQ(1, specific.index);
    EXPECT_EQ(2, specific.value);
    EXPECT_EQ(3.f, specific.opt);

    BareEffect alone(nullptr);
    EXPECT_EQ(nullptr, alone.getTimeInfo(0));
    EXPECT_EQ(44100.f, alone.updateSampleRate());
    EXPECT_EQ(1024, alone.updateBlockSize());
    EXPECT_FALSE(alone.ioChanged());
    EXPECT_FALSE(alone.sendVstEventsToHost(&events));
    EXPECT_EQ(0, alone.canHostDo(question));
    EXPECT_EQ(nullptr, alone.getDirectory());
    EXPECT_FALSE(alone.updateDisplay());
}

// A host that notes every argument of every call, the pointer included, and answers what the test sets.
struct NotedCall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};
std::vector<NotedCall> notedCalls;
VstIntPtr notingAnswer = 0;

VstIntPtr VSTCALLBACK notingHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt)
{
    notedCalls.push_back({effect, opcode, index, value, ptr, opt});
    return notingAnswer;
}

struct HostCallCase {
    const char* helper;
    VstIntPtr answer;
    std::function<VstIntPtr(BareEffect&)> call;
    VstInt32 opcode;  // the interface's number, written out rather than taken from the headers
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
    VstIntPtr result;
};

template <typename T>
VstIntPtr addressOf(T* pointer)
{
    return reinterpret_cast<VstIntPtr>(pointer);
}

// Every host-call helper: its opcode number, where each argument goes, and how the answer is read.
TEST(AudioEffectX, EveryHostCallHasItsNumberArgumentsAndAnswer)
{
    char text[kVstMaxProductStrLen + 1] = "text";
    char marker[4] = {};
    void* const mark = marker;
    auto* task = reinterpret_cast<VstOfflineTask*>(marker);
    auto* files = reinterpret_cast<VstAudioFile*>(marker);
    auto* selector = reinterpret_cast<VstFileSelect*>(marker);
    auto* window = reinterpret_cast<VstWindow*>(marker);
    VstEvents events{};
    const VstIntPtr answerAddress = addressOf(marker);

    const HostCallCase cases[] = {
        {"setParameterAutomated", 7, [](BareEffect& fx) { fx.setParameterAutomated(1, 0.5f); return VstIntPtr(0); },
         0, 1, 0, nullptr, 0.5f, 0},
        {"getMasterVersion", 2400, [](BareEffect& fx) { return VstIntPtr(fx.getMasterVersion()); }, 1, 0, 0, nullptr,
         0.f, 2400},
        {"getCurrentUniqueId", 77, [](BareEffect& fx) { return VstIntPtr(fx.getCurrentUniqueId()); }, 2, 0, 0,
         nullptr, 0.f, 77},
        {"masterIdle", 5, [](BareEffect& fx) { fx.masterIdle(); return VstIntPtr(0); }, 3, 0, 0, nullptr, 0.f, 0},
        {"__isInputConnectedDeprecated", 0,
         [](BareEffect& fx) { return VstIntPtr(fx.__isInputConnectedDeprecated(2)); }, 4, 2, 0, nullptr, 0.f, 1},
        {"__isOutputConnectedDeprecated", 1,
         [](BareEffect& fx) { return VstIntPtr(fx.__isOutputConnectedDeprecated(3)); }, 4, 3, 1, nullptr, 0.f, 0},
        {"__wantEventsDeprecated", 9, [](BareEffect& fx) { fx.__wantEventsDeprecated(5); return VstIntPtr(0); }, 6,
         0, 5, nullptr, 0.f, 0},
        {"getTimeInfo", answerAddress, [](BareEffect& fx) { return addressOf(fx.getTimeInfo(3)); }, 7, 0, 3,
         nullptr, 0.f, answerAddress},
        {"sendVstEventsToHost", 1, [&](BareEffect& fx) { return VstIntPtr(fx.sendVstEventsToHost(&events)); }, 8, 0,
         0, &events, 0.f, 1},
        {"__tempoAtDeprecated", 120, [](BareEffect& fx) { return VstIntPtr(fx.__tempoAtDeprecated(44)); }, 10, 0, 44,
         nullptr, 0.f, 120},
        {"__getNumAutomatableParametersDeprecated", 9,
         [](BareEffect& fx) { return VstIntPtr(fx.__getNumAutomatableParametersDeprecated()); }, 11, 0, 0, nullptr,
         0.f, 9},
        {"__getParameterQuantizationDeprecated", 4,
         [](BareEffect& fx) { return VstIntPtr(fx.__getParameterQuantizationDeprecated()); }, 12, 0, 0, nullptr, 0.f,
         4},
        {"ioChanged", 2, [](BareEffect& fx) { return VstIntPtr(fx.ioChanged()); }, 13, 0, 0, nullptr, 0.f, 1},
        {"__needIdleDeprecated", 3, [](BareEffect& fx) { return VstIntPtr(fx.__needIdleDeprecated()); }, 14, 0, 0,
         nullptr, 0.f, 1},
        {"sizeWindow", 1, [](BareEffect& fx) { return VstIntPtr(fx.sizeWindow(300, 200)); }, 15, 300, 200, nullptr,
         0.f, 1},
        {"updateSampleRate", 96000, [](BareEffect& fx) { return VstIntPtr(fx.updateSampleRate()); }, 16, 0, 0,
         nullptr, 0.f, 96000},
        {"updateBlockSize", 64, [](BareEffect& fx) { return VstIntPtr(fx.updateBlockSize()); }, 17, 0, 0, nullptr,
         0.f, 64},
        {"getInputLatency", 11, [](BareEffect& fx) { return VstIntPtr(fx.getInputLatency()); }, 18, 0, 0, nullptr,
         0.f, 11},
        {"getOutputLatency", 12, [](BareEffect& fx) { return VstIntPtr(fx.getOutputLatency()); }, 19, 0, 0, nullptr,
         0.f, 12},
        {"__getPreviousPlugDeprecated", answerAddress,
         [](BareEffect& fx) { return addressOf(fx.__getPreviousPlugDeprecated(3)); }, 20, 0, 0, nullptr, 0.f,
         answerAddress},
        {"__getNextPlugDeprecated", answerAddress,
         [](BareEffect& fx) { return addressOf(fx.__getNextPlugDeprecated(4)); }, 21, 0, 0, nullptr, 0.f,
         answerAddress},
        {"__willProcessReplacingDeprecated", 2,
         [](BareEffect& fx) { return VstIntPtr(fx.__willProcessReplacingDeprecated()); }, 22, 0, 0, nullptr, 0.f, 2},
        {"getCurrentProcessLevel", 2, [](BareEffect& fx) { return VstIntPtr(fx.getCurrentProcessLevel()); }, 23, 0,
         0, nullptr, 0.f, 2},
        {"getAutomationState", 3, [](BareEffect& fx) { return VstIntPtr(fx.getAutomationState()); }, 24, 0, 0,
         nullptr, 0.f, 3},
        {"offlineStart", 1, [&](BareEffect& fx) { return VstIntPtr(fx.offlineStart(files, 5, 6)); }, 25, 6, 5, mark,
         0.f, 1},
        {"offlineRead", 1, [&](BareEffect& fx) { return VstIntPtr(fx.offlineRead(task, 7, true)); }, 26, 1, 7, mark,
         0.f, 1},
        {"offlineRead without source", 0, [&](BareEffect& fx) { return VstIntPtr(fx.offlineRead(task, 7, false)); },
         26, 0, 7, mark, 0.f, 0},
        {"offlineWrite", 1, [&](BareEffect& fx) { return VstIntPtr(fx.offlineWrite(task, 8)); }, 27, 0, 8, mark, 0.f,
         1},
        {"offlineGetCurrentPass", 5, [](BareEffect& fx) { return VstIntPtr(fx.offlineGetCurrentPass()); }, 28, 0, 0,
         nullptr, 0.f, 1},
        {"offlineGetCurrentMetaPass", 5, [](BareEffect& fx) { return VstIntPtr(fx.offlineGetCurrentMetaPass()); },
         29, 0, 0, nullptr, 0.f, 1},
        {"__setOutputSamplerateDeprecated", 1,
         [](BareEffect& fx) { fx.__setOutputSamplerateDeprecated(22050.f); return VstIntPtr(0); }, 30, 0, 0, nullptr,
         22050.f, 0},
        {"__getOutputSpeakerArrangementDeprecated", answerAddress,
         [](BareEffect& fx) { return addressOf(fx.__getOutputSpeakerArrangementDeprecated()); }, 31, 0, 0, nullptr,
         0.f, answerAddress},
        {"getHostVendorString", 1, [&](BareEffect& fx) { return VstIntPtr(fx.getHostVendorString(text)); }, 32, 0, 0,
         text, 0.f, 1},
        {"getHostProductString", 1, [&](BareEffect& fx) { return VstIntPtr(fx.getHostProductString(text)); }, 33, 0,
         0, text, 0.f, 1},
        {"getHostVendorVersion", 1234, [](BareEffect& fx) { return VstIntPtr(fx.getHostVendorVersion()); }, 34, 0, 0,
         nullptr, 0.f, 1234},
        {"hostVendorSpecific", 77, [&](BareEffect& fx) { return fx.hostVendorSpecific(1, 2, mark, 3.f); }, 35, 1, 2,
         mark, 3.f, 77},
        {"canHostDo", -1, [&](BareEffect& fx) { return VstIntPtr(fx.canHostDo(text)); }, 37, 0, 0, text, 0.f, 1},
        {"getHostLanguage", 3, [](BareEffect& fx) { return VstIntPtr(fx.getHostLanguage()); }, 38, 0, 0, nullptr, 0.f,
         3},
        {"__openWindowDeprecated", answerAddress,
         [&](BareEffect& fx) { return addressOf(fx.__openWindowDeprecated(window)); }, 39, 0, 0, mark, 0.f,
         answerAddress},
        {"__closeWindowDeprecated", 1, [&](BareEffect& fx) { return VstIntPtr(fx.__closeWindowDeprecated(window)); },
         40, 0, 0, mark, 0.f, 1},
        {"getDirectory", answerAddress, [](BareEffect& fx) { return addressOf(fx.getDirectory()); }, 41, 0, 0, nullptr,
         0.f, answerAddress},
        {"updateDisplay", 1, [](BareEffect& fx) { return VstIntPtr(fx.updateDisplay()); }, 42, 0, 0, nullptr, 0.f, 1},
        {"beginEdit", 1, [](BareEffect& fx) { return VstIntPtr(fx.beginEdit(2)); }, 43, 2, 0, nullptr, 0.f, 1},
        {"endEdit", 1, [](BareEffect& fx) { return VstIntPtr(fx.endEdit(2)); }, 44, 2, 0, nullptr, 0.f, 1},
        {"openFileSelector", 1, [&](BareEffect& fx) { return VstIntPtr(fx.openFileSelector(selector)); }, 45, 0, 0,
         mark, 0.f, 1},
        {"closeFileSelector", 1, [&](BareEffect& fx) { return VstIntPtr(fx.closeFileSelector(selector)); }, 46, 0, 0,
         mark, 0.f, 1},
        {"__getChunkFileDeprecated", 1, [&](BareEffect& fx) { return VstIntPtr(fx.__getChunkFileDeprecated(mark)); },
         48, 0, 0, mark, 0.f, 1},
        {"__getInputSpeakerArrangementDeprecated", answerAddress,
         [](BareEffect& fx) { return addressOf(fx.__getInputSpeakerArrangementDeprecated()); }, 49, 0, 0, nullptr,
         0.f, answerAddress},
    };

    for (const HostCallCase& c : cases) {
        BareEffect fx(notingHost);
        notedCalls.clear();
        notingAnswer = c.answer;
        EXPECT_EQ(c.result, c.call(fx)) << c.helper;
        ASSERT_EQ(1u, notedCalls.size()) << c.helper;
        const NotedCall& noted = notedCalls[0];
        EXPECT_EQ(fx.getAeffect(), noted.effect) << c.helper;
        EXPECT_EQ(c.opcode, noted.opcode) << c.helper;
        EXPECT_EQ(c.index, noted.index) << c.helper;
        EXPECT_EQ(c.value, noted.value) << c.helper;
        EXPECT_EQ(c.ptr, noted.ptr) << c.helper;
        EXPECT_EQ(c.opt, noted.opt) << c.helper;
    }
    notedCalls.clear();
}

TEST(AudioEffectX, CanDoTexts)
{
    const char* const host[] = {HostCanDos::canDoSendVstEvents,          HostCanDos::canDoSendVstMidiEvent,
                                HostCanDos::canDoSendVstTimeInfo,        HostCanDos::canDoReceiveVstEvents,
                                HostCanDos::canDoReceiveVstMidiEvent,    HostCanDos::canDoReportConnectionChanges,
                                HostCanDos::canDoAcceptIOChanges,        HostCanDos::canDoSizeWindow,
                                HostCanDos::canDoOffline,                HostCanDos::canDoOpenFileSelector,
                                HostCanDos::canDoCloseFileSelector,      HostCanDos::canDoStartStopProcess,
                                HostCanDos::canDoShellCategory,          HostCanDos::canDoSendVstMidiEventFlagIsRealtime};
    const char* const hostTexts[] = {"sendVstEvents",   "sendVstMidiEvent",        "sendVstTimeInfo",
                                     "receiveVstEvents", "receiveVstMidiEvent",    "reportConnectionChanges",
                                     "acceptIOChanges", "sizeWindow",              "offline",
                                     "openFileSelector", "closeFileSelector",      "startStopProcess",
                                     "shellCategory",   "sendVstMidiEventFlagIsRealtime"};
    for (std::size_t i = 0; i < 14; ++i)
        EXPECT_STREQ(hostTexts[i], host[i]);

    const char* const plug[] = {PlugCanDos::canDoSendVstEvents,    PlugCanDos::canDoSendVstMidiEvent,
                                PlugCanDos::canDoReceiveVstEvents, PlugCanDos::canDoReceiveVstMidiEvent,
                                PlugCanDos::canDoReceiveVstTimeInfo, PlugCanDos::canDoOffline,
                                PlugCanDos::canDoMidiProgramNames, PlugCanDos::canDoBypass};
    const char* const plugTexts[] = {"sendVstEvents",      "sendVstMidiEvent", "receiveVstEvents",
                                     "receiveVstMidiEvent", "receiveVstTimeInfo", "offline",
                                     "midiProgramNames",   "bypass"};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_STREQ(plugTexts[i], plug[i]);
}

TEST(AudioEffectX, SpeakerArrangementHelpers)
{
    BareEffect fx(nullptr);
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(fx.allocateArrangement(&arrangement, 2));
    EXPECT_EQ(2, arrangement->numChannels);
    EXPECT_EQ(0, arrangement->type);
    EXPECT_EQ(0, arrangement->speakers[1].type);
    EXPECT_EQ(0.f, arrangement->speakers[1].azimuth);

    for (VstInt32 bad : {-1, INT_MIN, INT_MAX, 1025}) {
        EXPECT_FALSE(fx.allocateArrangement(&arrangement, bad)) << "count " << bad;
        EXPECT_EQ(nullptr, arrangement);
    }
    EXPECT_FALSE(fx.allocateArrangement(nullptr, 2));

    // A six-channel source whose names fill all 64 places, without a terminator.
    VstSpeakerArrangement* source = nullptr;
    ASSERT_TRUE(fx.allocateArrangement(&source, 6));
    source->type = 42;
    for (int i = 0; i < 6; ++i) {
        std::memset(source->speakers[i].name, 'a' + i, sizeof(source->speakers[i].name));
        source->speakers[i].type = i;
        source->speakers[i].azimuth = 0.1f * static_cast<float>(i);
        source->speakers[i].future[27] = static_cast<char>(i);
    }
    ASSERT_TRUE(fx.matchArrangement(&arrangement, source));
    EXPECT_EQ(6, arrangement->numChannels);
    EXPECT_EQ(42, arrangement->type);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(std::string(63, static_cast<char>('a' + i)), arrangement->speakers[i].name);
        EXPECT_EQ(i, arrangement->speakers[i].type);
        EXPECT_EQ(0.1f * static_cast<float>(i), arrangement->speakers[i].azimuth);
        EXPECT_EQ(i, arrangement->speakers[i].future[27]);
    }

    EXPECT_FALSE(fx.copySpeaker(nullptr, &arrangement->speakers[0]));
    EXPECT_FALSE(fx.matchArrangement(&arrangement, nullptr));
    source->numChannels = -3;
    EXPECT_FALSE(fx.matchArrangement(&arrangement, source));
    EXPECT_EQ(nullptr, arrangement);
    EXPECT_TRUE(fx.deallocateArrangement(&arrangement));
    EXPECT_EQ(nullptr, arrangement);
    EXPECT_TRUE(fx.deallocateArrangement(&source));
    EXPECT_TRUE(fx.deallocateArrangement(&source));
}

}  // namespace
