// Test fixture: the built module loaded through its exports, one plug-in instance, and byte helpers.
#pragma once

#include "PluginInstance.h"
#include "PluginModule.h"

#include "processor/ParameterIds.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace HostTest {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace TessalineHost;

// Byte offsets in the saved state (little-endian): a doubles area, then the 8-bit values, then two doubles.
namespace StateLayout {
constexpr size_t kVersion = 0;
constexpr size_t kDry = 8;
constexpr size_t kPredelay = 16;
constexpr size_t kWidth = 24;
constexpr size_t kDecayTime = 32;
constexpr size_t kRoomSize = 40;
constexpr size_t kDiffusion = 48;
constexpr size_t kDampIntensity = 56;
constexpr size_t kDamp = 64;
constexpr size_t kLowShelf = 72;
constexpr size_t kLowGain = 80;
constexpr size_t kPeak = 88;
constexpr size_t kPeakGain = 96;
constexpr size_t kHighShelf = 104;
constexpr size_t kHighGain = 112;
constexpr size_t kEarlyReflections = 120;
constexpr size_t kReverb = 128;
constexpr size_t kWet = 136;
constexpr size_t kEarlyReflectionVariation = 144;
constexpr size_t kReverbVariation = 145;
constexpr size_t kBypass = 146;
constexpr size_t kBypassDry = 147;
constexpr size_t kBypassEarlyReflections = 148;
constexpr size_t kBypassReverb = 149;
constexpr size_t kBypassWet = 150;
constexpr size_t kModSpeed = 151;
constexpr size_t kModDepth = 159;
constexpr size_t kSize = 167;
} // namespace StateLayout

inline double doubleAt (const std::vector<char>& bytes, size_t offset)
{
	uint64_t raw = 0;
	for (int i = 7; i >= 0; --i)
		raw = (raw << 8) | static_cast<uint8_t> (bytes.at (offset + static_cast<size_t> (i)));
	double value;
	std::memcpy (&value, &raw, sizeof (value));
	return value;
}

inline void putDouble (std::vector<char>& bytes, size_t offset, double value)
{
	uint64_t raw;
	std::memcpy (&raw, &value, sizeof (raw));
	for (size_t i = 0; i < 8; ++i)
		bytes.at (offset + i) = static_cast<char> ((raw >> (8 * i)) & 0xFF);
}

inline uint64_t versionOf (const std::vector<char>& bytes)
{
	uint64_t version = 0;
	for (int i = 7; i >= 0; --i)
		version = (version << 8) | static_cast<uint8_t> (bytes.at (static_cast<size_t> (i)));
	return version;
}

inline void putVersion (std::vector<char>& bytes, uint64_t version)
{
	for (size_t i = 0; i < 8; ++i)
		bytes.at (i) = static_cast<char> ((version >> (8 * i)) & 0xFF);
}

// Stereo buffers of one sample type, for blocks of a fixed size.
template <typename Sample>
struct Buffers
{
	explicit Buffers (size_t frames) : inL (frames), inR (frames), outL (frames), outR (frames) {}
	std::vector<Sample> inL, inR, outL, outR;
	Sample* in[2] = {inL.data (), inR.data ()};
	Sample* out[2] = {outL.data (), outR.data ()};
};

class HostedPlugin : public ::testing::Test
{
protected:
	void SetUp () override
	{
		std::string error;
		module = PluginModule::load (TESSALINE_MODULE_PATH, error);
		ASSERT_TRUE (module) << error;
		plugin = PluginInstance::create (*module, error);
		ASSERT_TRUE (plugin) << error;
	}

	void TearDown () override
	{
		plugin.reset ();
		module.reset ();
	}

	// Another instance of the same module: the engine's modulation runs on through resets, so
	// comparing sounds needs instances that have processed the same frames since construction.
	std::unique_ptr<PluginInstance> freshInstance ()
	{
		std::string error;
		auto instance = PluginInstance::create (*module, error);
		EXPECT_TRUE (instance) << error;
		return instance;
	}

	std::vector<char> state ()
	{
		std::vector<char> bytes;
		EXPECT_EQ (plugin->getState (bytes), kResultOk);
		return bytes;
	}

	void start (double rate = 48000.0, int32 sampleSize = kSample32)
	{
		ASSERT_EQ (plugin->setupProcessing (rate, 4096, sampleSize), kResultOk);
		ASSERT_EQ (plugin->setActive (true), kResultOk);
	}

	std::unique_ptr<PluginModule> module;
	std::unique_ptr<PluginInstance> plugin;
};

} // namespace HostTest
