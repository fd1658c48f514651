// The reverb engine: stereo frames of doubles in, reverberated stereo frames out, one at a time
// (processFrame, in ReverbEngine.cpp with the setters) or over blocks (processBlock, in
// ReverbEngineBlock.cpp), with the same bits.
#pragma once

#include "engine/AllpassDiffuser.h"
#include "engine/DampedComb.h"
#include "engine/EarlyReflectionTap.h"
#include "engine/EngineMath.h"
#include "engine/EqualizerBand.h"
#include "engine/ModulatedDelay.h"
#include "engine/ModulationPlan.h"
#include "engine/PreDelay.h"
#include "engine/VariationTables.h"

namespace Steinberg {
namespace Vst {

// About 20 MB of delay memory lives inside the object: build it on the heap (its owner is a heap
// object), never on a stack, and never copy it. Nothing is allocated after construction; setters
// and processFrame must not overlap.
class alignas (64) ReverbEngine
{
public:
	static constexpr int kNumEqBands = 3;
	// Level scales of the late reverb and of the wet signal. kLateToEarly scales the late reverb
	// against the early reflections where the two meet, before the equaliser, and the wet scale
	// divides it out again: the late reverb reaches the output at 0.6 * 0.1 = 0.06 of its level, the
	// early reflections at 0.1 / kLateToEarly = 0.399, about 12 dB more than they would without it.
	static constexpr double kLateToEarly = 0.2505935;
	static constexpr double kReverbLevelScale = 0.6 * kLateToEarly;
	static constexpr double kWetLevelScale = 0.1 / kLateToEarly;

	ReverbEngine ();
	ReverbEngine (const ReverbEngine&) = delete;
	ReverbEngine& operator= (const ReverbEngine&) = delete;

	// Clears every line and filter state; settings, positions and the oscillator phase stay.
	void reset ();
	// Hands the rate to every part, which bounds it itself; nothing is cleared.
	void setSampleRate (double hz);
	// in and out may be the same array. Always returns 0.
	int32_t processFrame (const double in[2], double out[2]);
	// Frames of interleaved doubles (left, right, left, ...): frame for frame exactly what
	// processFrame gives, each part running over up to kPassFrames frames in turn. in and out may
	// be the same array.
	void processBlock (const double* in, double* out, int32_t frames);
	static constexpr int32_t kPassFrames = 256;
	static_assert (kPassFrames <= ModulationPlan::kFrames, "a pass plans the modulated delay's reads ahead");
	// processBlock runs the taps, combs and diffusers in 256-bit registers where the processor has
	// AVX (the default there), and with SSE2 otherwise; the bits are the same. Returns whether AVX
	// is used.
	bool useAvx (bool enable);
	bool usesAvx () const { return avxLanes; }

	// Levels (normalized, not limited; NaN counts as 0) and their bypass switches.
	void setDryLevel (double value);
	void setDryBypass (bool bypass);
	void setEarlyReflectionsLevel (double value);
	void setEarlyReflectionsBypass (bool bypass);
	void setReverbLevel (double value);
	void setReverbBypass (bool bypass);
	void setWetLevel (double value);
	void setWetBypass (bool bypass);

	// Sound parameters; "limited" ones are held within 0..1 (NaN counts as 0).
	void setPreDelay (double value); // limited; 0 to 200 ms
	void setWidth (double value); // limited; cross-mix 1 - value
	void setEarlyReflectionVariation (int32_t variation); // 1 to 12, anything else 1
	void setReverbVariation (int32_t variation); // 1 to 6, anything else 3
	void setDecayTime (double value); // limited; 0.2 to 20 s
	void setRoomSize (double value); // limited
	void setDiffusion (double value); // limited
	void setDampIntensity (double value); // each comb holds it within 0..1
	void setDampFrequency (double hz);
	void setEqGain (double value, int32_t band); // 24 * value - 12 dB; bands 0 to 2, others ignored
	void setEqFrequency (double hz, int32_t band); // bands 0 to 2, others ignored
	void setModulationDepth (double value); // limited
	void setModulationSpeed (double value); // limited; 0 to 20 Hz

