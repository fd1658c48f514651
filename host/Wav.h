// Stereo audio in memory, read from and written to WAV files.
#pragma once

#include <string>
#include <vector>

namespace TessalineHost {

struct StereoAudio
{
	double sampleRate = 48000.0;
	std::vector<float> left;
	std::vector<float> right;

	size_t frames () const { return left.size (); }
	void resize (size_t frames)
	{
		left.resize (frames);
		right.resize (frames);
	}
};

// Reads 16-, 24- or 32-bit integer or 32-/64-bit float WAV, mono (copied to both sides) or with
// two or more channels (the first two are used). False with a reason in error.
bool readWav (const std::string& path, StereoAudio& audio, std::string& error);
// Writes 32-bit float stereo.
bool writeWav (const std::string& path, const StereoAudio& audio, std::string& error);

} // namespace TessalineHost
