// Construction, reset, the parameter setters and the frame routine of the reverb engine.
#include "engine/ReverbEngine.h"
#include "engine/FrameLanes.h"

namespace Steinberg {
namespace Vst {

namespace {

// 20 * y below this keeps the modulated delay at its shortest time and lowers the depth instead.
constexpr double kShortestModulationMs = 0.1;
constexpr double kLongestModulationMs = 20.0;
constexpr double kModulationDepthSpan = kShortestModulationMs / kLongestModulationMs;
constexpr double kLongestPreDelayMs = 200.0;
constexpr double kFastestModulationHz = 20.0;
constexpr double kShortestDecaySeconds = 0.2;
constexpr double kDecaySpanSeconds = 19.8;
// Comb k decays k steps longer than comb 0, so that the combs do not ring out together.
constexpr double kCombDecayStep = 0.0093335;
// Comb k is damped 11 * k Hz lower than comb 0.
constexpr double kCombDampStepHz = 11.0;

// What enters the wet path is held within +-kWetInputLimit, so that no setting's gain can take a
// huge but finite sample past the largest double (an infinity would turn into NaN in the feedback
// and stay until the next reset). The largest magnitude anywhere in the wet path, per unit of input:
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
// so the largest value is about 1.6e52 times the input, and DBL_MAX / 1.6e52 = 1.1e256. The limit
// lies a factor of about 1e56 below that, for what the sums leave out: rounding, and a band whose
// coefficients change while it rings. No signal comes anywhere near it; NaN and infinities become 0.
constexpr double kWetInputLimit = 1.0e200;

inline __m128d wetInput (__m128d x)
{
	const __m128d isFinite = _mm_cmpeq_pd (_mm_sub_pd (x, x), _mm_setzero_pd ());
	const __m128d finite = _mm_and_pd (x, isFinite);
	return _mm_min_pd (_mm_max_pd (finite, _mm_set1_pd (-kWetInputLimit)), _mm_set1_pd (kWetInputLimit));
}

// One 256-bit register from two pairs, the first in its low half; for code built for AVX.
TESSALINE_AVX_HELPER inline __m256d halves (__m128d low, __m128d high)
{
	return _mm256_insertf128_pd (_mm256_castpd128_pd256 (low), high, 1);
}

} // namespace

ReverbEngine::ReverbEngine ()
: clock (0)
, sizeFactor (1.0)
, decayFactor (1.0)
, diffusion (1.0)
, earlyReflectionTimeTable (&kEarlyReflectionTimes[0])
, earlyReflectionGainTable (&kEarlyReflectionGains[0])
, combGainTableLeft (&kCombGainsLeft[0])
, combGainTableRight (&kCombGainsRight[0])
, combTimeTableLeft (&kCombTimesLeft[2])
, combTimeTableRight (&kCombTimesRight[2])
, diffuserGainTableLeft (&kDiffuserGainsLeft)
, diffuserGainTableRight (&kDiffuserGainsRight)
, diffuserTimeTable (&kDiffuserTimes)
, dryLevel (1.0)
, dryBypass (false)
, earlyReflectionsLevel (1.0)
, earlyReflectionsBypass (false)
, reverbLevel (1.0)
, reverbBypass (false)
, wetLevel (1.0)
, wetBypass (false)
, avxLanes (AvxLanes::available ())
{
	setPair (dryGain, 1.0, 1.0);
	setPair (earlyReflectionsGain, 1.0, 1.0);
	setPair (reverbGain, 1.0, 1.0);
	setPair (wetGain, 1.0, 1.0);
	setPair (widthCrossMix, 0.0, 0.0);

	setSampleRate (44100.0);
	setDryLevel (1.0);
	setWidth (1.0);
	setEarlyReflectionsLevel (1.0);
	setReverbLevel (1.0);
	setWetLevel (1.0);

	eqBands[0].setType (EqualizerBand::kLowShelf);
	eqBands[1].setType (EqualizerBand::kPeaking);
	eqBands[2].setType (EqualizerBand::kHighShelf);

	setDiffuserGainTables (kDiffuserGainsLeft, kDiffuserGainsRight);
	setDiffuserTimeTable (kDiffuserTimes);
	setEarlyReflectionVariation (2);
	setReverbVariation (2);

	setPreDelay (0.1);
	setDecayTime (0.3);
	setRoomSize (0.5);
	setDiffusion (0.8);
	setDampIntensity (1.0);
	setDampFrequency (0.7); // Hz: every comb raises it to its lowest cutoff
	for (int band = 0; band < kNumEqBands; ++band)
		setEqGain (0.5, band);
	setEqFrequency (0.3, 0);
	setEqFrequency (0.4, 1);
	setEqFrequency (0.7, 2);
	setModulationDepth (0.5);
	setModulationSpeed (0.5);
	reset ();
}

void ReverbEngine::reset ()
{
	preDelay.clear ();
	for (auto& tap : taps)
		tap.clear ();
	for (auto& diffuser : diffusers)
		diffuser.clear ();
	for (auto& comb : combs)
		comb.clear ();
	for (auto& band : eqBands)
		band.clear ();
	modulatedDelay.reset ();
}

void ReverbEngine::setSampleRate (double hz)
{
	preDelay.setSampleRate (hz);
	for (auto& tap : taps)
		tap.setSampleRate (hz);
	for (auto& diffuser : diffusers)
		diffuser.setSampleRate (hz);
	for (auto& comb : combs)
		comb.setSampleRate (hz);
	for (auto& band : eqBands)
		band.setSampleRate (hz);
	modulatedDelay.setSampleRate (hz);
}

int32_t ReverbEngine::processFrame (const double in[2], double out[2])
{
	// A local copy: the line stores below could otherwise make the compiler reload it each time.
	const FrameClock now = clock;
	const __m128d x = _mm_loadu_pd (in);
	const __m128d p = preDelay.step (wetInput (x), now);

	// The late reverb's chain (modulated delay, diffusers, equaliser) is the longest one of the
	// frame, and it reads only what earlier frames left in the modulated delay: it comes first, so
	// that the processor overlaps it with the taps and combs of this frame and the next.
	__m128d a = modulatedDelay.read ();
	for (auto& diffuser : diffusers)
		a = diffuser.step (a, now);

	// The taps and then the combs are summed one after the other into one accumulator: the late
	// reverb hears the taps whatever the early-reflection level.
	__m128d acc = _mm_setzero_pd ();
#pragma GCC unroll 10
	for (auto& tap : taps)
		acc = _mm_add_pd (acc, tap.step (p, now));
	const __m128d er = _mm_mul_pd (loadPair (earlyReflectionsGain), acc);

	// Each channel's pre-delayed sample twice plus the other channel's once.
	const __m128d c = _mm_add_pd (p, _mm_add_pd (p, swapLanes (p)));
#pragma GCC unroll 10
	for (auto& comb : combs)
		acc = _mm_add_pd (acc, comb.step (c, now));
	modulatedDelay.write (acc);
	clock = now + 1;

	__m128d q = _mm_add_pd (_mm_mul_pd (loadPair (reverbGain), a), er);
	for (auto& band : eqBands)
		q = band.step (q);
	_mm_storeu_pd (out, mix (q, x));
	return 0;
}

void ReverbEngine::processBlock (const double* in, double* out, int32_t frames)
{
	int32_t count = frames < kPassFrames ? frames : kPassFrames;
	if (count <= 0)
		return;
	modulatedDelay.planReads (count);
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
	ModulatedDelay::Pass modulation (modulatedDelay);
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
	ModulatedDelay::Planner planner (modulatedDelay);
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
			planner.step (j);
			fetchPassInputs (j);
		}
	}
	if (keep)
		planner.keep (next);
	else
		planner.finish (next);
	low.save (eqBands[0]);
	peak.save (eqBands[1]);
	high.save (eqBands[2]);
}

