// A value whose plain value grows with a power of the normalized value between two limits.
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

class ParabolParameter : public Parameter
{
public:
	// The exponent is set before the default is converted, so the default follows it.
	ParabolParameter (const TChar* title, ParamID tag, const TChar* units, ParamValue minPlain,
	                  ParamValue maxPlain, ParamValue defaultValuePlain, int32 flags,
	                  UnitID unitID, ParamValue power);
	ParabolParameter (const ParameterInfo& info, ParamValue minPlain, ParamValue maxPlain);
	ParabolParameter ();
	~ParabolParameter () override;

	OBJ_METHODS (ParabolParameter, Parameter)

	// The plain value, printed with the parameter's precision.
	void toString (ParamValue valueNormalized, String128 string) const override;
	// A typed plain value, clamped to the range.
	bool fromString (const TChar* string, ParamValue& valueNormalized) const override;
	ParamValue toPlain (ParamValue valueNormalized) const override;
	// Not clamped above the range; at or below the minimum it gives 0 (no root of a negative).
	ParamValue toNormalized (ParamValue plainValue) const override;

	// Changing the range keeps the normalized value; its plain value follows the new range.
	virtual ParamValue getMin () const;
	virtual void setMin (ParamValue value);
	virtual ParamValue getMax () const;
	virtual void setMax (ParamValue value);

	void setPower (ParamValue value);

protected:
	ParamValue minPlain;
	ParamValue maxPlain;
	ParamValue power;
};

} // namespace Vst
} // namespace Steinberg
