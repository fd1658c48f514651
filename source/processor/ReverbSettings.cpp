// Writer and reader of the settings stream; the processor and the controller both use these.
#include "processor/ReverbSettings.h"

#include "processor/LogMapping.h"

#include "base/source/fstreamer.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {

// The seventeen doubles that precede the 8-bit values, in stream order.
double ReverbSettings::* const kLeadingDoubles[] = {
    &ReverbSettings::dry,           &ReverbSettings::predelay,         &ReverbSettings::width,
    &ReverbSettings::decayTime,     &ReverbSettings::roomSize,         &ReverbSettings::diffusion,
    &ReverbSettings::dampIntensity, &ReverbSettings::damp,             &ReverbSettings::lowShelf,
    &ReverbSettings::lowGain,       &ReverbSettings::peak,             &ReverbSettings::peakGain,
    &ReverbSettings::highShelf,     &ReverbSettings::highGain,         &ReverbSettings::earlyReflections,
    &ReverbSettings::reverb,        &ReverbSettings::wet,
};

int8 ReverbSettings::* const kLeadingBytes[] = {
    &ReverbSettings::earlyReflectionVariation,
    &ReverbSettings::reverbVariation,
    &ReverbSettings::bypass,
};

int8 ReverbSettings::* const kPathBypasses[] = {
    &ReverbSettings::bypassDry,
    &ReverbSettings::bypassEarlyReflections,
    &ReverbSettings::bypassReverb,
    &ReverbSettings::bypassWet,
};

double ReverbSettings::* const kModulation[] = {
    &ReverbSettings::modSpeed,
    &ReverbSettings::modDepth,
};

// Version 0 stored the frequencies as linear fractions of their ranges.
double upgradeLinearFrequency (const FrequencyRange& range, double linear)
{
	return logPlainToNormalized (range.min, range.max,
	                             range.min + (range.max - range.min) * linear);
}

} // namespace

tresult ReverbSettings::write (IBStream* stream) const
{
	if (!stream)
		return kResultFalse;
	IBStreamer streamer (stream, kLittleEndian);
	if (!streamer.writeInt64u (kSettingsVersion))
		return kResultFalse;
	for (auto field : kLeadingDoubles)
		if (!streamer.writeDouble (this->*field))
			return kResultFalse;
	for (auto field : kLeadingBytes)
		if (!streamer.writeInt8 (this->*field))
			return kResultFalse;
	for (auto field : kPathBypasses)
		if (!streamer.writeInt8 (this->*field))
			return kResultFalse;
	for (auto field : kModulation)
		if (!streamer.writeDouble (this->*field))
			return kResultFalse;
	return kResultOk;
}

tresult ReverbSettings::read (IBStream* stream)
{
	if (!stream)
		return kResultFalse;
	IBStreamer streamer (stream, kLittleEndian);
	uint64 version = 0;
	if (!streamer.readInt64u (version))
		return kResultFalse;
	for (auto field : kLeadingDoubles)
		if (!streamer.readDouble (this->*field))
			return kResultFalse;
	for (auto field : kLeadingBytes)
		if (!streamer.readInt8 (this->*field))
			return kResultFalse;

	if (version == 0)
	{
		damp = upgradeLinearFrequency (kDampRange, damp);
		lowShelf = upgradeLinearFrequency (kLowShelfRange, lowShelf);
		peak = upgradeLinearFrequency (kPeakRange, peak);
		highShelf = upgradeLinearFrequency (kHighShelfRange, highShelf);
		earlyReflections = earlyReflections * 0.501187; // -6 dB
		decayTime = std::pow (decayTime, 0.5);
	}
	else if (version == 1)
	{
		decayTime = std::pow (decayTime, 0.5); // versions 0 and 1 stored the decay linearly
	}

	if (version > 2)
	{
		for (auto field : kPathBypasses)
			if (!streamer.readInt8 (this->*field))
				return kResultFalse;
	}
	else
	{
		for (auto field : kPathBypasses)
			this->*field = 0;
	}

	if (version > 3)
	{
		for (auto field : kModulation)
			if (!streamer.readDouble (this->*field))
				return kResultFalse;
	}
	else
	{
		modSpeed = 0.0;
		modDepth = 0.0;
	}
	return kResultOk;
}

ReverbSettings defaultReverbSettings ()
{
	ReverbSettings s {};
	s.dry = 1.0;
	s.predelay = 0.1;
	s.width = 1.0;
	s.decayTime = std::pow (0.1414141414141414, 0.5); // 3.0 s on the square-law scale
	s.roomSize = 0.2;
	s.diffusion = 0.7;
	s.dampIntensity = 0.8;
	s.damp = logPlainToNormalized (kDampRange.min, kDampRange.max, 18000.0);
	s.lowShelf = logPlainToNormalized (kLowShelfRange.min, kLowShelfRange.max, 100.0);
	s.lowGain = 0.5;
	s.peak = logPlainToNormalized (kPeakRange.min, kPeakRange.max, 1000.0);
	s.peakGain = 0.5;
	s.highShelf = logPlainToNormalized (kHighShelfRange.min, kHighShelfRange.max, 8000.0);
	s.highGain = 0.5;
	s.earlyReflections = 1.0;
	s.reverb = 1.0;
	s.wet = 0.5;
	s.earlyReflectionVariation = 2;
	s.reverbVariation = 1;
	s.bypass = 0;
	s.bypassDry = 0;
	s.bypassEarlyReflections = 0;
	s.bypassReverb = 0;
	s.bypassWet = 0;
	s.modSpeed = 0.3;
	s.modDepth = 0.406;
	return s;
}

} // namespace Vst
} // namespace Steinberg
