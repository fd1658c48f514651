// The wrapper: VST 2.4 opcodes, parameters, chunks and process calls turned into VST 3 calls.
#include "public.sdk/source/vst/vst2wrapper/vst2wrapper.h"

#include "public.sdk/source/vst/vst2wrapper/vst2editorwrapper.h"
#include "public.sdk/source/vst/vst2wrapper/vst2text.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

// The module hook that the library's own entries pair with InitModule (provided by the plug-in).
extern bool DeinitModule ();

namespace Steinberg {
namespace Vst {

namespace {

// Hosts give parameter texts more room than the interface's kVstMaxParamStrLen (8): buffers of
// 33 bytes for names and 25 for labels and displays, as widely used plug-ins fill them. So
// "Variation 12" shows whole.
constexpr size_t kParameterNameLength = 32;
constexpr size_t kParameterTextLength = 24;

// The threads whose last chunk stays as it was handed out (see chunkBufferOfThisThread).
constexpr size_t kChunkThreads = 8;

// vendorSpecific: the two prefixes some hosts use, the class id request and the mouse wheel.
constexpr VstInt32 kVendorPrefixUpper = 0x73744341; // 'stCA'
constexpr VstInt32 kVendorPrefixLower = 0x73744361; // 'stCa'
constexpr VstIntPtr kVendorClassId = 0x46554944; // 'FUID'
constexpr VstIntPtr kVendorWheel = 0x57686565; // 'Whee'

// Subcategory words and the VST 2 category they stand for, first match wins.
struct CategoryWord
{
	const char* word;
	VstInt32 category;
};
constexpr CategoryWord kCategoryWords[] = {
    {"Instrument", kPlugCategSynth},
    {"Reverb", kPlugCategRoomFx},
    {"Fx", kPlugCategEffect},
};

template <typename Sample>
constexpr int32 symbolicSizeOf ()
{
	return sizeof (Sample) == sizeof (Sample64) ? kSample64 : kSample32;
}

template <typename Sample>
Sample**& channelsOf (AudioBusBuffers& bus);
template <>
Sample32**& channelsOf<Sample32> (AudioBusBuffers& bus)
{
	return bus.channelBuffers32;
}
template <>
Sample64**& channelsOf<Sample64> (AudioBusBuffers& bus)
{
	return bus.channelBuffers64;
}

double clampUnit (double value)
{
	return value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
}

void writeLittleEndian64 (char* to, int64 value)
{
	const auto bits = static_cast<uint64> (value);
	for (int i = 0; i < 8; ++i)
		to[i] = static_cast<char> ((bits >> (8 * i)) & 0xFF);
}

int64 readLittleEndian64 (const char* from)
{
	uint64 bits = 0;
	for (int i = 7; i >= 0; --i)
		bits = (bits << 8) | static_cast<uint8> (from[i]);
	return static_cast<int64> (bits);
}

// "a.b.c.d" as the byte-per-part number that VST 2 hosts compare: "2.0.1.1" is 0x02000101.
VstInt32 versionNumber (const char8* version)
{
	uint32 parts[4] = {};
	int part = 0;
	for (const char8* c = version; *c && part < 4; ++c)
	{
		if (*c >= '0' && *c <= '9')
			parts[part] = std::min<uint32> (parts[part] * 10 + static_cast<uint32> (*c - '0'), 255);
		else if (*c == '.')
			++part;
		else
			break;
	}
	return static_cast<VstInt32> ((parts[0] << 24) | (parts[1] << 16) | (parts[2] << 8) | parts[3]);
}

// A time from the host as whole samples; NaN and values no 64-bit integer holds count as 0.
TSamples wholeSamples (double samples)
{
	return samples > -9.0e18 && samples < 9.0e18 ? static_cast<TSamples> (samples) : 0;
}

VstInt32 arrangementTypeOf (int32 channels)
{
	return channels == 1 ? kSpeakerArrMono : (channels == 2 ? kSpeakerArrStereo : kSpeakerArrUserDefined);
}

} // namespace

//------------------------------------------------------------------------
// Creation and release
//------------------------------------------------------------------------

::AudioEffect* Vst2Wrapper::create (IPluginFactory* factory, const TUID vst3ComponentID,
                                    VstInt32 vst2ID, audioMasterCallback audioMaster)
{
	if (!factory || !vst3ComponentID)
		return nullptr;
	// Building the wrapper allocates (its lists, the parameter slots, the editor); without the
	// memory for it there is no effect, and no exception reaches the host.
	Vst2Wrapper* wrapper = nullptr;
	try
	{
		wrapper = new Vst2Wrapper (audioMaster, vst2ID, factory);
		if (wrapper->initialize (vst3ComponentID))
		{
			wrapper->created = true;
			return wrapper;
		}
	}
	catch (...)
	{
	}
	delete wrapper;
	return nullptr;
}

Vst2Wrapper::Vst2Wrapper (audioMasterCallback audioMaster, VstInt32 vst2ID, IPluginFactory* factory)
: AudioEffectX (audioMaster, 0, 0)
, factory (factory)
, uiTimer (*this)
{
	setUniqueID (vst2ID);
	canProcessReplacing (true);
	programsAreChunks (true);
}

Vst2Wrapper::~Vst2Wrapper ()
{
	uiTimer.stop ();
	// The editor's view belongs to the controller: it goes first.
	setEditor (nullptr);
	if (active.load ())
		activate (false);
	if (componentConnection && controllerConnection)
	{
		componentConnection->disconnect (controllerConnection);
		controllerConnection->disconnect (componentConnection);
	}
	componentConnection = nullptr;
	controllerConnection = nullptr;
	if (controller)
	{
		controller->setComponentHandler (nullptr);
		if (!controllerIsComponent)
			controller->terminate ();
		controller = nullptr;
	}
	processor = nullptr;
	if (component)
	{
		component->terminate ();
		component = nullptr;
	}
	deallocateArrangement (&inputArrangement);
	deallocateArrangement (&outputArrangement);
	factory = nullptr;
	if (created)
		DeinitModule ();
}

bool Vst2Wrapper::initialize (const TUID componentID)
{
	if (!createComponents (componentID))
		return false;
	connectAndCopyState ();
	readClassInfo (componentID);
	setupBuses ();
	setupParameters ();

	// 32-bit unless the processor only takes 64-bit; double replacing where it can.
	const bool can32 = processor->canProcessSampleSize (kSample32) == kResultTrue;
	const bool can64 = processor->canProcessSampleSize (kSample64) == kResultTrue;
	if (!can32 && !can64)
		return false;
	canProcessReplacing (can32);
	canDoubleReplacing (can64);
	updateSampleRate ();
	updateBlockSize ();
	requestedSampleSize = can32 ? kSample32 : kSample64;
	applyProcessSetup (requestedSampleSize);

	setInitialDelay (static_cast<VstInt32> (std::min<uint32> (processor->getLatencySamples (), kMaxInt32)));
	cEffect.version = vendorVersion;
	setupEditor ();
	return true;
}

bool Vst2Wrapper::createComponents (const TUID componentID)
{
	FUnknown* context = static_cast<IHostApplication*> (this);

	IComponent* newComponent = nullptr;
	if (factory->createInstance (componentID, IComponent::iid, reinterpret_cast<void**> (&newComponent)) !=
	        kResultOk ||
	    !newComponent)
		return false;
	IPtr<IComponent> candidate = owned (newComponent);
	if (candidate->initialize (context) != kResultOk)
		return false;
	component = candidate;
	processor = FUnknownPtr<IAudioProcessor> (component);
	if (!processor)
		return false;

	// A component may be its own controller; otherwise it names the controller's class.
	FUnknownPtr<IEditController> single (component);
	if (single)
	{
		controller = single;
		controllerIsComponent = true;
	}
	else
	{
		TUID controllerId {};
		IEditController* newController = nullptr;
		if (component->getControllerClassId (controllerId) != kResultTrue ||
		    factory->createInstance (controllerId, IEditController::iid,
		                             reinterpret_cast<void**> (&newController)) != kResultOk ||
		    !newController)
			return false;
		IPtr<IEditController> candidateController = owned (newController);
		if (candidateController->initialize (context) != kResultOk)
			return false;
		controller = candidateController;
	}
	controller->setComponentHandler (this);
	return true;
}

void Vst2Wrapper::connectAndCopyState ()
{
	if (!controllerIsComponent)
	{
		componentConnection = FUnknownPtr<IConnectionPoint> (component);
		controllerConnection = FUnknownPtr<IConnectionPoint> (controller);
		if (componentConnection && controllerConnection)
		{
			componentConnection->connect (controllerConnection);
			controllerConnection->connect (componentConnection);
		}
	}
	// The controller shows what the processor holds, whatever its own defaults are.
	MemoryStream state;
	if (component->getState (&state) == kResultOk)
	{
		state.seek (0, IBStream::kIBSeekSet, nullptr);
		controller->setComponentState (&state);
	}
}

void Vst2Wrapper::readClassInfo (const TUID componentID)
{
	std::memcpy (componentClassId, componentID, sizeof (TUID));
	PFactoryInfo factoryInfo;
	if (factory->getFactoryInfo (&factoryInfo) == kResultOk)
		vst_strncpy (vendorName, factoryInfo.vendor, sizeof (vendorName) - 1);

	FUnknownPtr<IPluginFactory2> factory2 (factory);
	for (int32 i = 0; i < factory->countClasses (); ++i)
	{
		PClassInfo2 info2;
		if (factory2 && factory2->getClassInfo2 (i, &info2) == kResultOk &&
		    std::memcmp (info2.cid, componentID, sizeof (TUID)) == 0)
		{
			vst_strncpy (effectName, info2.name, sizeof (effectName) - 1);
			vst_strncpy (subCategories, info2.subCategories, sizeof (subCategories) - 1);
			vendorVersion = versionNumber (info2.version);
			if (info2.vendor[0])
				vst_strncpy (vendorName, info2.vendor, sizeof (vendorName) - 1);
			return;
		}
		PClassInfo info;
		if (factory->getClassInfo (i, &info) == kResultOk &&
		    std::memcmp (info.cid, componentID, sizeof (TUID)) == 0)
			vst_strncpy (effectName, info.name, sizeof (effectName) - 1);
	}
}

void Vst2Wrapper::setupBuses ()
{
	auto setupDirection = [this] (BusDirection direction, std::vector<int32>& counts,
	                              std::vector<AudioBusBuffers>& buses) {
		counts.clear ();
		int32 total = 0;
		const int32 busCount = component->getBusCount (kAudio, direction);
		for (int32 b = 0; b < busCount; ++b)
		{
			BusInfo info {};
			const int32 channels = component->getBusInfo (kAudio, direction, b, info) == kResultTrue
			                           ? std::max<int32> (info.channelCount, 0)
			                           : 0;
			// A VST 2 host feeds every pin it is told of, so every bus takes part.
			component->activateBus (kAudio, direction, b, true);
			counts.push_back (channels);
			total += channels;
		}
		buses.assign (counts.size (), AudioBusBuffers {});
		return total;
	};
	const int32 inputs = setupDirection (kInput, inputChannelCounts, inputBuses);
	const int32 outputs = setupDirection (kOutput, outputChannelCounts, outputBuses);
	setNumInputs (inputs);
	setNumOutputs (outputs);
	inputPointers32.assign (static_cast<size_t> (inputs), nullptr);
	inputPointers64.assign (static_cast<size_t> (inputs), nullptr);
	outputPointers32.assign (static_cast<size_t> (outputs), nullptr);
	outputPointers64.assign (static_cast<size_t> (outputs), nullptr);

	processData.numInputs = static_cast<int32> (inputBuses.size ());
	processData.numOutputs = static_cast<int32> (outputBuses.size ());
	processData.inputs = inputBuses.empty () ? nullptr : inputBuses.data ();
	processData.outputs = outputBuses.empty () ? nullptr : outputBuses.data ();
	processData.inputParameterChanges = &inputChanges;
	processData.outputParameterChanges = &outputChanges;
}

void Vst2Wrapper::setupParameters ()
{
	const int32 count = std::max<int32> (controller->getParameterCount (), 0);
	entries.clear ();
	slotsOfIndices.clear ();
	bypassSlot = -1;
	for (int32 i = 0; i < count; ++i)
	{
		ParameterInfo info {};
		if (controller->getParameterInfo (i, info) != kResultTrue)
		{
			entries.push_back ({kNoParamId, ParameterInfo::kIsReadOnly});
			continue;
		}
		entries.push_back ({info.id, info.flags});
		if (info.flags & ParameterInfo::kIsBypass)
		{
			if (bypassSlot < 0)
				bypassSlot = i;
			continue;
		}
		if (!(info.flags & ParameterInfo::kIsReadOnly))
			slotsOfIndices.push_back (i);
	}
	slots.reset (new ParameterSlots (count));
	refreshSlotsFromController ();
	numParams = static_cast<VstInt32> (slotsOfIndices.size ());
	cEffect.numParams = numParams;
	inputChanges.setMaxParameters (count);
	outputChanges.setMaxParameters (count);
}

void Vst2Wrapper::setupEditor ()
{
	// Only a view that can live in this platform's host windows makes an editor.
	if (IPlugView* view = controller->createView (ViewType::kEditor))
	{
		const bool usable = view->isPlatformTypeSupported (kVst2EditorPlatformType) == kResultTrue;
		view->release ();
		if (usable)
			setEditor (new Vst2EditorWrapper (this, controller));
	}
}

VstIntPtr Vst2Wrapper::dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
	// Opcodes allocate (chunks, buses, the editor's view and controls, messages to the
	// controller); one that finds no memory answers 0, "not done", instead of throwing at the host.
	try
	{
		return AudioEffectX::dispatcher (opcode, index, value, ptr, opt);
	}
	catch (...)
	{
		return 0;
	}
}

//------------------------------------------------------------------------
// Processing set-up and activation
//------------------------------------------------------------------------

void Vst2Wrapper::applyProcessSetup (int32 newSampleSize)
{
	// Only while inactive, as the VST 3 calling order asks; the audio thread reads these only
	// while active.
	setupChanged = false;
	sampleSize.store (newSampleSize);
	processSetup.processMode = kRealtime;
	processSetup.symbolicSampleSize = newSampleSize;
	processSetup.maxSamplesPerBlock = blockSize;
	processSetup.sampleRate = sampleRate;
	processor->setupProcessing (processSetup);
	processData.processMode = processSetup.processMode;
	processData.symbolicSampleSize = newSampleSize;
}

void Vst2Wrapper::changeProcessSetup ()
{
	// While resumed the audio thread may be in a block, and a new set-up needs the processor
	// inactive (its activation sends messages, which allocate): the change waits for the next
	// resume. Until then blocks go in pieces of the block size the processor was prepared for.
	// The caller holds stateMutex.
	if (active.load ())
		setupChanged = true;
	else
		applyProcessSetup (requestedSampleSize);
}

void Vst2Wrapper::activate (bool state)
{
	if (state)
	{
		component->setActive (true);
		processor->setProcessing (true);
		active.store (true, std::memory_order_release);
	}
	else
	{
		active.store (false, std::memory_order_release);
		processor->setProcessing (false);
		component->setActive (false);
	}
}

void Vst2Wrapper::resume ()
{
	{
		std::lock_guard<std::recursive_mutex> lock (stateMutex);
		if (!active.load ())
		{
			if (setupChanged)
				applyProcessSetup (requestedSampleSize);
			activate (true);
		}
	}
	AudioEffectX::resume ();
}

void Vst2Wrapper::suspend ()
{
	std::lock_guard<std::recursive_mutex> lock (stateMutex);
	if (active.load ())
		activate (false);
}

void Vst2Wrapper::setSampleRate (float newSampleRate)
{
	std::lock_guard<std::recursive_mutex> lock (stateMutex);
	AudioEffectX::setSampleRate (newSampleRate);
	changeProcessSetup ();
}

void Vst2Wrapper::setBlockSize (VstInt32 newBlockSize)
{
	std::lock_guard<std::recursive_mutex> lock (stateMutex);
	AudioEffectX::setBlockSize (newBlockSize);
	changeProcessSetup ();
}

bool Vst2Wrapper::setProcessPrecision (VstInt32 precision)
{
	const int32 size = precision == kVstProcessPrecision64 ? kSample64
	                   : precision == kVstProcessPrecision32 ? kSample32
	                                                        : -1;
	if (size < 0 || processor->canProcessSampleSize (size) != kResultTrue)
		return false;
	std::lock_guard<std::recursive_mutex> lock (stateMutex);
	if (size != requestedSampleSize)
	{
		requestedSampleSize = size;
		changeProcessSetup ();
	}
	return true;
}

//------------------------------------------------------------------------
// Audio thread
//------------------------------------------------------------------------

template <>
std::vector<Sample32*>& Vst2Wrapper::pointersOf<Sample32> (BusDirection direction)
{
	return direction == kInput ? inputPointers32 : outputPointers32;
}

template <>
std::vector<Sample64*>& Vst2Wrapper::pointersOf<Sample64> (BusDirection direction)
{
	return direction == kInput ? inputPointers64 : outputPointers64;
}

void Vst2Wrapper::processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames)
{
	process (inputs, outputs, sampleFrames);
}

