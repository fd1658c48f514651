// The engine's setters: level gains and bypasses, limits (NaN to the lower bound), and what each
// setting hands to the parts.
#include "engine/ReverbEngine.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

class ReverbEngineSetters : public ::testing::Test
{
protected:
	std::unique_ptr<ReverbEngine> engine = std::make_unique<ReverbEngine> ();
};

} // namespace

TEST_F (ReverbEngineSetters, LevelsAndBypasses)
{
	EXPECT_EQ (ReverbEngine::kReverbLevelScale, 0.15035610000000002);
	EXPECT_EQ (ReverbEngine::kWetLevelScale, 0.39905264901124726);
	engine->setReverbLevel (1.0);
	EXPECT_EQ (engine->getReverbGain (), 0.15035610000000002);
	engine->setReverbBypass (true);
	EXPECT_EQ (engine->getReverbGain (), 0.0);
	engine->setReverbLevel (0.5); // remembered while bypassed
	EXPECT_EQ (engine->getReverbGain (), 0.0);
	engine->setReverbBypass (false);
	EXPECT_EQ (engine->getReverbGain (), 0.5 * 0.15035610000000002);

	engine->setWetLevel (1.0);
	EXPECT_EQ (engine->getWetGain (), 0.39905264901124726);
	engine->setDryLevel (2.0); // not limited
	EXPECT_EQ (engine->getDryGain (), 2.0);
	engine->setDryBypass (true);
	EXPECT_EQ (engine->getDryGain (), 0.0);
	engine->setEarlyReflectionsLevel (0.25);
	engine->setEarlyReflectionsBypass (true);
	EXPECT_EQ (engine->getEarlyReflectionsGain (), 0.0);
	engine->setEarlyReflectionsBypass (false);
	EXPECT_EQ (engine->getEarlyReflectionsGain (), 0.25);
}

TEST_F (ReverbEngineSetters, NaNLevelsAndGainsCountAsTheLowerBound)
{
	engine->setDryLevel (kNaN);
	engine->setEarlyReflectionsLevel (kNaN);
	engine->setReverbLevel (kNaN);
	engine->setWetLevel (kNaN);
	EXPECT_EQ (engine->getDryGain (), 0.0);
	EXPECT_EQ (engine->getEarlyReflectionsGain (), 0.0);
	EXPECT_EQ (engine->getReverbGain (), 0.0);
	EXPECT_EQ (engine->getWetGain (), 0.0);
	engine->setEqGain (kNaN, 1);
	EXPECT_EQ (engine->getEqBand (1).getGainDb (), -12.0);
	engine->setEqFrequency (kNaN, 2);
	EXPECT_EQ (engine->getEqBand (2).getFrequency (), EqualizerBand::kLowestHz);
}

TEST_F (ReverbEngineSetters, WidthAndPreDelayLimits)
{
	engine->setWidth (0.25);
	EXPECT_EQ (engine->getWidthCrossMix (), 0.75);
	engine->setWidth (-1.0);
	EXPECT_EQ (engine->getWidthCrossMix (), 1.0);
	engine->setWidth (2.0);
	EXPECT_EQ (engine->getWidthCrossMix (), 0.0);
	engine->setWidth (kNaN);
	EXPECT_EQ (engine->getWidthCrossMix (), 1.0);

	engine->setPreDelay (1.0);
	EXPECT_EQ (engine->getPreDelay ().getTimeMs (), 200.0);
	engine->setPreDelay (3.0);
	EXPECT_EQ (engine->getPreDelay ().getTimeMs (), 200.0);
	engine->setPreDelay (kNaN);
	EXPECT_EQ (engine->getPreDelay ().getTimeMs (), 0.01);
}

