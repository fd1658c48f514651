// The module's face to a VST 3 host: GetPluginFactory with the class table, and the module hooks.
#include "controller/TessalineController.h"
#include "processor/ClassIds.h"
#include "processor/ModuleHooks.h"
#include "processor/Tessaline.h"
#include "processor/Version.h"

#include "public.sdk/source/main/pluginfactory.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <mutex>
#include <new>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// One row per class, in the order the factory lists them.
struct ClassEntry
{
	const FUID& cid;
	const char8* category;
	const char8* name;
	int32 classFlags;
	const char8* subCategories;
	FUnknown* (*createInstance) (void*);
};

const ClassEntry kClasses[] = {
	{kProcessorUID, kVstAudioEffectClass, kPluginName, kDistributable, kPluginSubCategories,
	 Tessaline::createInstance},
	{kControllerUID, kVstComponentControllerClass, kControllerName, 0, "",
	 TessalineController::createInstance},
};

} // namespace

bool InitModule ()
{
	return true;
}

bool DeinitModule ()
{
	return true;
}

SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory ()
{
	// Two first calls at once must not build two factories, and a factory whose last reference is
	// being released must not be handed out: the release clears the pointer under the same lock.
	std::lock_guard<std::mutex> lock (gPluginFactoryMutex);
	if (gPluginFactory)
	{
		gPluginFactory->addRef ();
		return gPluginFactory;
	}

	static const PFactoryInfo factoryInfo (kVendorName, kVendorUrl, kVendorEmail, PFactoryInfo::kUnicode);
	gPluginFactory = new (std::nothrow) CPluginFactory (factoryInfo);
	if (!gPluginFactory)
		return nullptr;
	for (const ClassEntry& entry : kClasses)
	{
		const PClassInfo2 info (entry.cid.toTUID (), PClassInfo::kManyInstances, entry.category,
		                        entry.name, entry.classFlags, entry.subCategories, "",
		                        kVersionString, kSdkVersionString);
		if (!gPluginFactory->registerClass (&info, entry.createInstance))
		{
			// A factory short of a class would offer a plug-in that cannot be made. Nobody else
			// holds this one yet (and release would take the lock held here).
			delete gPluginFactory;
			gPluginFactory = nullptr;
			return nullptr;
		}
	}
	return gPluginFactory;
}
