// The one place where stored parameter values become engine settings.
#include "processor/EngineMapping.h"

#include "processor/LogMapping.h"
#include "processor/ParameterIds.h"

namespace Steinberg {
namespace Vst {

void passToEngine (ReverbEngine& engine, const ReverbSettings& s, ParamID id)
{
	auto hz = [] (const FrequencyRange& range, double normalized) {
		return logNormalizedToPlain (range.min, range.max, normalized);
	};
	switch (id)
	{
		case kDry: engine.setDryLevel (s.dry); break;
		case kPredelay: engine.setPreDelay (s.predelay); break;
		case kWidth: engine.setWidth (s.width); break;
		// A loaded state may hold any index; the engine falls back to its default variation.
		case kEarlyReflectionVariation: engine.setEarlyReflectionVariation (s.earlyReflectionVariation + 1); break;
		case kReverbVariation: engine.setReverbVariation (s.reverbVariation + 1); break;
		case kDecayTime: engine.setDecayTime (s.decayTime * s.decayTime); break; // square-law scale
		case kRoomSize: engine.setRoomSize (s.roomSize); break;
		case kDiffusion: engine.setDiffusion (s.diffusion); break;
		case kDampIntensity: engine.setDampIntensity (s.dampIntensity); break;
		case kDamp: engine.setDampFrequency (hz (kDampRange, s.damp)); break;
		case kLowShelf: engine.setEqFrequency (hz (kLowShelfRange, s.lowShelf), 0); break;
		case kLowGain: engine.setEqGain (s.lowGain, 0); break;
		case kPeak: engine.setEqFrequency (hz (kPeakRange, s.peak), 1); break;
		case kPeakGain: engine.setEqGain (s.peakGain, 1); break;
		case kHighShelf: engine.setEqFrequency (hz (kHighShelfRange, s.highShelf), 2); break;
		case kHighGain: engine.setEqGain (s.highGain, 2); break;
		case kEarlyReflections: engine.setEarlyReflectionsLevel (s.earlyReflections); break;
		case kReverb: engine.setReverbLevel (s.reverb); break;
		case kWet: engine.setWetLevel (s.wet); break;
		case kBypassDry: engine.setDryBypass (s.bypassDry != 0); break;
		case kBypassEarlyReflections: engine.setEarlyReflectionsBypass (s.bypassEarlyReflections != 0); break;
		case kBypassReverb: engine.setReverbBypass (s.bypassReverb != 0); break;
		case kBypassWet: engine.setWetBypass (s.bypassWet != 0); break;
		case kModSpeed: engine.setModulationSpeed (s.modSpeed); break;
		case kModDepth: engine.setModulationDepth (s.modDepth); break;
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
