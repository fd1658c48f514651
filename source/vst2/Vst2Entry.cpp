// The VST 2.4 entry: checks the host, runs the module hook and builds the wrapper around the processor.
#include "vst2/Vst2Entry.h"

#include "processor/ClassIds.h"
#include "processor/ModuleHooks.h"

#include "public.sdk/source/vst/vst2wrapper/vst2wrapper.h"

#include "pluginterfaces/base/ipluginbase.h"

namespace {

// What VST 2.4 hosts know the plug-in by, in their projects and preset files.
constexpr VstInt32 kVst2UniqueId = 0x74776B6E; // 'twkn'

} // namespace

AudioEffect* createEffectInstance (audioMasterCallback audioMaster)
{
	using namespace Steinberg;
	IPluginFactory* factory = GetPluginFactory ();
	if (!factory)
		return nullptr;
	AudioEffect* effect = Vst::Vst2Wrapper::create (factory, Vst::kProcessorUID, kVst2UniqueId, audioMaster);
	// The wrapper holds a reference of its own for as long as it lives.
	factory->release ();
	return effect;
}

extern "C" SMTG_EXPORT_SYMBOL AEffect* VSTCALLBACK VSTPluginMain (audioMasterCallback audioMaster)
{
	if (!audioMaster || audioMaster (nullptr, audioMasterVersion, 0, 0, nullptr, 0.f) == 0)
		return nullptr;
	if (!InitModule ())
		return nullptr;
	AudioEffect* effect = createEffectInstance (audioMaster);
	if (!effect)
	{
		// No wrapper lives to pair the hook on its way out.
		DeinitModule ();
		return nullptr;
	}
	return effect->getAeffect ();
}
