// The dB arithmetic runs in single precision on purpose: saved presets and displays depend on
// exactly these roundings (-6.02 dB is 0.500034511089325, not 0.5).
#include "controller/GainParameter.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/ustring.h"

#include <cmath>
#include <cstdio>

namespace Steinberg {
namespace Vst {

namespace {
constexpr ParamValue kSilenceGain = 0.0001; // -80 dB: anything at or below shows as "-oo"
constexpr float kLn10 = 2.3025851249694824f; // ln 10 as a float, independent of the C library
} // namespace

GainParameter::GainParameter (int32 flags, int32 tag, const TChar* title)
{
	UString (info.title, str16BufferSize (String128)).assign (title);
	UString (info.units, str16BufferSize (String128)).assign (STR16 ("dB"));
	info.flags = flags;
	info.id = tag;
	info.stepCount = 0;
	info.defaultNormalizedValue = 1.0;
	info.unitId = kRootUnitId;
	setNormalized (1.0);
}

GainParameter::~GainParameter () = default;

void GainParameter::toString (ParamValue valueNormalized, String128 string) const
{
	char text[32] = "-oo";
	if (valueNormalized > kSilenceGain)
	{
		const float dB = 20.0f * std::log10 (static_cast<float> (valueNormalized));
		std::snprintf (text, sizeof (text), "%.2f", static_cast<double> (dB));
	}
	UString (string, str16BufferSize (String128)).fromAscii (text);
}

bool GainParameter::fromString (const TChar* string, ParamValue& valueNormalized) const
{
	double dB = 0.0;
	if (!String (string).scanFloat (dB, 0, true) || std::isnan (dB))
		return false;
	if (dB > 0.0)
		dB = -dB;
	const float gain = std::exp (kLn10 * static_cast<float> (dB) / 20.0f);
	valueNormalized = static_cast<ParamValue> (gain);
	return true;
}

} // namespace Vst
} // namespace Steinberg