// finishPass with the low shelf and the peaking band in one 256-bit register, the low shelf in the
// low half. The peaking band runs two frames behind the low shelf and the high shelf two behind
// that, so that what each band takes from the one before was made two frames earlier and no
// move between the halves lies on a band's own chain from frame to frame. A half whose band has
// no frame keeps its memory.
TESSALINE_AVX_ENTRY void ReverbEngine::finishPassAvx (const double* in, double* out, int32_t frames, int32_t next,
                                                      bool keep)
{
	EqualizerBand::Kernel lowBand (eqBands[0]);
	EqualizerBand::Kernel peakBand (eqBands[1]);
	EqualizerBand::Kernel high (eqBands[2]);
	const __m256d b0 = halves (lowBand.b0, peakBand.b0);
	const __m256d b1 = halves (lowBand.b1, peakBand.b1);
	const __m256d b2 = halves (lowBand.b2, peakBand.b2);
	const __m256d a1 = halves (lowBand.a1, peakBand.a1);
	const __m256d a2 = halves (lowBand.a2, peakBand.a2);
	const __m256d a0 = halves (lowBand.a0, peakBand.a0);
	__m256d x1 = halves (lowBand.x1, peakBand.x1);
	__m256d x2 = halves (lowBand.x2, peakBand.x2);
	__m256d y1 = halves (lowBand.y1, peakBand.y1);
	__m256d y2 = halves (lowBand.y2, peakBand.y2);
	// The low shelf's outputs of the last two frames, and the peaking band's: the next band's input
	// two frames later.
	__m128d lowOut1 = _mm_setzero_pd (), lowOut2 = _mm_setzero_pd ();
	__m128d peakOut1 = _mm_setzero_pd (), peakOut2 = _mm_setzero_pd ();
	ModulatedDelay::Planner planner (modulatedDelay);
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
			const __m256d x = halves (lowIn, lowOut2);
			y = _mm256_mul_pd (b0, x);
			y = _mm256_add_pd (y, _mm256_mul_pd (b1, x1));
			y = _mm256_add_pd (y, _mm256_mul_pd (b2, x2));
			y = _mm256_sub_pd (y, _mm256_mul_pd (a1, y1));
			y = _mm256_sub_pd (y, _mm256_mul_pd (a2, y2));
			y = _mm256_div_pd (y, a0);
			if (lowOn && peakOn)
			{
				x2 = x1;
				x1 = x;
				y2 = y1;
				y1 = y;
			}
			else if (lowOn)
			{
				// The peaking band's half keeps its memory.
				x2 = _mm256_blend_pd (x1, x2, 0xc);
				x1 = _mm256_blend_pd (x, x1, 0xc);
				y2 = _mm256_blend_pd (y1, y2, 0xc);
				y1 = _mm256_blend_pd (y, y1, 0xc);
			}
			else
			{
				// The low shelf's half keeps its memory.
				x2 = _mm256_blend_pd (x1, x2, 0x3);
				x1 = _mm256_blend_pd (x, x1, 0x3);
				y2 = _mm256_blend_pd (y1, y2, 0x3);
				y1 = _mm256_blend_pd (y, y1, 0x3);
			}
		}
		lowOut2 = lowOut1;
		lowOut1 = _mm256_castpd256_pd128 (y);
		peakOut2 = peakOut1;
		peakOut1 = _mm256_extractf128_pd (y, 1);
		if (j < (next & ~1))
		{
			if ((j & 1) == 0)
				planner.stepTwo (j);
		}
		else if (j < next)
			planner.step (j);
		if (j < next)
			fetchPassInputs (j);
	}
	if (keep)
		planner.keep (next);
	else
		planner.finish (next);
	lowBand.x1 = _mm256_castpd256_pd128 (x1);
	lowBand.x2 = _mm256_castpd256_pd128 (x2);
	lowBand.y1 = _mm256_castpd256_pd128 (y1);
	lowBand.y2 = _mm256_castpd256_pd128 (y2);
	peakBand.x1 = _mm256_extractf128_pd (x1, 1);
	peakBand.x2 = _mm256_extractf128_pd (x2, 1);
	peakBand.y1 = _mm256_extractf128_pd (y1, 1);
	peakBand.y2 = _mm256_extractf128_pd (y2, 1);
	lowBand.save (eqBands[0]);
	peakBand.save (eqBands[1]);
	high.save (eqBands[2]);
}

