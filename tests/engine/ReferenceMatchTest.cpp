// The engine against the scalar reference, bit for bit, over long runs with changing settings.
#include "EngineTestSupport.h"
#include "ReferenceEngine.h"

#include "engine/ReverbEngine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

constexpr int kImpulseFrames = 1;
constexpr int kSegmentFrames = 30000;

bool sameBits (double a, double b)
{
	return std::memcmp (&a, &b, sizeof (double)) == 0;
}

class ReferenceMatch : public ::testing::Test
{
protected:
	// Runs both engines on the same input; returns the first frame whose output bits differ, or -1.
	long long runBoth (int frames, const std::function<void (int, double[2])>& input)
	{
		for (int n = 0; n < frames; ++n, ++frameCount)
		{
			double in[2];
			input (n, in);
			double expected[2];
			double actual[2];
			reference->processFrame (in, expected);
			engine->processFrame (in, actual);
			if (!sameBits (expected[0], actual[0]) || !sameBits (expected[1], actual[1]))
			{
				ADD_FAILURE () << "frame " << frameCount << ": expected (" << expected[0] << ", "
				               << expected[1] << ") got (" << actual[0] << ", " << actual[1] << ")";
				return frameCount;
			}
		}
		return -1;
	}

	// Impulse, noise, then silence: the tail exercises the feedback paths on their own.
	void runSignal ()
	{
		ASSERT_EQ (runBoth (kImpulseFrames, [] (int, double in[2]) { in[0] = 1.0, in[1] = 1.0; }), -1);
		ASSERT_EQ (runBoth (kSegmentFrames, [this] (int, double in[2]) {
			           in[0] = noise.next ();
			           in[1] = 0.5 * noise.next ();
		           }),
		           -1);
		ASSERT_EQ (runBoth (kSegmentFrames, [] (int, double in[2]) { in[0] = in[1] = 0.0; }), -1);
	}

	template <class Change>
	void both (Change change)
	{
		change (*engine);
		change (*reference);
	}

	std::unique_ptr<ReverbEngine> engine = std::make_unique<ReverbEngine> ();
	std::unique_ptr<ReferenceEngine> reference = std::make_unique<ReferenceEngine> ();
	Noise noise;
	long long frameCount = 0;
};

} // namespace

TEST_F (ReferenceMatch, ConstructorSettings)
{
	runSignal ();
}

TEST_F (ReferenceMatch, ProcessorDefaultsAtEachRate)
{
	for (double rate : {44100.0, 48000.0, 96000.0, 192000.0})
	{
		both ([rate] (auto& e) {
			e.setSampleRate (rate);
			applyProcessorDefaults (e);
			e.reset ();
		});
		runSignal ();
	}
}

TEST_F (ReferenceMatch, ExtremeSettingsAndEveryVariation)
{
	Settings s;
	s.predelay = 1.0;
	s.width = 0.25;
	s.decayTime = 1.0;
	s.roomSize = 1.0;
	s.diffusion = 1.0;
	s.dampIntensity = 0.0;
	s.damp = 0.0;
	s.lowGain = 1.5; // +24 dB: gains are not limited
	s.peakGain = 0.0;
	s.highGain = 1.0;
	s.peak = 1.0;
	s.highShelf = 1.0;
	s.modSpeed = 1.0;
	s.modDepth = 1.0;
	both ([&] (auto& e) { applySettings (e, s); });
	runSignal ();
	for (int variation = 0; variation <= 13; ++variation)
	{
		both ([variation] (auto& e) {
			e.setEarlyReflectionVariation (variation);
			e.setReverbVariation (variation % 8);
			e.setRoomSize (variation / 13.0);
			e.setModulationDepth (variation / 40.0); // short delays with partial depth
		});
		runSignal ();
	}
}

TEST_F (ReferenceMatch, SettingsChangedWhileRunning)
{
	// Lengths change while positions count down, bypasses switch, the rate changes without a reset.
	both ([] (auto& e) { applyProcessorDefaults (e); });
	int step = 0;
	auto change = [&step] (auto& e) {
		switch (step % 8)
		{
			case 0: e.setPreDelay (0.37), e.setRoomSize (0.9), e.setReverbVariation (6); break;
			case 1: e.setDryBypass (true), e.setReverbBypass (true), e.setWidth (0.0); break;
			case 2: e.setEarlyReflectionsBypass (true), e.setDryBypass (false), e.setWetLevel (1.0); break;
			case 3: e.setSampleRate (96000.0), e.setDecayTime (0.05), e.setDampFrequency (5000.0); break;
			case 4: e.setModulationSpeed (0.0), e.setModulationDepth (0.2), e.setRoomSize (0.0); break;
			case 5: e.setWetBypass (true), e.setEqGain (0.9, 2), e.setEqFrequency (15000.0, 1); break;
			case 6: e.setWetBypass (false), e.setSampleRate (44100.0), e.setModulationSpeed (0.7); break;
			default: e.setReverbBypass (false), e.setEarlyReflectionsBypass (false), e.setPreDelay (0.0); break;
		}
	};
	for (; step < 16; ++step)
	{
		both (change);
		ASSERT_EQ (runBoth (5000, [this] (int n, double in[2]) {
			           in[0] = n < 2000 ? noise.next () : 0.0;
			           in[1] = n < 1000 ? noise.next () : 0.0;
		           }),
		           -1);
	}
}
