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
	// ahead, whenever one of them changes, and the frame itself only fetches and interpolates.
	__m128d read ()
	{
		if (phase > tableLength)
			phase = phase - tableLength;
		phase = phase + phaseIncrement;
		wrapping = writeIndex >= static_cast<uint32_t> (length);
		if (wrapping)
			writeIndex = 0;
		return interpolate (readSlotL, readSlotR, loadPair (readFraction));
	}

	void write (__m128d a)
	{
		if (wrapping)
			storeFrame (&buffer[2 * length], a); // the guard copy of frame 0
		storeFrame (&buffer[2 * writeIndex], a);
		++writeIndex;
		prepareRead ();
	}

	// The same over many frames. The read points depend on the oscillator, the write position and
	// the settings alone: a Planner works them out for the next frames (at most kPlanFrames) ahead,
	// frame by frame alongside other work or all at once with planReads, and a Pass then only
	// fetches, interpolates and stores, frame by frame. A plan can also be kept for frames that may
	// come later (the next block's): planReads then takes it as it is if the delay still stands
	// where it stood when the plan was made, with the same settings.
	static constexpr int32_t kPlanFrames = 256;
	void planReads (int32_t frames);

	class Planner
	{
	public:
		explicit Planner (ModulatedDelay& delay)
		: line (delay)
		, size (static_cast<uint32_t> (delay.length))
		, table (delay.tableLength)
		, increment (delay.phaseIncrement)
		, p (delay.phase)
		, wrapped (delay.phase > delay.tableLength ? delay.phase - delay.tableLength : delay.phase)
		, w (delay.writeIndex >= size ? 0 : delay.writeIndex)
		{
			line.planSlots[0] = line.readSlotL;
			line.planSlots[1] = line.readSlotR;
			line.planFractions[0] = line.readFraction;
		}
		Planner (const Planner&) = delete;
		Planner& operator= (const Planner&) = delete;

		// The read points of frame j + 1 of the plan, as write () prepares them after frame j.
		// The wrap of the oscillator that readPoints () makes for the table is the one the next
		// step starts from, and so is the write frame below the size: each is made once here.
		void step (int32_t j)
		{
			p = wrapped + increment;
			wrapped = p > table ? p - table : p;
			w = w + 1 >= size ? 0 : w + 1;
			__m128d fractions;
			line.readPointsAt (wrapped, w, line.planSlots[2 * j + 2], line.planSlots[2 * j + 3], fractions);
			storePair (line.planFractions[j + 1], fractions);
			line.planPhases[j + 1] = p;
		}

		// The read points of frames j + 1 and j + 2, as two step ()s make them, the two frames'
		// offsets and read frames worked out together; for a caller built for AVX.
		TESSALINE_AVX_HELPER void stepTwo (int32_t j)
		{
			const double p0 = wrapped + increment;
			const double q0 = p0 > table ? p0 - table : p0;
			const double p1 = q0 + increment;
			const double q1 = p1 > table ? p1 - table : p1;
			const uint32_t w0 = w + 1 >= size ? 0 : w + 1;
			const uint32_t w1 = w0 + 1 >= size ? 0 : w0 + 1;
			p = p1;
			wrapped = q1;
			w = w1;
			_mm_storeu_pd (&line.planPhases[j + 1], _mm_set_pd (p1, p0));
			const __m256d sines = _mm256_set_pd (line.sineAt (q1), line.sineAt (q1), line.sineAt (q0), line.sineAt (q0));
			line.readPointsOfTwo (sines, w0, w1, &line.planSlots[2 * j + 2], line.planFractions[j + 1].lane);
		}

		// After frames steps: the oscillator and the prepared points where the plan ends.
		void finish (int32_t frames) { line.commitPlan (frames); }

		// After frames steps, instead of finish: the plan waits for planReads.
		void keep (int32_t frames)
		{
			line.keptFrames = frames;
			line.keptPhase = line.phase;
			line.keptWriteIndex = line.writeIndex;
			line.keptSettings = line.settings;
		}

	private:
		ModulatedDelay& line;
		const uint32_t size;
		const double table;
		const double increment;
		double p; // as write () leaves the phase
		double wrapped; // within the table
		uint32_t w; // the frame the next write goes to
	};

	class Pass
	{
	public:
		explicit Pass (ModulatedDelay& delay)
		: line (delay), size (static_cast<uint32_t> (delay.length)), w (delay.writeIndex)
		{
		}
		Pass (const Pass&) = delete;
		Pass& operator= (const Pass&) = delete;
		~Pass () { line.writeIndex = w; }

		// Frame j of the plan: returns the output and stores the input a.
		__m128d step (int32_t j, __m128d a)
		{
			const __m128d output =
			    line.interpolate (line.planSlots[2 * j], line.planSlots[2 * j + 1], loadPair (line.planFractions[j]));
			if (w >= size)
			{
				w = 0;
				storeFrame (&line.buffer[2 * size], a); // the guard copy of frame 0
			}
			storeFrame (&line.buffer[2 * w], a);
			++w;
			return output;
		}

	private:
		ModulatedDelay& line;
		const uint32_t size;
		uint32_t w;
	};

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
	// The oscillator and the prepared points where the plan's first frames end.
	void commitPlan (int32_t frames)
	{
		phase = planPhases[frames];
		readSlotL = planSlots[2 * frames];
		readSlotR = planSlots[2 * frames + 1];
		readFraction = planFractions[frames];
	}

	// The read points of the next frame, from the oscillator's phase and the line's settings.
	void prepareRead ()
	{
		__m128d fractions;
		readPoints (phase, writeIndex, readSlotL, readSlotR, fractions);
		storePair (readFraction, fractions);
	}
	// The read points for the oscillator at `at` (before its wrap) and the write index `next`.
	void readPoints (double at, uint32_t next, int32_t& slotL, int32_t& slotR, __m128d& fractions) const;
	// The same from the phase after its wrap and the write frame below the size.
	void readPointsAt (double phaseInTable, uint32_t frame, int32_t& slotL, int32_t& slotR, __m128d& fractions) const;
	// The oscillator's sine at a phase within the table.
	double sineAt (double phaseInTable) const
	{
		const int32_t i = static_cast<int32_t> (phaseInTable);
		return sineTable[i] + (phaseInTable - i) * sineSlopes[i];
	}
	// readPointsAt's second half for two frames, from their sines (the first frame's in the low
	// half, in both of its lanes) and write frames: four slots and two pairs of fractions.
	TESSALINE_AVX_HELPER void readPointsOfTwo (__m256d sines, uint32_t frame0, uint32_t frame1, int32_t* slots,
	                                           double* fractions) const
	{
		const __m256d offsets = _mm256_add_pd (_mm256_set1_pd (readOffset),
		                                       _mm256_mul_pd (sines, _mm256_broadcast_pd (reinterpret_cast<const __m128d*> (laneSwing.lane))));
		const __m128i whole = _mm256_cvttpd_epi32 (offsets);
		_mm256_storeu_pd (fractions, _mm256_sub_pd (offsets, _mm256_cvtepi32_pd (whole)));
		// As belowSize (), in each lane.
		const __m128i sizes = _mm_set1_epi32 (length);
		__m128i frames = _mm_add_epi32 (_mm_sub_epi32 (whole, sizes),
		                                _mm_set_epi32 (static_cast<int32_t> (frame1), static_cast<int32_t> (frame1),
		                                               static_cast<int32_t> (frame0), static_cast<int32_t> (frame0)));
		frames = _mm_sub_epi32 (frames, _mm_and_si128 (_mm_cmpgt_epi32 (frames, _mm_set1_epi32 (length - 1)), sizes));
		const __m128i lanes = _mm_set_epi32 (1, 0, 1, 0);
		_mm_storeu_si128 (reinterpret_cast<__m128i*> (slots), _mm_add_epi32 (_mm_add_epi32 (frames, frames), lanes));
	}

	__m128d interpolate (int32_t slotL, int32_t slotR, __m128d fractions) const
	{
		const double* left = &buffer[slotL];
		const double* right = &buffer[slotR];
		const __m128d older = _mm_loadh_pd (_mm_load_sd (left), right);
		const __m128d newer = _mm_loadh_pd (_mm_load_sd (left + 2), right + 2);
		return _mm_add_pd (older, _mm_mul_pd (fractions, _mm_sub_pd (newer, older)));
	}

	// frame modulo size, for a frame below twice the size: the frame the next step writes lies
	// below the size, and the read offsets lie from the size (length + halfLength less a swing of
	// at most half of halfLength) to below twice the size, so that frame plus offset less the
	// size does.
	static uint32_t belowSize (uint32_t frame, uint32_t size) { return frame >= size ? frame - size : frame; }

	int32_t length; // frames of one cycle, at least 4
	uint32_t writeIndex; // frame last written
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
	bool wrapping; // set by read () when this frame starts a new cycle of the line, for write ()
	// Prepared for the next read: the older of the two interpolated slots of each channel, and
	// the interpolation fractions.
	int32_t readSlotL;
	int32_t readSlotR;
	Pair readFraction;
	// The planned read points: those of the first frame (the prepared ones), then of each next;
	// and the oscillator's phase after each frame.
	int32_t planSlots[2 * (kPlanFrames + 1)];
	Pair planFractions[kPlanFrames + 1];
	double planPhases[kPlanFrames + 1];
	// A kept plan: its frames (0 for none), and the phase, write position and settings it was
	// made from. settings counts the changes of what the read points depend on.
	int32_t keptFrames;
	double keptPhase;
	uint32_t keptWriteIndex;
	uint32_t keptSettings;
	uint32_t settings;
	double sineTable[kTableSteps + 2]; // two guard entries for the interpolation
	double sineSlopes[kTableSteps + 1]; // sineTable[i + 1] - sineTable[i]
	alignas (16) double buffer[2 * kCapacityFrames]; // left and right interleaved
};

