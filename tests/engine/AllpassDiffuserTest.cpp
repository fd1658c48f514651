// An all-pass diffuser: its impulse response, the gain extremes and its lengths.
#include "engine/AllpassDiffuser.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

std::vector<double> impulseResponse (AllpassDiffuser& diffuser, int frames)
{
	std::vector<double> response;
	FrameClock clock = 0;
	for (int n = 0; n < frames; ++n)
	{
		const double x = n == 2 ? 1.0 : 0.0;
		response.push_back (toFrame (diffuser.step (toPair (x, x), clock++)).left);
	}
	return response;
}

} // namespace

TEST (AllpassDiffuser, LengthsAndClamps)
{
	auto diffuser = std::make_unique<AllpassDiffuser> ();
	EXPECT_EQ (diffuser->getLength (), 882);
	diffuser->setTime (0.01);
	EXPECT_EQ (diffuser->getLength (), 2);
	diffuser->setTime (80.0);
	EXPECT_EQ (diffuser->getTimeMs (), 50.0);
	diffuser->setSampleRate (500000.0);
	EXPECT_EQ (diffuser->getSampleRate (), 384000.0);
}

// g at once, then 1 - g^2 after N frames, then each echo times -g: H(z) = (g + z^-N)/(1 + g z^-N).
TEST (AllpassDiffuser, ImpulseResponse)
{
	auto diffuser = std::make_unique<AllpassDiffuser> ();
	diffuser->setTime (0.1); // 4 frames
	const double g = 0.6;
	diffuser->setGains (g, g);
	const std::vector<double> response = impulseResponse (*diffuser, 40);
	EXPECT_EQ (response[2], g);
	double echo = 1.0 - g * g;
	for (int n = 3; n < 40; ++n)
	{
		if ((n - 2) % 4 == 0)
		{
			EXPECT_NEAR (response[n], echo, 1e-15) << n;
			echo *= -g;
		}
		else
			EXPECT_EQ (response[n], 0.0) << n;
	}
}

TEST (AllpassDiffuser, GainExtremes)
{
	auto diffuser = std::make_unique<AllpassDiffuser> ();
	diffuser->setTime (0.1);
	diffuser->setGains (0.0, 0.0); // a plain delay of N frames
	std::vector<double> response = impulseResponse (*diffuser, 12);
	for (int n = 0; n < 12; ++n)
		EXPECT_EQ (response[n], n == 6 ? 1.0 : 0.0) << n;

	auto passing = std::make_unique<AllpassDiffuser> ();
	passing->setGains (1.0, 1.0); // the output equals the input of the same frame
	FrameClock clock = 0;
	for (int n = 0; n < 2000; ++n)
	{
		const double x = (n % 13) * 0.125 - 0.5;
		EXPECT_EQ (toFrame (passing->step (toPair (x, x), clock++)).left, x) << n;
	}
}
