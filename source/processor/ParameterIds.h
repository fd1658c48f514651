// Parameter numbers shared by the processor, the controller and the editor.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

enum ParameterId : ParamID
{
	kDry = 0,
	kPredelay = 1,
	kWidth = 2,
	kEarlyReflectionVariation = 3,
	kReverbVariation = 4,
	kDecayTime = 5,
	kRoomSize = 6,
	kDiffusion = 7,
	kDampIntensity = 8,
	kDamp = 9,
	kLowShelf = 10,
	kLowGain = 11,
	kPeak = 12,
	kPeakGain = 13,
	kHighShelf = 14,
	kHighGain = 15,
	kEarlyReflections = 16,
	kReverb = 17,
	kWet = 18,
	kBypass = 19,
	kBypassDry = 20,
	kBypassEarlyReflections = 21,
	kBypassReverb = 22,
	kBypassWet = 23,
	kModSpeed = 24,
	kModDepth = 25,
	// 26 is unused; the level output follows it.
	kVuPPM = 27,
};

// Parameters 0 to 25 are stored in the settings record; kVuPPM is output only.
constexpr ParamID kNumStoredParameters = 26;

} // namespace Vst
} // namespace Steinberg
