// A small WAV reader and writer: RIFF chunks, little-endian, PCM or IEEE float.
#include "Wav.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace TessalineHost {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint32_t readLE (const unsigned char* bytes, int count)
{
	uint32_t value = 0;
	for (int i = count - 1; i >= 0; --i)
		value = (value << 8) | bytes[i];
	return value;
}

void appendLE (std::string& out, uint32_t value, int count)
{
	for (int i = 0; i < count; ++i)
		out.push_back (static_cast<char> ((value >> (8 * i)) & 0xFF));
}

double decodeSample (const unsigned char* bytes, uint16_t format, uint16_t bits)
{
	if (format == kFormatFloat && bits == 32)
	{
		uint32_t raw = readLE (bytes, 4);
		float value;
		std::memcpy (&value, &raw, sizeof (value));
		return value;
	}
	if (format == kFormatFloat && bits == 64)
	{
		uint64_t raw = readLE (bytes, 4) | (static_cast<uint64_t> (readLE (bytes + 4, 4)) << 32);
		double value;
		std::memcpy (&value, &raw, sizeof (value));
		return value;
	}
	const int bytesPerSample = bits / 8;
	uint32_t raw = readLE (bytes, bytesPerSample);
	// Sign-extend from the sample's own width.
	const int shift = 32 - bits;
	const int32_t value = static_cast<int32_t> (raw << shift) >> shift;
	return value / static_cast<double> (1u << (bits - 1));
}

} // namespace

bool readWav (const std::string& path, StereoAudio& audio, std::string& error)
{
	std::ifstream file (path, std::ios::binary);
	if (!file)
	{
		error = "cannot open " + path;
		return false;
	}
	std::string bytes ((std::istreambuf_iterator<char> (file)), std::istreambuf_iterator<char> ());
	const auto* data = reinterpret_cast<const unsigned char*> (bytes.data ());
	if (bytes.size () < 12 || std::memcmp (data, "RIFF", 4) != 0 || std::memcmp (data + 8, "WAVE", 4) != 0)
	{
		error = path + " is not a WAV file";
		return false;
	}

	uint16_t format = 0, channels = 0, bits = 0;
	uint32_t rate = 0;
	const unsigned char* samples = nullptr;
	size_t sampleBytes = 0;
	for (size_t at = 12; at + 8 <= bytes.size ();)
	{
		const uint32_t chunkSize = readLE (data + at + 4, 4);
		const size_t bodyStart = at + 8;
		const size_t available = bytes.size () - bodyStart;
		const size_t body = chunkSize < available ? chunkSize : available;
		if (std::memcmp (data + at, "fmt ", 4) == 0 && body >= 16)
		{
			format = static_cast<uint16_t> (readLE (data + bodyStart, 2));
			channels = static_cast<uint16_t> (readLE (data + bodyStart + 2, 2));
			rate = readLE (data + bodyStart + 4, 4);
			bits = static_cast<uint16_t> (readLE (data + bodyStart + 14, 2));
			if (format == kFormatExtensible && body >= 26)
				format = static_cast<uint16_t> (readLE (data + bodyStart + 24, 2));
		}
		else if (std::memcmp (data + at, "data", 4) == 0)
		{
			samples = data + bodyStart;
			sampleBytes = body;
		}
		at = bodyStart + body + (body & 1);
	}

	const bool supported = (format == kFormatPcm && (bits == 16 || bits == 24 || bits == 32)) ||
	                       (format == kFormatFloat && (bits == 32 || bits == 64));
	if (!supported || channels == 0 || rate == 0 || !samples)
	{
		error = path + ": unsupported WAV format";
		return false;
	}
	const size_t frameBytes = static_cast<size_t> (channels) * (bits / 8);
	const size_t frames = sampleBytes / frameBytes;
	audio.sampleRate = rate;
	audio.resize (frames);
	for (size_t i = 0; i < frames; ++i)
	{
		const unsigned char* frame = samples + i * frameBytes;
		audio.left[i] = static_cast<float> (decodeSample (frame, format, bits));
		audio.right[i] = channels > 1 ? static_cast<float> (decodeSample (frame + bits / 8, format, bits))
		                              : audio.left[i];
	}
	return true;
}

bool writeWav (const std::string& path, const StereoAudio& audio, std::string& error)
{
	const uint32_t channels = 2, bits = 32;
	const uint32_t rate = static_cast<uint32_t> (audio.sampleRate);
	const uint32_t dataBytes = static_cast<uint32_t> (audio.frames () * channels * (bits / 8));
	std::string out;
	out.reserve (dataBytes + 58);
	out += "RIFF";
	appendLE (out, 50 + dataBytes, 4);
	out += "WAVEfmt ";
	appendLE (out, 18, 4);
	appendLE (out, kFormatFloat, 2);
	appendLE (out, channels, 2);
	appendLE (out, rate, 4);
	appendLE (out, rate * channels * (bits / 8), 4);
	appendLE (out, channels * (bits / 8), 2);
	appendLE (out, bits, 2);
	appendLE (out, 0, 2); // no extension
	out += "fact";
	appendLE (out, 4, 4);
	appendLE (out, static_cast<uint32_t> (audio.frames ()), 4);
	out += "data";
	appendLE (out, dataBytes, 4);
	for (size_t i = 0; i < audio.frames (); ++i)
	{
		for (float sample : {audio.left[i], audio.right[i]})
		{
			uint32_t raw;
			std::memcpy (&raw, &sample, sizeof (raw));
			appendLE (out, raw, 4);
		}
	}
	std::ofstream file (path, std::ios::binary);
	if (!file.write (out.data (), static_cast<std::streamsize> (out.size ())))
	{
		error = "cannot write " + path;
		return false;
	}
	return true;
}

} // namespace TessalineHost
