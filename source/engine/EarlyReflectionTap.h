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
	void setTimes (double leftMs, double rightMs);
	void setSampleRate (double hz);
	void clear ();
	void updateLengths ();

	// Stores the gain-scaled pre-delayed frame p and returns what was stored one delay earlier.
	__m128d step (__m128d p, FrameClock clock)
	{
		const __m128d w = _mm_mul_pd (loadPair (gains), p);
		double* left = &bufferL[positionL.advance (clock, lengthL)];
		double* right = &bufferR[positionR.advance (clock, lengthR)];
		const __m128d t = _mm_loadh_pd (_mm_load_sd (left), right);
		_mm_storel_pd (left, w);
		_mm_storeh_pd (right, w);
		return t;
	}

	// The same over many frames, each output added to the frame's sum in acc.
	void run (const Pair* p, Pair* acc, FrameClock clock, int32_t frames)
	{
		LineCursor* const cursors[2] = {&positionL, &positionR};
		const int32_t lengths[2] = {lengthL, lengthR};
		const __m128d g = loadPair (gains);
		walkLines (cursors, lengths, clock, frames, [&] (int32_t first, int32_t count, const size_t* top) {
			double* const left = &bufferL[top[0]];
			double* const right = &bufferR[top[1]];
			for (int32_t j = 0; j < count; ++j)
			{
				const __m128d w = _mm_mul_pd (g, loadPair (p[first + j]));
				const __m128d t = _mm_loadh_pd (_mm_load_sd (left - j), right - j);
				_mm_storel_pd (left - j, w);
				_mm_storeh_pd (right - j, w);
				storePair (acc[first + j], _mm_add_pd (loadPair (acc[first + j]), t));
			}
		});
	}

	int32_t getLengthL () const { return lengthL; }
	int32_t getLengthR () const { return lengthR; }
	int32_t getPositionL (FrameClock clock) const { return positionL.position (clock); }
	int32_t getPositionR (FrameClock clock) const { return positionR.position (clock); }
	double getTimeMsL () const { return timesMs[0]; }
	double getTimeMsR () const { return timesMs[1]; }
	double getGainL () const { return gains[0]; }
	double getGainR () const { return gains[1]; }
	double getSampleRate () const { return sampleRate; }

private:
	// The lines come first, so that a slot's address is the part's own plus the index.
	double bufferL[kCapacity];
	double bufferR[kCapacity];
	Pair gains; // applied before the delay; may be negative
	LineCursor positionL; // slot, counting down from lengthL to 1
	LineCursor positionR;
	int32_t lengthL; // samples, at least 2
	int32_t lengthR;
	double sampleRate;
	Pair timesMs;
};

} // namespace Vst
} // namespace Steinberg
