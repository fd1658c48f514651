// The modulated delay's read points planned a pass ahead, for the engine's block path.
//
// Where the delay reads depends on its oscillator, its write position and its settings alone,
// never on the audio. So the block path works out the read points of a pass ahead (a Planner,
// during the pass before, alongside the equaliser), and the pass itself only fetches,
// interpolates and stores (a Pass).
//
// The rule: during a block, the oscillator runs one pass ahead of the audio. From the commit of a
// pass's plan to the end of that pass, the delay's phase and prepared read points stand where the
// frame routine would leave them after the pass, while its write position still stands at the
// pass's start, and the Pass brings the write position up. So when a pass ends, the delay stands
// wholly where the frame routine would leave it, and the next pass's plan starts from there.
//
// Commit: a plan's first frames become the next pass's; the delay's oscillator and prepared read
// points move on to where those frames leave them.
// Keep: the plan that the block's last pass makes for the next block's first waits, uncommitted,
// so that between blocks the delay stands where the audio does, as the frame routine leaves it
// (a frame may run, a setting may change). The next block commits it if the delay still stands
// where it stood when the plan was made, with the same settings (the plan's Key); otherwise that
// block plans afresh.
#pragma once

#include "engine/FrameLanes.h"
#include "engine/ModulatedDelay.h"

namespace Steinberg {
namespace Vst {

class alignas (64) ModulationPlan
{
public:
	static constexpr int32_t kFrames = 256; // the longest plan

	explicit ModulationPlan (ModulatedDelay& line);
	ModulationPlan (const ModulationPlan&) = delete;
	ModulationPlan& operator= (const ModulationPlan&) = delete;

	// A block's first pass of `frames` frames: the kept plan where it holds, else one made now (with
	// AvxLanes where avx is set, the processor having AVX); committed.
	void planReads (int32_t frames, bool avx);
	void commit (int32_t frames);
	void keep (int32_t frames);

	// Plans frames 1 on from the delay as it stands, whose prepared read points are frame 0's.
	class Planner
	{
	public:
		explicit Planner (ModulationPlan& owner)
		: plan (owner)
		, delay (owner.delay)
		, increment (delay.phaseIncrement)
		, at (delay.wrapped (delay.phase, delay.writeIndex))
		{
			plan.slots[0] = delay.readSlots[0];
			plan.slots[1] = delay.readSlots[1];
			plan.fractions[0] = delay.readFractions;
		}
		Planner (const Planner&) = delete;
		Planner& operator= (const Planner&) = delete;

		// Called for each frame j of a plan of `frames` frames, in turn; together the calls plan
		// frames 1 to `frames`. With Lanes (Sse2Lanes, or AvxLanes for a caller built for AVX),
		// the call for a frame j that starts a group of Lanes::kFrames / 2 plans the group's
		// frames j + 1 on at once, and a last group that is too short goes a frame at a time.
		template <class Lanes>
		void step (int32_t j, int32_t frames)
		{
			constexpr int32_t kGroup = Lanes::kFrames / 2;
			if (j % kGroup != 0)
				return;
			if (j + kGroup <= frames)
				planAfter<Lanes> (j);
			else
				for (int32_t k = j; k < frames; ++k)
					planAfter<Sse2Lanes> (k);
		}

	private:
		// Frames j + 1 to j + Lanes::kFrames / 2: the oscillator and the write position a frame on
		// for each, as read () and write () move them, then their read points.
		template <class Lanes>
		void planAfter (int32_t j)
		{
			ModulatedDelay::Position next[Lanes::kFrames / 2];
			for (int f = 0; f < Lanes::kFrames / 2; ++f)
			{
				const double phase = at.phase + increment;
				at = delay.wrapped (phase, at.frame + 1);
				next[f] = at;
				plan.phases[j + 1 + f] = phase;
			}
			delay.readPoints<Lanes> (next, &plan.slots[2 * (j + 1)], plan.fractions[j + 1].lane);
		}

		ModulationPlan& plan;
		const ModulatedDelay& delay;
		const double increment;
		ModulatedDelay::Position at; // of the frame last planned
	};

	// Runs the committed frames of a plan through the line.
	class Pass
	{
	public:
		explicit Pass (ModulationPlan& owner)
		: plan (owner), delay (owner.delay), size (static_cast<uint32_t> (delay.length)), w (delay.writeIndex)
		{
		}
		Pass (const Pass&) = delete;
		Pass& operator= (const Pass&) = delete;
		~Pass () { delay.writeIndex = w; }

		// Frame j of the plan: returns the output and stores the input a.
		__m128d step (int32_t j, __m128d a)
		{
			const __m128d output = delay.interpolate (&plan.slots[2 * j], loadPair (plan.fractions[j]));
			w = delay.store (w, size, a);
			return output;
		}

	private:
		const ModulationPlan& plan;
		ModulatedDelay& delay;
		const uint32_t size;
		uint32_t w;
	};

private:
	// What a plan starts from besides its frames: the delay's phase and write index, and the count
	// of its settings' changes.
	struct Key
	{
		double phase;
		uint32_t writeIndex;
		uint32_t settings;
		bool operator== (const Key& other) const
		{
			return phase == other.phase && writeIndex == other.writeIndex && settings == other.settings;
		}
	};
	Key key () const { return {delay.phase, delay.writeIndex, delay.settings}; }

	// A plan of `frames` frames made in one go; planAvx is plan<AvxLanes>, built for AVX, which
	// works out two frames' read points in each 256-bit register, as finishPassAvx does.
	template <class Lanes>
	void plan (int32_t frames);
	void planAvx (int32_t frames);

	// Frame j's read points: the older slots of the left and right channel, slots[2 j] and
	// slots[2 j + 1], and the fractions; and the oscillator's phase after frame j, as write ()
	// leaves it.
	int32_t slots[2 * (kFrames + 1)];
	Pair fractions[kFrames + 1];
	double phases[kFrames + 1];
	ModulatedDelay& delay;
	int32_t keptFrames; // of the kept plan; 0 for none
	Key kept;
};

} // namespace Vst
} // namespace Steinberg
