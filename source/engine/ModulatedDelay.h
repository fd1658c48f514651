// The late reverb's moving delay: a sine sweeps the two channels' read points in opposite directions.
#pragma once

#include "engine/EngineMath.h"
#include "engine/FrameLanes.h"

namespace Steinberg {
namespace Vst {

class alignas (64) ModulatedDelay
{
public:
	// Frames 0 to length are used, frame length being a guard copy of frame 0.
	static constexpr int32_t kCapacityFrames = 7710;
	static constexpr int32_t kLongestLength = kCapacityFrames - 1;
	static constexpr int32_t kShortestLength = 4;
	static constexpr double kShortestMs = 0.1;
	static constexpr double kLongestMs = 20.0;
	static constexpr double kLowestRate = 44100.0;
	static constexpr int32_t kTableSteps = 512; // one sine period
	static_assert (kLongestMs * kHighestPartRate * 0.001 + 1.0 <= kLongestLength,
	               "the line must serve the longest time at every rate the part accepts");

	ModulatedDelay ();
	ModulatedDelay (const ModulatedDelay&) = delete;
	ModulatedDelay& operator= (const ModulatedDelay&) = delete;

	void setDelayTime (double ms);
	void setDepth (double newDepth);
	// Both at once: what the two setters leave, worked out once.
	void setDelayTimeAndDepth (double ms, double newDepth);
	void setSpeed (double hz);
	void setSampleRate (double hz);
	void reset ();
	void recalculate ();
	void buildSineTable ();

	// One frame of the line in two halves: read () yields this frame's output and write () then
	// stores the frame's input. The reads never touch what this frame writes (the newest frame they
	// read is at least one frame old, and the guard frame is never read on a frame that wraps), so
	// the split gives exactly the result of writing first; it lets the engine start the long chain
	// that follows this delay before the combs have produced its input. Where the read points lie
	// depends only on the oscillator and the line's settings, so prepareRead () works them out
	// ahead, whenever one of them changes, and the frame itself only fetches and interpolates. The
	// engine's block path plans them a pass ahead instead (ModulationPlan.h).
	__m128d read ()
	{
		// The oscillator a step on from where it stood for this frame's read points.
		phase = wrapped (phase, writeIndex).phase + phaseIncrement;
		return interpolate (readSlots, loadPair (readFractions));
	}

	void write (__m128d a)
	{
		writeIndex = store (writeIndex, static_cast<uint32_t> (length), a);
		prepareRead ();
	}

	__m128d step (__m128d a)
	{
		const __m128d output = read ();
		write (a);
		return output;
	}

	int32_t getLength () const { return length; }
	int32_t getHalfLength () const { return halfLength; }
	uint32_t getWriteIndex () const { return writeIndex; }
	double getSwing () const { return swing; }
	double getPhase () const { return phase; }
	double getPhaseIncrement () const { return phaseIncrement; }
	double getRateHz () const { return rateHz; }
	double getDepth () const { return depth; }
	double getSampleRate () const { return sampleRate; }
	double getDelayMs () const { return delayMs; }
	double getReadOffset () const { return readOffset; }
	double getSineTableEntry (int32_t index) const { return sineTable[index]; }

private:
	friend class ModulationPlan;

	// Where the oscillator and the line stand for a frame's read points: the phase within the
	// table, and the frame the next write goes to, below the length.
	struct Position
	{
		double phase;
		uint32_t frame;
	};
	// The one wrap of both, from the phase and the write index as write () leaves them: the phase
	// at most a step past the table's end, the index at most the length (or anywhere past a length
	// just shortened), where the next write starts over at frame 0.
	Position wrapped (double at, uint32_t index) const
	{
		return {at > tableLength ? at - tableLength : at, index >= static_cast<uint32_t> (length) ? 0u : index};
	}

	// The read points of the next frame, from the oscillator's phase and the line's settings.
	void prepareRead ()
	{
		const Position at[1] = {wrapped (phase, writeIndex)};
		readPoints<Sse2Lanes> (at, readSlots, readFractions.lane);
	}

