// One early reflection: a stereo delay with its own gain and time on each channel.
#pragma once

#include "engine/EngineMath.h"

namespace Steinberg {
namespace Vst {

class alignas (64) EarlyReflectionTap
{
public:
	// Samples per line, one more than the longest delay (76799 samples: 200 ms up to 383997 Hz).
	static constexpr int32_t kCapacity = 76800;
	static constexpr int32_t kLongest = kCapacity - 1;
	static constexpr double kShortestMs = 0.01;
	static constexpr double kLongestMs = 200.0;
	static_assert (kLongestMs * kHighestEngineRate * 0.001 <= kLongest,
	               "the lines must serve the longest time at the highest engine rate");

	EarlyReflectionTap ();
	EarlyReflectionTap (const EarlyReflectionTap&) = delete;
	EarlyReflectionTap& operator= (const EarlyReflectionTap&) = delete;

	void setGains (double left, double right);
	// Inline, so that a setting that moves every tap runs their lengths' long chains side by side.
	void setTimes (double leftMs, double rightMs)
	{
		storePair (timesMs, clampPair (_mm_set_pd (rightMs, leftMs), kShortestMs, kLongestMs));
		updateLengths ();
	}
	void setSampleRate (double hz);
	void clear ();
	void updateLengths () { delayCounts (loadPair (timesMs), sampleRate, 2, kLongest, lengths); }

	// Stores the gain-scaled pre-delayed frame p and returns what was stored one delay earlier.
	__m128d step (__m128d p, FrameClock clock)
	{
		const __m128d w = _mm_mul_pd (loadPair (gains), p);
		return pass (w, &bufferL[positionL.advance (clock, lengths[0])], &bufferR[positionR.advance (clock, lengths[1])]);
	}

	// The same for N taps over many frames: sum receives each frame's outputs added up in the
	// taps' order. Where avx is set (see cpuHasAvx ()), four frames of a line go to a 256-bit
	// register.
	template <int N>
	static void runTaps (EarlyReflectionTap* taps, const Pair* p, Pair* sum, FrameClock clock, int32_t frames, bool avx);

	int32_t getLengthL () const { return lengths[0]; }
	int32_t getLengthR () const { return lengths[1]; }
	int32_t getPositionL (FrameClock clock) const { return positionL.position (clock); }
	int32_t getPositionR (FrameClock clock) const { return positionR.position (clock); }
	double getTimeMsL () const { return timesMs[0]; }
	double getTimeMsR () const { return timesMs[1]; }
	double getGainL () const { return gains[0]; }
	double getGainR () const { return gains[1]; }
	double getSampleRate () const { return sampleRate; }

private:
	template <class Lanes, int N, bool kAdd>
	static void runLanes (EarlyReflectionTap* taps, const Pair* p, Pair* sum, FrameClock clock, int32_t frames);
	template <int N>
	static void runAvx (EarlyReflectionTap* taps, const Pair* p, Pair* sum, FrameClock clock, int32_t frames);

	// Exchanges w with what the slots at left and right hold.
	static __m128d pass (__m128d w, double* left, double* right)
	{
		const __m128d t = _mm_loadh_pd (_mm_load_sd (left), right);
		_mm_storel_pd (left, w);
		_mm_storeh_pd (right, w);
		return t;
	}

	// The lines come first, so that a slot's address is the part's own plus the index.
	double bufferL[kCapacity];
	double bufferR[kCapacity];
	Pair gains; // applied before the delay; may be negative
	LineCursor positionL; // slot, counting down from the left length to 1
	LineCursor positionR;
	int32_t lengths[2]; // samples, at least 2: left, right
	double sampleRate;
	Pair timesMs;
};

} // namespace Vst
} // namespace Steinberg
