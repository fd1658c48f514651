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
		return pass (w, &bufferL[positionL.advance (clock, lengthL)], &bufferR[positionR.advance (clock, lengthR)]);
	}

	// The same for the taps of a group over many frames, each frame's outputs added to its sum in
	// acc in the group's order.
	template <int G>
	static void runGroup (EarlyReflectionTap* group, const Pair* p, Pair* acc, FrameClock clock, int32_t frames)
	{
		LineCursor* cursors[2 * G];
		int32_t lengths[2 * G];
		__m128d gains[G];
		for (int k = 0; k < G; ++k)
		{
			cursors[2 * k] = &group[k].positionL;
			cursors[2 * k + 1] = &group[k].positionR;
			lengths[2 * k] = group[k].lengthL;
			lengths[2 * k + 1] = group[k].lengthR;
			gains[k] = loadPair (group[k].gains);
		}
		walkLines (cursors, lengths, clock, frames, [&] (int32_t first, int32_t count, const size_t* top) {
			double* left[G];
			double* right[G];
			for (int k = 0; k < G; ++k)
			{
				left[k] = &group[k].bufferL[top[2 * k]];
				right[k] = &group[k].bufferR[top[2 * k + 1]];
			}
			for (int32_t j = 0; j < count; ++j)
			{
				const __m128d input = loadPair (p[first + j]);
				__m128d sum = loadPair (acc[first + j]);
				for (int k = 0; k < G; ++k)
					sum = _mm_add_pd (sum, pass (_mm_mul_pd (gains[k], input), left[k] - j, right[k] - j));
				storePair (acc[first + j], sum);
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
	LineCursor positionL; // slot, counting down from lengthL to 1
	LineCursor positionR;
	int32_t lengthL; // samples, at least 2
	int32_t lengthR;
	double sampleRate;
	Pair timesMs;
};

} // namespace Vst
} // namespace Steinberg