	// The oscillator's sine at a phase within the table.
	double sineAt (double phaseInTable) const
	{
		const int32_t i = static_cast<int32_t> (phaseInTable);
		return sineTable[i] + (phaseInTable - i) * sineSlopes[i];
	}

	// The read points of Lanes::kFrames / 2 frames at once, from where each stands: their older
	// slots (left, right of each frame in turn) and the interpolation fractions, in the same order.
	// A channel's older frame is the frame of the next write plus the whole frames of its offset
	// (readOffset -+ sine * swing) less the length, and less the length once more where that is not
	// below the length. The offsets lie from the length (length + halfLength less a swing of at most
	// half of halfLength) to below twice the length, so one subtraction at most brings it into the
	// line.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi" // for AvxLanes, runs inlined into an AVX entry (see SimdTarget.h)
	template <class Lanes>
	void readPoints (const Position* at, int32_t* slots, double* fractions) const
	{
		double sines[Lanes::kFrames / 2];
		int32_t writes[Lanes::kFrames / 2];
		for (int f = 0; f < Lanes::kFrames / 2; ++f)
		{
			sines[f] = sineAt (at[f].phase);
			writes[f] = static_cast<int32_t> (at[f].frame);
		}
		const typename Lanes::Vector offsets =
		    Lanes::add (Lanes::splat (readOffset), Lanes::mul (Lanes::perFrame (sines), Lanes::frame (laneSwing)));
		const __m128i whole = Lanes::truncate (offsets);
		Lanes::store (fractions, Lanes::sub (offsets, Lanes::toDouble (whole)));
		const __m128i sizes = _mm_set1_epi32 (length);
		__m128i read = _mm_add_epi32 (_mm_sub_epi32 (whole, sizes), Lanes::perFrame (writes));
		read = _mm_sub_epi32 (read, _mm_andnot_si128 (_mm_cmpgt_epi32 (sizes, read), sizes));
		const __m128i channels = _mm_set_epi32 (1, 0, 1, 0);
		Lanes::storeInts (slots, _mm_add_epi32 (_mm_add_epi32 (read, read), channels));
	}
#pragma GCC diagnostic pop

	__m128d interpolate (const int32_t* slots, __m128d fractions) const
	{
		const double* left = &buffer[slots[0]];
		const double* right = &buffer[slots[1]];
		const __m128d older = _mm_loadh_pd (_mm_load_sd (left), right);
		const __m128d newer = _mm_loadh_pd (_mm_load_sd (left + 2), right + 2);
		return _mm_add_pd (older, _mm_mul_pd (fractions, _mm_sub_pd (newer, older)));
	}

	// The line's one write: frame a at the write index, which starts over at frame 0 once it has
	// reached size (the length, as the caller holds it), frame 0 then going to the guard frame as
	// well. Returns the next write index.
	uint32_t store (uint32_t index, uint32_t size, __m128d a)
	{
		if (index >= size)
		{
			index = 0;
			storeFrame (&buffer[2 * size], a); // the guard copy of frame 0
		}
		storeFrame (&buffer[2 * index], a);
		return index + 1;
	}

	int32_t length; // frames of one cycle, at least 4
	uint32_t writeIndex; // where the next write goes, before the wrap
	int32_t halfLength;
	double swing; // modulation amplitude in frames
	double phase; // table steps, 0 to 512
	double phaseIncrement;
	double rateHz;
	double depth;
	double sampleRate;
	double delayMs;
	double readOffset; // length + halfLength
	double tableLength;
	Pair laneSwing; // (-swing, +swing): the left read point moves against the right one
	// Prepared for the next read: the older of the two interpolated slots of each channel, and the
	// interpolation fractions.
	int32_t readSlots[2];
	Pair readFractions;
	// Counts the changes of what the read points depend on, so that a plan made before one no
	// longer holds.
	uint32_t settings;
	double sineTable[kTableSteps + 2]; // two guard entries for the interpolation
	double sineSlopes[kTableSteps + 1]; // sineTable[i + 1] - sineTable[i]
	alignas (16) double buffer[2 * kCapacityFrames]; // left and right interleaved
};

} // namespace Vst
} // namespace Steinberg
