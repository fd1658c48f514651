// The editor's one layout table: every control's tag, kind, rectangle, image, parameter, text
// partner and gesture, in the order in which the window is built and drawn.
#pragma once

#include "editor/EditorControlTag.h"
#include "processor/ParameterIds.h"

namespace Steinberg {
namespace Vst {

constexpr int32 kEditorWidth = 1105;
constexpr int32 kEditorHeight = 381;
// Hosts may offer up to this much more in each direction; the panel keeps its own size.
constexpr int32 kEditorSizeSlack = 50;

enum class EditorControlKind
{
	kKnob,        // CAnimKnob over a filmstrip whose frames are as high as the control
	kFader,       // CVerticalSlider whose handle travels the control's whole height
	kTextField,   // CTextEdit showing and taking its parameter's text
	kMenu,        // COptionMenu
	kOnOffButton, // COnOffButton
	kKickButton,  // CKickButton
	kSplash,      // CSplashScreen
	kLabel,       // CTextLabel without listener or tag
};

// What valueChanged does for a control.
enum class EditorAction
{
	kNone,
	kValueEdit,   // knob or fader: the control's value is the normalized value
	kTextEntry,   // text field: the typed text, read by the parameter, moves the partner
	kListChoice,  // variation menu: the entry index is the list parameter's plain value
	kSwitch,      // bypass button
	kPresetChoice,
	kPreviousPreset,
	kNextPreset,
	kLock,        // the controller's preset lock, which hosts never see
};

// Gestures on these reach the host between beginEdit and endEdit; text entry and presets do not.
constexpr bool isBracketed (EditorAction action)
{
	return action == EditorAction::kValueEdit || action == EditorAction::kListChoice ||
	       action == EditorAction::kSwitch;
}

// The control images, in the order in which open loads them; the background is loaded apart.
enum EditorImage : int32
{
	kNoImage = -1,
	kKnobGreenImage,
	kKnobLargeImage,
	kKnobBlueImage,
	kKnobOrangeImage,
	kKnobOrange2Image,
	kFaderLeftImage,
	kFaderRightImage,
	kDryBypassImage,
	kEarlyReflectionsBypassImage,
	kReverbBypassImage,
	kWetBypassImage,
	kPreviousPresetImage,
	kNextPresetImage,
	kLockImage,
	kBypassImage,
	kAboutImage,
	kNumEditorImages
};

inline constexpr const char* kEditorImageNames[kNumEditorImages] = {
    "Knob_green.png", "Knob_large.png", "Knob_blue.png",    "Knob_orange.png", "Knob_orange2.png", "Fader_left.png",
    "Fader_right.png", "DRY_bp.png",     "E.R_bp.png",       "REVERB_bp.png",   "WET_bp.png",       "last_preset.png",
    "next_preset.png", "lock_button.png", "Toggle_bp.png",   "About.png"};
inline constexpr const char* kBackgroundImageName = "Background.png";

constexpr int32 kNoParameter = -1;

struct EditorControlLayout
{
	EditorControlTag tag;
	EditorControlKind kind;
	int32 left;
	int32 top;
	int32 width;
	int32 height;
	EditorImage image;
	int32 parameter;          // ParameterId, or kNoParameter
	EditorControlTag partner; // the text field of a knob or fader and the other way round
	EditorAction action;
};

constexpr int32 kNumEditorControls = 51;
// The preset menu is made last, after the first display of the parameters.
constexpr int32 kPresetMenuRow = kNumEditorControls - 1;

namespace EditorLayoutRows {
using K = EditorControlKind;
using A = EditorAction;
constexpr EditorControlLayout knob (EditorControlTag tag, int32 left, int32 top, EditorImage image,
                                    ParameterId parameter, EditorControlTag text, int32 side = 88)
{
	return {tag, K::kKnob, left, top, side, side, image, int32 (parameter), text, A::kValueEdit};
}
constexpr EditorControlLayout field (EditorControlTag tag, int32 left, int32 top, ParameterId parameter,
                                     EditorControlTag control, int32 width = 83)
{
	return {tag, K::kTextField, left, top, width, 25, kNoImage, int32 (parameter), control, A::kTextEntry};
}
constexpr EditorControlLayout fader (EditorControlTag tag, int32 left, EditorImage image, ParameterId parameter,
                                     EditorControlTag text)
{
	return {tag, K::kFader, left, 80, 52, 283, image, int32 (parameter), text, A::kValueEdit};
}
constexpr EditorControlLayout bypass (EditorControlTag tag, int32 left, int32 top, int32 width, int32 height,
                                      EditorImage image, ParameterId parameter)
{
	return {tag, K::kOnOffButton, left, top, width, height, image, int32 (parameter), kNoControlTag, A::kSwitch};
}
} // namespace EditorLayoutRows

// Rows in creation order; a text field comes after its knob or fader, so it is drawn above the
// part of the knob or fader that it covers and takes the clicks there.
inline constexpr EditorControlLayout kEditorLayout[kNumEditorControls] = {
    EditorLayoutRows::knob (kPredelayKnob, 79, 101, kKnobGreenImage, kPredelay, kPredelayText),
    EditorLayoutRows::field (kPredelayText, 82, 184, kPredelay, kPredelayKnob),
    EditorLayoutRows::knob (kWidthKnob, 79, 268, kKnobGreenImage, kWidth, kWidthText),
    EditorLayoutRows::field (kWidthText, 82, 351, kWidth, kWidthKnob),
    EditorLayoutRows::knob (kRoomSizeKnob, 331, 101, kKnobBlueImage, kRoomSize, kRoomSizeText),
    EditorLayoutRows::field (kRoomSizeText, 335, 184, kRoomSize, kRoomSizeKnob),
    EditorLayoutRows::knob (kDiffusionKnob, 331, 268, kKnobBlueImage, kDiffusion, kDiffusionText),
    EditorLayoutRows::field (kDiffusionText, 335, 351, kDiffusion, kDiffusionKnob),
    EditorLayoutRows::knob (kDampIntensityKnob, 430, 101, kKnobBlueImage, kDampIntensity, kDampIntensityText),
    EditorLayoutRows::field (kDampIntensityText, 433, 184, kDampIntensity, kDampIntensityKnob),
    EditorLayoutRows::knob (kDampKnob, 430, 268, kKnobBlueImage, kDamp, kDampText),
    EditorLayoutRows::field (kDampText, 433, 351, kDamp, kDampKnob),
    EditorLayoutRows::knob (kModSpeedKnob, 529, 268, kKnobBlueImage, kModSpeed, kModSpeedText),
    EditorLayoutRows::field (kModSpeedText, 532, 351, kModSpeed, kModSpeedKnob),
    EditorLayoutRows::knob (kModDepthKnob, 529, 101, kKnobBlueImage, kModDepth, kModDepthText),
    EditorLayoutRows::field (kModDepthText, 532, 184, kModDepth, kModDepthKnob),
    EditorLayoutRows::knob (kLowGainKnob, 629, 101, kKnobOrange2Image, kLowGain, kLowGainText),
    EditorLayoutRows::field (kLowGainText, 632, 184, kLowGain, kLowGainKnob),
    EditorLayoutRows::knob (kLowShelfKnob, 629, 268, kKnobOrangeImage, kLowShelf, kLowShelfText),
    EditorLayoutRows::field (kLowShelfText, 632, 351, kLowShelf, kLowShelfKnob),
    EditorLayoutRows::knob (kPeakGainKnob, 725, 101, kKnobOrange2Image, kPeakGain, kPeakGainText),
    EditorLayoutRows::field (kPeakGainText, 728, 184, kPeakGain, kPeakGainKnob),
    EditorLayoutRows::knob (kPeakKnob, 725, 268, kKnobOrangeImage, kPeak, kPeakText),
    EditorLayoutRows::field (kPeakText, 728, 351, kPeak, kPeakKnob),
    EditorLayoutRows::knob (kHighGainKnob, 821, 101, kKnobOrange2Image, kHighGain, kHighGainText),
    EditorLayoutRows::field (kHighGainText, 824, 184, kHighGain, kHighGainKnob),
    EditorLayoutRows::knob (kHighShelfKnob, 821, 268, kKnobOrangeImage, kHighShelf, kHighShelfText),
    EditorLayoutRows::field (kHighShelfText, 825, 351, kHighShelf, kHighShelfKnob),
    EditorLayoutRows::knob (kDecayTimeKnob, 179, 220, kKnobLargeImage, kDecayTime, kDecayTimeText, 140),
    EditorLayoutRows::field (kDecayTimeText, 195, 351, kDecayTime, kDecayTimeKnob, 108),
    EditorLayoutRows::fader (kDryFader, 13, kFaderLeftImage, kDry, kDryText),
    EditorLayoutRows::field (kDryText, 13, 351, kDry, kDryFader, 56),
    EditorLayoutRows::fader (kEarlyReflectionsFader, 932, kFaderRightImage, kEarlyReflections, kEarlyReflectionsText),
    EditorLayoutRows::field (kEarlyReflectionsText, 927, 351, kEarlyReflections, kEarlyReflectionsFader, 56),
    EditorLayoutRows::fader (kReverbFader, 989, kFaderRightImage, kReverb, kReverbText),
    EditorLayoutRows::field (kReverbText, 984, 351, kReverb, kReverbFader, 56),
    EditorLayoutRows::fader (kWetFader, 1046, kFaderRightImage, kWet, kWetText),
    EditorLayoutRows::field (kWetText, 1040, 351, kWet, kWetFader, 56),
    {kEarlyReflectionVariationMenu, EditorControlKind::kMenu, 178, 82, 145, 30, kNoImage, kEarlyReflectionVariation,
     kNoControlTag, EditorAction::kListChoice},
    {kReverbVariationMenu, EditorControlKind::kMenu, 178, 137, 145, 30, kNoImage, kReverbVariation, kNoControlTag,
     EditorAction::kListChoice},
    EditorLayoutRows::bypass (kBypassDryButton, 21, 47, 42, 31, kDryBypassImage, kBypassDry),
    EditorLayoutRows::bypass (kBypassEarlyReflectionsButton, 932, 47, 42, 31, kEarlyReflectionsBypassImage,
                              kBypassEarlyReflections),
    EditorLayoutRows::bypass (kBypassReverbButton, 975, 47, 70, 31, kReverbBypassImage, kBypassReverb),
    EditorLayoutRows::bypass (kBypassWetButton, 1047, 47, 42, 31, kWetBypassImage, kBypassWet),
    EditorLayoutRows::bypass (kBypassButton, 932, 6, 156, 29, kBypassImage, kBypass),
    {kPreviousPresetButton, EditorControlKind::kKickButton, 329, 7, 23, 27, kPreviousPresetImage, kNoParameter,
     kNoControlTag, EditorAction::kPreviousPreset},
    {kNextPresetButton, EditorControlKind::kKickButton, 571, 7, 23, 27, kNextPresetImage, kNoParameter, kNoControlTag,
     EditorAction::kNextPreset},
    {kLockButton, EditorControlKind::kOnOffButton, 598, 7, 23, 27, kLockImage, kNoParameter, kNoControlTag,
     EditorAction::kLock},
    {kAboutSplash, EditorControlKind::kSplash, 6, 5, 195, 31, kAboutImage, kNoParameter, kNoControlTag,
     EditorAction::kNone},
    {kNoControlTag, EditorControlKind::kLabel, 211, 20, 90, 20, kNoImage, kNoParameter, kNoControlTag,
     EditorAction::kNone},
    {kPresetMenu, EditorControlKind::kMenu, 356, 7, 212, 28, kNoImage, kNoParameter, kNoControlTag,
     EditorAction::kPresetChoice},
};

// The About image opens over the middle of the panel.
inline constexpr int32 kAboutDisplayRect[4] = {325, 0, 725, 380};
inline constexpr const char* kVersionText = "Ver. 2.0.1 Beta";

// The order in which the hit test for hosts looks at the parameters; it decides only where
// controls of two parameters overlap (the reverb fader over the wet text field's left edge).
inline constexpr ParameterId kParameterFinderOrder[] = {
    kDry,      kEarlyReflections, kReverb,    kWet,       kPredelay,  kWidth,
    kDecayTime, kRoomSize,        kDiffusion, kDampIntensity, kDamp,  kLowGain,
    kLowShelf, kPeakGain,         kPeak,      kHighShelf, kHighGain,  kEarlyReflectionVariation,
    kReverbVariation, kModSpeed,  kModDepth,  kBypassDry, kBypassEarlyReflections, kBypassReverb,
    kBypassWet, kBypass};

// The row of a tag, or -1.
constexpr int32 editorRowOfTag (int32 tag)
{
	for (int32 row = 0; row < kNumEditorControls; ++row)
		if (kEditorLayout[row].tag == tag && tag != kNoControlTag)
			return row;
	return -1;
}

// The row of the control (knob, fader, menu or button) or of the text field that shows a
// parameter, or -1.
constexpr int32 editorRowOfParameter (int32 parameter, bool textField)
{
	for (int32 row = 0; row < kNumEditorControls; ++row)
	{
		const EditorControlLayout& r = kEditorLayout[row];
		if (r.parameter == parameter && parameter != kNoParameter &&
		    (r.kind == EditorControlKind::kTextField) == textField)
			return row;
	}
	return -1;
}

} // namespace Vst
} // namespace Steinberg
