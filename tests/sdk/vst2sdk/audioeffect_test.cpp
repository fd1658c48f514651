// AudioEffect as a host meets it: the entry points, opcodes 0 to 24, the host calls, the texts.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "probeeffect.h"

namespace {

using namespace vst2host;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(AudioEffect, CloseCallsCloseThenDeletesAndAnswersOne)
{
    const int before = ProbeEffect::destroyed;
    const int editorsBefore = ProbeEditor::destroyed;
    HostedProbe hosted;
    EXPECT_EQ(0, hosted.effect.dispatch(kOpen));
    EXPECT_EQ("open", hosted.probe->lastCall());
    EXPECT_EQ(1, hosted.effect.close());
    EXPECT_EQ(before + 1, ProbeEffect::destroyed);
    EXPECT_EQ(editorsBefore + 1, ProbeEditor::destroyed) << "the editor goes with its effect";
}

TEST(AudioEffect, ProgramsStayWithinTheirCount)
{
    HostedProbe hosted;
    const Effect& fx = hosted.effect;
    fx.dispatch(kSetProgram, 0, ProbeEffect::kPrograms - 1);
    EXPECT_EQ(ProbeEffect::kPrograms - 1, fx.dispatch(kGetProgram));
    for (IntPtr bad : {IntPtr(ProbeEffect::kPrograms), IntPtr(-1), IntPtr(INT_MIN), IntPtr(INTPTR_MAX)}) {
        fx.dispatch(kSetProgram, 0, bad);
        EXPECT_EQ(ProbeEffect::kPrograms - 1, fx.dispatch(kGetProgram)) << "program " << bad;
    }

    char name[] = "A name much longer than 24 characters";
    fx.dispatch(kSetProgramName, 0, 0, name);
    EXPECT_EQ("A name much longer than ", fx.text(kGetProgramName, 0, kProgramNameBytes));
}

TEST(AudioEffect, ParameterTextsAreBoundedAndIndicesChecked)
{
    HostedProbe hosted;
    const Effect& fx = hosted.effect;
    fx.setParameter(1, 0.7f);
    EXPECT_EQ(0.7f, fx.getParameter(1));
    EXPECT_EQ("Paramete", fx.text(kGetParamName, 1, kParamTextBytes));
    EXPECT_EQ("dB", fx.text(kGetParamLabel, 1, kParamTextBytes));
    EXPECT_EQ("0.699999", fx.text(kGetParamDisplay, 1, kParamTextBytes));

    for (Int32 bad : {-1, ProbeEffect::kParams, INT_MAX, INT_MIN}) {
        fx.setParameter(bad, 1.f);
        EXPECT_EQ(0.f, fx.getParameter(bad));
        for (Int32 opcode : {kGetParamName, kGetParamLabel, kGetParamDisplay})
            EXPECT_EQ("", fx.text(opcode, bad, kParamTextBytes)) << "opcode " << opcode << " index " << bad;
        hosted.probe->setParameterAutomated(bad, 1.f);
    }
    EXPECT_FALSE(hosted.probe->badIndexReached);
    EXPECT_TRUE(hosted.host.callsOf(kHostAutomate).empty());

    hosted.probe->setParameterAutomated(2, 0.25f);
    EXPECT_EQ(0.25f, fx.getParameter(2)) << "set before the host hears of it";
    const auto automated = hosted.host.callsOf(kHostAutomate);
    ASSERT_EQ(1u, automated.size());
    EXPECT_EQ(2, automated[0].index);
    EXPECT_EQ(0.25f, automated[0].opt);
    EXPECT_EQ(hosted.effect.address(), automated[0].effect);
}

TEST(AudioEffect, RateSizeAndMainsReachTheEffect)
{
    HostedProbe hosted;
    const Effect& fx = hosted.effect;
    fx.dispatch(kSetSampleRate, 0, 0, nullptr, 48000.f);
    fx.dispatch(kSetBlockSize, 0, 256);
    for (float bad : {0.f, -44100.f, kNaN, kInf})
        fx.dispatch(kSetSampleRate, 0, 0, nullptr, bad);
    for (IntPtr bad : {IntPtr(0), IntPtr(-1), IntPtr(INTPTR_MIN)})
        fx.dispatch(kSetBlockSize, 0, bad);
    EXPECT_EQ(48000.f, hosted.probe->currentSampleRate());
    EXPECT_EQ(256, hosted.probe->currentBlockSize());

    hosted.probe->calls.clear();
    fx.dispatch(kMainsChanged, 0, 0);
    fx.dispatch(kMainsChanged, 0, 1);
    fx.dispatch(kMainsChanged, 0, 7);
    EXPECT_EQ((std::vector<std::string>{"suspend", "resume", "canDo receiveVstMidiEvent", "resume",
                                        "canDo receiveVstMidiEvent"}),
              hosted.probe->calls);
}

TEST(AudioEffect, OtherOpcodesAnswerAsTheInterfaceSays)
{
    HostedProbe hosted;
    const Effect& fx = hosted.effect;
    EXPECT_EQ(0x4E764566, fx.dispatch(kIdentify));  // 'NvEf'
    for (Int32 opcode : {9, 16, 17, 18, 20, 21, 28, 80, 1000, -1, INT_MIN})
        EXPECT_EQ(0, fx.dispatch(opcode, 1, 1)) << "opcode " << opcode;
    EXPECT_TRUE(hosted.probe->calls.empty());

    void* data = nullptr;
    EXPECT_EQ(4, fx.dispatch(kGetChunk, 1, 0, &data));
    EXPECT_EQ(0, std::string(static_cast<char*>(data), 4).compare("twkn"));
    EXPECT_EQ("getChunk 1", hosted.probe->lastCall());
    char bank[] = "bank!";
    EXPECT_EQ(1, fx.dispatch(kSetChunk, 0, 5, bank));
    EXPECT_EQ("setChunk 5 0", hosted.probe->lastCall());
}

TEST(AudioEffect, EditorOpcodesNeedAnEditor)
{
    HostedProbe hosted;
    const Effect& fx = hosted.effect;
    auto* editor = static_cast<ProbeEditor*>(hosted.probe->getEditor());
    EXPECT_TRUE(fx.flags() & kHasEditor);
    Rect* rect = nullptr;
    EXPECT_EQ(1, fx.dispatch(kEditGetRect, 0, 0, &rect));
    ASSERT_NE(nullptr, rect);
    EXPECT_EQ(381, rect->bottom - rect->top);
    EXPECT_EQ(1105, rect->right - rect->left);
    int window = 0;
    EXPECT_EQ(1, fx.dispatch(kEditOpen, 0, 0, &window));
    EXPECT_TRUE(editor->isOpen());
    fx.dispatch(kEditIdle);
    EXPECT_EQ(1, editor->idles);
    fx.dispatch(kEditClose);
    EXPECT_FALSE(editor->isOpen());

    Host host;
    Effect bare((new BareEffect(testHostCallback()))->getAeffect(), host);
    Rect untouched{};
    Rect* kept = &untouched;
    EXPECT_EQ(0, bare.flags() & kHasEditor);
    EXPECT_EQ(0, bare.dispatch(kEditGetRect, 0, 0, &kept));
    EXPECT_EQ(&untouched, kept);
    EXPECT_EQ(0, bare.dispatch(kEditOpen, 0, 0, &window));
    EXPECT_EQ(0, bare.dispatch(kEditClose));
    EXPECT_EQ(0, bare.dispatch(kEditIdle));
}

// A host that passes null where a buffer belongs gets 0 and nothing reaches the effect.
TEST(AudioEffect, NullPointersAndNullRecordsAnswerZero)
{
    HostedProbe hosted;
    const Effect& fx = hosted.effect;
    for (Int32 opcode : {kSetProgramName, kGetProgramName, kGetParamLabel, kGetParamDisplay, kGetParamName,
                         kEditGetRect, kEditOpen, kGetChunk, kSetChunk})
        EXPECT_EQ(0, fx.dispatch(opcode, 0, 4, nullptr)) << "opcode " << opcode;
    char chunk[4] = {};
    EXPECT_EQ(0, fx.dispatch(kSetChunk, 0, -1, chunk)) << "negative chunk size";
    EXPECT_TRUE(hosted.probe->calls.empty());
    EXPECT_FALSE(hosted.probe->getEditor()->isOpen());

    EXPECT_EQ(0, AudioEffect::dispatchEffectClass(nullptr, effGetVstVersion, 0, 0, nullptr, 0.f));
    EXPECT_EQ(0, AudioEffect::dispatchEffectClass(nullptr, effClose, 0, 0, nullptr, 0.f));
    EXPECT_EQ(0.f, AudioEffect::getParameterClass(nullptr, 0));
    AudioEffect::setParameterClass(nullptr, 0, 1.f);
    AudioEffect::processClassReplacing(nullptr, nullptr, nullptr, 16);
    AudioEffect::processClassDoubleReplacing(nullptr, nullptr, nullptr, 16);
    AudioEffect::__processClassDeprecated(nullptr, nullptr, nullptr, 16);

    AEffect orphan = *hosted.probe->getAeffect();
    orphan.object = nullptr;
    EXPECT_EQ(0, orphan.dispatcher(&orphan, effClose, 0, 0, nullptr, 0.f));
    EXPECT_EQ(0.f, orphan.getParameter(&orphan, 0));
}

TEST(AudioEffect, ProcessCallbacksReachTheEffectOrGiveSilence)
{
    HostedProbe hosted;
    const Effect& fx = hosted.effect;
    constexpr Int32 kFrames = 4;
    float inL[kFrames] = {1, 2, 3, 4}, inR[kFrames] = {-1, -2, -3, -4};
    float outL[kFrames] = {9, 9, 9, 9}, outR[kFrames] = {9, 9, 9, 9};
    float* in[] = {inL, inR};
    float* out[] = {outL, outR};
    fx.processReplacing(in, out, kFrames);
    EXPECT_EQ(2.f, outL[3]);
    EXPECT_EQ(-0.5f, outR[0]);
    fx.process(in, out, kFrames);
    EXPECT_EQ(6.f, outL[3]) << "the deprecated call accumulates";

    double dInL[kFrames] = {4, 4, 4, 4}, dInR[kFrames] = {8, 8, 8, 8}, dOutL[kFrames] = {}, dOutR[kFrames] = {};
    double* dIn[] = {dInL, dInR};
    double* dOut[] = {dOutL, dOutR};
    fx.processDoubleReplacing(dIn, dOut, kFrames);
    EXPECT_EQ(1., dOutL[0]);
    EXPECT_EQ(2., dOutR[3]);

    // Missing inputs: the host's output buffers hold silence, not what was there before.
    float* missingChannel[] = {inL, nullptr};
    fx.processReplacing(missingChannel, out, kFrames);
    EXPECT_EQ(0.f, outL[0]);
    EXPECT_EQ(0.f, outR[3]);
    outL[0] = 5.f;
    fx.processReplacing(nullptr, out, kFrames);
    EXPECT_EQ(0.f, outL[0]);
    fx.processReplacing(in, nullptr, kFrames);
    fx.processDoubleReplacing(nullptr, nullptr, kFrames);
    fx.process(nullptr, out, kFrames);
    outL[0] = 5.f;
    fx.processReplacing(in, out, -1);
    EXPECT_EQ(5.f, outL[0]) << "a negative frame count touches nothing";
}

TEST(AudioEffect, HostCallsAndTheirNeutralValues)
{
    HostedProbe hosted;
    ProbeEffect& probe = *hosted.probe;
    EXPECT_EQ(2400, probe.getMasterVersion());
    hosted.host.versionAnswer = 0;
    EXPECT_EQ(1, probe.getMasterVersion());
    hosted.host.answers[kHostCurrentId] = 1234;
    EXPECT_EQ(1234, probe.getCurrentUniqueId());
    probe.masterIdle();
    EXPECT_EQ(1u, hosted.host.callsOf(kHostIdle).size());
    EXPECT_TRUE(probe.__isInputConnectedDeprecated(1));
    hosted.host.answers[kHostPinConnected] = 1;
    EXPECT_FALSE(probe.__isOutputConnectedDeprecated(0));
    const auto pins = hosted.host.callsOf(kHostPinConnected);
    ASSERT_EQ(2u, pins.size());
    EXPECT_EQ(1, pins[0].index);
    EXPECT_EQ(0, pins[0].value);
    EXPECT_EQ(1, pins[1].value) << "value 1 asks about an output";

    BareEffect alone(nullptr);
    EXPECT_EQ(1, alone.getMasterVersion());
    EXPECT_EQ(0, alone.getCurrentUniqueId());
    alone.masterIdle();
    alone.setParameterAutomated(0, 1.f);
    EXPECT_TRUE(alone.__isInputConnectedDeprecated(0));
    EXPECT_TRUE(alone.__isOutputConnectedDeprecated(0));
}

struct FloatCase {
    float value;
    const char* text;
};

TEST(AudioEffect, Float2StringShowsEightCharactersCutNotRounded)
{
    BareEffect fx(nullptr);
    const FloatCase cases[] = {
        {1.5f, "1.500000"},   {-1.5f, "-1.50000"},       {0.f, "0.000000"},       {440.f, "440.0000"},
        {1234567.f, "1234567."}, {0.7f, "0.699999"},     {12345678.f, "12345678"},
        {-9999999.f, "-9999999"}, {-1234567.f, "-1234567"}, {-123456.f, "-123456."}, {100000000.f, "Huge!"},
        {-10000000.f, "Huge!"},  {kInf, "Huge!"},        {-kInf, "Huge!"},        {kNaN, "NaN"},
    };
    for (const FloatCase& c : cases) {
        char text[32];
        fx.float2string(c.value, text, 31);
        EXPECT_STREQ(c.text, text) << "value " << c.value;
    }
    char cut[8] = "XXXXXXX";
    fx.float2string(1.5f, cut, 3);
    EXPECT_STREQ("1.5", cut);
    EXPECT_EQ('X', cut[4]);
}

TEST(AudioEffect, UnitConversionsAndInt2String)
{
    BareEffect fx(nullptr);
    char text[32];
    fx.dB2string(0.f, text, 31);
    EXPECT_STREQ("-oo", text);
    fx.dB2string(1.f, text, 31);
    EXPECT_STREQ("0.000000", text);
    fx.dB2string(10.f, text, 31);
    EXPECT_STREQ("20.00000", text);
    fx.Hz2string(100.f, text, 31);
    EXPECT_STREQ("441.0000", text);
    fx.Hz2string(0.f, text, 31);
    EXPECT_STREQ("0.000000", text);
    fx.ms2string(441.f, text, 31);
    EXPECT_STREQ("10.00000", text);

    const std::pair<VstInt32, const char*> ints[] = {
        {100000000, "Huge!"}, {99999999, "99999999"}, {0, "0"},   {-42, "-42"},
        {-5, "-5"},           {INT_MIN, "-2147483648"}, {-999999999, "-999999999"}, {7, "7"},
    };
    for (const auto& c : ints) {
        fx.int2string(c.first, text, 31);
        EXPECT_STREQ(c.second, text) << "value " << c.first;
    }
    char cut[8] = "XXXXXXX";
    fx.int2string(INT_MIN, cut, 4);
    EXPECT_STREQ("-214", cut);
    EXPECT_EQ('X', cut[5]);
}

}  // namespace
