// The one place where stored parameter values become engine settings.
#include "processor/EngineMapping.h"

#include "engine/EngineMath.h"
#include "processor/LogMapping.h"
#include "processor/ParameterIds.h"

namespace Steinberg {
namespace Vst {

namespace {

// A stored normalized value as the controller holds it: within 0..1, NaN as 0. The engine limits
// only some of its settings itself; its levels and gains take any value from their callers.
double held (double value)
{
	return clampValue (value, 0.0, 1.0);
}

// The one-based variation of a stored index. An index the engine has a variation for selects it,
// including one past the entries the controller lists (a saved reverb variation 5 plays the sixth);
// any other index plays the entry the controller shows for it: the first for a negative index, the
// last listed for one beyond the engine's tables.
int32 variation (int8 index, int32 engineVariations, int32 listed)
{
	if (index >= 0 && index < engineVariations)
		return index + 1;
	return index < 0 ? 1 : listed;
}

// The frequency scales, their logarithms worked out once rather than at every change.
const LogScale kDampScale (kDampRange);
const LogScale kLowShelfScale (kLowShelfRange);
const LogScale kPeakScale (kPeakRange);
const LogScale kHighShelfScale (kHighShelfRange);

double hz (const LogScale& scale, double normalized)
{
	return scale.plain (held (normalized));
}

} // namespace

void passToEngine (ReverbEngine& engine, const ReverbSettings& s, ParamID id)
{
	switch (id)
	{
		case kDry: engine.setDryLevel (held (s.dry)); break;
		case kPredelay: engine.setPreDelay (held (s.predelay)); break;
		case kWidth: engine.setWidth (held (s.width)); break;
		case kEarlyReflectionVariation:
			engine.setEarlyReflectionVariation (variation (s.earlyReflectionVariation, kNumEarlyReflectionVariations, kEarlyReflectionVariations));
			break;
		case kReverbVariation: engine.setReverbVariation (variation (s.reverbVariation, kNumReverbVariations, kReverbVariations));
			break;
		case kDecayTime: engine.setDecayTime (held (s.decayTime) * held (s.decayTime)); break; // square-law scale
		case kRoomSize: engine.setRoomSize (held (s.roomSize)); break;
		case kDiffusion: engine.setDiffusion (held (s.diffusion)); break;
		case kDampIntensity: engine.setDampIntensity (held (s.dampIntensity)); break;
		case kDamp: engine.setDampFrequency (hz (kDampScale, s.damp)); break;
		case kLowShelf: engine.setEqFrequency (hz (kLowShelfScale, s.lowShelf), 0); break;
		case kLowGain: engine.setEqGain (held (s.lowGain), 0); break;
		case kPeak: engine.setEqFrequency (hz (kPeakScale, s.peak), 1); break;
		case kPeakGain: engine.setEqGain (held (s.peakGain), 1); break;
		case kHighShelf: engine.setEqFrequency (hz (kHighShelfScale, s.highShelf), 2); break;
		case kHighGain: engine.setEqGain (held (s.highGain), 2); break;
		case kEarlyReflections: engine.setEarlyReflectionsLevel (held (s.earlyReflections)); break;
		case kReverb: engine.setReverbLevel (held (s.reverb)); break;
		case kWet: engine.setWetLevel (held (s.wet)); break;
		case kBypassDry: engine.setDryBypass (switchedOn (s.bypassDry)); break;
		case kBypassEarlyReflections: engine.setEarlyReflectionsBypass (switchedOn (s.bypassEarlyReflections)); break;
		case kBypassReverb: engine.setReverbBypass (switchedOn (s.bypassReverb)); break;
		case kBypassWet: engine.setWetBypass (switchedOn (s.bypassWet)); break;
		case kModSpeed: engine.setModulationSpeed (held (s.modSpeed)); break;
		case kModDepth: engine.setModulationDepth (held (s.modDepth)); break;
		default: break; // kBypass: process reads it
	}
}

void passAllToEngine (ReverbEngine& engine, const ReverbSettings& settings)
{
	// The whole-plug-in bypass is not the engine's: process reads it.
	static constexpr ParameterId kEngineOrder[] = {
	    kDry, kPredelay, kWidth, kEarlyReflectionVariation, kReverbVariation, kDecayTime, kRoomSize,
	    kDiffusion, kDampIntensity, kDamp, kLowShelf, kLowGain, kPeak, kPeakGain, kHighShelf,
	    kHighGain, kEarlyReflections, kReverb, kWet, kBypassDry, kBypassEarlyReflections,
	    kBypassReverb, kBypassWet, kModSpeed, kModDepth,
	};
	for (ParameterId id : kEngineOrder)
		passToEngine (engine, settings, id);
}

} // namespace Vst
} // namespace Steinberg
