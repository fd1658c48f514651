// The test host's loader on a real library: entry point, host callback, independent effects.
#include <gtest/gtest.h>

#include "host/vst2/module.h"

namespace {

using namespace vst2host;

TEST(Vst2HostModule, LoadsCreatesAndClosesEffects)
{
    Module module(VST2_TEST_MODULE);
    ASSERT_TRUE(module.loaded()) << module.error();
    ASSERT_TRUE(module.hasEntry());
    Host host;
    Effect first = module.create(host);
    Effect second = module.create(host);
    ASSERT_TRUE(first.valid());
    ASSERT_TRUE(second.valid());
    EXPECT_EQ(2u, host.callsOf(kHostVersion).size()) << "each entry asks the host's version first";
    EXPECT_EQ(nullptr, host.calls()[0].effect);

    EXPECT_EQ(kMagic, first.magic());
    EXPECT_EQ(0x74657374, first.uniqueId());
    EXPECT_EQ(2, first.numInputs());
    EXPECT_EQ(2, first.numOutputs());
    EXPECT_EQ(2400, first.dispatch(kGetVstVersion));

    first.dispatch(kSetProgram, 0, 1);
    EXPECT_EQ(1, first.dispatch(kGetProgram));
    EXPECT_EQ(0, second.dispatch(kGetProgram)) << "effects share nothing";
    EXPECT_EQ(1, first.close());
    EXPECT_FALSE(first.valid());
    EXPECT_EQ(2400, second.dispatch(kGetVstVersion));
}

TEST(Vst2HostModule, RefusalsAndMissingFiles)
{
    Module module(VST2_TEST_MODULE);
    ASSERT_TRUE(module.loaded()) << module.error();
    Host silent;
    silent.versionAnswer = 0;
    EXPECT_FALSE(module.create(silent).valid());

    Module missing("no-such-module-here");
    EXPECT_FALSE(missing.loaded());
    EXPECT_FALSE(missing.error().empty());
    Host host;
    EXPECT_FALSE(missing.create(host).valid());
}

}  // namespace
