// A stereo feedback comb of the late reverb, with a one-pole low-pass damping its loop.
#pragma once

#include "engine/EngineMath.h"
#include "engine/FrameLanes.h"

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

	// Runs the loop one sample on the comb input x; returns the feedback-scaled loop value. The
	// damping state is saved as soon as it is known, which spares a register on 32-bit x86.
	__m128d step (__m128d x, FrameClock clock)
	{
		double* const lines[2] = {&bufferL[positionL.advance (clock, lengthL)],
		                          &bufferR[positionR.advance (clock, lengthR)]};
		Loop<Sse2Lanes> loop;
		loop.load (this);
		__m128d line = Sse2Lanes::gather (lines, 0);
		__m128d y;
		loop.damp (line);
		loop.save (this);
		loop.feed (x, line, y);
		Sse2Lanes::scatter (lines, 0, line);
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
	// The loop's coefficients and damping state, a comb's channel in each lane: Sse2Lanes over one
	// comb for step (), and over the combs of a unit for the block units (see DampedComb.cpp).
	// Loop<AvxLanes> is built for the default target but only ever runs inlined into an AVX entry,
	// so the compiler's note that its 256-bit values would cross calls with another ABI does not
	// apply; its own vectors go by reference.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
	template <class Lanes>
	struct Loop
	{
		using Vector = typename Lanes::Vector;

		// From the combs whose channels fill the lanes, and their damping state back to them.
		void load (const DampedComb* combs)
		{
			inputGains = Lanes::gatherPairs (combs, &DampedComb::inputGains);
			dampGain = Lanes::gatherPairs (combs, &DampedComb::dampGain);
			dampCoefficient = Lanes::gatherPairs (combs, &DampedComb::dampCoefficient);
			filteredWeight = Lanes::gatherPairs (combs, &DampedComb::filteredWeight);
			directWeight = Lanes::gatherPairs (combs, &DampedComb::directWeight);
			feedback = Lanes::gatherPairs (combs, &DampedComb::feedback);
			state = Lanes::gatherPairs (combs, &DampedComb::dampState);
		}
		void save (DampedComb* combs) const { Lanes::scatterPairs (combs, &DampedComb::dampState, state); }

		// One sample on the comb input x: line holds what was read from the line and receives what
		// goes back there; y receives the feedback-scaled loop value. damp () and then feed ().
		void run (const Vector& x, Vector& line, Vector& y)
		{
			damp (line);
			feed (x, line, y);
		}
		void damp (const Vector& line)
		{
			state = Lanes::sub (Lanes::mul (dampGain, line), Lanes::mul (dampCoefficient, state));
		}
		void feed (const Vector& x, Vector& line, Vector& y)
		{
			const Vector m = Lanes::add (Lanes::mul (filteredWeight, state), Lanes::mul (directWeight, line));
			y = Lanes::mul (feedback, m);
			line = Lanes::add (Lanes::mul (inputGains, x), y);
		}
		// The same on the frame that lane r's line holds at lines[r] - back, read and written there.
		void frame (double* const* lines, int32_t back, const Vector& x, Vector& y)
		{
			Vector line = Lanes::gather (lines, back);
			run (x, line, y);
			Lanes::scatter (lines, back, line);
		}

		Vector inputGains, dampGain, dampCoefficient, filteredWeight, directWeight, feedback, state;
	};
#pragma GCC diagnostic pop

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
