// The 27 parameters as hosts see them, in host index order: the one description that the
// controller builds from and the tests check against.
#pragma once

#include "processor/ParameterIds.h"

#include "pluginterfaces/base/fstrdefs.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace Steinberg {
namespace Vst {

// Which object stands behind a parameter.
enum class ParameterKind
{
	kGain,    // GainParameter: normalized value = linear gain, text in dB
	kRange,   // RangeParameter: linear plain range
	kList,    // StringListParameter: "Variation 1" to "Variation <stepCount + 1>"
	kLog,     // LogParameter: logarithmic frequency range
	kParabol, // ParabolParameter: plain = min + (max - min) * normalized^power
	kPlain,   // Parameter made by the container: switches and the level output
};

struct ParameterDescription
{
	ParamID id;
	const TChar* title;
	ParameterKind kind;
	const TChar* units;      // nullptr: no units
	ParamValue minPlain;
	ParamValue maxPlain;
	ParamValue defaultPlain; // kGain and kPlain: the default normalized value
	int32 stepCount;         // kList: number of entries - 1
	int32 flags;
	int32 precision;         // kKeepPrecision: the SDK Parameter's own default stays
	ParamValue power;        // kParabol only
};

constexpr int32 kKeepPrecision = -1;
constexpr int32 kNumParameters = 27;

namespace ParameterTableFlags {
constexpr int32 kAutomate = ParameterInfo::kCanAutomate;
constexpr int32 kList = ParameterInfo::kCanAutomate | ParameterInfo::kIsList;
constexpr int32 kBypassSwitch = ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass;
constexpr int32 kOutput = ParameterInfo::kIsReadOnly;
} // namespace ParameterTableFlags

// The level output stands between "Bypass" and "Bypass Dry"; hosts and saved projects know the
// parameters by this order, so it stays as it is.
inline constexpr ParameterDescription kParameterTable[kNumParameters] = {
    // id, title, kind, units, min, max, default, steps, flags, precision, power
    {kDry, STR16 ("Dry"), ParameterKind::kGain, STR16 ("dB"), 0.0, 1.0, 1.0, 0, ParameterTableFlags::kAutomate, 2, 0.0},
    {kPredelay, STR16 ("Predelay"), ParameterKind::kRange, STR16 ("ms"), 0.0, 200.0, 10.0, 0, ParameterTableFlags::kAutomate, 1, 0.0},
    {kWidth, STR16 ("Width"), ParameterKind::kRange, STR16 ("%"), 0.0, 100.0, 100.0, 0, ParameterTableFlags::kAutomate, 2, 0.0},
    {kEarlyReflectionVariation, STR16 ("E.R. variation"), ParameterKind::kList, nullptr, 0.0, 11.0, 0.0, 11, ParameterTableFlags::kList, kKeepPrecision, 0.0},
    {kReverbVariation, STR16 ("Reverb variation"), ParameterKind::kList, nullptr, 0.0, 4.0, 0.0, 4, ParameterTableFlags::kList, kKeepPrecision, 0.0},
    {kDecayTime, STR16 ("Decay time"), ParameterKind::kParabol, STR16 ("sec"), 0.2, 20.0, 5.0, 0, ParameterTableFlags::kAutomate, 2, 2.0},
    {kRoomSize, STR16 ("Room size"), ParameterKind::kRange, STR16 ("%"), 0.0, 100.0, 100.0, 0, ParameterTableFlags::kAutomate, 2, 0.0},
    {kDiffusion, STR16 ("Diffusion"), ParameterKind::kRange, STR16 ("%"), 0.0, 100.0, 100.0, 0, ParameterTableFlags::kAutomate, 2, 0.0},
    {kDampIntensity, STR16 ("Damp intensity"), ParameterKind::kRange, STR16 ("%"), 0.0, 100.0, 80.0, 0, ParameterTableFlags::kAutomate, 2, 0.0},
    {kDamp, STR16 ("Damp"), ParameterKind::kLog, STR16 ("Hz"), 4000.0, 22020.0, 20000.0, 0, ParameterTableFlags::kAutomate, 1, 0.0},
    {kLowShelf, STR16 ("Low shelf"), ParameterKind::kLog, STR16 ("Hz"), 20.0, 1000.0, 100.0, 0, ParameterTableFlags::kAutomate, 1, 0.0},
    {kLowGain, STR16 ("Low gain"), ParameterKind::kRange, STR16 ("dB"), -12.0, 12.0, 0.0, 0, ParameterTableFlags::kAutomate, 2, 0.0},
    {kPeak, STR16 ("Peak"), ParameterKind::kLog, STR16 ("Hz"), 30.0, 22000.0, 1000.0, 0, ParameterTableFlags::kAutomate, 1, 0.0},
    {kPeakGain, STR16 ("Peak gain"), ParameterKind::kRange, STR16 ("dB"), -12.0, 12.0, 0.0, 0, ParameterTableFlags::kAutomate, 2, 0.0},
    {kHighShelf, STR16 ("High shelf"), ParameterKind::kLog, STR16 ("Hz"), 1000.0, 22000.0, 10000.0, 0, ParameterTableFlags::kAutomate, 1, 0.0},
    {kHighGain, STR16 ("High gain"), ParameterKind::kRange, STR16 ("dB"), -12.0, 12.0, 0.0, 0, ParameterTableFlags::kAutomate, 2, 0.0},
    {kEarlyReflections, STR16 ("Early reflections"), ParameterKind::kGain, STR16 ("dB"), 0.0, 1.0, 1.0, 0, ParameterTableFlags::kAutomate, kKeepPrecision, 0.0},
    {kReverb, STR16 ("Reverb"), ParameterKind::kGain, STR16 ("dB"), 0.0, 1.0, 1.0, 0, ParameterTableFlags::kAutomate, kKeepPrecision, 0.0},
    {kWet, STR16 ("Wet"), ParameterKind::kGain, STR16 ("dB"), 0.0, 1.0, 1.0, 0, ParameterTableFlags::kAutomate, kKeepPrecision, 0.0},
    {kBypass, STR16 ("Bypass"), ParameterKind::kPlain, nullptr, 0.0, 1.0, 0.0, 1, ParameterTableFlags::kBypassSwitch, kKeepPrecision, 0.0},
    {kVuPPM, STR16 ("VuPPM"), ParameterKind::kPlain, nullptr, 0.0, 1.0, 0.0, 0, ParameterTableFlags::kOutput, kKeepPrecision, 0.0},
    {kBypassDry, STR16 ("Bypass Dry"), ParameterKind::kPlain, nullptr, 0.0, 1.0, 0.0, 1, ParameterTableFlags::kAutomate, kKeepPrecision, 0.0},
    {kBypassEarlyReflections, STR16 ("Bypass E.R."), ParameterKind::kPlain, nullptr, 0.0, 1.0, 0.0, 1, ParameterTableFlags::kAutomate, kKeepPrecision, 0.0},
    {kBypassReverb, STR16 ("Bypass Reverb"), ParameterKind::kPlain, nullptr, 0.0, 1.0, 0.0, 1, ParameterTableFlags::kAutomate, kKeepPrecision, 0.0},
    {kBypassWet, STR16 ("Bypass Wet"), ParameterKind::kPlain, nullptr, 0.0, 1.0, 0.0, 1, ParameterTableFlags::kAutomate, kKeepPrecision, 0.0},
    {kModSpeed, STR16 ("Mod. speed"), ParameterKind::kParabol, STR16 ("Hz"), 0.0, 20.0, 0.8, 0, ParameterTableFlags::kAutomate, 2, 3.0},
    // "deph" as it has always been spelled: hosts may keep titles with automation data.
    {kModDepth, STR16 ("Mod. deph"), ParameterKind::kRange, STR16 ("%"), 0.0, 100.0, 50.0, 0, ParameterTableFlags::kAutomate, 2, 0.0},
};

} // namespace Vst
} // namespace Steinberg
