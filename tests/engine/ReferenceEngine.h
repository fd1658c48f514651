// A plain scalar transcription of the engine's arithmetic, one channel at a time and stage by stage,
// with none of the engine's lanes or blocks: the optimised engine must match it bit for bit.
#pragma once

#include <cstdint>
#include <vector>

namespace EngineTestSupport {

class ReferenceEngine
{
public:
	ReferenceEngine ();

	void reset ();
	void setSampleRate (double hz);
	void processFrame (const double in[2], double out[2]);

	void setDryLevel (double v);
	void setDryBypass (bool b);
	void setEarlyReflectionsLevel (double v);
	void setEarlyReflectionsBypass (bool b);
	void setReverbLevel (double v);
	void setReverbBypass (bool b);
	void setWetLevel (double v);
	void setWetBypass (bool b);
	void setPreDelay (double v);
	void setWidth (double v);
	void setEarlyReflectionVariation (int32_t n);
	void setReverbVariation (int32_t n);
	void setDecayTime (double v);
	void setRoomSize (double v);
	void setDiffusion (double v);
	void setDampIntensity (double v);
	void setDampFrequency (double hz);
	void setEqGain (double v, int32_t band);
	void setEqFrequency (double hz, int32_t band);
	void setModulationDepth (double v);
	void setModulationSpeed (double v);

private:
	// Positions and lengths are byte offsets, as the stages are described.
	struct PreDelayRef
	{
		double rate = 44100, timeMs = 20;
		int32_t position = 32, length = 32;
		std::vector<double> buffer = std::vector<double> (77496);
	};
	struct TapRef
	{
		double gain[2] = {1, 1}, times[2] = {50, 50}, rate = 44100;
		int32_t position[2] = {16, 16}, length[2] = {16, 16};
		std::vector<double> buffer[2] = {std::vector<double> (76800), std::vector<double> (76800)};
	};
	struct CombRef
	{
		double inputGain[2] = {1, 1}, times[2] = {50, 50}, decay[2] = {3, 3}, feedback[2] = {};
		double dampHz[2] = {1600, 1600}, state[2] = {}, dampGain[2] = {}, coefficient[2] = {};
		double filtered[2] = {}, direct[2] = {}, rate = 44100;
		int32_t position[2] = {2, 2}, length[2] = {2, 2};
		std::vector<double> buffer[2] = {std::vector<double> (38400), std::vector<double> (38400)};
	};
	struct AllpassRef
	{
		double gain[2] = {0.5, 0.5}, rate = 44100, timeMs = 20;
		int32_t position = 32, length = 32;
		std::vector<double> buffer = std::vector<double> (38400);
	};
	struct ModulatedRef
	{
		int32_t length = 4, halfLength = 2;
		uint32_t writeIndex = 0;
		double swing = 0, phase = 0, increment = 0, rateHz = 1, depth = 1, rate = 44100;
		double delayMs = 1.2, readOffset = 0, tableLength = 512;
		double sine[514] = {};
		std::vector<double> buffer = std::vector<double> (15420);
	};
	struct BandRef
	{
		double rate = 44100, frequency = 1000, q = 0.7, gainDb = 0;
		double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
		double x1[2] = {}, x2[2] = {}, y1[2] = {}, y2[2] = {};
		uint32_t type = 0;
	};

	static int32_t roundedCount (double ms, double rate);
	static void tapLengths (TapRef& tap);
	static void combLengths (CombRef& comb);
	static void combFeedback (CombRef& comb);
	static void combDamping (CombRef& comb);
	static void modulatedRecalculate (ModulatedRef& m);
	static void bandCoefficients (BandRef& band);
	void updateEarlyReflections ();
	void updateCombs ();
	void updateDiffuserTimes ();
	void updateDiffuserGains ();
	void setTapTimes (TapRef& tap, double left, double right);
	void setCombTimes (CombRef& comb, double left, double right);
	void setAllpassTime (AllpassRef& allpass, double ms);
	void setModulatedDelay (double ms, double depth);

	PreDelayRef preDelay;
	TapRef taps[10];
	CombRef combs[10];
	ModulatedRef modulated;
	AllpassRef diffusers[5];
	BandRef bands[3];
	double dryLevel = 1, erLevel = 1, reverbLevel = 1, wetLevel = 1;
	bool dryBypass = false, erBypass = false, reverbBypass = false, wetBypass = false;
	double crossMix = 0, sizeFactor = 1, decayFactor = 1, diffusion = 1;
	int erVariation = 0, reverbVariation = 2;
};

} // namespace EngineTestSupport
