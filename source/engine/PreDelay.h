// The pre-delay: holds the stereo input back before the early reflections and the late reverb.
#pragma once

#include "engine/EngineMath.h"

namespace Steinberg {
namespace Vst {

class alignas (64) PreDelay
{
public:
	// Frames of the line, one more than the longest delay (38747 frames: 200 ms up to 193737 Hz).
	static constexpr int32_t kCapacityFrames = 38748;
	static constexpr int32_t kLongestFrames = kCapacityFrames - 1;
	static constexpr double kShortestMs = 0.01;
	static constexpr double kLongestMs = 200.0;
	static_assert (kLongestMs * kHighestEngineRate * 0.001 <= kLongestFrames,
	               "the line must serve the longest time at the highest engine rate");

	PreDelay ();
	PreDelay (const PreDelay&) = delete;
	PreDelay& operator= (const PreDelay&) = delete;

	void setTime (double ms);
	void setSampleRate (double hz);
	void clear ();
	void updateLength ();

	// Returns the frame written length frames ago and stores x in its place.
	__m128d step (__m128d x, FrameClock clock)
	{
		Pair& slot = buffer[position.advance (clock, length)];
		const __m128d p = loadPair (slot);
		storePair (slot, x);
		return p;
	}

	// The same over many frames: frame j's input is source (j), and sink (j, output) takes the
	// delayed frame.
	template <class Source, class Sink>
	void run (FrameClock clock, int32_t frames, Source&& source, Sink&& sink)
	{
		LineCursor* const cursors[1] = {&position};
		const int32_t lengths[1] = {length};
		walkLines (cursors, lengths, clock, frames, [&] (int32_t first, int32_t count, const size_t* top) {
			Pair* const slot = &buffer[top[0]];
			for (int32_t j = 0; j < count; ++j)
			{
				const __m128d p = loadPair (slot[-j]);
				storePair (slot[-j], source (first + j));
				sink (first + j, p);
			}
		});
	}

	int32_t getLength () const { return length; }
	int32_t getPosition (FrameClock clock) const { return position.position (clock); }
	double getTimeMs () const { return timeMs; }
	double getSampleRate () const { return sampleRate; }

private:
	double sampleRate;
	LineCursor position; // frame, counting down from length to 1
	int32_t length; // frames, at least 2
	double timeMs;
	Pair buffer[kCapacityFrames];
};

} // namespace Vst
} // namespace Steinberg
