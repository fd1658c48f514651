// Numeric helpers shared by the engine's parts: clamps, rate checks, delay lengths, stereo pairs.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <emmintrin.h>

namespace Steinberg {
namespace Vst {

// The highest rate the engine is run at, and the highest that the parts' own setters accept.
constexpr double kHighestEngineRate = 192000.0;
constexpr double kHighestPartRate = 384000.0;
// Used whenever a rate is not a positive finite number.
constexpr double kFallbackRate = 44100.0;

// Lower bound first, then the upper one; a NaN value yields the lower bound.
inline double clampValue (double value, double lower, double upper)
{
	if (!(value >= lower))
		value = lower;
	if (value > upper)
		value = upper;
	return value;
}

// Whether two doubles are the same bits: unlike ==, 0 and -0 differ and a NaN equals itself.
inline bool sameBits (double a, double b)
{
	return std::memcmp (&a, &b, sizeof (double)) == 0;
}

// Levels and equaliser gains are linear or dB values that the setters do not limit to their
// normal range; a value from a damaged saved state must still not overflow into the wet path's
// filters, where an infinity would turn into NaN and stay until the next reset. The bound is far
// outside anything a host or a preset can send (1 is the top of the range). NaN counts as 0.
constexpr double kLevelArgumentLimit = 1000.0;
constexpr double kEqGainArgumentLimit = 10.0; // +-240 dB: still finite coefficients

inline double boundedArgument (double value, double limit)
{
	if (std::isnan (value))
		return 0.0;
	return value < -limit ? -limit : (value > limit ? limit : value);
}

inline double boundedLevelArgument (double value)
{
	return boundedArgument (value, kLevelArgumentLimit);
}

// A rate that is zero, negative or not finite never reaches a length or coefficient computation.
inline double positiveFiniteRate (double hz)
{
	return (hz > 0.0 && std::isfinite (hz)) ? hz : kFallbackRate;
}

// The rate a delay part works with: a usable rate, capped at the highest part rate.
inline double usableSampleRate (double hz)
{
	const double rate = positiveFiniteRate (hz);
	return rate > kHighestPartRate ? kHighestPartRate : rate;
}

// Delay length in samples (or frames) for a time in ms: nearest count, an exact half rounding up.
// The time and rate reach here already bounded, so the count always fits an int32; it is then held
// between the shortest delay and what the line can serve.
inline int32_t delayCount (double timeMs, double sampleRate, int32_t minimum, int32_t maximum)
{
	const double n = timeMs * sampleRate * 0.001;
	const int32_t whole = static_cast<int32_t> (clampValue (n, 0.0, 2147483520.0));
	const double fraction = n - whole;
	int32_t count = fraction < 0.5 ? whole : whole + 1;
	if (count < minimum)
		count = minimum;
	if (count > maximum)
		count = maximum;
	return count;
}

// Both lanes of times held as clampValue holds each (maxpd gives its second operand, the lower
// bound, for a NaN), then their delayCount, the first lane's at counts[0]: the same values as
// the scalar calls, without their branches.
inline __m128d clampPair (__m128d values, double lower, double upper)
{
	return _mm_min_pd (_mm_max_pd (values, _mm_set1_pd (lower)), _mm_set1_pd (upper));
}

inline void delayCounts (__m128d timesMs, double sampleRate, int32_t minimum, int32_t maximum, int32_t* counts)
{
	const __m128d n = _mm_mul_pd (_mm_mul_pd (timesMs, _mm_set1_pd (sampleRate)), _mm_set1_pd (0.001));
	const __m128i whole = _mm_cvttpd_epi32 (clampPair (n, 0.0, 2147483520.0));
	// All ones where the fraction is below a half, in the int32 lane of each count.
	const __m128d below = _mm_cmplt_pd (_mm_sub_pd (n, _mm_cvtepi32_pd (whole)), _mm_set1_pd (0.5));
	__m128i count = _mm_add_epi32 (_mm_add_epi32 (whole, _mm_set1_epi32 (1)),
	                               _mm_shuffle_epi32 (_mm_castpd_si128 (below), _MM_SHUFFLE (2, 0, 2, 0)));
	const __m128i low = _mm_set1_epi32 (minimum);
	const __m128i high = _mm_set1_epi32 (maximum);
	const __m128i under = _mm_cmplt_epi32 (count, low);
	count = _mm_or_si128 (_mm_and_si128 (under, low), _mm_andnot_si128 (under, count));
	const __m128i over = _mm_cmpgt_epi32 (count, high);
	count = _mm_or_si128 (_mm_and_si128 (over, high), _mm_andnot_si128 (over, count));
	_mm_storel_epi64 (reinterpret_cast<__m128i*> (counts), count);
}

// The engine's frame counter, as wide as a pointer so that positions index the lines directly. It
// wraps around, which the positions do not mind: they only ever take differences of it.
using FrameClock = uintptr_t;

// A delay line's position: it counts down from the line's length to 1, one step per frame, and
// then starts again from the length in force at that moment, so that a new length takes effect
// only when the countdown ends. It is kept as the value of the engine's frame clock at which the
// countdown reaches 1, so that a frame costs a subtraction rather than a stored decrement.
class LineCursor
{
public:
	// Position at clock value `clock`.
	int32_t position (FrameClock clock) const { return static_cast<int32_t> (lastAt - clock) + 1; }
	void setPosition (FrameClock clock, int32_t position)
	{
		lastAt = clock + static_cast<FrameClock> (position) - 1;
	}

