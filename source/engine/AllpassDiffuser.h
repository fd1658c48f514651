// A stereo Schroeder all-pass: smears the late reverb in time without colouring it.
#pragma once

#include "engine/EngineMath.h"
#include "engine/FrameLanes.h"

namespace Steinberg {
namespace Vst {

class alignas (64) AllpassDiffuser
{
public:
	// Frames of the line, one more than the longest delay (19199 frames: 50 ms up to 383980 Hz).
	static constexpr int32_t kCapacityFrames = 19200;
	static constexpr int32_t kLongestFrames = kCapacityFrames - 1;
	static constexpr double kShortestMs = 0.01;
	static constexpr double kLongestMs = 50.0;
	static_assert (kLongestMs * kHighestEngineRate * 0.001 <= kLongestFrames,
	               "the line must serve the longest time at the highest engine rate");

	AllpassDiffuser ();
	AllpassDiffuser (const AllpassDiffuser&) = delete;
	AllpassDiffuser& operator= (const AllpassDiffuser&) = delete;

	void setGains (double left, double right);
	// Inline, as the taps' setTimes.
	void setTime (double ms)
	{
		timeMs = clampValue (ms, kShortestMs, kLongestMs);
		updateLength ();
	}
	void setSampleRate (double hz);
	void clear ();
	void updateLength () { length = delayCount (timeMs, sampleRate, 2, kLongestFrames); }

	// H(z) = (g + z^-N) / (1 + g z^-N) on each channel.
	__m128d step (__m128d x, FrameClock clock)
	{
		return pass (x, buffer[position.advance (clock, length)], loadPair (gains));
	}

	// The same for the diffusers of a chain over many frames, each taking the previous one's
	// output: frame j's input is source (j), and sink (j, output) takes the last one's output.
	// With kAvx, for a caller built for AVX (see cpuHasAvx ()), two frames go to a 256-bit
	// register; the source is still asked for each frame in turn, and the sink told of each in turn.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi" // with kAvx, runs inlined into an AVX entry (see SimdTarget.h)
	template <int G, bool kAvx = false, class Source, class Sink>
	static void runChain (AllpassDiffuser* chain, FrameClock clock, int32_t frames, Source&& source, Sink&& sink)
	{
		LineCursor* cursors[G];
		int32_t lengths[G];
		__m128d gains[G];
		for (int k = 0; k < G; ++k)
		{
			cursors[k] = &chain[k].position;
			lengths[k] = chain[k].length;
			gains[k] = loadPair (chain[k].gains);
		}
		walkLines (cursors, lengths, clock, frames, [&] (int32_t first, int32_t count, const size_t* top) {
			Pair* slots[G];
			for (int k = 0; k < G; ++k)
				slots[k] = &chain[k].buffer[top[k]];
			int32_t j = 0;
			if constexpr (kAvx)
			{
				AvxLanes::Vector wideGains[G];
				for (int k = 0; k < G; ++k)
					wideGains[k] = AvxLanes::frame (chain[k].gains);
				for (; j + 2 <= count; j += 2)
				{
					// A run's slots are all distinct, so frame j + 1 never reads what frame j stores.
					const __m128d earlier = source (first + j);
					AvxLanes::Vector a = AvxLanes::framePair (source (first + j + 1), earlier);
					for (int k = 0; k < G; ++k)
					{
						double* const slot = slots[k][-j - 1].lane;
						const AvxLanes::Vector d = AvxLanes::load (slot);
						const AvxLanes::Vector v = AvxLanes::sub (a, AvxLanes::mul (wideGains[k], d));
						AvxLanes::store (slot, v);
						a = AvxLanes::add (d, AvxLanes::mul (wideGains[k], v));
					}
					sink (first + j, AvxLanes::earlierFrame (a));
					sink (first + j + 1, AvxLanes::laterFrame (a));
				}
			}
			for (; j < count; ++j)
			{
				__m128d a = source (first + j);
				for (int k = 0; k < G; ++k)
					a = pass (a, slots[k][-j], gains[k]);
				sink (first + j, a);
			}
		});
	}
#pragma GCC diagnostic pop

	int32_t getLength () const { return length; }
	int32_t getPosition (FrameClock clock) const { return position.position (clock); }
	double getTimeMs () const { return timeMs; }
	double getGainL () const { return gains[0]; }
	double getGainR () const { return gains[1]; }
	double getSampleRate () const { return sampleRate; }

private:
	static __m128d pass (__m128d x, Pair& slot, __m128d g)
	{
		const __m128d d = loadPair (slot);
		const __m128d v = _mm_sub_pd (x, _mm_mul_pd (g, d));
		storePair (slot, v);
		return _mm_add_pd (d, _mm_mul_pd (g, v));
	}

	Pair gains;
	LineCursor position; // frame, counting down from length to 1
	int32_t length; // frames, at least 2
	double sampleRate;
	double timeMs; // one time for both channels
	Pair buffer[kCapacityFrames];
};

} // namespace Vst
} // namespace Steinberg
