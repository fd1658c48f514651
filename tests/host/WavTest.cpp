// The host's WAV files: what it writes reads back exactly; integer and mono inputs are understood.
#include "Wav.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using namespace TessalineHost;

std::string temporaryPath (const char* name)
{
	return std::string (::testing::TempDir ()) + name;
}

TEST (Wav, FloatStereoRoundTripsExactly)
{
	StereoAudio audio;
	audio.sampleRate = 96000.0;
	audio.left = {0.0f, 1.0f, -1.0f, 1e-30f, 0.123456789f};
	audio.right = {0.5f, -0.25f, 3.0f, -0.0f, 7e-8f};
	const std::string path = temporaryPath ("roundtrip.wav");
	std::string error;
	ASSERT_TRUE (writeWav (path, audio, error)) << error;

	StereoAudio back;
	ASSERT_TRUE (readWav (path, back, error)) << error;
	EXPECT_EQ (back.sampleRate, 96000.0);
	EXPECT_EQ (back.left, audio.left);
	EXPECT_EQ (back.right, audio.right);
	std::remove (path.c_str ());
}

TEST (Wav, ReadsSixteenBitMonoAndRefusesOtherFiles)
{
	// RIFF header, a 16-byte PCM fmt chunk (1 channel, 22050 Hz, 16 bit), an odd-sized chunk that
	// must be skipped with its pad byte, and three samples.
	const uint8_t bytes[] = {
	    'R', 'I', 'F', 'F', 52, 0, 0, 0, 'W', 'A', 'V', 'E',
	    'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0,
	    'j', 'u', 'n', 'k', 3, 0, 0, 0, 9, 9, 9, 0,
	    'd', 'a', 't', 'a', 6, 0, 0, 0, 0x00, 0x40, 0x00, 0x80, 0xFF, 0x7F};
	const std::string path = temporaryPath ("mono16.wav");
	std::ofstream (path, std::ios::binary).write (reinterpret_cast<const char*> (bytes), sizeof (bytes));

	StereoAudio audio;
	std::string error;
	ASSERT_TRUE (readWav (path, audio, error)) << error;
	EXPECT_EQ (audio.sampleRate, 22050.0);
	ASSERT_EQ (audio.frames (), 3u);
	EXPECT_EQ (audio.left[0], 0.5f);
	EXPECT_EQ (audio.left[1], -1.0f);
	EXPECT_EQ (audio.left[2], 32767.0f / 32768.0f);
	EXPECT_EQ (audio.right, audio.left);

	std::ofstream (path, std::ios::binary) << "RIFF....WAVEnot really";
	EXPECT_FALSE (readWav (path, audio, error));
	EXPECT_FALSE (readWav (temporaryPath ("missing.wav"), audio, error));
	std::remove (path.c_str ());
}

} // namespace
