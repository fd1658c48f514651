// Random calls as a careless host might send them: no crash, no write past the buffers a host
// gives, and an effect that still answers soundly afterwards. Deterministic: a fixed seed.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "probeeffect.h"

namespace {

using namespace vst2host;

constexpr unsigned kSeed = 20240607;
constexpr int kCalls = 200000;
constexpr Int32 kMaxFrames = 64;

class Fuzzer {
public:
    explicit Fuzzer(unsigned seed) : rng(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    Int32 anyInt() { return static_cast<Int32>(std::uniform_int_distribution<std::uint32_t>()(rng)); }

    Int32 opcode()
    {
        Int32 op = below(4) == 0 ? anyInt() : below(86) - 3;
        return op == kClose ? kOpen : op;  // closing ends the run, so it comes last
    }
    Int32 index()
    {
        const Int32 picks[] = {0, 1, -1, ProbeEffect::kParams, ProbeEffect::kPrograms, INT_MIN, INT_MAX, anyInt()};
        return picks[below(8)];
    }
    IntPtr value()
    {
        const IntPtr picks[] = {0, 1, -1, 2, INT32_MAX, INT32_MIN, INTPTR_MAX, INTPTR_MIN, anyInt(), below(2048)};
        return picks[below(10)];
    }
    float opt()
    {
        const float picks[] = {0.f,
                               1.f,
                               -1.f,
                               48000.f,
                               std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity(),
                               1e10f,
                               std::uniform_real_distribution<float>(-1e6f, 1e6f)(rng)};
        return picks[below(9)];
    }
    // Bytes of text, terminated: what a host passes where the effect reads a text.
    std::vector<char> text(std::size_t maxChars)
    {
        std::vector<char> bytes(static_cast<std::size_t>(below(static_cast<int>(maxChars) + 1)) + 1, 0);
        for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
            bytes[i] = static_cast<char>(' ' + below(95));
        return bytes;
    }
    std::vector<char> garbage(std::size_t size)
    {
        std::vector<char> bytes(size);
        for (char& b : bytes)
            b = static_cast<char>(below(256));
        return bytes;
    }

    std::mt19937 rng;
};

// The buffer a host must give for each opcode, exactly that large so that any overrun shows.
std::size_t bufferBytes(Int32 opcode)
{
    switch (opcode) {
    case kGetProgramName:
    case kGetProgramNameIndexed:
        return kProgramNameBytes;
    case kGetParamLabel:
    case kGetParamDisplay:
    case kGetParamName:
        return kParamTextBytes;
    case kEditGetRect:
    case kGetChunk:
        return sizeof(void*);
    case kProcessEvents:
        return sizeof(VstEvents);
    case kGetInputProperties:
    case kGetOutputProperties:
        return kPinPropertiesBytes;
    case kGetEffectName:
        return kEffectNameBytes;
    case kGetVendorString:
    case kGetProductString:
    case kShellGetNextPlugin:
        return kVendorTextBytes;
    case kGetParameterProperties:
        return kParameterPropertiesBytes;
    case kGetMidiProgramName:
    case kGetCurrentMidiProgram:
    case kGetMidiKeyName:
        return kMidiProgramNameBytes;
    case kGetMidiProgramCategory:
        return kMidiProgramCategoryBytes;
    case kBeginLoadBank:
    case kBeginLoadProgram:
        return kPatchChunkInfoBytes;
    case kProcessVarIo:
        return sizeof(VstVariableIo);
    default:
        return 1;  // never read: one byte, so that any access beyond it shows
    }
}

TEST(DispatcherFuzz, RandomCallsLeaveTheEffectSound)
{
    Fuzzer fuzz(kSeed);
    HostedProbe hosted;
    const Effect& fx = hosted.effect;
    const Int32 channelCounts[] = {-1, 0, 2, 8, 1025, INT_MAX, INT_MIN};
    std::vector<float> audio(4 * kMaxFrames);
    std::vector<double> audio64(4 * kMaxFrames);

    for (int call = 0; call < kCalls; ++call) {
        const Int32 opcode = fuzz.opcode();
        const Int32 index = fuzz.index();
        IntPtr value = fuzz.value();
        const float opt = fuzz.opt();
        const bool nullPointer = fuzz.below(4) == 0;
        std::vector<char> buffer;
        VstSpeakerArrangement input{}, output{};
        VstSpeakerArrangement* slots[2] = {&input, &output};

        switch (opcode) {
        case kSetProgramName:
            buffer = fuzz.text(24);
            break;
        case kString2Parameter:
        case kCanDo:
            buffer = fuzz.text(40);
            break;
        case kSetChunk:
            buffer = fuzz.garbage(static_cast<std::size_t>(fuzz.below(200)));
            value = fuzz.below(3) == 0 ? -fuzz.below(5) - 1 : fuzz.below(static_cast<int>(buffer.size()) + 1);
            break;
        case kSetSpeakerArrangement:
            input.numChannels = channelCounts[fuzz.below(7)];
            output.numChannels = channelCounts[fuzz.below(7)];
            value = fuzz.below(4) == 0 ? 0 : reinterpret_cast<IntPtr>(&input);
            break;
        case kGetSpeakerArrangement:
            value = fuzz.below(4) == 0 ? 0 : reinterpret_cast<IntPtr>(&slots[0]);
            break;
        default:
            buffer.assign(bufferBytes(opcode), 0);
        }
        void* ptr = nullptr;
        if (!nullPointer) {
            if (opcode == kSetSpeakerArrangement)
                ptr = &output;
            else if (opcode == kGetSpeakerArrangement)
                ptr = &slots[1];
            else
                ptr = buffer.empty() ? nullptr : buffer.data();
        }
        fx.dispatch(opcode, index, value, ptr, opt);

        // Parameters and audio in between, with indices and frame counts as random as the rest.
        fx.setParameter(fuzz.index(), fuzz.opt());
        fx.getParameter(fuzz.index());
        float* in[] = {audio.data(), fuzz.below(8) == 0 ? nullptr : audio.data() + kMaxFrames};
        float* out[] = {audio.data() + 2 * kMaxFrames, audio.data() + 3 * kMaxFrames};
        double* in64[] = {audio64.data(), audio64.data() + kMaxFrames};
        double* out64[] = {audio64.data() + 2 * kMaxFrames, fuzz.below(8) == 0 ? nullptr : audio64.data() + 3 * kMaxFrames};
        const Int32 frames = fuzz.below(kMaxFrames + 3) - 2;
        fx.processReplacing(in, out, frames);
        fx.processDoubleReplacing(in64, out64, frames);
    }

    EXPECT_EQ(kMagic, fx.magic());
    EXPECT_EQ(static_cast<AudioEffect*>(hosted.probe), fx.object());
    EXPECT_FALSE(hosted.probe->badIndexReached) << "no parameter call reached the effect with a bad index";
    const IntPtr program = fx.dispatch(kGetProgram);
    EXPECT_GE(program, 0);
    EXPECT_LT(program, ProbeEffect::kPrograms);
    EXPECT_EQ(2400, fx.dispatch(kGetVstVersion));
    EXPECT_GT(hosted.probe->currentSampleRate(), 0.f);
    EXPECT_GT(hosted.probe->currentBlockSize(), 0);
    EXPECT_EQ(1, hosted.effect.close());
}

}  // namespace
