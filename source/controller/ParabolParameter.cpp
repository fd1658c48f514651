// A power curve gives fine control at the short end of decay times and slow modulation speeds.
#include "controller/ParabolParameter.h"

#include "controller/RangeText.h"

#include "pluginterfaces/base/ustring.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {
constexpr ParamValue kDefaultPower = 2.0;
}

ParabolParameter::ParabolParameter (const TChar* title, ParamID tag, const TChar* units,
                                    ParamValue minPlain, ParamValue maxPlain,
                                    ParamValue defaultValuePlain, int32 flags, UnitID unitID,
                                    ParamValue power)
: minPlain (minPlain), maxPlain (maxPlain), power (kDefaultPower)
{
	UString (info.title, str16BufferSize (String128)).assign (title);
	if (units)
		UString (info.units, str16BufferSize (String128)).assign (units);
	info.stepCount = 0;
	setPower (power);
	info.defaultNormalizedValue = valueNormalized = toNormalized (defaultValuePlain);
	info.flags = flags;
	info.id = tag;
	info.unitId = unitID;
}

ParabolParameter::ParabolParameter (const ParameterInfo& info, ParamValue minPlain,
                                    ParamValue maxPlain)
: Parameter (info), minPlain (minPlain), maxPlain (maxPlain), power (kDefaultPower)
{
}

ParabolParameter::ParabolParameter () : minPlain (0.0), maxPlain (1.0), power (kDefaultPower)
{
}

ParabolParameter::~ParabolParameter () = default;

void ParabolParameter::toString (ParamValue valueNormalized, String128 string) const
{
	plainValueToString (*this, toPlain (valueNormalized), string);
}

bool ParabolParameter::fromString (const TChar* string, ParamValue& valueNormalized) const
{
	return plainValueFromString (*this, getMin (), getMax (), string, valueNormalized);
}

ParamValue ParabolParameter::toPlain (ParamValue valueNormalized) const
{
	return getMin () + (getMax () - getMin ()) * std::pow (valueNormalized, power);
}

ParamValue ParabolParameter::toNormalized (ParamValue plainValue) const
{
	const ParamValue fraction = (plainValue - getMin ()) / (getMax () - getMin ());
	if (!(fraction > 0.0))
		return 0.0;
	return std::pow (fraction, 1.0 / power);
}

ParamValue ParabolParameter::getMin () const
{
	return minPlain;
}

void ParabolParameter::setMin (ParamValue value)
{
	minPlain = value;
}

ParamValue ParabolParameter::getMax () const
{
	return maxPlain;
}

void ParabolParameter::setMax (ParamValue value)
{
	maxPlain = value;
}

void ParabolParameter::setPower (ParamValue value)
{
	power = value;
}

} // namespace Vst
} // namespace Steinberg
