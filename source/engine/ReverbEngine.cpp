// The reverb engine's frame routine, the reference that the block path (ReverbEngineBlock.cpp)
// matches bit for bit; its construction, reset and parameter setters.
#include "engine/ReverbEngine.h"
#include "engine/SimdTarget.h"

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

} // namespace

ReverbEngine::ReverbEngine ()
: modulationPlan (modulatedDelay)
, clock (0)
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
, avxLanes (cpuHasAvx ())
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

	// The tables first: the setters below recompute the taps and diffusers from them.
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
	// Any other number plays variation 1.
	const int32_t index = (variation >= 1 && variation <= kNumEarlyReflectionVariations) ? variation - 1 : 0;
	setEarlyReflectionTimeTable (kEarlyReflectionTimes[index]);
	setEarlyReflectionGainTable (kEarlyReflectionGains[index]);
	updateEarlyReflections ();
}

void ReverbEngine::setReverbVariation (int32_t variation)
{
	// Any other number plays variation 3. Variations 1 to 3 share the first set of comb gains, 4 to
	// 6 the second.
	const int32_t index = (variation >= 1 && variation <= kNumReverbVariations) ? variation - 1 : 2;
	const int32_t gainSet = index < 3 ? 0 : 1;
	setCombGainTables (kCombGainsLeft[gainSet], kCombGainsRight[gainSet]);
	setCombTimeTables (kCombTimesLeft[index], kCombTimesRight[index]);
	updateCombs ();
}

void ReverbEngine::setDecayTime (double value)
{
	double t = kDecaySpanSeconds * clampValue (value, 0.0, 1.0) + kShortestDecaySeconds;
	// The diffusers' gains shrink for short decays: the factor rises linearly from 0.4 at the
	// shortest decay (0.2 s) and joins 1.0 at 1.2 s.
	decayFactor = t < 1.2 ? (t - kShortestDecaySeconds) * 0.6 + 0.4 : 1.0;
	for (auto& comb : combs)
	{
		comb.setDecayTime (t);
		t = t + kCombDecayStep;
	}
	updateDiffuserGains ();
}

void ReverbEngine::setRoomSize (double value)
{
	// The diffuser times are scaled from 0.5 to 1.6 times their table's, the reflections by 0.2 more
	// (updateEarlyReflectionTimes).
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
	// 0 to 1 spans -12 to +12 dB, 0.5 being flat.
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
	// The fourth power of the control: its lower half holds the short times.
	const double v = clampValue (value, 0.0, 1.0);
	const double y = ((v * v) * v) * v;
	if (kLongestModulationMs * y < kShortestModulationMs)
		modulatedDelay.setDelayTimeAndDepth (kShortestModulationMs, y / kModulationDepthSpan);
	else
		modulatedDelay.setDelayTimeAndDepth (kLongestModulationMs * y, 1.0);
}

void ReverbEngine::setModulationSpeed (double value)
{
	// The cube of the control: its lower half holds the slow speeds.
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
		if (d >= 2) // diffusion scales the last three only
		{
			left = left * diffusion;
			right = right * diffusion;
		}
		diffusers[d].setGains (left, right);
	}
}

} // namespace Vst
} // namespace Steinberg