void Vst2Wrapper::processDoubleReplacing (double** inputs, double** outputs, VstInt32 sampleFrames)
{
	process (inputs, outputs, sampleFrames);
}

template <typename Sample>
void Vst2Wrapper::process (Sample** inputs, Sample** outputs, VstInt32 sampleFrames)
{
	// Outside resume/suspend, or in the other sample size than the host chose, there is nothing
	// to run: the host gets silence rather than what its buffers held.
	if (!active.load (std::memory_order_acquire) ||
	    sampleSize.load (std::memory_order_acquire) != symbolicSizeOf<Sample> ())
	{
		for (VstInt32 c = 0; c < cEffect.numOutputs && sampleFrames > 0; ++c)
			std::memset (outputs[c], 0, sizeof (Sample) * static_cast<size_t> (sampleFrames));
		return;
	}

	// 1. The changes since the last block, all from its first sample.
	inputChanges.clearQueue ();
	takeChangesForProcessor (inputChanges);

	// 2. The host's transport.
	updateProcessContext ();

	// 3. The audio, in pieces no longer than the block size the processor was prepared for. An
	// empty call still runs once, so that the changes arrive.
	std::vector<Sample*>& inputPointers = pointersOf<Sample> (kInput);
	std::vector<Sample*>& outputPointers = pointersOf<Sample> (kOutput);
	const VstInt32 piece = processSetup.maxSamplesPerBlock > 0 ? processSetup.maxSamplesPerBlock : 1;
	VstInt32 done = 0;
	do
	{
		const VstInt32 frames = std::min (sampleFrames - done, piece);
		for (size_t c = 0; c < inputPointers.size (); ++c)
			inputPointers[c] = inputs[c] + done;
		for (size_t c = 0; c < outputPointers.size (); ++c)
			outputPointers[c] = outputs[c] + done;
		size_t first = 0;
		for (size_t b = 0; b < inputBuses.size (); ++b)
		{
			inputBuses[b].numChannels = inputChannelCounts[b];
			channelsOf<Sample> (inputBuses[b]) = inputPointers.data () + first;
			first += static_cast<size_t> (inputChannelCounts[b]);
		}
		first = 0;
		for (size_t b = 0; b < outputBuses.size (); ++b)
		{
			outputBuses[b].numChannels = outputChannelCounts[b];
			channelsOf<Sample> (outputBuses[b]) = outputPointers.data () + first;
			first += static_cast<size_t> (outputChannelCounts[b]);
		}
		processData.numSamples = frames;
		outputChanges.clearQueue ();
		processor->process (processData);
		takeOutputChanges ();
		inputChanges.clearQueue ();
		done += frames;
	} while (done < sampleFrames);
	// The processor's state holds the changes now.
	slots->delivered ();
}

