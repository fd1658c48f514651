// Shared by the engine tests and the benchmark: the processor's default settings as it hands them
// to the engine, deterministic noise, and frames of the parts' steps.
#pragma once

#include <cmath>
#include <cstdint>
#include <emmintrin.h>
#include <limits>

namespace EngineTestSupport {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN ();
constexpr double kInfinity = std::numeric_limits<double>::infinity ();

// The processor's logarithmic frequency scale (log2 relative to 624.375 Hz), as it converts the
// damping and equaliser frequencies into Hz.
inline double logNormalizedToPlain (double min, double max, double normalized)
{
	const double a = std::log2 (min / 624.375);
	const double b = std::log2 (max / 624.375);
	return std::pow (2.0, (b - a) * normalized + a) * 624.375;
}

inline double logPlainToNormalized (double min, double max, double plain)
{
	const double a = std::log2 (min / 624.375);
	const double b = std::log2 (max / 624.375);
	const double c = std::log2 (plain / 624.375);
	return (c - a) / (b - a);
}

// Normalized settings in the processor's record form (list indices zero-based).
struct Settings
{
	double dry = 1.0;
	double predelay = 0.1;
	double width = 1.0;
	double decayTime = std::pow (0.1414141414141414, 0.5);
	double roomSize = 0.2;
	double diffusion = 0.7;
	double dampIntensity = 0.8;
	double damp = logPlainToNormalized (4000, 22020, 18000);
	double lowShelf = logPlainToNormalized (20, 1000, 100);
	double lowGain = 0.5;
	double peak = logPlainToNormalized (30, 22000, 1000);
	double peakGain = 0.5;
	double highShelf = logPlainToNormalized (1000, 22000, 8000);
	double highGain = 0.5;
	double earlyReflections = 1.0;
	double reverb = 1.0;
	double wet = 0.5;
	int8_t earlyReflectionVariation = 2;
	int8_t reverbVariation = 1;
	bool bypassDry = false;
	bool bypassEarlyReflections = false;
	bool bypassReverb = false;
	bool bypassWet = false;
	double modSpeed = 0.3;
	double modDepth = 0.406;
};

// Every value, in the order and with the conversions the processor uses when it applies all.
template <class Engine>
void applySettings (Engine& engine, const Settings& s)
{
	engine.setDryLevel (s.dry);
	engine.setPreDelay (s.predelay);
	engine.setWidth (s.width);
	engine.setEarlyReflectionVariation (s.earlyReflectionVariation + 1);
	engine.setReverbVariation (s.reverbVariation + 1);
	engine.setDecayTime (s.decayTime * s.decayTime);
	engine.setRoomSize (s.roomSize);
	engine.setDiffusion (s.diffusion);
	engine.setDampIntensity (s.dampIntensity);
	engine.setDampFrequency (logNormalizedToPlain (4000, 22020, s.damp));
	engine.setEqFrequency (logNormalizedToPlain (20, 1000, s.lowShelf), 0);
	engine.setEqGain (s.lowGain, 0);
	engine.setEqFrequency (logNormalizedToPlain (30, 22000, s.peak), 1);
	engine.setEqGain (s.peakGain, 1);
	engine.setEqFrequency (logNormalizedToPlain (1000, 22000, s.highShelf), 2);
	engine.setEqGain (s.highGain, 2);
	engine.setEarlyReflectionsLevel (s.earlyReflections);
	engine.setReverbLevel (s.reverb);
	engine.setWetLevel (s.wet);
	engine.setDryBypass (s.bypassDry);
	engine.setEarlyReflectionsBypass (s.bypassEarlyReflections);
	engine.setReverbBypass (s.bypassReverb);
	engine.setWetBypass (s.bypassWet);
	engine.setModulationSpeed (s.modSpeed);
	engine.setModulationDepth (s.modDepth);
}

template <class Engine>
void applyProcessorDefaults (Engine& engine)
{
	applySettings (engine, Settings {});
}

// Deterministic white noise in [-1, 1) with full 53-bit mantissas, so that a sum taken in a
// different order shows up in the result.
class Noise
{
public:
	explicit Noise (uint64_t seed = 0x9E3779B97F4A7C15ull) : state (seed) {}
	double next ()
	{
		state ^= state << 13;
		state ^= state >> 7;
		state ^= state << 17;
		return static_cast<double> (state >> 11) * (2.0 / 9007199254740992.0) - 1.0;
	}

private:
	uint64_t state;
};

// A stereo frame as the tests look at it.
struct Frame
{
	double left;
	double right;
};

inline Frame toFrame (__m128d pair)
{
	double out[2];
	_mm_storeu_pd (out, pair);
	return {out[0], out[1]};
}

// (left, right) as the parts' steps take it.
inline __m128d toPair (double left, double right)
{
	return _mm_set_pd (right, left);
}

} // namespace EngineTestSupport
