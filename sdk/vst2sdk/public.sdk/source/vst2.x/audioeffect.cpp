// The record, its six entry points, opcodes 0 to 24, the first host calls and the text conversions.
#include "public.sdk/source/vst2.x/audioeffect.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "public.sdk/source/vst2.x/aeffeditor.h"

namespace {

constexpr VstInt32 kNoEffectId = 0x4E6F4566;  // 'NoEf': a derived class gives the real identifier
constexpr VstInt32 kIdentifyAnswer = 0x4E764566;  // 'NvEf'
constexpr int kDisplayWidth = 8;  // characters of a fixed-point display, sign and point included
const char kHuge[] = "Huge!";

AudioEffect* effectOf(AEffect* e)
{
    return e ? static_cast<AudioEffect*>(e->object) : nullptr;
}

// Every buffer the record's channel counts promise must be there before an effect may touch them.
template <typename Sample>
bool buffersPresent(Sample** inputs, Sample** outputs, const AEffect& e, VstInt32 sampleFrames)
{
    if (sampleFrames < 0 || (e.numInputs > 0 && !inputs) || (e.numOutputs > 0 && !outputs))
        return false;
    for (VstInt32 i = 0; i < e.numInputs; ++i)
        if (!inputs[i])
            return false;
    for (VstInt32 i = 0; i < e.numOutputs; ++i)
        if (!outputs[i])
            return false;
    return true;
}

// A replacing call that cannot run leaves silence where it can, not what the buffers held before.
template <typename Sample>
void silenceOutputs(Sample** outputs, const AEffect& e, VstInt32 sampleFrames)
{
    if (!outputs || sampleFrames <= 0)
        return;
    for (VstInt32 i = 0; i < e.numOutputs; ++i)
        if (outputs[i])
            std::memset(outputs[i], 0, sizeof(Sample) * static_cast<std::size_t>(sampleFrames));
}

template <typename Sample, typename Process>
void processChecked(AEffect* e, Sample** inputs, Sample** outputs, VstInt32 sampleFrames, Process process)
{
    AudioEffect* effect = effectOf(e);
    if (!effect)
        return;
    if (buffersPresent(inputs, outputs, *e, sampleFrames))
        process(*effect);
    else
        silenceOutputs(outputs, *e, sampleFrames);
}

std::size_t textLimit(VstInt32 maxLen)
{
    return maxLen > 0 ? static_cast<std::size_t>(maxLen) : 0;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster),
      editor(nullptr),
      sampleRate(44100.f),
      blockSize(1024),
      numPrograms(numPrograms),
      numParams(numParams),
      curProgram(0)
{
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffectClass;
    cEffect.process = __processClassDeprecated;
    cEffect.setParameter = setParameterClass;
    cEffect.getParameter = getParameterClass;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.f;
    cEffect.object = this;
    cEffect.uniqueID = kNoEffectId;
    cEffect.version = 1;
    cEffect.processReplacing = processClassReplacing;
    canProcessReplacing(true);
    cEffect.processDoubleReplacing = processClassDoubleReplacing;
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

void AudioEffect::setEditor(AEffEditor* newEditor)
{
    if (editor != newEditor)
        delete editor;
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state)
{
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

VstIntPtr VSTCALLBACK AudioEffect::dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index,
                                                       VstIntPtr value, void* ptr, float opt)
{
    AudioEffect* effect = effectOf(e);
    if (!effect)
        return 0;
    if (opcode == effClose) {
        effect->dispatcher(opcode, index, value, ptr, opt);
        delete effect;
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

void VSTCALLBACK AudioEffect::__processClassDeprecated(AEffect* e, float** inputs, float** outputs,
                                                       VstInt32 sampleFrames)
{
    // An accumulating call adds nothing when the buffers are unusable, so nothing is cleared.
    AudioEffect* effect = effectOf(e);
    if (effect && buffersPresent(inputs, outputs, *e, sampleFrames))
        effect->__processDeprecated(inputs, outputs, sampleFrames);
}

void VSTCALLBACK AudioEffect::setParameterClass(AEffect* e, VstInt32 index, float value)
{
    AudioEffect* effect = effectOf(e);
    if (effect && effect->isParameterIndex(index))
        effect->setParameter(index, value);
}

float VSTCALLBACK AudioEffect::getParameterClass(AEffect* e, VstInt32 index)
{
    AudioEffect* effect = effectOf(e);
    return effect && effect->isParameterIndex(index) ? effect->getParameter(index) : 0.f;
}

void VSTCALLBACK AudioEffect::processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                                    VstInt32 sampleFrames)
{
    processChecked(e, inputs, outputs, sampleFrames,
                   [&](AudioEffect& effect) { effect.processReplacing(inputs, outputs, sampleFrames); });
}

void VSTCALLBACK AudioEffect::processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                                          VstInt32 sampleFrames)
{
    processChecked(e, inputs, outputs, sampleFrames,
                   [&](AudioEffect& effect) { effect.processDoubleReplacing(inputs, outputs, sampleFrames); });
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms)
            setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (text)
            setProgramName(text);
        return 0;
    case effGetProgramName:
        if (text)
            getProgramName(text);
        return 0;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        if (!text)
            return 0;
        if (!isParameterIndex(index)) {
            text[0] = 0;
            return 0;
        }
        if (opcode == effGetParamLabel)
            getParameterLabel(index, text);
        else if (opcode == effGetParamDisplay)
            getParameterDisplay(index, text);
        else
            getParameterName(index, text);
        return 0;
    case effSetSampleRate:
        // A rate that is not a positive number would poison every time constant behind it.
        if (std::isfinite(opt) && opt > 0.f)
            setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        // Likewise a block size of no samples, or one that no VstInt32 holds.
        if (value > 0 && value <= INT32_MAX)
            setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value == 0)
            suspend();
        else
            resume();
        return 0;
    case effEditGetRect:
        return editor && ptr && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
        return editor && ptr && editor->open(ptr) ? 1 : 0;
    case effEditClose:
        if (editor)
            editor->close();
        return 0;
    case effEditIdle:
        if (editor)
            editor->idle();
        return 0;
    case __effIdentifyDeprecated:
        return kIdentifyAnswer;
    case effGetChunk:
        return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        if (!ptr || value < 0 || value > INT32_MAX)
            return 0;
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
        return 0;
    }
}

