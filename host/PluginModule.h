// A VST 3 module as a host sees it: the library entry, the factory and its class list.
#pragma once

#include "SharedLibrary.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/base/ipluginbase.h"

#include <memory>
#include <string>
#include <vector>

namespace TessalineHost {

struct ClassDescription
{
	Steinberg::FUID cid;
	Steinberg::int32 cardinality = 0;
	std::string category;
	std::string name;
	Steinberg::uint32 classFlags = 0;
	std::string subCategories;
	std::string vendor;
	std::string version;
	std::string sdkVersion;
};

class PluginModule
{
public:
	// Loads the library, runs its entry and takes its factory. Null with a reason in error.
	static std::unique_ptr<PluginModule> load (const std::string& path, std::string& error);
	// Releases the factory, runs the module exit and unloads the library.
	~PluginModule ();

	Steinberg::IPluginFactory* factory () const { return pluginFactory; }
	const Steinberg::PFactoryInfo& factoryInfo () const { return info; }
	const std::vector<ClassDescription>& classes () const { return classList; }
	// The first class of this category, or null.
	const ClassDescription* findClass (const char* category) const;
	const ClassDescription* findClass (const Steinberg::FUID& cid) const;
	SharedLibrary& library () { return *sharedLibrary; }

	// Creates an instance of a class and asks it for interface I; null when either fails.
	template <typename I>
	Steinberg::IPtr<I> createInstance (const Steinberg::FUID& cid) const
	{
		void* object = nullptr;
		if (pluginFactory->createInstance (cid.toTUID (), I::iid.toTUID (), &object) != Steinberg::kResultOk ||
		    !object)
			return nullptr;
		return Steinberg::owned (static_cast<I*> (object));
	}

private:
	PluginModule () = default;

	std::unique_ptr<SharedLibrary> sharedLibrary;
	bool entered = false;
	Steinberg::IPluginFactory* pluginFactory = nullptr;
	Steinberg::PFactoryInfo info;
	std::vector<ClassDescription> classList;
};

} // namespace TessalineHost
