// Loading a module through its exported functions and reading the factory's class list.
#include "PluginModule.h"

#include "pluginterfaces/base/smartpointer.h"

#include <cstring>

namespace TessalineHost {

using namespace Steinberg;

namespace {

ClassDescription describe (IPluginFactory& factory, int32 index)
{
	ClassDescription description;
	FUnknownPtr<IPluginFactory2> factory2 (&factory);
	PClassInfo2 info2;
	PClassInfo info;
	if (factory2 && factory2->getClassInfo2 (index, &info2) == kResultOk)
	{
		description.cid = FUID::fromTUID (info2.cid);
		description.cardinality = info2.cardinality;
		description.category = info2.category;
		description.name = info2.name;
		description.classFlags = info2.classFlags;
		description.subCategories = info2.subCategories;
		description.vendor = info2.vendor;
		description.version = info2.version;
		description.sdkVersion = info2.sdkVersion;
	}
	else if (factory.getClassInfo (index, &info) == kResultOk)
	{
		description.cid = FUID::fromTUID (info.cid);
		description.cardinality = info.cardinality;
		description.category = info.category;
		description.name = info.name;
	}
	return description;
}

} // namespace

std::unique_ptr<PluginModule> PluginModule::load (const std::string& path, std::string& error)
{
	std::unique_ptr<PluginModule> module (new PluginModule);
	module->sharedLibrary = SharedLibrary::open (path, error);
	if (!module->sharedLibrary)
		return nullptr;
	if (!module->sharedLibrary->enter ())
	{
		error = "the module entry failed";
		return nullptr;
	}
	module->entered = true;

	auto getFactory = reinterpret_cast<GetFactoryProc> (module->sharedLibrary->symbol ("GetPluginFactory"));
	if (!getFactory)
	{
		error = "the module exports no GetPluginFactory";
		return nullptr;
	}
	module->pluginFactory = getFactory ();
	if (!module->pluginFactory)
	{
		error = "GetPluginFactory returned no factory";
		return nullptr;
	}
	module->pluginFactory->getFactoryInfo (&module->info);
	const int32 count = module->pluginFactory->countClasses ();
	for (int32 i = 0; i < count; ++i)
		module->classList.push_back (describe (*module->pluginFactory, i));
	return module;
}

PluginModule::~PluginModule ()
{
	if (pluginFactory)
		pluginFactory->release ();
	if (entered)
		sharedLibrary->exit ();
}

const ClassDescription* PluginModule::findClass (const char* category) const
{
	for (const auto& description : classList)
		if (description.category == category)
			return &description;
	return nullptr;
}

const ClassDescription* PluginModule::findClass (const FUID& cid) const
{
	for (const auto& description : classList)
		if (description.cid == cid)
			return &description;
	return nullptr;
}

} // namespace TessalineHost
