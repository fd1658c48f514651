// The plug-in's VST 3 audio processor: runs the reverb engine on the host's blocks and keeps the state.
#pragma once

#include "engine/ReverbEngine.h"
#include "processor/ParameterIds.h"
#include "processor/ReverbSettings.h"
#include "processor/TripleBuffer.h"

#include "public.sdk/source/vst/vstaudioeffect.h"

#include <atomic>
#include <mutex>

namespace Steinberg {
namespace Vst {

// About 20 MB with the engine inside: exists only as a heap object made by createInstance.
class Tessaline : public AudioEffect
{
public:
	Tessaline ();
	~Tessaline () override;

	// Null when the processor cannot be allocated.
	static FUnknown* createInstance (void* context);

	//---from ComponentBase---------
	tresult receiveText (const char8* text) SMTG_OVERRIDE;

	//---from IPluginBase-----------
	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API terminate () SMTG_OVERRIDE;

	//---from IConnectionPoint------
	tresult PLUGIN_API notify (IMessage* message) SMTG_OVERRIDE;

	//---from IComponent------------
	tresult PLUGIN_API setActive (TBool state) SMTG_OVERRIDE;
	tresult PLUGIN_API setState (IBStream* state) SMTG_OVERRIDE;
	tresult PLUGIN_API getState (IBStream* state) SMTG_OVERRIDE;

	//---from IAudioProcessor-------
	tresult PLUGIN_API setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
	                                       SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
	tresult PLUGIN_API canProcessSampleSize (int32 symbolicSampleSize) SMTG_OVERRIDE;
	tresult PLUGIN_API setupProcessing (ProcessSetup& setup) SMTG_OVERRIDE;
	tresult PLUGIN_API process (ProcessData& data) SMTG_OVERRIDE;
	uint32 PLUGIN_API getTailSamples () SMTG_OVERRIDE;

	// Stores one incoming normalized value into the settings and passes it to the engine, whether
	// it changed or not (process passes only values that changed).
	void applyParameter (ParamID id, ParamValue value);
	// Passes every stored value to the engine.
	void applyAllParameters ();

	OBJ_METHODS (Tessaline, AudioEffect)

private:
	// A settings record together with the number of the setState that it descends from.
	struct StateRecord
	{
		ReverbSettings settings;
		uint64 serial;
	};

	// Into the record; whether the stored value changed (false for ids that it does not hold).
	bool storeParameter (ParamID id, ParamValue value);
	// storeParameter's switch over the record's fields.
	bool storeField (ParamID id, ParamValue value);
	void addStereoBuses (SpeakerArrangement input, SpeakerArrangement output);
	void acceptState (const ReverbSettings& incoming);
	bool adoptIncomingState ();
	const ReverbSettings& latestSettings ();
	bool applyParameterChanges (IParameterChanges* changes);
	template <typename Sample>
	void copyBypassed (ProcessData& data);
	template <typename Sample>
	double processFrames (ProcessData& data);
	void reportLevel (IParameterChanges* outputChanges, double level);

	// The engine takes up to this many frames at a time: several of its passes, which it overlaps.
	static constexpr int32 kChunkFrames = 8 * ReverbEngine::kPassFrames;
	double frames[2 * kChunkFrames]; // interleaved stereo: the input, then the output
	ReverbEngine engine;
	float lastLevel;
	ReverbSettings settings;
	// The value last stored from the host for each parameter, where its bit in heardMask is set.
	double heard[kNumStoredParameters];
	uint32 heardMask;
	double hostSampleRate;

	// setState may come on another thread while process runs: while active, an accepted record
	// travels to the audio thread through incomingState and is adopted at the start of a block;
	// the audio thread reports its settings back through reportedState for getState.
	// Hosts may also call setState, getState and setActive on several threads at once: these take
	// hostSideMutex, so that the host side stays one writer and one reader of the hand-over and
	// hands out whole records only. The audio thread never takes it.
	std::mutex hostSideMutex;
	std::atomic<bool> active;
	uint64 acceptedSerial; // host side: setState calls accepted so far
	ReverbSettings acceptedSettings; // host side: the record of the last accepted setState
	uint64 adoptedSerial; // audio side: the accepted record that settings descend from
	TripleBuffer<StateRecord> incomingState;
	TripleBuffer<StateRecord> reportedState;
};

} // namespace Vst
} // namespace Steinberg
