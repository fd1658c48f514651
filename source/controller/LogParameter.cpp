// Frequencies on the same logarithmic curve the processor uses, so host, editor and engine agree.
#include "controller/LogParameter.h"

#include "controller/RangeText.h"
#include "processor/LogMapping.h"

#include "pluginterfaces/base/ustring.h"

namespace Steinberg {
namespace Vst {

LogParameter::LogParameter (const TChar* title, ParamID tag, const TChar* units, ParamValue minPlain,
                            ParamValue maxPlain, ParamValue defaultValuePlain, int32 flags,
                            UnitID unitID)
: minPlain (minPlain), maxPlain (maxPlain)
{
	UString (info.title, str16BufferSize (String128)).assign (title);
	if (units)
		UString (info.units, str16BufferSize (String128)).assign (units);
	info.stepCount = 0;
	info.defaultNormalizedValue = valueNormalized = toNormalized (defaultValuePlain);
	info.flags = flags;
	info.id = tag;
	info.unitId = unitID;
}

LogParameter::LogParameter (const ParameterInfo& info, ParamValue minPlain, ParamValue maxPlain)
: Parameter (info), minPlain (minPlain), maxPlain (maxPlain)
{
}

LogParameter::LogParameter () : minPlain (0.0), maxPlain (1.0)
{
}

LogParameter::~LogParameter () = default;

void LogParameter::toString (ParamValue valueNormalized, String128 string) const
{
	plainValueToString (*this, toPlain (valueNormalized), string);
}

bool LogParameter::fromString (const TChar* string, ParamValue& valueNormalized) const
{
	return plainValueFromString (*this, getMin (), getMax (), string, valueNormalized);
}

ParamValue LogParameter::toPlain (ParamValue valueNormalized) const
{
	return logNormalizedToPlain (getMin (), getMax (), valueNormalized);
}

ParamValue LogParameter::toNormalized (ParamValue plainValue) const
{
	if (!(plainValue > 0.0))
		return 0.0;
	return logPlainToNormalized (getMin (), getMax (), plainValue);
}

ParamValue LogParameter::getMin () const
{
	return minPlain;
}

void LogParameter::setMin (ParamValue value)
{
	minPlain = value;
}

ParamValue LogParameter::getMax () const
{
	return maxPlain;
}

void LogParameter::setMax (ParamValue value)
{
	maxPlain = value;
}

} // namespace Vst
} // namespace Steinberg
