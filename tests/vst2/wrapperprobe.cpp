// The probe plug-in: gain processor, controller and view, with the factory and hooks of a module.
#include "tests/vst2/wrapperprobe.h"

#include "processor/ClassIds.h"
#include "vst2/Vst2Entry.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/main/pluginfactory.h"
#include "public.sdk/source/vst/vst2wrapper/vst2platform.h"

#include "base/source/fstreamer.h"
#include "base/source/fstring.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace probe {

namespace {

const FUID kProbeControllerUID (0x50524F42, 0x45435452, 0x4C000000, 0x00000001);

// A probe that reads what it wrote: four normalized doubles, all or nothing.
bool readValues (IBStream* stream, double values[4])
{
	IBStreamer reader (stream, kLittleEndian);
	double read[4];
	for (double& value : read)
		if (!reader.readDouble (value) || !(value >= 0.0 && value <= 1.0))
			return false;
	std::copy (read, read + 4, values);
	return true;
}

template <typename Sample>
Sample** channels (AudioBusBuffers& bus);
template <>
Sample32** channels<Sample32> (AudioBusBuffers& bus)
{
	return bus.channelBuffers32;
}
template <>
Sample64** channels<Sample64> (AudioBusBuffers& bus)
{
	return bus.channelBuffers64;
}

} // namespace

const char* const kLongTitle = "A parameter title far beyond thirty-two characters";
const char* const kLongUnits = "centimetres of mercury column";

Settings& settings ()
{
	static Settings value;
	return value;
}

HookCounts& hookCounts ()
{
	static HookCounts counts;
	return counts;
}

void reset ()
{
	settings () = Settings ();
	hookCounts () = HookCounts ();
	View::log = ViewLog ();
}

vst2host::Effect createEffect (vst2host::Host& host)
{
	vst2host::Host::CreationScope scope (host);
	return vst2host::Effect (VSTPluginMain (reinterpret_cast<audioMasterCallback> (&vst2host::Host::callback)), host);
}

std::vector<char> stateBytes (double gain, double mode, double longValue, double bypass)
{
	MemoryStream stream;
	IBStreamer writer (&stream, kLittleEndian);
	for (double value : {gain, mode, longValue, bypass})
		writer.writeDouble (value);
	return std::vector<char> (stream.getData (), stream.getData () + stream.getSize ());
}

//------------------------------------------------------------------------
Processor* Processor::latest = nullptr;

Processor::Processor () : previous (latest)
{
	latest = this;
	setControllerClass (kProbeControllerUID);
}

Processor::~Processor ()
{
	if (latest == this)
		latest = previous;
}

void Processor::noteCallDuringProcess ()
{
	if (processRunning.load () != 0)
		++callsDuringProcess;
}

tresult PLUGIN_API Processor::initialize (FUnknown* context)
{
	const tresult result = AudioEffect::initialize (context);
	if (result != kResultOk)
		return result;
	addAudioInput (STR16 ("Stereo In"), SpeakerArr::kStereo);
	addAudioOutput (STR16 ("Stereo Out"), SpeakerArr::kStereo);
	return kResultOk;
}

tresult PLUGIN_API Processor::setActive (TBool state)
{
	noteCallDuringProcess ();
	active = state != 0;
	sendTextMessage (state ? "probe active" : "probe inactive");
	return AudioEffect::setActive (state);
}

tresult PLUGIN_API Processor::setState (IBStream* state)
{
	double values[4];
	if (!state || !readValues (state, values))
		return kResultFalse;
	gain = values[0];
	mode = values[1];
	longValue = values[2];
	bypass = values[3];
	return kResultOk;
}

tresult PLUGIN_API Processor::getState (IBStream* state)
{
	if (!state)
		return kInvalidArgument;
	IBStreamer writer (state, kLittleEndian);
	for (double value : {gain.load (), mode.load (), longValue.load (), bypass.load ()})
		writer.writeDouble (value);
	return kResultOk;
}

tresult Processor::receiveText (const char8* text)
{
	messages.emplace_back (text ? text : "");
	return kResultOk;
}

