// The reverb engine's block path: processBlock runs each part over passes of frames, with the same
// bits as the frame routine (ReverbEngine.cpp), in SSE2 registers or, where the processor has AVX,
// partly in 256-bit ones.
#include "engine/ReverbEngine.h"
#include "engine/FrameLanes.h"

namespace Steinberg {
namespace Vst {

bool ReverbEngine::useAvx (bool enable)
{
	avxLanes = enable && cpuHasAvx ();
	return avxLanes;
}

void ReverbEngine::processBlock (const double* in, double* out, int32_t frames)
{
	int32_t count = frames < kPassFrames ? frames : kPassFrames;
	if (count <= 0)
		return;
	modulationPlan.planReads (count, avxLanes); // the plan the last block kept, where it still holds
	for (int32_t done = 0; done < frames;)
	{
		const int32_t left = frames - done - count;
		const int32_t next = left < kPassFrames ? left : kPassFrames;
		runPass (in + 2 * done, count);
		// The last pass plans as many frames ahead for the next block, which is often as long.
		finishPass (in + 2 * done, out + 2 * done, count, next > 0 ? next : count, next == 0);
		done += count;
		count = next;
	}
}

// Each part over the whole pass in the frame routine's order; every frame sees the same arithmetic
// in the same order as there, and the sums keep their order (taps, then combs, into one sum).
// What is left for finishPass: the late reverb in passSum, the taps' sum in passEarly.
void ReverbEngine::runPass (const double* in, int32_t frames)
{
	const FrameClock now = clock;
	// The pre-delayed frames p for the taps and, from each channel's p twice plus the other
	// channel's once, the combs' input c.
	preDelay.run (
	    now, frames, [in] (int32_t j) { return wetInput (_mm_loadu_pd (in + 2 * j)); },
	    [this] (int32_t j, __m128d p) {
		    storePair (passWet[j], p);
		    storePair (passComb[j], _mm_add_pd (p, _mm_add_pd (p, swapLanes (p))));
	    });
	EarlyReflectionTap::runTaps<kNumTaps> (taps, passWet, passEarly, now, frames, avxLanes);
	DampedComb::runCombs<kNumCombs> (combs, passComb, passEarly, passSum, now, frames, avxLanes);
	clock = now + static_cast<FrameClock> (frames);
	if (avxLanes)
		runLateReverbAvx (now, frames);
	else
		runLateReverb<false> (now, frames);
}

// The modulated delay and the diffusers over the pass, on the sums of taps and combs.
template <bool kAvx>
inline void ReverbEngine::runLateReverb (FrameClock now, int32_t frames)
{
	ModulationPlan::Pass modulation (modulationPlan);
	auto source = [&] (int32_t j) { return modulation.step (j, loadPair (passSum[j])); };
	auto sink = [this] (int32_t j, __m128d a) { storePair (passSum[j], a); };
	AllpassDiffuser::runChain<kNumDiffusers, kAvx> (diffusers, now, frames, source, sink);
}

TESSALINE_AVX_ENTRY void ReverbEngine::runLateReverbAvx (FrameClock now, int32_t frames)
{
	runLateReverb<true> (now, frames);
}

// The equaliser and the output. Each band's divisions make a long chain from frame to frame that
// leaves the processor idle most of the time, so the bands run a frame apart (the peaking band one
// frame behind the low shelf, the high shelf two), which lets the three chains overlap within a
// frame's work; and the modulated delay's read points for the next pass (next frames) are planned
// alongside, and kept for the next block where keep is set, while the next pass's scratch is
// fetched (fetchPassInputs). Each band still takes its frames in order, the same values as the
// frame routine.
void ReverbEngine::finishPass (const double* in, double* out, int32_t frames, int32_t next, bool keep)
{
	if (avxLanes)
	{
		finishPassAvx (in, out, frames, next, keep);
		return;
	}
	EqualizerBand::Kernel low (eqBands[0]);
	EqualizerBand::Kernel peak (eqBands[1]);
	EqualizerBand::Kernel high (eqBands[2]);
	ModulationPlan::Planner planner (modulationPlan);
	const __m128d late = loadPair (reverbGain);
	const __m128d early = loadPair (earlyReflectionsGain);
	__m128d lowOut = _mm_setzero_pd (); // of frame j - 1
	__m128d peakOut = _mm_setzero_pd (); // of frame j - 2
	for (int32_t j = 0; j < frames + 2; ++j)
	{
		if (j >= 2)
			_mm_storeu_pd (out + 2 * (j - 2), mix (high.step (peakOut), _mm_loadu_pd (in + 2 * (j - 2))));
		if (j >= 1 && j <= frames)
			peakOut = peak.step (lowOut);
		if (j < frames)
		{
			const __m128d er = _mm_mul_pd (early, loadPair (passEarly[j]));
			lowOut = low.step (_mm_add_pd (_mm_mul_pd (late, loadPair (passSum[j])), er));
		}
		if (j < next)
		{
			planner.step<Sse2Lanes> (j, next);
			fetchPassInputs (j);
		}
	}
	endPass (next, keep, low, peak, high);
}

// finishPass with the low shelf and the peaking band in one 256-bit register (KernelPair). The
// peaking band runs two frames behind the low shelf and the high shelf two behind that, so that
// what each band takes from the one before was made two frames earlier and no move between the
// halves lies on a band's own chain from frame to frame. A half whose band has no frame keeps its
// memory.
TESSALINE_AVX_ENTRY void ReverbEngine::finishPassAvx (const double* in, double* out, int32_t frames, int32_t next,
                                                      bool keep)
{
	EqualizerBand::Kernel low (eqBands[0]);
	EqualizerBand::Kernel peak (eqBands[1]);
	EqualizerBand::Kernel high (eqBands[2]);
	EqualizerBand::KernelPair lowAndPeak (low, peak);
	// The low shelf's outputs of the last two frames, and the peaking band's: the next band's input
	// two frames later.
	__m128d lowOut1 = _mm_setzero_pd (), lowOut2 = _mm_setzero_pd ();
	__m128d peakOut1 = _mm_setzero_pd (), peakOut2 = _mm_setzero_pd ();
	ModulationPlan::Planner planner (modulationPlan);
	const __m128d late = loadPair (reverbGain);
	const __m128d early = loadPair (earlyReflectionsGain);
	for (int32_t j = 0; j < frames + 4; ++j)
	{
		if (j >= 4)
			_mm_storeu_pd (out + 2 * (j - 4), mix (high.step (peakOut2), _mm_loadu_pd (in + 2 * (j - 4))));
		const bool lowOn = j < frames;
		const bool peakOn = j >= 2 && j < frames + 2;
		__m256d y = _mm256_setzero_pd ();
		if (lowOn || peakOn)
		{
			__m128d lowIn = _mm_setzero_pd ();
			if (lowOn)
			{
				const __m128d er = _mm_mul_pd (early, loadPair (passEarly[j]));
				lowIn = _mm_add_pd (_mm_mul_pd (late, loadPair (passSum[j])), er);
			}
			y = lowAndPeak.step (AvxLanes::halves (lowIn, lowOut2), lowOn, peakOn);
		}
		lowOut2 = lowOut1;
		lowOut1 = AvxLanes::lowHalf (y);
		peakOut2 = peakOut1;
		peakOut1 = AvxLanes::highHalf (y);
		if (j < next)
		{
			// The next pass's read points, two frames at a time.
			planner.step<AvxLanes> (j, next);
			fetchPassInputs (j);
		}
	}
	lowAndPeak.save (low, peak);
	endPass (next, keep, low, peak, high);
}

// Both finishPass routines end here: the read points planned for the next pass wait for the next
// block (keep) or are committed now (see ModulationPlan.h), and the bands keep their memory.
inline void ReverbEngine::endPass (int32_t next, bool keep, const EqualizerBand::Kernel& low,
                                   const EqualizerBand::Kernel& peak, const EqualizerBand::Kernel& high)
{
	if (keep)
		modulationPlan.keep (next);
	else
		modulationPlan.commit (next);
	low.save (eqBands[0]);
	peak.save (eqBands[1]);
	high.save (eqBands[2]);
}

} // namespace Vst
} // namespace Steinberg
