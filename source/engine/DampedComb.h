// A stereo feedback comb of the late reverb, with a one-pole low-pass damping its loop.
#pragma once

#include "engine/EngineMath.h"

namespace Steinberg {
namespace Vst {

class alignas (64) DampedComb
{
public:
	// Samples per line, one more than the longest loop (38399 samples: 100 ms up to 383990 Hz).
	static constexpr int32_t kCapacity = 38400;
	static constexpr int32_t kLongest = kCapacity - 1;
	static constexpr double kShortestMs = 0.01;
	static constexpr double kLongestMs = 100.0;
	static constexpr double kLowestDampHz = 20.0;
	static constexpr double kHighestDampHz = 22049.9;
	static_assert (kLongestMs * kHighestEngineRate * 0.001 <= kLongest,
	               "the lines must serve the longest time at the highest engine rate");

	DampedComb ();
	DampedComb (const DampedComb&) = delete;
	DampedComb& operator= (const DampedComb&) = delete;

	void setGains (double left, double right);
	void setTimes (double leftMs, double rightMs);
	void setDecayTime (double seconds);
	void setDampFrequencies (double leftHz, double rightHz);
	void setDampIntensity (double intensity);
	void setSampleRate (double hz);
	void clear ();
	void updateFeedback ();
	void updateLengths ();
	void updateDampingCoefficients ();

	// Runs the loop one sample on the comb input x; returns the feedback-scaled loop value.
	__m128d step (__m128d x, FrameClock clock)
	{
		const __m128d i = _mm_mul_pd (loadPair (inputGains), x);
		double* left = &bufferL[positionL.advance (clock, lengthL)];
		double* right = &bufferR[positionR.advance (clock, lengthR)];
		const __m128d d = _mm_loadh_pd (_mm_load_sd (left), right);
		const __m128d s = _mm_sub_pd (_mm_mul_pd (loadPair (dampGain), d),
		                              _mm_mul_pd (loadPair (dampCoefficient), loadPair (dampState)));
		storePair (dampState, s);
		const __m128d m = _mm_add_pd (_mm_mul_pd (loadPair (filteredWeight), s),
		                              _mm_mul_pd (loadPair (directWeight), d));
		const __m128d y = _mm_mul_pd (loadPair (feedback), m);
		const __m128d v = _mm_add_pd (i, y);
		_mm_storel_pd (left, v);
		_mm_storeh_pd (right, v);
		return y;
	}

	// The same for N combs over many frames: acc receives each frame's sum from base with the
	// combs' outputs added in their order (acc may be base). Where avx is set (see
	// AvxLanes::available ()), two combs share a 256-bit register.
	template <int N>
	static void runCombs (DampedComb* combs, const Pair* x, const Pair* base, Pair* acc, FrameClock clock,
	                      int32_t frames, bool avx);

	int32_t getLengthL () const { return lengthL; }
	int32_t getLengthR () const { return lengthR; }
	int32_t getPositionL (FrameClock clock) const { return positionL.position (clock); }
	int32_t getPositionR (FrameClock clock) const { return positionR.position (clock); }
	double getTimeMsL () const { return timesMs[0]; }
	double getTimeMsR () const { return timesMs[1]; }
	double getInputGainL () const { return inputGains[0]; }
	double getInputGainR () const { return inputGains[1]; }
	double getDecayTime () const { return decayTimes[0]; }
	double getFeedbackL () const { return feedback[0]; }
	double getFeedbackR () const { return feedback[1]; }
	double getDampFrequencyL () const { return dampFrequencies[0]; }
	double getDampFrequencyR () const { return dampFrequencies[1]; }
	double getDampCoefficientL () const { return dampCoefficient[0]; }
	double getFilteredWeight () const { return filteredWeight[0]; }
	double getDirectWeight () const { return directWeight[0]; }
	double getDampStateL () const { return dampState[0]; }
	double getSampleRate () const { return sampleRate; }

private:
	template <class Lanes, int G>
	static void runUnits (DampedComb* combs, const Pair* x, const Pair* base, Pair* acc, FrameClock clock,
	                      int32_t frames);
	template <int N>
	static void runAvx (DampedComb* combs, const Pair* x, const Pair* base, Pair* acc, FrameClock clock,
	                    int32_t frames);

	// The lines come first, so that a slot's address is the part's own plus the index.
	double bufferL[kCapacity];
	double bufferR[kCapacity];
	Pair inputGains;
	Pair timesMs;
	Pair decayTimes; // seconds to fall by 60 dB
	Pair feedback;
	Pair dampFrequencies;
	Pair dampState;
	Pair dampGain; // 1 + dampCoefficient
	Pair dampCoefficient;
	Pair filteredWeight; // damping intensity squared
	Pair directWeight;
	double sampleRate;
	// Counting down from the length to 1. Lengths are held as int32 so that no rate can wrap them.
	LineCursor positionR;
	LineCursor positionL;
	int32_t lengthL;
	int32_t lengthR;
};

} // namespace Vst
} // namespace Steinberg
