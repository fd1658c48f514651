// The processor's record of all parameter values, and its little-endian state stream.
#pragma once

#include "pluginterfaces/base/ftypes.h"
#include "pluginterfaces/base/funknown.h"

namespace Steinberg {
class IBStream;

namespace Vst {

constexpr uint64 kSettingsVersion = 4;

// Stream sizes: versions 0 to 2 end after the master bypass, version 3 after the path bypasses.
constexpr int32 kSettingsStreamSizeV2 = 147;
constexpr int32 kSettingsStreamSizeV3 = 151;
constexpr int32 kSettingsStreamSize = 167;

struct ReverbSettings
{
	// Normalized values as received, not clamped; frequencies on their logarithmic scales.
	double dry;
	double predelay;
	double width;
	double decayTime; // square-law scale over 0.2 to 20 s
	double roomSize;
	double diffusion;
	double dampIntensity;
	double damp;
	double lowShelf;
	double lowGain;
	double peak;
	double peakGain;
	double highShelf;
	double highGain;
	double earlyReflections;
	double reverb;
	double wet;
	// Zero-based list indices.
	int8 earlyReflectionVariation;
	int8 reverbVariation;
	// Flags: 1 on, 0 off.
	int8 bypass;
	int8 bypassDry;
	int8 bypassEarlyReflections;
	int8 bypassReverb;
	int8 bypassWet;
	double modSpeed;
	double modDepth;

	// Writes version 4 (167 bytes). kResultOk when everything was written.
	tresult write (IBStream* stream) const;

	// Reads any version straight into this record, upgrading versions 0 to 3.
	// kResultOk only when a complete record of the stream's version was read; after a failure
	// the fields read so far hold their new values.
	tresult read (IBStream* stream);
};

// The processor's default values (the "Default" preset).
ReverbSettings defaultReverbSettings ();

} // namespace Vst
} // namespace Steinberg
