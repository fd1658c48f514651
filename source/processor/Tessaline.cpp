// The processor component: parameter changes, bypass, the engine's block loop, the level output, state.
#include "processor/Tessaline.h"

#include "processor/ClassIds.h"
#include "processor/ChannelFrames.h"
#include "processor/EngineMapping.h"
#include "processor/ParameterIds.h"
#include "processor/TextChecks.h"

#include "engine/DenormalGuard.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace Steinberg {
namespace Vst {

namespace {

constexpr double kDefaultSampleRate = 44100.0;
constexpr double kLowestEngineRate = 44100.0; // the highest is the engine's own kHighestEngineRate
constexpr double kTailSeconds = 22.0;

// Zero-based list entry of a normalized value. The value is held within 0..1 first (NaN as 0),
// so the conversion to an integer is always defined; 1.0 selects the last entry.
int8 listIndex (ParamValue value, int32 entries)
{
	const double held = value >= 0.0 ? (value <= 1.0 ? value : 1.0) : 0.0;
	const int32 index = static_cast<int32> (entries * held);
	return static_cast<int8> (index < entries - 1 ? index : entries - 1);
}

int8 flag (ParamValue value)
{
	return value > 0.5 ? 1 : 0;
}

// Stores value into field; whether that changed the field's bits.
bool store (double& field, double value)
{
	const bool changed = !sameBits (field, value);
	field = value;
	return changed;
}

bool store (int8& field, int8 value)
{
	const bool changed = field != value;
	field = value;
	return changed;
}

template <typename Sample>
Sample** channelsOf (AudioBusBuffers& bus);
template <>
Sample32** channelsOf<Sample32> (AudioBusBuffers& bus)
{
	return bus.channelBuffers32;
}
template <>
Sample64** channelsOf<Sample64> (AudioBusBuffers& bus)
{
	return bus.channelBuffers64;
}

template <typename Sample>
bool hasStereoChannels (AudioBusBuffers& bus)
{
	Sample** channels = channelsOf<Sample> (bus);
	return bus.numChannels >= 2 && channels && channels[0] && channels[1];
}

// What the host's buffers really hold, whatever the arrangement says.
bool canProcessBuffers (const ProcessData& data)
{
	if (!data.inputs || !data.outputs || data.numSamples < 0)
		return false;
	if (data.symbolicSampleSize == kSample32)
		return hasStereoChannels<Sample32> (data.inputs[0]) &&
		       hasStereoChannels<Sample32> (data.outputs[0]);
	if (data.symbolicSampleSize == kSample64)
		return hasStereoChannels<Sample64> (data.inputs[0]) &&
		       hasStereoChannels<Sample64> (data.outputs[0]);
	return false;
}

} // namespace

Tessaline::Tessaline ()
: lastLevel (0.0f)
, settings (defaultReverbSettings ())
, heardMask (0)
, hostSampleRate (kDefaultSampleRate)
, active (false)
, acceptedSerial (0)
, acceptedSettings (settings)
, adoptedSerial (0)
, incomingState ({settings, 0})
, reportedState ({settings, 0})
{
	std::memset (frames, 0, sizeof (frames));
	std::memset (heard, 0, sizeof (heard));
	applyAllParameters ();
	setControllerClass (kControllerUID);
}

Tessaline::~Tessaline () = default;

FUnknown* Tessaline::createInstance (void* /*context*/)
{
	auto* processor = new (std::nothrow) Tessaline;
	if (!processor)
		return nullptr;
	return static_cast<IAudioProcessor*> (processor);
}

void Tessaline::addStereoBuses (SpeakerArrangement input, SpeakerArrangement output)
{
	addAudioInput (STR16 ("Stereo In"), input, kMain, BusInfo::kDefaultActive);
	addAudioOutput (STR16 ("Stereo Out"), output, kMain, BusInfo::kDefaultActive);
}

tresult PLUGIN_API Tessaline::initialize (FUnknown* context)
{
	tresult result = AudioEffect::initialize (context);
	if (result != kResultOk)
		return result;
	addStereoBuses (SpeakerArr::kStereo, SpeakerArr::kStereo);
	if (!getAudioInput (0) || !getAudioOutput (0))
		return kOutOfMemory; // the buses could not be allocated
	return kResultOk;
}

tresult PLUGIN_API Tessaline::terminate ()
{
	return AudioEffect::terminate ();
}

tresult PLUGIN_API Tessaline::setActive (TBool state)
{
	sendTextMessage (state ? "Tessaline::setActive (true)" : "Tessaline::setActive (false)");
	{
		std::lock_guard<std::mutex> lock (hostSideMutex);
		if (state)
		{
			if (!active.load ())
			{
				reportedState.write ({settings, adoptedSerial});
				active.store (true);
			}
		}
		else if (active.exchange (false))
		{
			// A record accepted after the last block still has to reach the engine.
			adoptIncomingState ();
		}
		lastLevel = 0.0f;
		engine.reset ();
	}
	return AudioEffect::setActive (state);
}

void Tessaline::acceptState (const ReverbSettings& incoming)
{
	++acceptedSerial;
	acceptedSettings = incoming;
	if (active.load ())
	{
		incomingState.write ({incoming, acceptedSerial});
	}
	else
	{
		settings = incoming;
		adoptedSerial = acceptedSerial;
		applyAllParameters ();
	}
}

bool Tessaline::adoptIncomingState ()
{
	if (!incomingState.take ())
		return false;
	settings = incomingState.current ().settings;
	adoptedSerial = incomingState.current ().serial;
	applyAllParameters ();
	return true;
}

const ReverbSettings& Tessaline::latestSettings ()
{
	if (!active.load ())
		return settings;
	reportedState.take ();
	const StateRecord& reported = reportedState.current ();
	// Until the audio thread has adopted the last accepted record, that record is the latest.
	return reported.serial == acceptedSerial ? reported.settings : acceptedSettings;
}

tresult PLUGIN_API Tessaline::setState (IBStream* state)
{
	if (!state)
		return kInvalidArgument;
	// Read into a record of its own: a stream that ends early changes nothing. A complete read
	// sets every field, so the record starts from anything.
	ReverbSettings incoming = defaultReverbSettings ();
	tresult result = incoming.read (state);
	if (result != kResultOk)
		return result;
	std::lock_guard<std::mutex> lock (hostSideMutex);
	acceptState (incoming);
	return kResultOk;
}

tresult PLUGIN_API Tessaline::getState (IBStream* state)
{
	if (!state)
		return kInvalidArgument;
	ReverbSettings latest;
	{
		std::lock_guard<std::mutex> lock (hostSideMutex);
		latest = latestSettings ();
	}
	return latest.write (state);
}

tresult PLUGIN_API Tessaline::canProcessSampleSize (int32 symbolicSampleSize)
{
	return (symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64) ? kResultTrue
	                                                                            : kResultFalse;
}

tresult PLUGIN_API Tessaline::setupProcessing (ProcessSetup& setup)
{
	hostSampleRate = setup.sampleRate;
	// "Not inside the range" rather than "outside it", so that a NaN rate falls back as well.
	double engineRate = setup.sampleRate;
	if (!(engineRate >= kLowestEngineRate && engineRate <= kHighestEngineRate))
		engineRate = kDefaultSampleRate;
	engine.setSampleRate (engineRate);

	processSetup.maxSamplesPerBlock = setup.maxSamplesPerBlock;
	processSetup.processMode = setup.processMode;
	processSetup.sampleRate = setup.sampleRate;
	if (canProcessSampleSize (setup.symbolicSampleSize) != kResultTrue)
		return kResultFalse;
	processSetup.symbolicSampleSize = setup.symbolicSampleSize;
	return kResultOk;
}

uint32 PLUGIN_API Tessaline::getTailSamples ()
{
	const double samples = kTailSeconds * hostSampleRate;
	if (!(samples > 0.0))
		return 0;
	if (samples >= static_cast<double> (kMaxInt32u))
		return kMaxInt32u;
	return static_cast<uint32> (samples);
}

tresult PLUGIN_API Tessaline::setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
                                                  SpeakerArrangement* outputs, int32 numOuts)
{
	if (numIns != 1 || numOuts != 1 || !getAudioInput (0))
		return kResultFalse;
	if (!inputs || !outputs)
		return kInvalidArgument;

	if (SpeakerArr::getChannelCount (inputs[0]) == 2 && SpeakerArr::getChannelCount (outputs[0]) == 2)
	{
		removeAudioBusses ();
		addStereoBuses (inputs[0], outputs[0]);
		return kResultOk;
	}
	if (getAudioInput (0)->getArrangement () != SpeakerArr::kStereo)
	{
		removeAudioBusses ();
		addStereoBuses (SpeakerArr::kStereo, SpeakerArr::kStereo);
	}
	return kResultFalse;
}

