// Logarithmic frequency scale shared by the processor, the settings reader and LogParameter.
#pragma once

namespace Steinberg {
namespace Vst {

// The frequency parameters and their ranges in Hz.
struct FrequencyRange
{
	double min;
	double max;
};
constexpr FrequencyRange kDampRange {4000.0, 22020.0};
constexpr FrequencyRange kLowShelfRange {20.0, 1000.0};
constexpr FrequencyRange kPeakRange {30.0, 22000.0};
constexpr FrequencyRange kHighShelfRange {1000.0, 22000.0};

// Frequency in Hz for a normalized value on the logarithmic scale from min to max.
double logNormalizedToPlain (double min, double max, double normalized);

// The same for one range, its logarithms worked out once: plain () gives exactly what
// logNormalizedToPlain gives for the range.
class LogScale
{
public:
	explicit LogScale (const FrequencyRange& range);
	double plain (double normalized) const;

private:
	bool empty; // a bound of 0: every value is 0 Hz
	double low; // log2 of the lower bound relative to the reference frequency
	double span; // the upper bound's log2 less the lower one's
};

// Normalized value of a frequency on the logarithmic scale from min to max (not clamped).
double logPlainToNormalized (double min, double max, double plain);

} // namespace Vst
} // namespace Steinberg
