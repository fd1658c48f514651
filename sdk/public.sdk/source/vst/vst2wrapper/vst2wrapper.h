// A VST 2.4 effect around a VST 3 processor and its controller: what a VST 2.4 host loads.
#pragma once

#include "public.sdk/source/vst/vst2wrapper/parameterslots.h"
#include "public.sdk/source/vst/vst2wrapper/vst2platform.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include "public.sdk/source/vst2.x/audioeffectx.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace Steinberg {
namespace Vst {

// The VST 2 parameters are the controller's parameters in its order, without the bypass (reached
// through effSetBypass) and without the read-only ones. Values travel between the host's calls,
// the audio thread and the controller through ParameterSlots; the controller hears of them on the
// UI thread only (the editor's idle and the UI timer).
class Vst2Wrapper : public ::AudioEffectX,
                    public IHostApplication,
                    public IComponentHandler,
                    public Vst2UiTimer::Client
{
public:
	// The effect for the class vst3ComponentID of factory, or null when it cannot be built. The
	// wrapper keeps a reference of its own to the factory.
	static ::AudioEffect* create (IPluginFactory* factory, const TUID vst3ComponentID,
	                              VstInt32 vst2ID, audioMasterCallback audioMaster);

	// Releases processor, controller and factory; a wrapper that create handed out then calls the
	// module hook DeinitModule, pairing the InitModule of the VST 2.4 entry.
	~Vst2Wrapper () override;

	//---from AudioEffect---------
	// Every opcode; one that runs out of memory answers 0.
	VstIntPtr dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
	void suspend () override;
	void resume () override;
	void setSampleRate (float newSampleRate) override;
	void setBlockSize (VstInt32 newBlockSize) override;
	void processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames) override;
	void processDoubleReplacing (double** inputs, double** outputs, VstInt32 sampleFrames) override;
	void setParameter (VstInt32 index, float value) override;
	float getParameter (VstInt32 index) override;
	void getParameterLabel (VstInt32 index, char* label) override;
	void getParameterDisplay (VstInt32 index, char* text) override;
	void getParameterName (VstInt32 index, char* text) override;
	VstInt32 getChunk (void** data, bool isPreset = false) override;
	VstInt32 setChunk (void* data, VstInt32 byteSize, bool isPreset = false) override;

