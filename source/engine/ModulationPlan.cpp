// The modulated delay's plan: made or taken at a block's start, committed, kept for the next block.
#include "engine/ModulationPlan.h"

namespace Steinberg {
namespace Vst {

ModulationPlan::ModulationPlan (ModulatedDelay& line)
: delay (line), keptFrames (0), kept {0.0, 0, 0}
{
}

void ModulationPlan::planReads (int32_t frames, bool avx)
{
	const bool holds = keptFrames >= frames && kept == key ();
	keptFrames = 0;
	if (!holds)
	{
		if (avx)
			planAvx (frames);
		else
			plan<Sse2Lanes> (frames);
	}
	commit (frames);
}

template <class Lanes>
inline void ModulationPlan::plan (int32_t frames)
{
	Planner planner (*this);
	for (int32_t j = 0; j < frames; ++j)
		planner.step<Lanes> (j, frames);
}

TESSALINE_AVX_ENTRY void ModulationPlan::planAvx (int32_t frames)
{
	plan<AvxLanes> (frames);
}

void ModulationPlan::commit (int32_t frames)
{
	delay.phase = phases[frames];
	delay.readSlots[0] = slots[2 * frames];
	delay.readSlots[1] = slots[2 * frames + 1];
	delay.readFractions = fractions[frames];
}

void ModulationPlan::keep (int32_t frames)
{
	keptFrames = frames;
	kept = key ();
}

} // namespace Vst
} // namespace Steinberg
