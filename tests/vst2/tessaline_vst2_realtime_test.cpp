// The shipped module's audio callback allocates nothing and takes no lock, with the host's
// parameter changes between blocks, as a VST 2.4 host's audio thread sends them.
#include "tests/processor/RealtimeWatch.h"
#include "tests/vst2/wrappertestsupport.h"

#include "host/vst2/module.h"

#include <gtest/gtest.h>

namespace {

using namespace vst2host;

TEST (TessalineVst2Realtime, BlocksAllocateNothingAndTakeNoLock)
{
	ASSERT_TRUE (realtime::countersWork ());
	Module module {TESSALINE_VST2_MODULE};
	ASSERT_TRUE (module.loaded ()) << module.error ();
	Host host;
	Effect effect = module.create (host);
	ASSERT_TRUE (effect.valid ());
	effect.dispatch (kMainsChanged, 0, 1);
	wrappertest::Stereo<float> buffers (512, 0.25f);
	auto rounds = [&] (bool watch) {
		for (int round = 0; round < 8; ++round)
		{
			realtime::watching = watch;
			for (Int32 index = 0; index < effect.numParams (); ++index)
				effect.setParameter (index, 0.1f * static_cast<float> (round));
			wrappertest::process (effect, buffers);
			realtime::watching = false;
		}
	};
	// Unwatched first, so that the test host's log of callbacks has its room: the host takes a
	// lock for each callback, which is its own and counted apart below.
	rounds (false);
	host.clearCalls ();
	rounds (true);
	EXPECT_EQ (0, realtime::allocations.load ());
	EXPECT_EQ (static_cast<int> (host.calls ().size ()), realtime::locks.load ()) << "locks besides the host's own";
}

} // namespace