void Vst2Wrapper::addChange (IParameterChanges& changes, int32 slot, double value) const
{
	int32 queueIndex = 0;
	if (IParamValueQueue* queue = changes.addParameterData (entries[static_cast<size_t> (slot)].id, queueIndex))
	{
		int32 pointIndex = 0;
		queue->addPoint (0, value, pointIndex);
	}
}

void Vst2Wrapper::takeChangesForProcessor (IParameterChanges& changes)
{
	slots->takeForProcessor ([&] (int32 slot, double value) { addChange (changes, slot, value); });
}

void Vst2Wrapper::takeOutputChanges ()
{
	// The processor's own values (the level) reach the controller on the UI thread.
	const int32 count = outputChanges.getParameterCount ();
	for (int32 i = 0; i < count; ++i)
	{
		IParamValueQueue* queue = outputChanges.getParameterData (i);
		const int32 points = queue ? queue->getPointCount () : 0;
		int32 offset = 0;
		ParamValue value = 0.0;
		if (points <= 0 || queue->getPoint (points - 1, offset, value) != kResultTrue)
			continue;
		const int32 slot = slotOfId (queue->getParameterId ());
		if (slot >= 0 && !std::isnan (value))
			slots->publish (slot, value, ParameterSlots::kToController);
	}
}

