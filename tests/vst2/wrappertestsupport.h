// Shared by the wrapper's tests: effects made through VSTPluginMain, stereo buffers, the fuzz.
#pragma once

#include "host/vst2/effect.h"
#include "host/vst2/host.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace wrappertest {

// Two channels in, two out, for both process callbacks.
template <typename Sample>
struct Stereo
{
	Stereo (int frames, Sample input, Sample staleOutput = Sample (7))
	: in {std::vector<Sample> (static_cast<size_t> (frames), input), std::vector<Sample> (static_cast<size_t> (frames), input)}
	, out {std::vector<Sample> (static_cast<size_t> (frames), staleOutput), std::vector<Sample> (static_cast<size_t> (frames), staleOutput)}
	, inputs {in[0].data (), in[1].data ()}
	, outputs {out[0].data (), out[1].data ()}
	{
	}
	std::vector<Sample> in[2];
	std::vector<Sample> out[2];
	Sample* inputs[2];
	Sample* outputs[2];
};

void process (const vst2host::Effect& effect, Stereo<float>& buffers);
void process (const vst2host::Effect& effect, Stereo<double>& buffers);

// The effect's chunk, copied (empty when it has none).
std::vector<char> chunkOf (const vst2host::Effect& effect);
vst2host::IntPtr setChunk (const vst2host::Effect& effect, std::vector<char> bytes);

// Runs body while a thread of its own sends the effect 32-bit blocks of the given length, as a
// host's audio thread does.
void whileBlocksRun (const vst2host::Effect& effect, int frames, const std::function<void ()>& body);

// Drives an effect with random opcodes, indices, values, texts, records and chunks, interleaved
// with process calls, for the given number of rounds. Every refused chunk must leave the effect's
// chunk as it was; every block's output must stay finite. Returns the rounds survived.
int fuzzEffect (const vst2host::Effect& effect, std::uint32_t seed, int rounds);

} // namespace wrappertest
