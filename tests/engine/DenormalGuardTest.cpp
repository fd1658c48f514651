// The denormal guard: flush-to-zero and denormals-are-zero while it lives, the old mode after.
#include "engine/DenormalGuard.h"

#include "EngineTestSupport.h"

#include "engine/ReverbEngine.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <memory>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

double halve (volatile double value)
{
	return value * 0.5;
}

} // namespace

TEST (DenormalGuard, FlushesWhileInScopeAndRestoresAfter)
{
	const unsigned int before = _mm_getcsr ();
	EXPECT_GT (halve (DBL_MIN), 0.0); // a denormal result without the guard
	{
		DenormalGuard guard;
		EXPECT_EQ (_mm_getcsr () & DenormalGuard::kFlushToZero, DenormalGuard::kFlushToZero);
		EXPECT_EQ (halve (DBL_MIN), 0.0);
		{
			DenormalGuard nested;
		}
		EXPECT_EQ (halve (DBL_MIN), 0.0); // an inner guard restores the outer guard's mode
	}
	EXPECT_EQ (_mm_getcsr (), before);
	EXPECT_GT (halve (DBL_MIN), 0.0);
}

// Under the guard a decaying tail still ends in exact zeros.
TEST (DenormalGuard, TailEndsInExactZeros)
{
	DenormalGuard guard;
	auto engine = std::make_unique<ReverbEngine> ();
	applyProcessorDefaults (*engine);
	engine->setDecayTime (0.0);
	Noise noise;
	for (int n = 0; n < 2000; ++n)
	{
		const double in[2] = {noise.next (), noise.next ()};
		double out[2];
		engine->processFrame (in, out);
	}
	double out[2] = {1.0, 1.0};
	const double silence[2] = {0.0, 0.0};
	for (int n = 0; n < 44100 * 60 && (out[0] != 0.0 || out[1] != 0.0); ++n)
		engine->processFrame (silence, out);
	EXPECT_EQ (out[0], 0.0);
	EXPECT_EQ (out[1], 0.0);
}
