// One plug-in as a host drives it: processor and controller created, connected, set up, processed, saved.
#pragma once

#include "HostObjects.h"
#include "PluginModule.h"

#include "public.sdk/source/vst/hosting/eventlist.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "public.sdk/source/vst/hosting/processdata.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <memory>
#include <string>
#include <vector>

namespace TessalineHost {

class PluginInstance
{
public:
	struct ParameterPoint
	{
		Steinberg::Vst::ParamID id;
		Steinberg::int32 sampleOffset;
		Steinberg::Vst::ParamValue value;
	};

	// Creates and initialises the module's first audio processor, its controller when the module
	// has that class, connects them as message peers (through relays that keep what they pass)
	// and hands the processor's state to the controller. Null with a reason in error.
	static std::unique_ptr<PluginInstance> create (PluginModule& module, std::string& error);
	// Stops processing, deactivates, disconnects, terminates and releases both components.
	~PluginInstance ();
	PluginInstance (const PluginInstance&) = delete;
	PluginInstance& operator= (const PluginInstance&) = delete;

	Steinberg::Vst::IComponent* component () const { return componentPtr; }
	Steinberg::Vst::IAudioProcessor* processor () const { return processorPtr; }
	// Null when the module has no controller class.
	Steinberg::Vst::IEditController* controller () const { return controllerPtr; }
	// What the processor sent towards the controller, and the other way.
	const std::vector<std::string>& messagesToController () const { return toController->messages (); }
	const std::vector<std::string>& messagesToProcessor () const { return toProcessor->messages (); }
	const EditRecorder& controllerEdits () const { return *editRecorder; }

	// setupProcessing in realtime mode; also prepares the block buffers for this sample size.
	Steinberg::tresult setupProcessing (double sampleRate, Steinberg::int32 maxSamplesPerBlock,
	                                    Steinberg::int32 symbolicSampleSize = Steinberg::Vst::kSample32);
	// setActive, with setProcessing around it as hosts do.
	Steinberg::tresult setActive (bool state);
	bool isActive () const { return active; }

	// Adds a point to the next block's input queue of this parameter (and shows it to the controller).
	void queueParameter (Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value,
	                     Steinberg::int32 sampleOffset = 0);
	// One block through the processor; in and out may be the same buffers. The block's output
	// parameter changes are kept in outputChanges and handed to the controller.
	Steinberg::tresult process (float* const in[2], float* const out[2], Steinberg::int32 frames);
	Steinberg::tresult process (double* const in[2], double* const out[2], Steinberg::int32 frames);
	const std::vector<ParameterPoint>& outputChanges () const { return lastOutputChanges; }

	// The processor's state; setState also hands the bytes to the controller, as after loading a project.
	Steinberg::tresult getState (std::vector<char>& bytes);
	Steinberg::tresult setState (const std::vector<char>& bytes);

	// A text message to the processor, as its controller would send one.
	Steinberg::tresult sendTextToProcessor (const char* text);

private:
	PluginInstance ();
	template <typename Sample>
	Steinberg::tresult processBlock (Sample* const in[2], Sample* const out[2], Steinberg::int32 frames);
	void connectComponents ();
	void disconnectComponents ();

	Steinberg::Vst::HostApplication hostApplication;
	Steinberg::IPtr<Steinberg::Vst::IComponent> componentPtr;
	Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processorPtr;
	Steinberg::IPtr<Steinberg::Vst::IEditController> controllerPtr;
	Steinberg::IPtr<MessageRelay> toController;
	Steinberg::IPtr<MessageRelay> toProcessor;
	Steinberg::IPtr<EditRecorder> editRecorder;
	bool connected = false;
	bool active = false;

	Steinberg::Vst::HostProcessData data;
	Steinberg::Vst::ParameterChanges inputChanges;
	Steinberg::Vst::ParameterChanges outputChangeList;
	Steinberg::Vst::EventList events;
	Steinberg::Vst::ProcessContext context {};
	std::vector<ParameterPoint> lastOutputChanges;
};

} // namespace TessalineHost