tresult PLUGIN_API Processor::canProcessSampleSize (int32 symbolicSampleSize)
{
	const bool can = (symbolicSampleSize == kSample32 && settings ().process32) ||
	                 (symbolicSampleSize == kSample64 && settings ().process64);
	return can ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API Processor::setupProcessing (ProcessSetup& setup)
{
	noteCallDuringProcess ();
	lastSetup = setup;
	processSetup = setup;
	return kResultOk;
}

tresult PLUGIN_API Processor::setProcessing (TBool state)
{
	noteCallDuringProcess ();
	processing = state != 0;
	return kResultOk;
}

tresult PLUGIN_API Processor::process (ProcessData& data)
{
	++processRunning;
	struct Leave
	{
		std::atomic<int32>& running;
		~Leave () { --running; }
	} leave {processRunning};
	++processCalls;
	if (!active || !processing)
		++processedWhileInactive;
	if (IParameterChanges* changes = data.inputParameterChanges)
	{
		for (int32 i = 0; i < changes->getParameterCount (); ++i)
		{
			IParamValueQueue* queue = changes->getParameterData (i);
			int32 offset = 0;
			ParamValue value = 0.0;
			if (!queue || queue->getPoint (queue->getPointCount () - 1, offset, value) != kResultTrue)
				continue;
			received.emplace_back (queue->getParameterId (), value);
			switch (queue->getParameterId ())
			{
				case kGainId: gain = value; break;
				case kModeId: mode = value; break;
				case kLongId: longValue = value; break;
				case kBypassId: bypass = value; break;
				default: break;
			}
		}
	}
	hadContext = data.processContext != nullptr;
	if (data.processContext)
		lastContext = *data.processContext;
	largestBlock = std::max (largestBlock, data.numSamples);
	if (data.numInputs == 0 || data.numOutputs == 0)
		return kResultOk;
	if (data.symbolicSampleSize == kSample32)
		run<Sample32> (data);
	else
		run<Sample64> (data);
	return kResultOk;
}

template <typename Sample>
void Processor::run (ProcessData& data)
{
	double level = 0.0;
	const double factor = gain.load ();
	const bool through = bypass.load () > 0.5;
	for (int32 c = 0; c < 2; ++c)
	{
		const Sample* in = channels<Sample> (data.inputs[0])[c];
		Sample* out = channels<Sample> (data.outputs[0])[c];
		for (int32 i = 0; i < data.numSamples; ++i)
		{
			out[i] = through ? in[i] : static_cast<Sample> (in[i] * factor);
			level = std::max (level, std::fabs (static_cast<double> (out[i])));
		}
	}
	if (data.outputParameterChanges)
	{
		int32 index = 0;
		if (IParamValueQueue* queue = data.outputParameterChanges->addParameterData (kLevelId, index))
			queue->addPoint (0, std::min (level, 1.0), index);
	}
}

//------------------------------------------------------------------------
View* View::latest = nullptr;
ViewLog View::log;

namespace {
const ViewRect kViewSize (0, 0, 1105, 381);
}

View::View () : CPluginView (&kViewSize)
{
	latest = this;
}

View::~View ()
{
	++log.destroyed;
	if (latest == this)
		latest = nullptr;
}

tresult PLUGIN_API View::isPlatformTypeSupported (FIDString type)
{
	const char* accepted = settings ().viewPlatform ? settings ().viewPlatform : kVst2EditorPlatformType;
	return type && std::strcmp (type, accepted) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API View::attached (void* parent, FIDString type)
{
	++log.attached;
	log.parent = parent;
	log.platformType = type ? type : "";
	return CPluginView::attached (parent, type);
}

tresult PLUGIN_API View::removed ()
{
	++log.removed;
	return CPluginView::removed ();
}

tresult PLUGIN_API View::onKeyDown (char16 key, int16 keyCode, int16 modifiers)
{
	log.keys.insert (log.keys.end (), {key, keyCode, modifiers});
	return kResultTrue;
}

tresult PLUGIN_API View::onKeyUp (char16 key, int16 keyCode, int16 modifiers)
{
	log.keys.insert (log.keys.end (), {-key, keyCode, modifiers});
	return kResultTrue;
}

tresult PLUGIN_API View::onWheel (float distance)
{
	log.wheel.push_back (distance);
	return kResultTrue;
}

tresult PLUGIN_API View::onSize (ViewRect* newSize)
{
	if (newSize)
		log.sizes.push_back (*newSize);
	return CPluginView::onSize (newSize);
}

//------------------------------------------------------------------------
Controller* Controller::latest = nullptr;

Controller::Controller ()
{
	latest = this;
}

Controller::~Controller ()
{
	if (latest == this)
		latest = nullptr;
}

tresult PLUGIN_API Controller::initialize (FUnknown* context)
{
	const tresult result = EditController::initialize (context);
	if (result != kResultOk)
		return result;
	if (FUnknownPtr<IHostApplication> host = FUnknownPtr<IHostApplication> (context))
	{
		String128 name {};
		if (host->getName (name) == kResultOk)
		{
			String text (name);
			text.toMultiByte (kCP_Utf8);
			hostName = text.text8 ();
		}
	}
	parameters.addParameter (STR16 ("Gain"), STR16 ("dB"), 0, kDefaultGain, ParameterInfo::kCanAutomate, kGainId);
	auto* mode = new StringListParameter (STR16 ("Mode"), kModeId, nullptr,
	                                      ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
	mode->appendString (STR16 ("First"));
	mode->appendString (STR16 ("Second"));
	mode->appendString (STR16 ("Third"));
	parameters.addParameter (mode);
	parameters.addParameter (STR16 ("Bypass"), nullptr, 1, 0.0,
	                         ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, kBypassId);
	String128 longTitle {};
	String128 longUnits {};
	String (kLongTitle).copyTo16 (longTitle, 0, 127);
	String (kLongUnits).copyTo16 (longUnits, 0, 127);
	parameters.addParameter (longTitle, longUnits, 0, 0.0, 0, kLongId, kRootUnitId, STR16 ("LongShortTitle"));
	parameters.addParameter (STR16 ("Level"), nullptr, 0, 0.0, ParameterInfo::kIsReadOnly, kLevelId);
	initialized = true;
	return kResultOk;
}

tresult PLUGIN_API Controller::setComponentState (IBStream* state)
{
	double values[4];
	if (!state || !readValues (state, values))
		return kResultFalse;
	setParamNormalized (kGainId, values[0]);
	setParamNormalized (kModeId, values[1]);
	setParamNormalized (kLongId, values[2]);
	setParamNormalized (kBypassId, values[3]);
	return kResultOk;
}

tresult PLUGIN_API Controller::setParamNormalized (ParamID id, ParamValue value)
{
	if (initialized)
		received.emplace_back (id, value);
	return EditController::setParamNormalized (id, value);
}

tresult PLUGIN_API Controller::setKnobMode (KnobMode mode)
{
	knobModes.push_back (mode);
	return mode == kLinearMode ? kResultTrue : kResultFalse;
}

IPlugView* PLUGIN_API Controller::createView (FIDString name)
{
	if (!settings ().withView || !name || std::strcmp (name, ViewType::kEditor) != 0)
		return nullptr;
	return new View;
}

tresult PLUGIN_API Controller::notify (IMessage* message)
{
	if (message && message->getMessageID () && std::strcmp (message->getMessageID (), "TextMessage") == 0)
	{
		++textMessages;
		sendTextMessage ("controller heard");
		return kResultOk;
	}
	return EditController::notify (message);
}

} // namespace probe

//------------------------------------------------------------------------
// The module's side: hooks and factory, as the plug-in's own module provides them.

bool InitModule ()
{
	++probe::hookCounts ().init;
	return true;
}

bool DeinitModule ()
{
	++probe::hookCounts ().deinit;
	return true;
}

SMTG_EXPORT_SYMBOL Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory ()
{
	using namespace Steinberg;
	using namespace Steinberg::Vst;
	if (gPluginFactory)
	{
		gPluginFactory->addRef ();
		return gPluginFactory;
	}
	static const PFactoryInfo info ("Probe Works", "https://probe.invalid", "mailto:probe@probe.invalid",
	                                PFactoryInfo::kUnicode);
	gPluginFactory = new CPluginFactory (info);
	const PClassInfo2 processorClass (kProcessorUID.toTUID (), PClassInfo::kManyInstances, kVstAudioEffectClass,
	                                  "Probe", kDistributable, probe::settings ().subCategories, "", "2.0.1.1",
	                                  "VST 3.6.6");
	const PClassInfo2 controllerClass (probe::kProbeControllerUID.toTUID (), PClassInfo::kManyInstances,
	                                   kVstComponentControllerClass, "Probe Controller", 0, "", "", "2.0.1.1",
	                                   "VST 3.6.6");
	gPluginFactory->registerClass (&processorClass, probe::Processor::createInstance);
	gPluginFactory->registerClass (&controllerClass, probe::Controller::createInstance);
	return gPluginFactory;
}