bool ReverbEngine::useAvx (bool enable)
{
	avxLanes = enable && AvxLanes::available ();
	return avxLanes;
}

void ReverbEngine::setGainPair (Pair& gain, double level, bool bypass)
{
	const double value = bypass ? 0.0 : level;
	setPair (gain, value, value);
}

void ReverbEngine::setDryLevel (double value)
{
	dryLevel = boundedLevelArgument (value);
	setGainPair (dryGain, dryLevel, dryBypass);
}

void ReverbEngine::setDryBypass (bool bypass)
{
	dryBypass = bypass;
	setGainPair (dryGain, dryLevel, dryBypass);
}

void ReverbEngine::setEarlyReflectionsLevel (double value)
{
	earlyReflectionsLevel = boundedLevelArgument (value);
	setGainPair (earlyReflectionsGain, earlyReflectionsLevel, earlyReflectionsBypass);
}

void ReverbEngine::setEarlyReflectionsBypass (bool bypass)
{
	earlyReflectionsBypass = bypass;
	setGainPair (earlyReflectionsGain, earlyReflectionsLevel, earlyReflectionsBypass);
}

void ReverbEngine::setReverbLevel (double value)
{
	reverbLevel = boundedLevelArgument (value) * kReverbLevelScale;
	setGainPair (reverbGain, reverbLevel, reverbBypass);
}