void Vst2Wrapper::updateProcessContext ()
{
	processData.processContext = nullptr;
	const VstTimeInfo* time = getTimeInfo (kVstNanosValid | kVstPpqPosValid | kVstTempoValid |
	                                       kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid);
	if (!time)
		return;
	ProcessContext& context = processContext;
	context = ProcessContext {};
	context.sampleRate = processSetup.sampleRate;
	context.projectTimeSamples = wholeSamples (time->samplePos);
	if (time->flags & kVstTransportPlaying)
		context.state |= ProcessContext::kPlaying;
	if (time->flags & kVstTransportRecording)
		context.state |= ProcessContext::kRecording;
	if (time->flags & kVstTransportCycleActive)
		context.state |= ProcessContext::kCycleActive;
	if (time->flags & kVstNanosValid)
	{
		context.systemTime = wholeSamples (time->nanoSeconds);
		context.state |= ProcessContext::kSystemTimeValid;
	}
	if (time->flags & kVstPpqPosValid)
	{
		context.projectTimeMusic = time->ppqPos;
		context.state |= ProcessContext::kProjectTimeMusicValid;
	}
	if (time->flags & kVstTempoValid)
	{
		context.tempo = time->tempo;
		context.state |= ProcessContext::kTempoValid;
	}
	if (time->flags & kVstBarsValid)
	{
		context.barPositionMusic = time->barStartPos;
		context.state |= ProcessContext::kBarPositionValid;
	}
	if (time->flags & kVstCyclePosValid)
	{
		context.cycleStartMusic = time->cycleStartPos;
		context.cycleEndMusic = time->cycleEndPos;
		context.state |= ProcessContext::kCycleValid;
	}
	if (time->flags & kVstTimeSigValid)
	{
		context.timeSigNumerator = time->timeSigNumerator;
		context.timeSigDenominator = time->timeSigDenominator;
		context.state |= ProcessContext::kTimeSigValid;
	}
	processData.processContext = &context;
}