	//---from AudioEffectX--------
	bool canParameterBeAutomated (VstInt32 index) override;
	bool string2parameter (VstInt32 index, char* text) override;
	bool getParameterProperties (VstInt32 index, VstParameterProperties* properties) override;
	bool getInputProperties (VstInt32 index, VstPinProperties* properties) override;
	bool getOutputProperties (VstInt32 index, VstPinProperties* properties) override;
	bool setSpeakerArrangement (VstSpeakerArrangement* pluginInput,
	                            VstSpeakerArrangement* pluginOutput) override;
	bool getSpeakerArrangement (VstSpeakerArrangement** pluginInput,
	                            VstSpeakerArrangement** pluginOutput) override;
	bool setBypass (bool onOff) override;
	bool setProcessPrecision (VstInt32 precision) override;
	VstInt32 getGetTailSize () override;
	bool getEffectName (char* name) override;
	bool getVendorString (char* text) override;
	VstInt32 getVendorVersion () override;
	VstIntPtr vendorSpecific (VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
	VstInt32 canDo (char* text) override;
	VstInt32 getPlugCategory () override;

	//---UI thread----------------
	// Hands the changes that the host and the processor made since the last call to the controller.
	void onUiTimer () override;
	// The editor runs the timer while it is open.
	void startUiTimer ();
	void stopUiTimer ();
	IEditController* getController () const { return controller; }

	//---from IHostApplication----
	tresult PLUGIN_API getName (String128 name) SMTG_OVERRIDE;
	tresult PLUGIN_API createInstance (TUID cid, TUID _iid, void** obj) SMTG_OVERRIDE;

	//---from IComponentHandler---
	tresult PLUGIN_API beginEdit (ParamID id) SMTG_OVERRIDE;
	tresult PLUGIN_API performEdit (ParamID id, ParamValue valueNormalized) SMTG_OVERRIDE;
	tresult PLUGIN_API endEdit (ParamID id) SMTG_OVERRIDE;
	tresult PLUGIN_API restartComponent (int32 flags) SMTG_OVERRIDE;

	// The effect owns itself (effClose deletes it): references are not counted.
	tresult PLUGIN_API queryInterface (const TUID _iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }

	// The chunk's header: the little-endian 64-bit sizes of the processor's and the controller's
	// state, which follow it in that order.
	static constexpr VstInt32 kChunkHeaderSize = 16;

private:
	// One parameter of the controller, in the controller's order; its slot has the same index.
	struct ParameterEntry
	{
		ParamID id;
		int32 flags;
	};

	Vst2Wrapper (audioMasterCallback audioMaster, VstInt32 vst2ID, IPluginFactory* factory);

	bool initialize (const TUID componentID);
	bool createComponents (const TUID componentID);
	void connectAndCopyState ();
	void setupBuses ();
	void setupParameters ();
	void setupEditor ();
	void applyProcessSetup (int32 newSampleSize);
	void activate (bool state);
	void readClassInfo (const TUID componentID);

	int32 slotOfIndex (VstInt32 index) const;
	int32 slotOfId (ParamID id) const;
	VstInt32 indexOfSlot (int32 slot) const;
	void refreshSlotsFromController ();
	bool parameterInfo (VstInt32 index, ParameterInfo& info);
	void changeProcessSetup ();
	void addChange (IParameterChanges& changes, int32 slot, double value) const;
	void takeChangesForProcessor (IParameterChanges& changes);
	bool stateWithChanges (IBStream* state, IParameterChanges& changes, IBStream* result);
	std::vector<char>& chunkBufferOfThisThread (size_t size);
	void takeOutputChanges ();
	void updateProcessContext ();
	bool pinProperties (BusDirection direction, VstInt32 index, VstPinProperties* properties);

	template <typename Sample>
	void process (Sample** inputs, Sample** outputs, VstInt32 sampleFrames);
	template <typename Sample>
	std::vector<Sample*>& pointersOf (BusDirection direction);

	IPtr<IPluginFactory> factory;
	IPtr<IComponent> component;
	IPtr<IAudioProcessor> processor;
	IPtr<IEditController> controller;
	IPtr<IConnectionPoint> componentConnection;
	IPtr<IConnectionPoint> controllerConnection;
	bool controllerIsComponent = false;
	bool created = false;

	TUID componentClassId {};
	char8 effectName[PClassInfo::kNameSize] {};
	char8 vendorName[PFactoryInfo::kNameSize] {};
	char8 subCategories[PClassInfo2::kSubCategoriesSize] {};
	VstInt32 vendorVersion = 0;

	std::vector<ParameterEntry> entries; // the controller's parameters
	std::vector<int32> slotsOfIndices;    // VST 2 index -> slot
	int32 bypassSlot = -1;
	std::unique_ptr<ParameterSlots> slots;

	// The host's threads one at a time in chunks, set-up and activation; never the audio thread.
	std::recursive_mutex stateMutex;

	// Set-up and activation: written on the host's threads while inactive, read by the audio thread
	// while active. A change the host asks for while resumed waits for the next resume.
	ProcessSetup processSetup {};
	std::atomic<int32> sampleSize {kSample32};
	std::atomic<bool> active {false};
	int32 requestedSampleSize = kSample32;
	bool setupChanged = false;

	// Audio thread only (and the host's thread while suspended, for the bus layout).
	std::vector<int32> inputChannelCounts;
	std::vector<int32> outputChannelCounts;
	std::vector<AudioBusBuffers> inputBuses;
	std::vector<AudioBusBuffers> outputBuses;
	std::vector<Sample32*> inputPointers32; // the host's channels, moved on for each piece of a block
	std::vector<Sample32*> outputPointers32;
	std::vector<Sample64*> inputPointers64;
	std::vector<Sample64*> outputPointers64;
	ParameterChanges inputChanges;
	ParameterChanges outputChanges;
	ProcessContext processContext {};
	ProcessData processData {};

	// What getChunk handed to each of the last few threads that asked, valid until the same thread
	// asks again (most recently used last). Buffers a larger chunk outgrew stay until the effect
	// closes: a host may still pass the old address to setChunk on another thread.
	struct ChunkBuffer
	{
		std::thread::id thread;
		std::vector<char> bytes;
	};
	std::vector<ChunkBuffer> chunkBuffers;
	std::vector<std::vector<char>> outgrownChunks;
	VstSpeakerArrangement* inputArrangement = nullptr;
	VstSpeakerArrangement* outputArrangement = nullptr;
	Vst2UiTimer uiTimer;
};

} // namespace Vst
} // namespace Steinberg