	// Table selection; the recompute operations below read the selected tables.
	void setEarlyReflectionTimeTable (const EarlyReflectionTable& table);
	void setEarlyReflectionGainTable (const EarlyReflectionTable& table);
	void setCombGainTables (const CombTable& left, const CombTable& right);
	void setCombTimeTables (const CombTable& left, const CombTable& right);
	void setDiffuserGainTables (const DiffuserTable& left, const DiffuserTable& right);
	void setDiffuserTimeTable (const DiffuserTable& table);

	void updateEarlyReflections ();
	void updateDiffuserGains ();
	void updateDiffuserTimes ();
	void updateCombs ();

	// Read access for owners and tests.
	const PreDelay& getPreDelay () const { return preDelay; }
	const EarlyReflectionTap& getTap (int index) const { return taps[index]; }
	const DampedComb& getComb (int index) const { return combs[index]; }
	const ModulatedDelay& getModulatedDelay () const { return modulatedDelay; }
	const AllpassDiffuser& getDiffuser (int index) const { return diffusers[index]; }
	const EqualizerBand& getEqBand (int index) const { return eqBands[index]; }
	double getDryGain () const { return dryGain[0]; }
	double getEarlyReflectionsGain () const { return earlyReflectionsGain[0]; }
	double getReverbGain () const { return reverbGain[0]; }
	double getWetGain () const { return wetGain[0]; }
	double getWidthCrossMix () const { return widthCrossMix[0]; }
	double getSizeFactor () const { return sizeFactor; }
	double getDecayFactor () const { return decayFactor; }
	double getDiffusion () const { return diffusion; }
	const EarlyReflectionTable& getEarlyReflectionTimeTable () const { return *earlyReflectionTimeTable; }
	const EarlyReflectionTable& getEarlyReflectionGainTable () const { return *earlyReflectionGainTable; }
	const CombTable& getCombTimeTableLeft () const { return *combTimeTableLeft; }
	const CombTable& getCombTimeTableRight () const { return *combTimeTableRight; }
	const CombTable& getCombGainTableLeft () const { return *combGainTableLeft; }
	const CombTable& getCombGainTableRight () const { return *combGainTableRight; }
	const DiffuserTable& getDiffuserTimeTable () const { return *diffuserTimeTable; }

private:
	static void setGainPair (Pair& gain, double level, bool bypass);
	void updateEarlyReflectionTimes ();
	// The block path's steps (ReverbEngineBlock.cpp).
	void runPass (const double* in, int32_t frames);
	template <bool kAvx>
	void runLateReverb (FrameClock now, int32_t frames);
	void runLateReverbAvx (FrameClock now, int32_t frames);
	void finishPass (const double* in, double* out, int32_t frames, int32_t next, bool keep);
	void finishPassAvx (const double* in, double* out, int32_t frames, int32_t next, bool keep);
	void endPass (int32_t next, bool keep, const EqualizerBand::Kernel& low, const EqualizerBand::Kernel& peak,
	              const EqualizerBand::Kernel& high);
	// The next pass's pre-delay stores its frame j in passWet and passComb. By the end of a pass the
	// lines' streams have pushed both out of the first-level cache, and the pre-delay's loop has
	// too little else to do to hide the misses: fetched a cache line at a time while the equaliser
	// waits on its divisions, they cost nothing.
	void fetchPassInputs (int32_t j) const
	{
		if ((j & 3) == 0) // four frames to a 64-byte line
		{
			_mm_prefetch (reinterpret_cast<const char*> (&passWet[j]), _MM_HINT_T0);
			_mm_prefetch (reinterpret_cast<const char*> (&passComb[j]), _MM_HINT_T0);
		}
	}
	// What enters the wet path is held within +-kWetInputLimit, so that no setting's gain can take a
	// huge but finite sample past the largest double (an infinity would turn into NaN in the
	// feedback and stay until the next reset). The largest magnitude anywhere in the wet path, per
	// unit of input:
	//   taps: 10 gains below 0.5 each                                        <= 5
	//   comb input: each channel twice plus the other once                   <= 3
	//   combs: input gains <= 1; the damping low-pass averages (its gain is 1 and its weights sum to
	//     1), so a loop with feedback g holds at most 3 / (1 - g); the largest g has the shortest
	//     loop (12.26 ms) at the longest decay (20.08 s): 10^(-0.003 * 12.26 / 20.08) = 0.9958,
	//     1 / (1 - g) < 240; ten combs and the taps                          <= 7.21e3
	//   modulated delay: interpolates between two stored values              <= 7.21e3
	//   diffusers: |gain| <= 0.62, each at most (1 + 0.62) / (1 - 0.62) = 4.27, five of them
	//                                                                        <= 1.02e7
	//   reverb level (1000 * 0.150) and early reflections (1000 * 5)         <= 1.6e9
	//   equaliser band with A = 10^(dB / 40) <= 10^5.7 (+228 dB): its impulse response sums to at
	//     most 3 A^2 < 1e12 (shelves A + 1.1 (A^2 - A), peak 1 + 2 (A^2 - 1)); inside a band the
	//     direct form's partial sums reach (|a1| + |a2|) * output < 6 A * output < 1e19 * input
	//   three bands: partial sums of the last one                            <= 1.6e9 * 1e24 * 1e19
	//   wet level (1000 * 0.399) and width's cross-mix (<= 1) on the output  <= 1.6e9 * 1e36 * 800
	// so the largest value is about 1.6e52 times the input, and DBL_MAX / 1.6e52 = 1.1e256. The
	// limit lies a factor of about 1e56 below that, for what the sums leave out: rounding, and a
	// band whose coefficients change while it rings. No signal comes anywhere near it; NaN and
	// infinities become 0.
	static constexpr double kWetInputLimit = 1.0e200;
	static __m128d wetInput (__m128d x)
	{
		const __m128d isFinite = _mm_cmpeq_pd (_mm_sub_pd (x, x), _mm_setzero_pd ());
		const __m128d finite = _mm_and_pd (x, isFinite);
		return _mm_min_pd (_mm_max_pd (finite, _mm_set1_pd (-kWetInputLimit)), _mm_set1_pd (kWetInputLimit));
	}
	// The output frame from the equalised wet signal q and the input frame x.
	__m128d mix (__m128d q, __m128d x) const
	{
		const __m128d w = _mm_mul_pd (loadPair (wetGain), q);
		const __m128d mixed = _mm_add_pd (w, _mm_mul_pd (loadPair (widthCrossMix), swapLanes (w)));
		return _mm_add_pd (mixed, _mm_mul_pd (loadPair (dryGain), x));
	}