inline void ModulatedDelay::readPoints (double at, uint32_t next, int32_t& slotL, int32_t& slotR,
                                        __m128d& fractions) const
{
	const uint32_t size = static_cast<uint32_t> (length);
	readPointsAt (at > tableLength ? at - tableLength : at, next >= size ? 0 : next, slotL, slotR, fractions);
}

inline void ModulatedDelay::readPointsAt (double p, uint32_t w, int32_t& slotL, int32_t& slotR,
                                          __m128d& fractions) const
{
	const double s = sineAt (p);

	// (oL, oR) = (readOffset - s * swing, readOffset + s * swing)
	const __m128d offsets = _mm_add_pd (_mm_set1_pd (readOffset),
	                                    _mm_mul_pd (_mm_set1_pd (s), loadPair (laneSwing)));
	const __m128i whole = _mm_cvttpd_epi32 (offsets);
	fractions = _mm_sub_pd (offsets, _mm_cvtepi32_pd (whole));

	const uint32_t size = static_cast<uint32_t> (length);
	const __m128i beyond = _mm_sub_epi32 (whole, _mm_set1_epi32 (length));
	const uint32_t jL = belowSize (w + static_cast<uint32_t> (_mm_cvtsi128_si32 (beyond)), size);
	const uint32_t jR =
	    belowSize (w + static_cast<uint32_t> (_mm_cvtsi128_si32 (_mm_shuffle_epi32 (beyond, 1))), size);
	slotL = static_cast<int32_t> (2 * jL);
	slotR = static_cast<int32_t> (2 * jR + 1);
}

} // namespace Vst
} // namespace Steinberg