void AudioEffect::setSampleRate(float newSampleRate)
{
    sampleRate = newSampleRate;
}

void AudioEffect::setBlockSize(VstInt32 newBlockSize)
{
    blockSize = newBlockSize;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    if (!isParameterIndex(index))
        return;
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::getProgramName(char* name)
{
    if (name)
        name[0] = 0;
}

void AudioEffect::getParameterLabel(VstInt32, char* label)
{
    if (label)
        label[0] = 0;
}

void AudioEffect::getParameterDisplay(VstInt32, char* text)
{
    if (text)
        text[0] = 0;
}

void AudioEffect::getParameterName(VstInt32, char* text)
{
    if (text)
        text[0] = 0;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

VstInt32 AudioEffect::getMasterVersion()
{
    const VstIntPtr version = callHost(audioMasterVersion);
    return version != 0 ? static_cast<VstInt32>(version) : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}

bool AudioEffect::__isInputConnectedDeprecated(VstInt32 input)
{
    return callHost(__audioMasterPinConnectedDeprecated, input, 0) == 0;
}

bool AudioEffect::__isOutputConnectedDeprecated(VstInt32 output)
{
    return callHost(__audioMasterPinConnectedDeprecated, output, 1) == 0;
}

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen)
{
    if (value <= 0.f)
        vst_strncpy(text, "-oo", textLimit(maxLen));
    else
        float2string(static_cast<float>(20. * std::log10(static_cast<double>(value))), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen)
{
    const float rate = getSampleRate();
    float2string(samples == 0.f ? 0.f : rate / samples, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen)
{
    float2string(static_cast<float>(samples * 1000. / getSampleRate()), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen)
{
    const std::size_t limit = textLimit(maxLen);
    double v = value;
    if (std::isnan(v)) {
        vst_strncpy(text, "NaN", limit);
        return;
    }
    const bool negative = v < 0.;
    if (negative)
        v = -v;
    // Infinity fails these tests as well, so nothing below ever meets a value it cannot convert.
    if (negative ? v > 9999999. : v > 99999999.) {
        vst_strncpy(text, kHuge, limit);
        return;
    }

    // Every integer digit is shown; the point and the fraction fill what is left of the width.
    char digits[32];
    char* first = digits + sizeof(digits) - 1;
    *first = 0;
    double rest = std::floor(v);
    int count = negative ? 1 : 0;
    do {
        *--first = static_cast<char>('0' + static_cast<int>(std::fmod(rest, 10.)));
        rest = std::floor(rest / 10.);
        ++count;
    } while (rest >= 1.);
    if (negative)
        *--first = '-';
    vst_strncpy(text, first, limit);
    if (count >= kDisplayWidth)
        return;
    vst_strncat(text, ".", limit);
    ++count;

    const int decimals = kDisplayWidth - count;
    if (decimals <= 0)
        return;
    char fraction[kDisplayWidth + 1];
    fraction[decimals] = 0;
    double scaled = std::fmod(v, 1.) * std::pow(10., decimals);
    for (int i = decimals - 1; i >= 0; --i) {
        fraction[i] = scaled <= 0. ? '0' : static_cast<char>('0' + static_cast<int>(std::fmod(scaled, 10.)));
        scaled /= 10.;
    }
    vst_strncat(text, fraction, limit);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen)
{
    const std::size_t limit = textLimit(maxLen);
    if (value >= 100000000) {
        vst_strncpy(text, kHuge, limit);
        return;
    }
    // The magnitude in 64 bits, so that the most negative number has one too.
    std::int64_t magnitude = value;
    const bool negative = magnitude < 0;
    if (negative)
        magnitude = -magnitude;
    char digits[16];
    char* first = digits + sizeof(digits) - 1;
    *first = 0;
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (negative)
        *--first = '-';
    vst_strncpy(text, first, limit);
}
