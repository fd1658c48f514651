// A small VST 3 plug-in for the wrapper's tests: a gain processor, its controller, a view that records
// what it is asked, and the module hooks and factory that the VST 2.4 entry finds.
#pragma once

#include "host/vst2/effect.h"
#include "host/vst2/host.h"

#include "public.sdk/source/common/pluginview.h"
#include "public.sdk/source/vst/vstaudioeffect.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <atomic>
#include <string>
#include <vector>

namespace probe {

using namespace Steinberg;
using namespace Steinberg::Vst;

// Parameter ids, in the controller's order: two the host sees, the bypass, one more the host sees,
// and the read-only level.
enum : ParamID
{
	kGainId = 10,
	kModeId = 11,
	kBypassId = 12,
	kLongId = 13,
	kLevelId = 14,
};
constexpr int32 kModeEntries = 3;
// Longer than every limit a VST 2.4 host's buffers set.
extern const char* const kLongTitle;
extern const char* const kLongUnits;
constexpr double kDefaultGain = 0.5;
constexpr int32 kStateBytes = 4 * 8; // gain, mode, long, bypass as little-endian doubles

// What the tests may change before creating an effect, and what the plug-in reports back.
struct Settings
{
	bool process32 = true;
	bool process64 = true;
	bool withView = true;
	const char* viewPlatform = nullptr; // the type the view accepts; null: the wrapper's platform
	uint32 tailSamples = 88200;
	const char* subCategories = "Fx|Reverb";
};
Settings& settings ();

struct ViewLog
{
	int attached = 0;
	int removed = 0;
	int destroyed = 0;
	void* parent = nullptr;
	std::string platformType;
	std::vector<int> keys; // character, key code, modifiers for each key down and up
	std::vector<float> wheel;
	std::vector<ViewRect> sizes; // onSize
};

class Processor : public AudioEffect
{
public:
	Processor ();
	~Processor () override;
	static FUnknown* createInstance (void*) { return static_cast<IAudioProcessor*> (new Processor); }

	tresult receiveText (const char8* text) SMTG_OVERRIDE;
	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API setActive (TBool state) SMTG_OVERRIDE;
	tresult PLUGIN_API setState (IBStream* state) SMTG_OVERRIDE;
	tresult PLUGIN_API getState (IBStream* state) SMTG_OVERRIDE;
	tresult PLUGIN_API canProcessSampleSize (int32 symbolicSampleSize) SMTG_OVERRIDE;
	tresult PLUGIN_API setupProcessing (ProcessSetup& setup) SMTG_OVERRIDE;
	tresult PLUGIN_API setProcessing (TBool state) SMTG_OVERRIDE;
	tresult PLUGIN_API process (ProcessData& data) SMTG_OVERRIDE;
	uint32 PLUGIN_API getTailSamples () SMTG_OVERRIDE { return settings ().tailSamples; }

	// The newest processor still alive (tests drive one effect at a time; a processor made and
	// released meanwhile hands the title back).
	static Processor* latest;

	// Read by the host's threads while the audio thread writes them.
	std::atomic<double> gain {kDefaultGain};
	std::atomic<double> mode {0.0};
	std::atomic<double> longValue {0.0};
	std::atomic<double> bypass {0.0};
	std::atomic<bool> active {false};
	std::atomic<bool> processing {false};
	// Set-up or activation calls that came while a process call ran.
	std::atomic<int32> callsDuringProcess {0};
	int32 processCalls = 0;
	int32 processedWhileInactive = 0;
	int32 largestBlock = 0;
	std::vector<std::pair<ParamID, double>> received; // every change, in arrival order
	ProcessSetup lastSetup {};
	ProcessContext lastContext {};
	bool hadContext = false;
	std::vector<std::string> messages; // text messages from the controller

private:
	template <typename Sample>
	void run (ProcessData& data);
	void noteCallDuringProcess ();

	Processor* previous;
	std::atomic<int32> processRunning {0};
};

class View : public CPluginView
{
public:
	View ();
	~View () override;
	tresult PLUGIN_API isPlatformTypeSupported (FIDString type) SMTG_OVERRIDE;
	tresult PLUGIN_API attached (void* parent, FIDString type) SMTG_OVERRIDE;
	tresult PLUGIN_API removed () SMTG_OVERRIDE;
	tresult PLUGIN_API onKeyDown (char16 key, int16 keyCode, int16 modifiers) SMTG_OVERRIDE;
	tresult PLUGIN_API onKeyUp (char16 key, int16 keyCode, int16 modifiers) SMTG_OVERRIDE;
	tresult PLUGIN_API onWheel (float distance) SMTG_OVERRIDE;
	tresult PLUGIN_API onSize (ViewRect* newSize) SMTG_OVERRIDE;

	IPlugFrame* frame () const { return plugFrame; }
	static View* latest;
	static ViewLog log;
};

class Controller : public EditController
{
public:
	Controller ();
	~Controller () override;
	static FUnknown* createInstance (void*) { return static_cast<IEditController*> (new Controller); }

	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API setComponentState (IBStream* state) SMTG_OVERRIDE;
	tresult PLUGIN_API setParamNormalized (ParamID id, ParamValue value) SMTG_OVERRIDE;
	tresult PLUGIN_API setKnobMode (KnobMode mode) SMTG_OVERRIDE;
	IPlugView* PLUGIN_API createView (FIDString name) SMTG_OVERRIDE;
	tresult PLUGIN_API notify (IMessage* message) SMTG_OVERRIDE;

	static Controller* latest;
	std::vector<std::pair<ParamID, double>> received; // setParamNormalized after initialize
	std::vector<int32> knobModes;
	bool initialized = false;
	int32 textMessages = 0;
	std::string hostName;
};

// The module hooks' calls since the last reset.
struct HookCounts
{
	int init = 0;
	int deinit = 0;
};
HookCounts& hookCounts ();

// Settings, logs and hook counts as at the start.
void reset ();

// An effect made as a host makes one: through VSTPluginMain with the test host's callback.
vst2host::Effect createEffect (vst2host::Host& host);

// The processor's state with these values, as the processor writes it.
std::vector<char> stateBytes (double gain, double mode, double longValue, double bypass);

} // namespace probe