//------------------------------------------------------------------------
// Parameters
//------------------------------------------------------------------------

int32 Vst2Wrapper::slotOfIndex (VstInt32 index) const
{
	if (index < 0 || static_cast<size_t> (index) >= slotsOfIndices.size ())
		return -1;
	return slotsOfIndices[static_cast<size_t> (index)];
}

int32 Vst2Wrapper::slotOfId (ParamID id) const
{
	for (size_t slot = 0; slot < entries.size (); ++slot)
		if (entries[slot].id == id)
			return static_cast<int32> (slot);
	return -1;
}

VstInt32 Vst2Wrapper::indexOfSlot (int32 slot) const
{
	for (size_t index = 0; index < slotsOfIndices.size (); ++index)
		if (slotsOfIndices[index] == slot)
			return static_cast<VstInt32> (index);
	return -1;
}

void Vst2Wrapper::refreshSlotsFromController ()
{
	// A value the controller has not heard of yet is newer than the one it holds.
	for (int32 slot = 0; slot < slots->size (); ++slot)
		if (!slots->isPending (ParameterSlots::kToController, slot))
			slots->store (slot, controller->getParamNormalized (entries[static_cast<size_t> (slot)].id));
}

bool Vst2Wrapper::parameterInfo (VstInt32 index, ParameterInfo& info)
{
	const int32 slot = slotOfIndex (index);
	return slot >= 0 && controller->getParameterInfo (slot, info) == kResultTrue &&
	       info.id == entries[static_cast<size_t> (slot)].id;
}

void Vst2Wrapper::setParameter (VstInt32 index, float value)
{
	const int32 slot = slotOfIndex (index);
	// A NaN is no value at all; anything else is held to the normalized range.
	if (slot < 0 || std::isnan (value))
		return;
	slots->publish (slot, clampUnit (value), ParameterSlots::kToProcessor | ParameterSlots::kToController);
}

float Vst2Wrapper::getParameter (VstInt32 index)
{
	const int32 slot = slotOfIndex (index);
	return slot < 0 ? 0.f : static_cast<float> (slots->value (slot));
}

void Vst2Wrapper::getParameterName (VstInt32 index, char* text)
{
	ParameterInfo info {};
	copyToHostText (parameterInfo (index, info) ? info.title : nullptr, text, kParameterNameLength);
}

void Vst2Wrapper::getParameterLabel (VstInt32 index, char* label)
{
	ParameterInfo info {};
	copyToHostText (parameterInfo (index, info) ? info.units : nullptr, label, kParameterTextLength);
}

void Vst2Wrapper::getParameterDisplay (VstInt32 index, char* text)
{
	const int32 slot = slotOfIndex (index);
	String128 display {};
	const bool known = slot >= 0 && controller->getParamStringByValue (entries[static_cast<size_t> (slot)].id,
	                                                                   slots->value (slot), display) == kResultTrue;
	copyToHostText (known ? display : nullptr, text, kParameterTextLength);
}

bool Vst2Wrapper::canParameterBeAutomated (VstInt32 index)
{
	ParameterInfo info {};
	return parameterInfo (index, info) && (info.flags & ParameterInfo::kCanAutomate);
}

bool Vst2Wrapper::string2parameter (VstInt32 index, char* text)
{
	const int32 slot = slotOfIndex (index);
	if (slot < 0 || !text)
		return false;
	String128 string {};
	copyFromHostText (text, string);
	ParamValue value = 0.0;
	if (controller->getParamValueByString (entries[static_cast<size_t> (slot)].id, string, value) != kResultTrue ||
	    std::isnan (value))
		return false;
	slots->publish (slot, clampUnit (value), ParameterSlots::kToProcessor | ParameterSlots::kToController);
	return true;
}

bool Vst2Wrapper::getParameterProperties (VstInt32 index, VstParameterProperties* properties)
{
	ParameterInfo info {};
	if (!properties || !parameterInfo (index, info))
		return false;
	std::memset (properties, 0, sizeof (*properties));
	copyToHostText (info.title, properties->label, kVstMaxLabelLen - 1);
	copyToHostText (info.shortTitle[0] ? info.shortTitle : info.title, properties->shortLabel,
	                kVstMaxShortLabelLen - 1);
	properties->flags = kVstParameterSupportsDisplayIndex;
	properties->displayIndex = static_cast<VstInt16> (index);
	if (info.stepCount > 0)
	{
		properties->flags |= kVstParameterUsesIntegerMinMax | kVstParameterUsesIntStep;
		if (info.stepCount == 1)
			properties->flags |= kVstParameterIsSwitch;
		properties->minInteger = 0;
		properties->maxInteger = info.stepCount;
		properties->stepInteger = 1;
		properties->largeStepInteger = 1;
	}
	else
	{
		properties->flags |= kVstParameterCanRamp;
	}
	return true;
}

bool Vst2Wrapper::setBypass (bool onOff)
{
	if (bypassSlot < 0)
		return false;
	slots->publish (bypassSlot, onOff ? 1.0 : 0.0, ParameterSlots::kToProcessor | ParameterSlots::kToController);
	return true;
}

//------------------------------------------------------------------------
// Chunks: the processor's state and the controller's, each after its 64-bit size
//------------------------------------------------------------------------