tresult PLUGIN_API Tessaline::notify (IMessage* message)
{
	if (!message)
		return kInvalidArgument;
	FIDString id = message->getMessageID ();
	IAttributeList* attributes = message->getAttributes ();
	if (!id || !attributes)
		return kResultFalse;
	if (std::strcmp (id, "BinaryMessage") == 0)
	{
		const void* data = nullptr;
		uint32 size = 0;
		if (attributes->getBinary ("MyData", data, size) == kResultOk)
			return kResultOk; // accepted; the data is not used
	}
	// The base reads a text into 256 characters, past them when it fills them, and converts it
	// to UTF-8, which on Linux throws for a lone surrogate: such texts are not understood.
	TChar text[257] = {};
	if (attributes->getString ("Text", text, 256 * sizeof (TChar)) == kResultOk &&
	    (text[255] != 0 || !isWholeUtf16 (text)))
		return kResultFalse;
	return AudioEffect::notify (message);
}

tresult Tessaline::receiveText (const char8* text)
{
	// The text is an argument, never the format: a per-cent sign in it is written as it is.
	std::fprintf (stderr, "[Tessaline] received: %s\n", text ? text : "");
	std::fflush (stderr);
	return kResultOk;
}

void Tessaline::applyParameter (ParamID id, ParamValue value)
{
	storeParameter (id, value);
	passToEngine (engine, settings, id);
}

