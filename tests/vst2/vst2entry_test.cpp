// VSTPluginMain: the host check, the module hooks paired per effect, independent effects.
#include "tests/vst2/wrapperprobe.h"

#include "vst2/Vst2Entry.h"

#include <gtest/gtest.h>

namespace {

using namespace vst2host;

class Vst2EntryTest : public ::testing::Test
{
protected:
	void SetUp () override { probe::reset (); }

	Effect make (Host& host) { return probe::createEffect (host); }
};

TEST_F (Vst2EntryTest, HostWithoutVersionGetsNothing)
{
	Host silent;
	silent.versionAnswer = 0;
	EXPECT_FALSE (make (silent).valid ());
	EXPECT_EQ (nullptr, VSTPluginMain (nullptr));
	EXPECT_EQ (0, probe::hookCounts ().init) << "nothing was started";
	ASSERT_EQ (1u, silent.calls ().size ());
	EXPECT_EQ (nullptr, silent.calls ()[0].effect);
}

TEST_F (Vst2EntryTest, EachEffectPairsTheModuleHooks)
{
	Host host;
	{
		Effect first = make (host);
		Effect second = make (host);
		ASSERT_TRUE (first.valid () && second.valid ());
		EXPECT_NE (first.object (), second.object ());
		EXPECT_EQ (2, probe::hookCounts ().init);
		first.setParameter (0, 0.1f);
		EXPECT_FLOAT_EQ (static_cast<float> (probe::kDefaultGain), second.getParameter (0)) << "nothing shared";
		EXPECT_EQ (1, first.close ());
		EXPECT_EQ (1, probe::hookCounts ().deinit);
	}
	EXPECT_EQ (2, probe::hookCounts ().deinit);

	// A processor that takes no sample size makes no effect, and the hook is still paired.
	probe::settings ().process32 = probe::settings ().process64 = false;
	EXPECT_FALSE (make (host).valid ());
	EXPECT_EQ (3, probe::hookCounts ().init);
	EXPECT_EQ (3, probe::hookCounts ().deinit);
}

} // namespace