VstInt32 Vst2Wrapper::getChunk (void** data, bool /*isPreset*/)
{
	if (!data)
		return 0;
	*data = nullptr;
	std::lock_guard<std::recursive_mutex> lock (stateMutex);

	// The values the processor's state may still lack, found before that state is read: a value
	// that the audio thread hands over meanwhile is then in one or the other.
	ParameterChanges missing (slots->size ());
	for (int32 slot = 0; slot < slots->size (); ++slot)
		if (slots->awaitsProcessor (slot))
			addChange (missing, slot, slots->value (slot));
	MemoryStream current;
	if (component->getState (&current) != kResultOk)
		return 0;
	// Should no second processor be had, the processor's own state is still a whole one.
	MemoryStream completed;
	current.seek (0, IBStream::kIBSeekSet, nullptr);
	const bool withChanges = missing.getParameterCount () > 0 && stateWithChanges (&current, missing, &completed);
	MemoryStream& componentState = withChanges ? completed : current;

	MemoryStream controllerState;
	const bool hasControllerState = !controllerIsComponent && controller->getState (&controllerState) == kResultOk;
	const int64 componentSize = componentState.getSize ();
	const int64 controllerSize = hasControllerState ? controllerState.getSize () : 0;
	const int64 total = kChunkHeaderSize + componentSize + controllerSize;
	if (componentSize < 0 || controllerSize < 0 || total > kMaxInt32)
		return 0;

	std::vector<char>& chunk = chunkBufferOfThisThread (static_cast<size_t> (total));
	writeLittleEndian64 (chunk.data (), componentSize);
	writeLittleEndian64 (chunk.data () + 8, controllerSize);
	if (componentSize > 0)
		std::memcpy (chunk.data () + kChunkHeaderSize, componentState.getData (), static_cast<size_t> (componentSize));
	if (controllerSize > 0)
		std::memcpy (chunk.data () + kChunkHeaderSize + componentSize, controllerState.getData (),
		             static_cast<size_t> (controllerSize));
	*data = chunk.data ();
	return static_cast<VstInt32> (total);
}

bool Vst2Wrapper::stateWithChanges (IBStream* state, IParameterChanges& changes, IBStream* result)
{
	// The processor itself may be in a block on the audio thread, or wait for a block that never
	// comes (hosts stop calling process while their transport stands), and VST 3 allows no second
	// process call beside the audio thread's. So a second instance of the processor, made for the
	// purpose, takes the state, runs the changes in an empty block and gives its state back.
	IComponent* made = nullptr;
	if (factory->createInstance (componentClassId, IComponent::iid, reinterpret_cast<void**> (&made)) != kResultOk ||
	    !made)
		return false;
	IPtr<IComponent> scratch = owned (made);
	if (scratch->initialize (static_cast<IHostApplication*> (this)) != kResultOk)
		return false;
	FUnknownPtr<IAudioProcessor> scratchProcessor (scratch);
	ProcessSetup setup = processSetup;
	bool done = scratchProcessor && scratch->setState (state) == kResultOk &&
	            scratchProcessor->setupProcessing (setup) == kResultOk;
	if (done)
	{
		scratch->setActive (true);
		scratchProcessor->setProcessing (true);
		ProcessData block {};
		block.processMode = setup.processMode;
		block.symbolicSampleSize = setup.symbolicSampleSize;
		block.inputParameterChanges = &changes;
		done = scratchProcessor->process (block) == kResultOk;
		scratchProcessor->setProcessing (false);
		scratch->setActive (false);
		done = done && scratch->getState (result) == kResultOk;
	}
	scratch->terminate ();
	return done;
}

std::vector<char>& Vst2Wrapper::chunkBufferOfThisThread (size_t size)
{
	// Each thread's chunk stays as handed out until the same thread asks again, so that a chunk
	// just given out is never changed under a setChunk on another thread. Beyond kChunkThreads
	// threads, the one that asked longest ago gives up its buffer.
	const std::thread::id thread = std::this_thread::get_id ();
	auto buffer = std::find_if (chunkBuffers.begin (), chunkBuffers.end (),
	                            [&] (const ChunkBuffer& b) { return b.thread == thread; });
	if (buffer == chunkBuffers.end ())
	{
		if (chunkBuffers.size () < kChunkThreads)
			buffer = chunkBuffers.insert (chunkBuffers.end (), ChunkBuffer {thread, {}});
		else
			buffer = chunkBuffers.begin ();
		buffer->thread = thread;
	}
	std::rotate (buffer, buffer + 1, chunkBuffers.end ());
	std::vector<char>& bytes = chunkBuffers.back ().bytes;
	if (size > bytes.capacity ())
	{
		const size_t capacity = std::max (size, 2 * bytes.capacity ());
		if (bytes.capacity () > 0)
			outgrownChunks.push_back (std::move (bytes));
		bytes = std::vector<char> ();
		bytes.reserve (capacity);
	}
	bytes.assign (size, 0);
	return bytes;
}

VstInt32 Vst2Wrapper::setChunk (void* data, VstInt32 byteSize, bool /*isPreset*/)
{
	// The header must fit, and both parts must lie inside what the host says it gave.
	if (!data || byteSize < kChunkHeaderSize)
		return 0;
	// Everything below reads the host's bytes under the lock, which every getChunk takes before
	// it writes a buffer of ours that the host may have passed back.
	std::lock_guard<std::recursive_mutex> lock (stateMutex);
	auto* bytes = static_cast<char*> (data);
	const int64 componentSize = readLittleEndian64 (bytes);
	const int64 controllerSize = readLittleEndian64 (bytes + 8);
	const int64 room = byteSize - kChunkHeaderSize;
	if (componentSize < 0 || controllerSize < 0 || componentSize > room || controllerSize > room - componentSize)
		return 0;

	// The processor reads the whole state or keeps its own; while processing, it takes the new
	// state between two blocks.
	MemoryStream componentState (bytes + kChunkHeaderSize, componentSize);
	if (component->setState (&componentState) != kResultOk)
		return 0;
	// Changes the host made before this chunk are older than it.
	slots->discard (ParameterSlots::kToProcessor);

	if (!controllerIsComponent)
	{
		MemoryStream forController (bytes + kChunkHeaderSize, componentSize);
		controller->setComponentState (&forController);
		if (controllerSize > 0)
		{
			MemoryStream controllerState (bytes + kChunkHeaderSize + componentSize, controllerSize);
			controller->setState (&controllerState);
		}
	}
	slots->discard (ParameterSlots::kToController);
	refreshSlotsFromController ();
	return 1;
}

