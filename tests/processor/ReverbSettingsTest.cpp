// The settings stream: byte layout, round trip, upgrades of old versions and short streams.
#include "processor/LogMapping.h"
#include "processor/ReverbSettings.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::vector<uint8_t> writeToBytes (const ReverbSettings& settings)
{
	MemoryStream stream;
	EXPECT_EQ (settings.write (&stream), kResultOk);
	const auto* data = reinterpret_cast<const uint8_t*> (stream.getData ());
	return {data, data + stream.getSize ()};
}

// A stream over a copy of the bytes, positioned at the start.
struct ByteStream
{
	explicit ByteStream (const std::vector<uint8_t>& bytes)
	{
		int32 written = 0;
		if (!bytes.empty ())
			stream.write (const_cast<uint8_t*> (bytes.data ()), static_cast<int32> (bytes.size ()),
			              &written);
		stream.seek (0, IBStream::kIBSeekSet, nullptr);
	}
	int64 position ()
	{
		int64 pos = 0;
		stream.tell (&pos);
		return pos;
	}
	MemoryStream stream;
};

void putDouble (std::vector<uint8_t>& bytes, size_t offset, double value)
{
	std::memcpy (bytes.data () + offset, &value, sizeof value); // both targets are little-endian
}

void putVersion (std::vector<uint8_t>& bytes, uint64_t version)
{
	std::memcpy (bytes.data (), &version, sizeof version);
}

// A record whose every field differs from the defaults, to tell "read" from "kept".
ReverbSettings distinctSettings ()
{
	ReverbSettings s = defaultReverbSettings ();
	s.dry = 0.11;
	s.predelay = 0.22;
	s.decayTime = 0.25;
	s.damp = 0.5;
	s.lowShelf = 0.5;
	s.peak = 0.5;
	s.highShelf = 0.5;
	s.earlyReflections = 1.0;
	s.earlyReflectionVariation = 7;
	s.reverbVariation = 3;
	s.bypass = 1;
	s.bypassDry = 1;
	s.bypassReverb = 1;
	s.modSpeed = 0.77;
	s.modDepth = 0.88;
	return s;
}

// Same values bit for bit: compared through their streams (the record has padding).
void expectSameBits (const ReverbSettings& a, const ReverbSettings& b)
{
	EXPECT_EQ (writeToBytes (a), writeToBytes (b));
}

} // namespace

TEST (ReverbSettings, DefaultsWrittenAsVersionFourLayout)
{
	const auto bytes = writeToBytes (defaultReverbSettings ());
	ASSERT_EQ (bytes.size (), 167u);
	const uint8_t version[8] = {4, 0, 0, 0, 0, 0, 0, 0};
	EXPECT_EQ (std::memcmp (bytes.data (), version, 8), 0);

	auto doubleAt = [&] (size_t offset) {
		double d;
		std::memcpy (&d, bytes.data () + offset, 8);
		return d;
	};
	EXPECT_EQ (doubleAt (8), 1.0);                    // dry
	EXPECT_EQ (doubleAt (16), 0.1);                   // predelay
	EXPECT_DOUBLE_EQ (doubleAt (32), 0.37605071654517747); // decay time, 3 s
	EXPECT_NEAR (doubleAt (64), 0.8818171528274538, 1e-15); // damp, 18 kHz
	EXPECT_NEAR (doubleAt (72), 0.411408089932221, 1e-15);  // low shelf, 100 Hz
	EXPECT_NEAR (doubleAt (88), 0.5314898919210034, 1e-15); // peak, 1 kHz
	EXPECT_NEAR (doubleAt (104), 0.6727314726527265, 1e-15); // high shelf, 8 kHz
	EXPECT_EQ (doubleAt (136), 0.5);                  // wet
	EXPECT_EQ (bytes[144], 2);                        // early-reflection variation
	EXPECT_EQ (bytes[145], 1);                        // reverb variation
	for (size_t i = 146; i <= 150; ++i)
		EXPECT_EQ (bytes[i], 0) << "flag at " << i;
	EXPECT_EQ (doubleAt (151), 0.3);
	EXPECT_EQ (doubleAt (159), 0.406);
}