TEST_F (ReverbEngineSetters, DecayTime)
{
	engine->setDecayTime (0.0);
	EXPECT_EQ (engine->getDecayFactor (), 0.4);
	EXPECT_EQ (engine->getComb (0).getDecayTime (), 0.2);
	double t = 0.2;
	for (int k = 0; k < 9; ++k)
		t = t + 0.0093335;
	EXPECT_EQ (engine->getComb (9).getDecayTime (), t); // summed one step at a time
	EXPECT_EQ (engine->getDiffuser (0).getGainL (), -0.61 * 0.4);

	engine->setDecayTime (1.0);
	EXPECT_EQ (engine->getComb (0).getDecayTime (), 20.0);
	EXPECT_EQ (engine->getDecayFactor (), 1.0);
	engine->setDecayTime (1.0 / 19.8); // 1.2 s: the ramp has reached 1.0
	EXPECT_NEAR (engine->getDecayFactor (), 1.0, 1e-12);
	engine->setDecayTime (-3.0);
	EXPECT_EQ (engine->getDecayFactor (), 0.4);
	engine->setDecayTime (kNaN);
	EXPECT_EQ (engine->getComb (0).getDecayTime (), 0.2);
}

TEST_F (ReverbEngineSetters, DiffusionScalesOnlyTheLastThreeDiffusers)
{
	engine->setDecayTime (1.0);
	engine->setDiffusion (0.5);
	EXPECT_EQ (engine->getDiffuser (0).getGainL (), -0.61);
	EXPECT_EQ (engine->getDiffuser (1).getGainR (), -0.61);
	EXPECT_EQ (engine->getDiffuser (2).getGainL (), 0.58 * 0.5);
	EXPECT_EQ (engine->getDiffuser (4).getGainR (), 0.62 * 0.5);
}

TEST_F (ReverbEngineSetters, RoomSize)
{
	engine->setRoomSize (0.0);
	EXPECT_EQ (engine->getSizeFactor (), 0.5);
	EXPECT_EQ (engine->getTap (0).getTimeMsL (), (0.5 + 0.2) * engine->getEarlyReflectionTimeTable ()[0]);
	EXPECT_EQ (engine->getDiffuser (1).getTimeMs (), 13.78 * 0.5);
	engine->setRoomSize (1.0);
	const double sizeFactor = 1.1 * 1.0 + 0.5;
	EXPECT_EQ (engine->getSizeFactor (), sizeFactor);
	EXPECT_EQ (engine->getTap (9).getTimeMsR (), (sizeFactor + 0.2) * engine->getEarlyReflectionTimeTable ()[19]);
	EXPECT_EQ (engine->getDiffuser (3).getTimeMs (), 23.22 * sizeFactor);
	// Room size does not scale the combs.
	EXPECT_EQ (engine->getComb (0).getTimeMsL (), engine->getCombTimeTableLeft ()[0]);
}

TEST_F (ReverbEngineSetters, DampingFrequencySteps)
{
	engine->setDampFrequency (100.0);
	for (int k = 0; k < 8; ++k)
		EXPECT_EQ (engine->getComb (k).getDampFrequencyL (), 100.0 - 11.0 * k) << k;
	EXPECT_EQ (engine->getComb (8).getDampFrequencyR (), 20.0);
	EXPECT_EQ (engine->getComb (9).getDampFrequencyL (), 20.0);
	engine->setDampIntensity (0.5);
	EXPECT_EQ (engine->getComb (3).getFilteredWeight (), 0.25);
	engine->setDampIntensity (7.0);
	EXPECT_EQ (engine->getComb (3).getFilteredWeight (), 1.0);
}

TEST_F (ReverbEngineSetters, EqualiserGainsAndBands)
{
	engine->setEqGain (0.5, 0);
	EXPECT_EQ (engine->getEqBand (0).getGainDb (), 0.0);
	engine->setEqGain (0.0, 1);
	EXPECT_EQ (engine->getEqBand (1).getGainDb (), -12.0);
	engine->setEqGain (1.0, 2);
	EXPECT_EQ (engine->getEqBand (2).getGainDb (), 12.0);
	engine->setEqGain (1.5, 2); // not limited
	EXPECT_EQ (engine->getEqBand (2).getGainDb (), 24.0);
	EXPECT_EQ (engine->getEqBand (0).getType (), static_cast<uint32_t> (EqualizerBand::kLowShelf));
	EXPECT_EQ (engine->getEqBand (1).getType (), static_cast<uint32_t> (EqualizerBand::kPeaking));
	EXPECT_EQ (engine->getEqBand (2).getType (), static_cast<uint32_t> (EqualizerBand::kHighShelf));

	engine->setEqFrequency (440.0, 1);
	EXPECT_EQ (engine->getEqBand (1).getFrequency (), 440.0);
	// A band number other than 0 to 2 changes nothing.
	for (int band : {-1, 3, 1000})
	{
		engine->setEqFrequency (5000.0, band);
		engine->setEqGain (0.9, band);
	}
	EXPECT_EQ (engine->getEqBand (1).getFrequency (), 440.0);
	EXPECT_EQ (engine->getEqBand (2).getGainDb (), 24.0);
	EXPECT_EQ (engine->getWetGain (), 0.39905264901124726);
}