//------------------------------------------------------------------------
// Pins and speakers
//------------------------------------------------------------------------

bool Vst2Wrapper::pinProperties (BusDirection direction, VstInt32 index, VstPinProperties* properties)
{
	const std::vector<int32>& counts = direction == kInput ? inputChannelCounts : outputChannelCounts;
	if (!properties || index < 0)
		return false;
	int32 channel = index;
	for (size_t bus = 0; bus < counts.size (); ++bus)
	{
		if (channel >= counts[bus])
		{
			channel -= counts[bus];
			continue;
		}
		BusInfo info {};
		component->getBusInfo (kAudio, direction, static_cast<int32> (bus), info);
		std::memset (properties, 0, sizeof (*properties));
		// "<bus name> <channel>", the number kept even when the name has to be cut.
		char number[8];
		number[0] = ' ';
		VstInt32 digits = 0;
		char reversed[6];
		for (int32 n = channel + 1; n > 0 && digits < 5; n /= 10)
			reversed[digits++] = static_cast<char> ('0' + n % 10);
		for (VstInt32 d = 0; d < digits; ++d)
			number[1 + d] = reversed[digits - 1 - d];
		number[1 + digits] = 0;
		copyToHostText (info.name, properties->label, kVstMaxLabelLen - 1 - static_cast<size_t> (digits + 1));
		vst_strncat (properties->label, number, kVstMaxLabelLen - 1);
		copyToHostText (info.name, properties->shortLabel, kVstMaxShortLabelLen - 1);
		properties->flags = kVstPinIsActive;
		if (counts[bus] == 2 && channel == 0)
			properties->flags |= kVstPinIsStereo;
		properties->arrangementType = arrangementTypeOf (counts[bus]);
		return true;
	}
	return false;
}

bool Vst2Wrapper::getInputProperties (VstInt32 index, VstPinProperties* properties)
{
	return pinProperties (kInput, index, properties);
}

bool Vst2Wrapper::getOutputProperties (VstInt32 index, VstPinProperties* properties)
{
	return pinProperties (kOutput, index, properties);
}

bool Vst2Wrapper::setSpeakerArrangement (VstSpeakerArrangement* pluginInput, VstSpeakerArrangement* pluginOutput)
{
	// Hosts ask while suspended; only mono and stereo have one meaning on both sides.
	if (!pluginInput || !pluginOutput || active.load () || inputBuses.size () != 1 || outputBuses.size () != 1)
		return false;
	auto toVst3 = [] (const VstSpeakerArrangement& arrangement, SpeakerArrangement& result) {
		if (arrangement.numChannels == 1)
			result = SpeakerArr::kMono;
		else if (arrangement.numChannels == 2)
			result = SpeakerArr::kStereo;
		else
			return false;
		return true;
	};
	SpeakerArrangement input = 0;
	SpeakerArrangement output = 0;
	if (!toVst3 (*pluginInput, input) || !toVst3 (*pluginOutput, output))
		return false;
	const bool accepted = processor->setBusArrangements (&input, 1, &output, 1) == kResultTrue;
	// A refusal may still have changed the buses back to the processor's own layout.
	const int32 inputs = cEffect.numInputs;
	const int32 outputs = cEffect.numOutputs;
	setupBuses ();
	if (inputs != cEffect.numInputs || outputs != cEffect.numOutputs)
		ioChanged ();
	return accepted;
}

bool Vst2Wrapper::getSpeakerArrangement (VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput)
{
	if (!pluginInput || !pluginOutput)
		return false;
	auto describe = [this] (const std::vector<int32>& counts, VstSpeakerArrangement*& arrangement) {
		const int32 channels = counts.empty () ? 0 : counts[0];
		if (!allocateArrangement (&arrangement, channels))
			return false;
		arrangement->type = arrangementTypeOf (channels);
		for (int32 c = 0; c < channels; ++c)
			arrangement->speakers[c].type = channels == 1 ? kSpeakerM : (c == 0 ? kSpeakerL : kSpeakerR);
		return true;
	};
	if (!describe (inputChannelCounts, inputArrangement) || !describe (outputChannelCounts, outputArrangement))
		return false;
	*pluginInput = inputArrangement;
	*pluginOutput = outputArrangement;
	return true;
}

//------------------------------------------------------------------------
// What the effect tells about itself
//------------------------------------------------------------------------

VstInt32 Vst2Wrapper::getGetTailSize ()
{
	// VST 2 counts 0 as "unknown" and 1 as "no tail".
	const uint32 tail = processor->getTailSamples ();
	if (tail == kNoTail)
		return 1;
	return static_cast<VstInt32> (std::min<uint32> (tail, kMaxInt32));
}

bool Vst2Wrapper::getEffectName (char* name)
{
	vst_strncpy (name, effectName, kVstMaxEffectNameLen);
	return true;
}

bool Vst2Wrapper::getVendorString (char* text)
{
	vst_strncpy (text, vendorName, kVstMaxVendorStrLen);
	return true;
}

VstInt32 Vst2Wrapper::getVendorVersion ()
{
	return vendorVersion;
}

