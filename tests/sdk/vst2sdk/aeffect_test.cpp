// The record's layout against the test host's independent reading, and the bounded text copies.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/vst2/vst2abi.h"
#include "pluginterfaces/vst2.x/aeffect.h"
#include "probeeffect.h"

namespace {

using vst2host::kLayout;

// Compile-time: every field where the host looks for it, in this build's pointer width.
static_assert(sizeof(AEffect) == kLayout.size, "record size");
static_assert(offsetof(AEffect, magic) == kLayout.magic && offsetof(AEffect, dispatcher) == kLayout.dispatcher &&
                  offsetof(AEffect, process) == kLayout.process &&
                  offsetof(AEffect, setParameter) == kLayout.setParameter &&
                  offsetof(AEffect, getParameter) == kLayout.getParameter,
              "record head");
static_assert(offsetof(AEffect, numPrograms) == kLayout.numPrograms &&
                  offsetof(AEffect, numParams) == kLayout.numParams &&
                  offsetof(AEffect, numInputs) == kLayout.numInputs &&
                  offsetof(AEffect, numOutputs) == kLayout.numOutputs && offsetof(AEffect, flags) == kLayout.flags,
              "record counts");
static_assert(offsetof(AEffect, resvd1) == kLayout.reserved1 && offsetof(AEffect, resvd2) == kLayout.reserved2 &&
                  offsetof(AEffect, initialDelay) == kLayout.initialDelay &&
                  offsetof(AEffect, realQualities) == kLayout.realQualities &&
                  offsetof(AEffect, offQualities) == kLayout.offQualities &&
                  offsetof(AEffect, ioRatio) == kLayout.ioRatio,
              "record middle");
static_assert(offsetof(AEffect, object) == kLayout.object && offsetof(AEffect, user) == kLayout.user &&
                  offsetof(AEffect, uniqueID) == kLayout.uniqueId && offsetof(AEffect, version) == kLayout.version &&
                  offsetof(AEffect, processReplacing) == kLayout.processReplacing &&
                  offsetof(AEffect, processDoubleReplacing) == kLayout.processDoubleReplacing &&
                  offsetof(AEffect, future) == kLayout.future,
              "record tail");

TEST(AEffectLayout, HostReadsTheConstructorValuesAtItsOwnOffsets)
{
    vst2host::Host host;
    auto* bare = new BareEffect(testHostCallback(), 5, 7);
    const auto* bytes = reinterpret_cast<const unsigned char*>(bare->getAeffect());
    vst2host::Effect effect(bare->getAeffect(), host);

    // 'VstP' read as a big-endian number, stored little-endian.
    EXPECT_EQ(0x50, bytes[0]);
    EXPECT_EQ(0x56, bytes[3]);
    EXPECT_EQ(vst2host::kMagic, effect.magic());
    EXPECT_EQ(5, effect.numPrograms());
    EXPECT_EQ(7, effect.numParams());
    EXPECT_EQ(1, effect.numInputs());
    EXPECT_EQ(2, effect.numOutputs());
    EXPECT_EQ(vst2host::kCanReplacing, effect.flags());
    EXPECT_EQ(0, effect.initialDelay());
    EXPECT_EQ(1.f, effect.ioRatio());
    EXPECT_EQ(static_cast<AudioEffect*>(bare), effect.object());
    EXPECT_EQ(0x4E6F4566, effect.uniqueId());  // 'NoEf'
    EXPECT_EQ(1, effect.version());
    EXPECT_EQ(&host, effect.field<void*>(kLayout.user));
    EXPECT_EQ(0, effect.field<vst2host::IntPtr>(kLayout.reserved1));
    EXPECT_EQ(0, effect.field<vst2host::IntPtr>(kLayout.reserved2));
    for (std::size_t i = 0; i < vst2host::kFutureBytes; ++i)
        EXPECT_EQ(0, bytes[kLayout.future + i]) << "future byte " << i;
    for (std::size_t offset : {kLayout.dispatcher, kLayout.process, kLayout.setParameter, kLayout.getParameter,
                               kLayout.processReplacing, kLayout.processDoubleReplacing})
        EXPECT_NE(nullptr, effect.field<void*>(offset)) << "callback at " << offset;
}

TEST(VstStrings, CopyIsBoundedPaddedAndTerminated)
{
    char text[8];
    std::memset(text, 'X', sizeof(text));
    vst_strncpy(text, "abcdefgh", 5);
    EXPECT_STREQ("abcde", text);
    EXPECT_EQ('X', text[6]) << "nothing written past dst[maxLen]";

    std::memset(text, 'X', sizeof(text));
    vst_strncpy(text, "ab", 5);
    EXPECT_EQ(0, std::memcmp(text, "ab\0\0\0\0", 6)) << "the rest up to dst[maxLen] is zero";
    EXPECT_EQ('X', text[6]);

    vst_strncpy(text, nullptr, 5);
    EXPECT_STREQ("", text);
    EXPECT_EQ(nullptr, vst_strncpy(nullptr, "abc", 5));
}

TEST(VstStrings, AppendKeepsTheWholeTextWithinMaxLen)
{
    char text[8];
    std::memset(text, 'X', sizeof(text));
    vst_strncpy(text, "ab", 2);
    vst_strncat(text, "cdefgh", 5);
    EXPECT_STREQ("abcde", text);
    EXPECT_EQ('X', text[6]);

    // A text already longer than the limit is cut at the limit, not read or written beyond it.
    char longer[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
    vst_strncat(longer, "ij", 4);
    EXPECT_STREQ("abcd", longer);

    vst_strncat(text, nullptr, 5);
    EXPECT_STREQ("abcde", text);
}

}  // namespace