void ReverbEngine::setReverbBypass (bool bypass)
{
	reverbBypass = bypass;
	setGainPair (reverbGain, reverbLevel, reverbBypass);
}

void ReverbEngine::setWetLevel (double value)
{
	wetLevel = boundedLevelArgument (value) * kWetLevelScale;
	setGainPair (wetGain, wetLevel, wetBypass);
}

void ReverbEngine::setWetBypass (bool bypass)
{
	wetBypass = bypass;
	setGainPair (wetGain, wetLevel, wetBypass);
}

void ReverbEngine::setPreDelay (double value)
{
	preDelay.setTime (kLongestPreDelayMs * clampValue (value, 0.0, 1.0));
}

void ReverbEngine::setWidth (double value)
{
	const double crossMix = 1.0 - clampValue (value, 0.0, 1.0);
	setPair (widthCrossMix, crossMix, crossMix);
}

void ReverbEngine::setEarlyReflectionVariation (int32_t variation)
{
	const int32_t index = (variation >= 1 && variation <= kNumEarlyReflectionVariations) ? variation - 1 : 0;
	setEarlyReflectionTimeTable (kEarlyReflectionTimes[index]);
	setEarlyReflectionGainTable (kEarlyReflectionGains[index]);
	updateEarlyReflections ();
}

void ReverbEngine::setReverbVariation (int32_t variation)
{
	const int32_t index = (variation >= 1 && variation <= kNumReverbVariations) ? variation - 1 : 2;
	const int32_t gainSet = index < 3 ? 0 : 1;
	setCombGainTables (kCombGainsLeft[gainSet], kCombGainsRight[gainSet]);
	setCombTimeTables (kCombTimesLeft[index], kCombTimesRight[index]);
	updateCombs ();
}

void ReverbEngine::setDecayTime (double value)
{
	double t = kDecaySpanSeconds * clampValue (value, 0.0, 1.0) + kShortestDecaySeconds;
	// Rises linearly from 0.4 at 0.2 s and joins 1.0 at 1.2 s.
	decayFactor = t < 1.2 ? (t - 0.2) * 0.6 + 0.4 : 1.0;
	for (auto& comb : combs)
	{
		comb.setDecayTime (t);
		t = t + kCombDecayStep;
	}
	updateDiffuserGains ();
}

void ReverbEngine::setRoomSize (double value)
{
	sizeFactor = 1.1 * clampValue (value, 0.0, 1.0) + 0.5;
	updateEarlyReflectionTimes (); // the gains are the variation's alone
	updateDiffuserTimes ();
}

void ReverbEngine::setDiffusion (double value)
{
	diffusion = clampValue (value, 0.0, 1.0);
	updateDiffuserGains ();
}

void ReverbEngine::setDampIntensity (double value)
{
	for (auto& comb : combs)
		comb.setDampIntensity (value);
}

