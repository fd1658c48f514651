// The edit controller: the parameters, the processor's state, the knob mode and the presets.
#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

class Controller : public EditController
{
public:
	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API terminate () SMTG_OVERRIDE;

	// Follows the processor's saved state and asks the host (through the component handler) to
	// read the values again; a state that cannot be read completely changes nothing.
	tresult PLUGIN_API setComponentState (IBStream* state) SMTG_OVERRIDE;
	tresult PLUGIN_API getParameterInfo (int32 paramIndex, ParameterInfo& info) SMTG_OVERRIDE;
	tresult PLUGIN_API getParamStringByValue (ParamID tag, ParamValue valueNormalized,
	                                          String128 string) SMTG_OVERRIDE;
	// A typed text gives a value within 0 to 1 or is refused (kResultFalse, the value untouched);
	// a switch also takes the words it shows, in any case. Text with a surrogate out of its pair
	// is refused.
	tresult PLUGIN_API getParamValueByString (ParamID tag, TChar* string,
	                                          ParamValue& valueNormalized) SMTG_OVERRIDE;
	// Each holds its value within the parameter's domain first (normalized: 0 to 1; plain: the
	// parameter's range; NaN as the lower end), so every answer belongs to a value the parameter
	// can take.
	ParamValue PLUGIN_API normalizedParamToPlain (ParamID tag, ParamValue valueNormalized) SMTG_OVERRIDE;
	ParamValue PLUGIN_API plainParamToNormalized (ParamID tag, ParamValue plainValue) SMTG_OVERRIDE;
	tresult PLUGIN_API setParamNormalized (ParamID tag, ParamValue value) SMTG_OVERRIDE;

	// A text message is taken (kResultOk) and otherwise unused; anything else, or a message
	// without attributes, is refused (kResultFalse).
	tresult PLUGIN_API notify (IMessage* message) SMTG_OVERRIDE;

	// Only the linear mode: the editor's knobs follow straight mouse movement.
	tresult PLUGIN_API setKnobMode (KnobMode mode) SMTG_OVERRIDE;

	// Applies one preset row: 26 plain values indexed by ParameterId (lists as indices, switches
	// as 0 or 1, gains in dB, frequencies in Hz, times in ms or s, the rest in percent). Each
	// value is set and announced to the host; the master bypass is never changed, and while
	// locked neither are Dry, Wet and their bypass switches.
	void applyPreset (const ParamValue* values);

	// The preset lock belongs to the editor session: no state saves it and hosts never see it.
	void setLock (bool lock);
	bool isLocked () const;

private:
	// The reading behind getParamValueByString, once the text has passed its checks; it may throw
	// where the SDK allocates.
	tresult readText (ParamID tag, const TChar* string, ParamValue& valueNormalized);

	bool locked = false;
};

} // namespace Vst
} // namespace Steinberg