void Tessaline::applyAllParameters ()
{
	// Called whenever the record has been replaced: what was heard before says nothing about it.
	heardMask = 0;
	passAllToEngine (engine, settings);
}

inline bool Tessaline::storeParameter (ParamID id, ParamValue value)
{
	// A value heard last time is stored the same again. This test takes a host's queues of
	// unchanged values through without the branches below, which a block's audio leaves cold.
	if (id < kNumStoredParameters)
	{
		const uint32 bit = 1u << id;
		if ((heardMask & bit) && sameBits (heard[id], value))
			return false;
		heard[id] = value;
		heardMask |= bit;
	}
	return storeField (id, value);
}

bool Tessaline::storeField (ParamID id, ParamValue value)
{
	ReverbSettings& s = settings;
	switch (id)
	{
		case kDry: return store (s.dry, value);
		case kPredelay: return store (s.predelay, value);
		case kWidth: return store (s.width, value);
		case kEarlyReflectionVariation:
			return store (s.earlyReflectionVariation, listIndex (value, kEarlyReflectionVariations));
		case kReverbVariation: return store (s.reverbVariation, listIndex (value, kReverbVariations));
		case kDecayTime: return store (s.decayTime, value);
		case kRoomSize: return store (s.roomSize, value);
		case kDiffusion: return store (s.diffusion, value);
		case kDampIntensity: return store (s.dampIntensity, value);
		case kDamp: return store (s.damp, value);
		case kLowShelf: return store (s.lowShelf, value);
		case kLowGain: return store (s.lowGain, value);
		case kPeak: return store (s.peak, value);
		case kPeakGain: return store (s.peakGain, value);
		case kHighShelf: return store (s.highShelf, value);
		case kHighGain: return store (s.highGain, value);
		case kEarlyReflections: return store (s.earlyReflections, value);
		case kReverb: return store (s.reverb, value);
		case kWet: return store (s.wet, value);
		case kBypass: return store (s.bypass, flag (value));
		case kBypassDry: return store (s.bypassDry, flag (value));
		case kBypassEarlyReflections: return store (s.bypassEarlyReflections, flag (value));
		case kBypassReverb: return store (s.bypassReverb, flag (value));
		case kBypassWet: return store (s.bypassWet, flag (value));
		case kModSpeed: return store (s.modSpeed, value);
		case kModDepth: return store (s.modDepth, value);
		default: return false; // 26 and above: nothing to store
	}
}

bool Tessaline::applyParameterChanges (IParameterChanges* changes)
{
	if (!changes)
		return false;
	bool changed = false;
	const int32 count = changes->getParameterCount ();
	for (int32 i = 0; i < count; ++i)
	{
		IParamValueQueue* queue = changes->getParameterData (i);
		if (!queue)
			continue;
		const int32 points = queue->getPointCount ();
		if (points <= 0)
			continue;
		// Only the last point counts, for the whole block. The engine always holds what the record
		// holds, and its setters keep no history: a stored value that stays the same bits would
		// leave the engine exactly as it is, so it is not passed again.
		int32 sampleOffset = 0;
		ParamValue value = 0.0;
		const ParamID id = queue->getParameterId ();
		if (queue->getPoint (points - 1, sampleOffset, value) == kResultTrue && storeParameter (id, value))
		{
			passToEngine (engine, settings, id);
			changed = true;
		}
	}
	return changed;
}

