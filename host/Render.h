// Rendering audio through a hosted plug-in, and the generated test signal of the demonstration.
#pragma once

#include "PluginInstance.h"
#include "Wav.h"

#include <string>
#include <utility>
#include <vector>

namespace TessalineHost {

struct RenderSettings
{
	Steinberg::int32 blockSize = 512;
	bool doublePrecision = false;
	// Normalized values, queued in the first block.
	std::vector<std::pair<Steinberg::Vst::ParamID, double>> parameters;
	// A saved processor state, loaded before the parameters when not empty.
	std::vector<char> state;
	// Silence appended to the input so the tail can ring out.
	double tailSeconds = 0.0;
};

struct RenderSummary
{
	double peak[2] = {0.0, 0.0};
	double rms[2] = {0.0, 0.0};
	// How long the output stays above -60 dB of its peak after the input has ended.
	double ringSeconds = 0.0;
	size_t levelPoints = 0;
	double highestLevel = 0.0;
};

// Sets the plug-in up at the input's rate, renders the input (plus the tail) block by block and
// deactivates it again. False with a reason in error.
bool render (PluginInstance& plugin, const StereoAudio& input, const RenderSettings& settings,
             StereoAudio& output, RenderSummary& summary, std::string& error);

// Clicks, a noise burst and a decaying tone in the first second, then silence: shows the early
// reflections, the diffuse tail and the tone colour of the reverb.
StereoAudio makeTestSignal (double sampleRate, double seconds);

} // namespace TessalineHost
