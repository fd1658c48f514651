// A frequency whose normalized value lies on the shared logarithmic scale between two limits in Hz.
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

class LogParameter : public Parameter
{
public:
	LogParameter (const TChar* title, ParamID tag, const TChar* units, ParamValue minPlain,
	              ParamValue maxPlain, ParamValue defaultValuePlain, int32 flags, UnitID unitID);
	LogParameter (const ParameterInfo& info, ParamValue minPlain, ParamValue maxPlain);
	LogParameter ();
	~LogParameter () override;

	OBJ_METHODS (LogParameter, Parameter)

	// The frequency, printed with the parameter's precision.
	void toString (ParamValue valueNormalized, String128 string) const override;
	// A typed frequency in Hz, clamped to the range.
	bool fromString (const TChar* string, ParamValue& valueNormalized) const override;
	ParamValue toPlain (ParamValue valueNormalized) const override;
	// Not clamped, except that a frequency at or below 0 Hz (no logarithm) gives 0.
	ParamValue toNormalized (ParamValue plainValue) const override;

	// Changing the range keeps the normalized value; its frequency follows the new range.
	virtual ParamValue getMin () const;
	virtual void setMin (ParamValue value);
	virtual ParamValue getMax () const;
	virtual void setMax (ParamValue value);

protected:
	ParamValue minPlain;
	ParamValue maxPlain;
};

} // namespace Vst
} // namespace Steinberg