template <typename Sample>
void Tessaline::copyBypassed (ProcessData& data)
{
	if (data.numSamples <= 0)
		return;
	AudioBusBuffers& in = data.inputs[0];
	AudioBusBuffers& out = data.outputs[0];
	AudioBus* bus = getAudioInput (0);
	int32 channels = bus ? SpeakerArr::getChannelCount (bus->getArrangement ()) : 0;
	channels = channels < in.numChannels ? channels : in.numChannels;
	channels = channels < out.numChannels ? channels : out.numChannels;
	for (int32 c = 0; c < channels; ++c)
	{
		const Sample* source = channelsOf<Sample> (in)[c];
		Sample* destination = channelsOf<Sample> (out)[c];
		if (source && destination && source != destination)
			std::memcpy (destination, source, sizeof (Sample) * static_cast<size_t> (data.numSamples));
	}
}

template <typename Sample>
double Tessaline::processFrames (ProcessData& data)
{
	// A decaying tail would otherwise run through denormal numbers at many times the cost.
	DenormalGuard guard;
	const Sample* inLeft = channelsOf<Sample> (data.inputs[0])[0];
	const Sample* inRight = channelsOf<Sample> (data.inputs[0])[1];
	Sample* outLeft = channelsOf<Sample> (data.outputs[0])[0];
	Sample* outRight = channelsOf<Sample> (data.outputs[0])[1];
	const bool avx = engine.usesAvx ();
	// The largest mid value, in two lanes (see ChannelFrames::deinterleave).
	__m128d largest = _mm_setzero_pd ();
	for (int32 start = 0; start < data.numSamples; start += kChunkFrames)
	{
		const int32 count = std::min (data.numSamples - start, kChunkFrames);
		// The whole chunk is read before anything is written: in-place buffers work.
		if (avx)
			ChannelFrames::interleaveAvx (inLeft + start, inRight + start, frames, count);
		else
			ChannelFrames::interleave (inLeft + start, inRight + start, frames, count);
		engine.processBlock (frames, frames, count);
		largest = avx ? ChannelFrames::deinterleaveAvx (frames, outLeft + start, outRight + start, count, largest)
		              : ChannelFrames::deinterleave (frames, outLeft + start, outRight + start, count, largest);
	}
	const double even = _mm_cvtsd_f64 (largest);
	const double odd = _mm_cvtsd_f64 (_mm_unpackhi_pd (largest, largest));
	return odd > even ? odd : even;
}

void Tessaline::reportLevel (IParameterChanges* outputChanges, double level)
{
	// "Not equal" also holds for a NaN level.
	if (outputChanges && !(static_cast<double> (lastLevel) == level))
	{
		int32 queueIndex = 0;
		if (IParamValueQueue* queue = outputChanges->addParameterData (kVuPPM, queueIndex))
		{
			int32 pointIndex = 0;
			queue->addPoint (0, level, pointIndex);
		}
	}
	lastLevel = static_cast<float> (level);
}

tresult PLUGIN_API Tessaline::process (ProcessData& data)
{
	// 1. A state accepted since the last block, then this block's parameter changes.
	bool changed = adoptIncomingState ();
	if (applyParameterChanges (data.inputParameterChanges))
		changed = true;
	if (changed)
		reportedState.write ({settings, adoptedSerial});

	// 2. Events: fetched and let go.
	if (IEventList* events = data.inputEvents)
	{
		Event event {};
		const int32 count = events->getEventCount ();
		for (int32 i = 0; i < count; ++i)
			events->getEvent (i, event);
	}

	// 3. No audio without two real channels on both sides.
	if (data.numInputs <= 0 || data.numOutputs <= 0 || !canProcessBuffers (data))
		return kResultOk;

	// 4. Bypass: the input unchanged, the engine and the level left alone.
	const bool is32 = data.symbolicSampleSize == kSample32;
	if (switchedOn (settings.bypass))
	{
		if (is32)
			copyBypassed<Sample32> (data);
		else
			copyBypassed<Sample64> (data);
		return kResultOk;
	}

	// 5. The engine over the block, and the block's level.
	const double level = is32 ? processFrames<Sample32> (data) : processFrames<Sample64> (data);

	// 6. and 7. The level output.
	reportLevel (data.outputParameterChanges, level);
	return kResultOk;
}

} // namespace Vst
} // namespace Steinberg
