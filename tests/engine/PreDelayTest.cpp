// The pre-delay: lengths from time and rate, clamps, and the countdown of its position.
#include "engine/PreDelay.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

// Runs one frame (value, -value) through the line; returns its left output.
double run (PreDelay& line, FrameClock& clock, double value)
{
	return toFrame (line.step (toPair (value, -value), clock++)).left;
}

} // namespace

TEST (PreDelay, LengthsFromTimeAndRate)
{
	auto line = std::make_unique<PreDelay> ();
	EXPECT_EQ (line->getLength (), 882); // the constructor's 20 ms at 44100 Hz
	line->setTime (0.01);
	EXPECT_EQ (line->getLength (), 2); // a count of 0 is raised to two frames
	line->setSampleRate (1000.0);
	line->setTime (2.5);
	EXPECT_EQ (line->getLength (), 3); // exactly 2.5 frames rounds up
	line->setTime (2.4);
	EXPECT_EQ (line->getLength (), 2);
	line->setSampleRate (192000.0);
	line->setTime (20.0);
	EXPECT_EQ (line->getLength (), 3840);
}

TEST (PreDelay, ClampsTimeAndRate)
{
	auto line = std::make_unique<PreDelay> ();
	line->setTime (250.0);
	EXPECT_EQ (line->getTimeMs (), 200.0);
	line->setTime (-5.0);
	EXPECT_EQ (line->getTimeMs (), 0.01);
	line->setTime (kNaN);
	EXPECT_EQ (line->getTimeMs (), 0.01);
	line->setSampleRate (500000.0);
	EXPECT_EQ (line->getSampleRate (), 384000.0);
	line->setSampleRate (22050.0);
	EXPECT_EQ (line->getSampleRate (), 22050.0); // no lower bound
}

// A frame comes out exactly `length` frames after it went in, the frame that goes in first
// included; both channels travel together.
TEST (PreDelay, DelaysByItsLength)
{
	auto line = std::make_unique<PreDelay> ();
	line->setTime (1.0); // 44 frames
	FrameClock clock = 0;
	for (int n = 0; n < 200; ++n)
	{
		const double out = run (*line, clock, n + 1.0);
		EXPECT_EQ (out, n >= 44 ? n + 1.0 - 44 : 0.0) << "frame " << n;
	}
}

// A shorter time takes effect when the current countdown ends: the position first runs down to 1.
TEST (PreDelay, NewLengthWaitsForTheCountdown)
{
	auto line = std::make_unique<PreDelay> ();
	line->setTime (1.0);
	FrameClock clock = 0;
	for (int n = 0; n < 12; ++n)
		run (*line, clock, 1.0);
	EXPECT_EQ (line->getPosition (clock), 44 - 10);
	line->setTime (0.1); // 4 frames
	EXPECT_EQ (line->getLength (), 4);
	for (int n = 0; n < 33; ++n)
		run (*line, clock, 1.0);
	EXPECT_EQ (line->getPosition (clock), 1);
	run (*line, clock, 1.0);
	EXPECT_EQ (line->getPosition (clock), 4);
}

TEST (PreDelay, ClearSilencesButKeepsThePosition)
{
	auto line = std::make_unique<PreDelay> ();
	FrameClock clock = 0;
	for (int n = 0; n < 1000; ++n)
		run (*line, clock, 0.5);
	const int32_t position = line->getPosition (clock);
	line->clear ();
	EXPECT_EQ (line->getPosition (clock), position);
	for (int n = 0; n < 882; ++n)
		EXPECT_EQ (run (*line, clock, 0.0), 0.0);
}
