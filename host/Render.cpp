// Block-by-block rendering through a hosted plug-in, with a summary of what came out.
#include "Render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace TessalineHost {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRingThreshold = 0.001; // -60 dB of the peak

template <typename Sample>
bool renderBlocks (PluginInstance& plugin, const StereoAudio& input, const RenderSettings& settings,
                   StereoAudio& output, RenderSummary& summary)
{
	const size_t frames = output.frames ();
	const auto block = static_cast<size_t> (settings.blockSize);
	std::vector<Sample> inL (block), inR (block), outL (block), outR (block);
	Sample* inputs[2] = {inL.data (), inR.data ()};
	Sample* outputs[2] = {outL.data (), outR.data ()};
	for (const auto& parameter : settings.parameters)
		plugin.queueParameter (parameter.first, parameter.second);

	for (size_t start = 0; start < frames; start += block)
	{
		const size_t count = std::min (block, frames - start);
		for (size_t i = 0; i < count; ++i)
		{
			const size_t at = start + i;
			inL[i] = at < input.frames () ? input.left[at] : 0;
			inR[i] = at < input.frames () ? input.right[at] : 0;
		}
		if (plugin.process (inputs, outputs, static_cast<int32> (count)) != kResultOk)
			return false;
		for (size_t i = 0; i < count; ++i)
		{
			output.left[start + i] = static_cast<float> (outL[i]);
			output.right[start + i] = static_cast<float> (outR[i]);
		}
		for (const auto& point : plugin.outputChanges ())
		{
			++summary.levelPoints;
			summary.highestLevel = std::max (summary.highestLevel, point.value);
		}
	}
	return true;
}

void summarise (const StereoAudio& input, const StereoAudio& output, RenderSummary& summary)
{
	double sum[2] = {0.0, 0.0};
	for (size_t i = 0; i < output.frames (); ++i)
	{
		const double sample[2] = {output.left[i], output.right[i]};
		for (int c = 0; c < 2; ++c)
		{
			summary.peak[c] = std::max (summary.peak[c], std::fabs (sample[c]));
			sum[c] += sample[c] * sample[c];
		}
	}
	for (int c = 0; c < 2; ++c)
		summary.rms[c] = output.frames () ? std::sqrt (sum[c] / output.frames ()) : 0.0;

	// The input ends at its last sample that is not silent.
	size_t inputEnd = 0;
	for (size_t i = 0; i < input.frames (); ++i)
		if (input.left[i] != 0.0f || input.right[i] != 0.0f)
			inputEnd = i + 1;
	const double threshold = std::max (summary.peak[0], summary.peak[1]) * kRingThreshold;
	size_t lastAudible = inputEnd;
	for (size_t i = inputEnd; i < output.frames (); ++i)
		if (std::fabs (output.left[i]) > threshold || std::fabs (output.right[i]) > threshold)
			lastAudible = i + 1;
	summary.ringSeconds = (lastAudible - inputEnd) / output.sampleRate;
}

} // namespace

bool render (PluginInstance& plugin, const StereoAudio& input, const RenderSettings& settings,
             StereoAudio& output, RenderSummary& summary, std::string& error)
{
	if (settings.blockSize <= 0)
	{
		error = "the block size must be positive";
		return false;
	}
	if (!settings.state.empty () && plugin.setState (settings.state) != kResultOk)
	{
		error = "the plug-in did not accept the saved state";
		return false;
	}
	const int32 sampleSize = settings.doublePrecision ? kSample64 : kSample32;
	if (plugin.setupProcessing (input.sampleRate, settings.blockSize, sampleSize) != kResultOk)
	{
		error = "the plug-in refused the processing setup";
		return false;
	}
	plugin.setActive (true);

	output.sampleRate = input.sampleRate;
	output.resize (input.frames () + static_cast<size_t> (settings.tailSeconds * input.sampleRate));
	summary = RenderSummary {};
	const bool rendered = settings.doublePrecision
	                          ? renderBlocks<double> (plugin, input, settings, output, summary)
	                          : renderBlocks<float> (plugin, input, settings, output, summary);
	plugin.setActive (false);
	if (!rendered)
	{
		error = "process did not succeed";
		return false;
	}
	summarise (input, output, summary);
	return true;
}

StereoAudio makeTestSignal (double sampleRate, double seconds)
{
	StereoAudio signal;
	signal.sampleRate = sampleRate;
	signal.resize (static_cast<size_t> (seconds * sampleRate));
	auto at = [&] (double time) { return static_cast<size_t> (time * sampleRate); };
	auto put = [&] (size_t i, double left, double right) {
		if (i < signal.frames ())
		{
			signal.left[i] += static_cast<float> (left);
			signal.right[i] += static_cast<float> (right);
		}
	};

	// Two clicks, left then right: the early reflections and the stereo spread.
	put (at (0.0), 0.8, 0.0);
	put (at (0.15), 0.0, 0.8);

	// A 30 ms noise burst with a quick decay: the diffuse tail.
	uint32_t seed = 0x12345678u;
	auto noise = [&seed] () {
		seed = seed * 1664525u + 1013904223u; // a plain LCG keeps the signal the same everywhere
		return static_cast<double> (seed >> 8) / 8388608.0 - 1.0;
	};
	for (size_t i = at (0.3); i < at (0.33); ++i)
	{
		const double envelope = std::exp (-(static_cast<double> (i - at (0.3)) / sampleRate) / 0.01);
		put (i, 0.5 * envelope * noise (), 0.5 * envelope * noise ());
	}

	// A plucked 440 Hz tone: the colour of the tail.
	for (size_t i = at (0.5); i < at (0.9); ++i)
	{
		const double t = static_cast<double> (i - at (0.5)) / sampleRate;
		const double tone = 0.4 * std::exp (-t / 0.08) * std::sin (2.0 * kPi * 440.0 * t);
		put (i, tone, tone);
	}
	return signal;
}

} // namespace TessalineHost