TEST_F (ReverbEngineSetters, Modulation)
{
	engine->setModulationDepth (0.0);
	EXPECT_EQ (engine->getModulatedDelay ().getDelayMs (), 0.1);
	EXPECT_EQ (engine->getModulatedDelay ().getDepth (), 0.0);
	engine->setModulationDepth (0.5);
	EXPECT_EQ (engine->getModulatedDelay ().getDelayMs (), 1.25);
	EXPECT_EQ (engine->getModulatedDelay ().getDepth (), 1.0);
	engine->setModulationDepth (1.0);
	EXPECT_EQ (engine->getModulatedDelay ().getDelayMs (), 20.0);
	engine->setModulationDepth (0.2); // y = 0.0016: short delay, partial depth
	EXPECT_EQ (engine->getModulatedDelay ().getDelayMs (), 0.1);
	EXPECT_EQ (engine->getModulatedDelay ().getDepth (), ((0.2 * 0.2) * 0.2) * 0.2 / (0.1 / 20.0));

	engine->setModulationSpeed (0.5);
	EXPECT_EQ (engine->getModulatedDelay ().getRateHz (), 2.5);
	engine->setModulationSpeed (4.0);
	EXPECT_EQ (engine->getModulatedDelay ().getRateHz (), 20.0);
	engine->setModulationSpeed (kNaN);
	EXPECT_EQ (engine->getModulatedDelay ().getRateHz (), 0.0);
}

TEST_F (ReverbEngineSetters, VariationsAndTheirFallbacks)
{
	engine->setEarlyReflectionVariation (12);
	EXPECT_EQ (&engine->getEarlyReflectionTimeTable (), &kEarlyReflectionTimes[11]);
	EXPECT_EQ (&engine->getEarlyReflectionGainTable (), &kEarlyReflectionGains[11]);
	for (int outside : {0, 13, -7})
	{
		engine->setEarlyReflectionVariation (outside);
		EXPECT_EQ (&engine->getEarlyReflectionTimeTable (), &kEarlyReflectionTimes[0]) << outside;
	}
	EXPECT_EQ (engine->getTap (0).getGainL (), kEarlyReflectionGains[0][0]);

	engine->setReverbVariation (6); // reachable from a saved state only
	EXPECT_EQ (&engine->getCombTimeTableLeft (), &kCombTimesLeft[5]);
	EXPECT_EQ (&engine->getCombGainTableRight (), &kCombGainsRight[1]);
	engine->setReverbVariation (2);
	EXPECT_EQ (&engine->getCombGainTableLeft (), &kCombGainsLeft[0]);
	for (int outside : {0, 7, 100})
	{
		engine->setReverbVariation (outside);
		EXPECT_EQ (&engine->getCombTimeTableRight (), &kCombTimesRight[2]) << outside;
		EXPECT_EQ (&engine->getCombGainTableLeft (), &kCombGainsLeft[0]) << outside;
	}
	EXPECT_EQ (engine->getComb (9).getTimeMsL (), 92.66604);
}

// Every table is in place from construction on, so the recompute operations can run in any order.
TEST (ReverbEngineTables, InPlaceFromConstruction)
{
	auto engine = std::make_unique<ReverbEngine> ();
	EXPECT_EQ (&engine->getEarlyReflectionTimeTable (), &kEarlyReflectionTimes[1]);
	EXPECT_EQ (&engine->getCombTimeTableLeft (), &kCombTimesLeft[1]);
	EXPECT_EQ (&engine->getDiffuserTimeTable (), &kDiffuserTimes);
	engine->updateCombs ();
	engine->updateDiffuserGains ();
	engine->updateDiffuserTimes ();
	engine->updateEarlyReflections ();
	EXPECT_EQ (engine->getDiffuser (0).getTimeMs (), 6.68 * engine->getSizeFactor ());
}
