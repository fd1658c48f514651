// Both directions work on log2 of the frequency relative to 624.375 Hz; the reference only
// changes the rounding, but saved values and displays depend on exactly this rounding.
#include "processor/LogMapping.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {
constexpr double kReferenceFrequency = 624.375;
}

LogScale::LogScale (const FrequencyRange& range)
: empty (range.min == 0.0 || range.max == 0.0)
, low (empty ? 0.0 : std::log2 (range.min / kReferenceFrequency))
, span (empty ? 0.0 : std::log2 (range.max / kReferenceFrequency) - low)
{
}

double LogScale::plain (double normalized) const
{
	if (empty)
		return 0.0;
	return std::pow (2.0, span * normalized + low) * kReferenceFrequency;
}

double logNormalizedToPlain (double min, double max, double normalized)
{
	return LogScale ({min, max}).plain (normalized);
}

double logPlainToNormalized (double min, double max, double plain)
{
	if (min == 0.0 || max == 0.0)
		return 0.0;
	const double a = std::log2 (min / kReferenceFrequency);
	const double b = std::log2 (max / kReferenceFrequency);
	const double c = std::log2 (plain / kReferenceFrequency);
	return (c - a) / (b - a);
}

} // namespace Vst
} // namespace Steinberg
