// The four-character tags of the editor's controls: every control notification is dispatched on them.
#pragma once

#include "pluginterfaces/base/ftypes.h"

namespace Steinberg {
namespace Vst {

// Four ASCII characters, the first in the most significant byte ("drSl" is 0x6472536C).
constexpr int32 fourCharTag (const char (&code)[5])
{
	return static_cast<int32> ((uint32 (uint8 (code[0])) << 24) | (uint32 (uint8 (code[1])) << 16) |
	                           (uint32 (uint8 (code[2])) << 8) | uint32 (uint8 (code[3])));
}

enum EditorControlTag : int32
{
	kNoControlTag = 0,
	kDryFader = fourCharTag ("drSl"),
	kDryText = fourCharTag ("drTx"),
	kEarlyReflectionsFader = fourCharTag ("erSl"),
	kEarlyReflectionsText = fourCharTag ("erTx"),
	kReverbFader = fourCharTag ("reSl"),
	kReverbText = fourCharTag ("reTx"),
	kWetFader = fourCharTag ("weSl"),
	kWetText = fourCharTag ("weTx"),
	kPredelayKnob = fourCharTag ("prKn"),
	kPredelayText = fourCharTag ("prTx"),
	kWidthKnob = fourCharTag ("wdKn"),
	kWidthText = fourCharTag ("wdTx"),
	kDecayTimeKnob = fourCharTag ("dtKn"),
	kDecayTimeText = fourCharTag ("dtTx"),
	kRoomSizeKnob = fourCharTag ("rsKn"),
	kRoomSizeText = fourCharTag ("rsTx"),
	kDiffusionKnob = fourCharTag ("dfKn"),
	kDiffusionText = fourCharTag ("dfTx"),
	kDampIntensityKnob = fourCharTag ("diKn"),
	kDampIntensityText = fourCharTag ("diTx"),
	kDampKnob = fourCharTag ("dmKn"),
	kDampText = fourCharTag ("dmTx"),
	kLowGainKnob = fourCharTag ("lgKn"),
	kLowGainText = fourCharTag ("lgTx"),
	kLowShelfKnob = fourCharTag ("lsKn"),
	kLowShelfText = fourCharTag ("lsTx"),
	kPeakGainKnob = fourCharTag ("pgKn"),
	kPeakGainText = fourCharTag ("pgTx"),
	kPeakKnob = fourCharTag ("piKn"),
	kPeakText = fourCharTag ("piTx"),
	kHighGainKnob = fourCharTag ("hgKn"),
	kHighGainText = fourCharTag ("hgTx"),
	kHighShelfKnob = fourCharTag ("hsKn"),
	kHighShelfText = fourCharTag ("hsTx"),
	kEarlyReflectionVariationMenu = fourCharTag ("erMn"),
	kReverbVariationMenu = fourCharTag ("rvMn"),
	kModSpeedKnob = fourCharTag ("fmKn"),
	kModSpeedText = fourCharTag ("fmTx"),
	kModDepthKnob = fourCharTag ("pmKn"),
	kModDepthText = fourCharTag ("pmTx"),
	kBypassDryButton = fourCharTag ("drbp"),
	kBypassEarlyReflectionsButton = fourCharTag ("erbp"),
	kBypassReverbButton = fourCharTag ("rebp"),
	kBypassWetButton = fourCharTag ("webp"),
	kBypassButton = fourCharTag ("bpbp"),
	kLockButton = fourCharTag ("lodw"),
	kNextPresetButton = fourCharTag ("nepr"),
	kPreviousPresetButton = fourCharTag ("lapr"),
	kPresetMenu = fourCharTag ("prMn"),
	kAboutSplash = fourCharTag ("spsn"),
};

} // namespace Vst
} // namespace Steinberg