VstIntPtr Vst2Wrapper::vendorSpecific (VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
	if (index == kVendorPrefixUpper || index == kVendorPrefixLower)
	{
		if (value == kVendorClassId)
		{
			if (!ptr)
				return 0;
			std::memcpy (ptr, componentClassId, sizeof (TUID));
			return 1;
		}
		if (value == kVendorWheel)
		{
			if (!editor || !std::isfinite (opt))
				return 0;
			editor->onWheel (opt);
			return 1;
		}
	}
	return AudioEffectX::vendorSpecific (index, value, ptr, opt);
}

VstInt32 Vst2Wrapper::canDo (char* text)
{
	if (!text)
		return 0;
	if (std::strcmp (text, PlugCanDos::canDoBypass) == 0)
		return bypassSlot >= 0 ? 1 : -1;
	if (std::strcmp (text, PlugCanDos::canDoReceiveVstTimeInfo) == 0)
		return 1;
	// The rest of what a host may ask: events, offline processing, MIDI program names.
	static const char* const kNot[] = {
	    PlugCanDos::canDoSendVstEvents, PlugCanDos::canDoSendVstMidiEvent,
	    PlugCanDos::canDoReceiveVstEvents, PlugCanDos::canDoReceiveVstMidiEvent,
	    PlugCanDos::canDoOffline, PlugCanDos::canDoMidiProgramNames,
	};
	for (const char* answer : kNot)
		if (std::strcmp (text, answer) == 0)
			return -1;
	return 0;
}

VstInt32 Vst2Wrapper::getPlugCategory ()
{
	for (const CategoryWord& entry : kCategoryWords)
		if (std::strstr (subCategories, entry.word))
			return entry.category;
	return kPlugCategUnknown;
}

//------------------------------------------------------------------------
// UI thread
//------------------------------------------------------------------------

void Vst2Wrapper::onUiTimer ()
{
	slots->takeForController ([this] (int32 slot, double value) {
		controller->setParamNormalized (entries[static_cast<size_t> (slot)].id, value);
	});
}

void Vst2Wrapper::startUiTimer ()
{
	uiTimer.start ();
}

void Vst2Wrapper::stopUiTimer ()
{
	uiTimer.stop ();
}

//------------------------------------------------------------------------
// The host context and the component handler that the VST 3 side sees
//------------------------------------------------------------------------

tresult PLUGIN_API Vst2Wrapper::getName (String128 name)
{
	if (!name)
		return kInvalidArgument;
	char product[kVstMaxProductStrLen + 1] = {};
	if (!getHostProductString (product) || !product[0])
		vst_strncpy (product, "VST 2.4 host", kVstMaxProductStrLen);
	product[kVstMaxProductStrLen] = 0;
	copyFromHostText (product, name);
	return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::createInstance (TUID cid, TUID _iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	*obj = nullptr;
	if (!cid || !_iid)
		return kInvalidArgument;
	const FUID classId = FUID::fromTUID (cid);
	const FUID interfaceId = FUID::fromTUID (_iid);
	if (classId == IMessage::iid && interfaceId == IMessage::iid)
		*obj = static_cast<IMessage*> (new (std::nothrow) HostMessage);
	else if (classId == IAttributeList::iid && interfaceId == IAttributeList::iid)
		*obj = static_cast<IAttributeList*> (new (std::nothrow) HostAttributeList);
	return *obj ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API Vst2Wrapper::beginEdit (ParamID id)
{
	const int32 slot = slotOfId (id);
	if (slot < 0)
		return kInvalidArgument;
	const VstInt32 index = indexOfSlot (slot);
	if (index >= 0)
		AudioEffectX::beginEdit (index);
	return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::performEdit (ParamID id, ParamValue valueNormalized)
{
	const int32 slot = slotOfId (id);
	if (slot < 0 || std::isnan (valueNormalized))
		return kInvalidArgument;
	if (slot != bypassSlot && (entries[static_cast<size_t> (slot)].flags & ParameterInfo::kIsReadOnly))
		return kResultFalse;
	// The controller already holds the value: it goes to the processor and to the host.
	const double value = clampUnit (valueNormalized);
	slots->publish (slot, value, ParameterSlots::kToProcessor);
	const VstInt32 index = indexOfSlot (slot);
	if (index >= 0)
		callHost (audioMasterAutomate, index, 0, nullptr, static_cast<float> (value));
	return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::endEdit (ParamID id)
{
	const int32 slot = slotOfId (id);
	if (slot < 0)
		return kInvalidArgument;
	const VstInt32 index = indexOfSlot (slot);
	if (index >= 0)
		AudioEffectX::endEdit (index);
	return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::restartComponent (int32 flags)
{
	// The controller may ask while the wrapper is still being set up (it hears the processor's
	// state before the parameter slots exist); the set-up reads every value afterwards anyway.
	if (!slots)
		return kResultOk;
	if (flags & kLatencyChanged)
	{
		setInitialDelay (static_cast<VstInt32> (std::min<uint32> (processor->getLatencySamples (), kMaxInt32)));
		ioChanged ();
	}
	if (flags & kParamValuesChanged)
		refreshSlotsFromController ();
	if (flags & (kParamValuesChanged | kParamTitlesChanged))
		updateDisplay ();
	return kResultOk;
}

tresult PLUGIN_API Vst2Wrapper::queryInterface (const TUID _iid, void** obj)
{
	QUERY_INTERFACE (_iid, obj, FUnknown::iid, IHostApplication)
	QUERY_INTERFACE (_iid, obj, IHostApplication::iid, IHostApplication)
	QUERY_INTERFACE (_iid, obj, IComponentHandler::iid, IComponentHandler)
	*obj = nullptr;
	return kNoInterface;
}

} // namespace Vst
} // namespace Steinberg