void ReverbEngine::setDampFrequency (double hz)
{
	double f = hz;
	for (auto& comb : combs)
	{
		comb.setDampFrequencies (f, f);
		f = f - kCombDampStepHz;
	}
}

void ReverbEngine::setEqGain (double value, int32_t band)
{
	if (band < 0 || band >= kNumEqBands)
		return;
	eqBands[band].setGain (24.0 * boundedArgument (value, kEqGainArgumentLimit) - 12.0);
}

void ReverbEngine::setEqFrequency (double hz, int32_t band)
{
	if (band < 0 || band >= kNumEqBands)
		return;
	eqBands[band].setFrequency (std::isnan (hz) ? EqualizerBand::kLowestHz : hz);
}

void ReverbEngine::setModulationDepth (double value)
{
	const double v = clampValue (value, 0.0, 1.0);
	const double y = ((v * v) * v) * v;
	if (kLongestModulationMs * y < kShortestModulationMs)
		modulatedDelay.setDelayTimeAndDepth (kShortestModulationMs, y / kModulationDepthSpan);
	else
		modulatedDelay.setDelayTimeAndDepth (kLongestModulationMs * y, 1.0);
}

void ReverbEngine::setModulationSpeed (double value)
{
	const double v = clampValue (value, 0.0, 1.0);
	modulatedDelay.setSpeed (kFastestModulationHz * ((v * v) * v));
}

void ReverbEngine::setEarlyReflectionTimeTable (const EarlyReflectionTable& table)
{
	earlyReflectionTimeTable = &table;
}

void ReverbEngine::setEarlyReflectionGainTable (const EarlyReflectionTable& table)
{
	earlyReflectionGainTable = &table;
}

void ReverbEngine::setCombGainTables (const CombTable& left, const CombTable& right)
{
	combGainTableLeft = &left;
	combGainTableRight = &right;
}

void ReverbEngine::setCombTimeTables (const CombTable& left, const CombTable& right)
{
	combTimeTableLeft = &left;
	combTimeTableRight = &right;
}

void ReverbEngine::setDiffuserGainTables (const DiffuserTable& left, const DiffuserTable& right)
{
	diffuserGainTableLeft = &left;
	diffuserGainTableRight = &right;
}

void ReverbEngine::setDiffuserTimeTable (const DiffuserTable& table)
{
	diffuserTimeTable = &table;
}

void ReverbEngine::updateEarlyReflections ()
{
	updateEarlyReflectionTimes ();
	const EarlyReflectionTable& gains = *earlyReflectionGainTable;
	for (int k = 0; k < kNumTaps; ++k)
		taps[k].setGains (gains[2 * k], gains[2 * k + 1]);
}

void ReverbEngine::updateEarlyReflectionTimes ()
{
	// Room size stretches the reflections from 0.7 to 1.8 times the table times.
	const double f = sizeFactor + 0.2;
	const EarlyReflectionTable& times = *earlyReflectionTimeTable;
	for (int k = 0; k < kNumTaps; ++k)
		taps[k].setTimes (f * times[2 * k], f * times[2 * k + 1]);
}

void ReverbEngine::updateCombs ()
{
	for (int k = 0; k < kNumCombs; ++k)
	{
		combs[k].setTimes ((*combTimeTableLeft)[k], (*combTimeTableRight)[k]);
		combs[k].setGains ((*combGainTableLeft)[k], (*combGainTableRight)[k]);
	}
}

void ReverbEngine::updateDiffuserTimes ()
{
	for (int d = 0; d < kNumDiffusers; ++d)
		diffusers[d].setTime ((*diffuserTimeTable)[d] * sizeFactor);
}

void ReverbEngine::updateDiffuserGains ()
{
	for (int d = 0; d < kNumDiffusers; ++d)
	{
		double left = (*diffuserGainTableLeft)[d] * decayFactor;
		double right = (*diffuserGainTableRight)[d] * decayFactor;
		if (d >= 2)
		{
			left = left * diffusion;
			right = right * diffusion;
		}
		diffusers[d].setGains (left, right);
	}
}

} // namespace Vst
} // namespace Steinberg