TEST (ReverbSettings, RoundTripIsBitExactAndConsumesTheRecordOnly)
{
	const ReverbSettings original = distinctSettings ();
	auto bytes = writeToBytes (original);
	ReverbSettings copy = defaultReverbSettings ();
	ByteStream in (bytes);
	EXPECT_EQ (copy.read (&in.stream), kResultOk);
	EXPECT_EQ (in.position (), 167);
	expectSameBits (original, copy);

	// A later version is read like version 4; what follows stays unread.
	for (uint64_t version : {uint64_t {9}, ~uint64_t {0}})
	{
		auto longer = bytes;
		longer.resize (200, 0xAB);
		putVersion (longer, version);
		ReverbSettings later = defaultReverbSettings ();
		ByteStream laterIn (longer);
		EXPECT_EQ (later.read (&laterIn.stream), kResultOk);
		EXPECT_EQ (laterIn.position (), 167);
		expectSameBits (original, later);
	}
}

TEST (ReverbSettings, ShortStreamsFailAfterReadingWhatWasThere)
{
	const ReverbSettings original = distinctSettings ();
	auto bytes = writeToBytes (original);
	bytes.resize (166);
	ReverbSettings target = defaultReverbSettings ();
	ByteStream in (bytes);
	EXPECT_EQ (target.read (&in.stream), kResultFalse);
	EXPECT_EQ (target.modSpeed, original.modSpeed);
	EXPECT_EQ (target.modDepth, 0.0); // the streamer zeroes a double it could not read
	EXPECT_EQ (target.dry, original.dry);

	ReverbSettings untouched = defaultReverbSettings ();
	ByteStream empty ({});
	EXPECT_EQ (untouched.read (&empty.stream), kResultFalse);
	expectSameBits (untouched, defaultReverbSettings ());

	EXPECT_EQ (untouched.read (nullptr), kResultFalse);
	EXPECT_EQ (untouched.write (nullptr), kResultFalse);
}

TEST (ReverbSettings, OldVersionsAreUpgraded)
{
	const auto full = writeToBytes (distinctSettings ());

	// Version 0: linear frequencies, hotter early reflections, linear decay.
	auto v0 = full;
	v0.resize (147);
	putVersion (v0, 0);
	ReverbSettings s = defaultReverbSettings ();
	ByteStream in0 (v0);
	ASSERT_EQ (s.read (&in0.stream), kResultOk);
	EXPECT_EQ (s.damp, logPlainToNormalized (4000, 22020, 13010));
	EXPECT_EQ (s.lowShelf, logPlainToNormalized (20, 1000, 510));
	EXPECT_EQ (s.earlyReflections, 0.501187);
	EXPECT_EQ (s.decayTime, 0.5);
	EXPECT_EQ (s.bypassDry, 0);
	EXPECT_EQ (s.modSpeed, 0.0);
	EXPECT_EQ (s.modDepth, 0.0);

	// Version 1: only the decay is converted.
	auto v1 = v0;
	putVersion (v1, 1);
	s = defaultReverbSettings ();
	ByteStream in1 (v1);
	ASSERT_EQ (s.read (&in1.stream), kResultOk);
	EXPECT_EQ (s.decayTime, 0.5);
	EXPECT_EQ (s.damp, 0.5);
	EXPECT_EQ (s.earlyReflections, 1.0);

	// Version 2: 147 bytes, no path bypasses, no modulation.
	auto v2 = v0;
	putVersion (v2, 2);
	s = defaultReverbSettings ();
	ByteStream in2 (v2);
	ASSERT_EQ (s.read (&in2.stream), kResultOk);
	EXPECT_EQ (s.decayTime, 0.25);
	EXPECT_EQ (s.bypass, 1);
	EXPECT_EQ (s.bypassDry, 0);
	EXPECT_EQ (s.modDepth, 0.0);

	// Version 3: 151 bytes with the path bypasses.
	auto v3 = full;
	v3.resize (151);
	putVersion (v3, 3);
	s = defaultReverbSettings ();
	ByteStream in3 (v3);
	ASSERT_EQ (s.read (&in3.stream), kResultOk);
	EXPECT_EQ (s.bypassDry, 1);
	EXPECT_EQ (s.bypassReverb, 1);
	EXPECT_EQ (s.modSpeed, 0.0);

	// A version-3 stream missing its flags fails.
	v3.resize (149);
	ByteStream in3short (v3);
	EXPECT_EQ (s.read (&in3short.stream), kResultFalse);
}

TEST (ReverbSettings, ValuesAreStoredUnchecked)
{
	auto bytes = writeToBytes (defaultReverbSettings ());
	bytes[144] = 40;
	putDouble (bytes, 8, 7.5);
	ReverbSettings s = defaultReverbSettings ();
	ByteStream in (bytes);
	ASSERT_EQ (s.read (&in.stream), kResultOk);
	EXPECT_EQ (s.earlyReflectionVariation, 40);
	EXPECT_EQ (s.dry, 7.5);
}