	PreDelay preDelay;
	Pair dryGain;
	EarlyReflectionTap taps[kNumTaps];
	Pair earlyReflectionsGain;
	DampedComb combs[kNumCombs];
	ModulatedDelay modulatedDelay;
	ModulationPlan modulationPlan; // the block path's read points of modulatedDelay
	AllpassDiffuser diffusers[kNumDiffusers]; // 0 and 1 scaled by decay only, 2 to 4 also by diffusion
	Pair reverbGain;
	EqualizerBand eqBands[kNumEqBands]; // low shelf, peaking, high shelf
	Pair wetGain;
	Pair widthCrossMix;
	FrameClock clock; // frames processed, modulo 2^32
	double sizeFactor;
	double decayFactor;
	double diffusion;
	// Never null: they point at valid tables from construction on and are only ever replaced.
	const EarlyReflectionTable* earlyReflectionTimeTable;
	const EarlyReflectionTable* earlyReflectionGainTable;
	const CombTable* combGainTableLeft;
	const CombTable* combGainTableRight;
	const CombTable* combTimeTableLeft;
	const CombTable* combTimeTableRight;
	const DiffuserTable* diffuserGainTableLeft;
	const DiffuserTable* diffuserGainTableRight;
	const DiffuserTable* diffuserTimeTable;
	double dryLevel;
	bool dryBypass;
	double earlyReflectionsLevel;
	bool earlyReflectionsBypass;
	double reverbLevel; // already scaled
	bool reverbBypass;
	double wetLevel; // already scaled
	bool wetBypass;
	bool avxLanes;
	// One pass of processBlock: the pre-delayed frames; the combs' input; the taps' sum; the sum of
	// taps and combs, then the late reverb.
	Pair passWet[kPassFrames];
	Pair passComb[kPassFrames];
	Pair passEarly[kPassFrames];
	Pair passSum[kPassFrames];
};

} // namespace Vst
} // namespace Steinberg