	// The storage index of the frame at `clock`: lines keep position p at index p - 1. When the
	// countdown ends there, the next frame starts again from `length`.
	size_t advance (FrameClock clock, int32_t length)
	{
		const size_t remaining = index (clock);
		if (__builtin_expect (remaining == 0, 0))
			restart (clock, length);
		return remaining;
	}

	// advance () in two halves, for a walk over many frames: the storage index at `clock` (the
	// countdown's frames left after this one), and the new countdown that starts after the one that
	// ends at `clock`.
	size_t index (FrameClock clock) const { return lastAt - clock; }
	void restart (FrameClock clock, int32_t length) { lastAt = clock + static_cast<FrameClock> (length); }

private:
	FrameClock lastAt; // clock value of the countdown's last frame, the one at position 1
};

// Walks `frames` frames from `clock` over N lines in runs within which no countdown ends before
// the run's last frame: each next () gives the run of frames first to first + count - 1, frame
// first + j at storage index top[k] - j of line k. A countdown that ends on a run's last frame
// starts again from the length given for its line, exactly as advance () does frame by frame.
// Lengths do not change during a walk.
template <int N>
class LineWalk
{
public:
	LineWalk (LineCursor* const (&lineCursors)[N], const int32_t (&lineLengths)[N], FrameClock start, int32_t total)
	: clock (start), frames (total)
	{
		for (int k = 0; k < N; ++k)
		{
			cursors[k] = lineCursors[k];
			lengths[k] = lineLengths[k];
		}
	}

	bool next ()
	{
		if (count > 0)
		{
			first += count;
			const FrameClock last = clock + static_cast<FrameClock> (first) - 1;
			for (int k = 0; k < N; ++k)
				if (top[k] + 1 == static_cast<size_t> (count))
					cursors[k]->restart (last, lengths[k]);
		}
		if (first >= frames)
			return false;
		size_t frameCount = static_cast<size_t> (frames - first);
		for (int k = 0; k < N; ++k)
		{
			top[k] = cursors[k]->index (clock + static_cast<FrameClock> (first));
			if (top[k] < frameCount)
				frameCount = top[k] + 1;
		}
		count = static_cast<int32_t> (frameCount);
		return true;
	}

	int32_t first = 0;
	int32_t count = 0;
	size_t top[N];

private:
	LineCursor* cursors[N];
	int32_t lengths[N];
	FrameClock clock;
	int32_t frames;
};

// The same with visit (first, count, top) for each run.
template <int N, class Visit>
inline void walkLines (LineCursor* const (&cursors)[N], const int32_t (&lengths)[N], FrameClock clock,
                       int32_t frames, Visit&& visit)
{
	LineWalk<N> walk (cursors, lengths, clock, frames);
	while (walk.next ())
		visit (walk.first, walk.count, walk.top);
}

// A stereo pair of doubles, left then right, aligned so that it loads into one SSE2 register
// and can be used directly as a memory operand. Engine objects are over-aligned, so a new-expression
// places them correctly on every target.
struct alignas (16) Pair
{
	double lane[2];
	double& operator[] (int index) { return lane[index]; }
	double operator[] (int index) const { return lane[index]; }
};

inline __m128d loadPair (const Pair& pair) { return _mm_load_pd (pair.lane); }
inline void storePair (Pair& pair, __m128d value) { _mm_store_pd (pair.lane, value); }
inline void setPair (Pair& pair, double left, double right)
{
	pair.lane[0] = left;
	pair.lane[1] = right;
}

// A frame into an interleaved stereo line; lines are aligned and frames are 16 bytes apart.
inline void storeFrame (double* frame, __m128d value) { _mm_store_pd (frame, value); }

// (right, left) from (left, right).
inline __m128d swapLanes (__m128d value) { return _mm_shuffle_pd (value, value, 1); }

} // namespace Vst
} // namespace Steinberg
