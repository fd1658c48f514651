// The class factory a plug-in module hands to its host, and the module-wide pointer to it.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace Steinberg {

class CPluginFactory : public IPluginFactory3
{
public:
	using CreateFunction = FUnknown* (*) (void* context);

	explicit CPluginFactory (const PFactoryInfo& info);
	virtual ~CPluginFactory ();

	// Adds a class; false when the entry or its create function is missing, or there is no memory
	// for it.
	bool registerClass (const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
	bool isClassRegistered (const FUID& cid) const;

	//---from IPluginFactory------
	tresult PLUGIN_API getFactoryInfo (PFactoryInfo* info) SMTG_OVERRIDE;
	int32 PLUGIN_API countClasses () SMTG_OVERRIDE;
	tresult PLUGIN_API getClassInfo (int32 index, PClassInfo* info) SMTG_OVERRIDE;
	tresult PLUGIN_API createInstance (FIDString cid, FIDString _iid, void** obj) SMTG_OVERRIDE;

	//---from IPluginFactory2-----
	tresult PLUGIN_API getClassInfo2 (int32 index, PClassInfo2* info) SMTG_OVERRIDE;

	//---from IPluginFactory3-----
	tresult PLUGIN_API getClassInfoUnicode (int32 index, PClassInfoW* info) SMTG_OVERRIDE;
	tresult PLUGIN_API setHostContext (FUnknown* context) SMTG_OVERRIDE;

	//---from FUnknown------------
	tresult PLUGIN_API queryInterface (const TUID _iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE;
	// The last reference clears gPluginFactory, under gPluginFactoryMutex, before the factory goes.
	uint32 PLUGIN_API release () SMTG_OVERRIDE;

protected:
	struct ClassEntry
	{
		PClassInfo2 info2;
		PClassInfoW infoW;
		CreateFunction createFunc;
		void* context;
	};

	const ClassEntry* entryAt (int32 index) const;

	PFactoryInfo factoryInfo;
	std::vector<ClassEntry> classes;

private:
	std::atomic<uint32> refCount {1};
};

// The module's one factory while a host holds a reference to it; cleared when the last one goes.
// Read it, hand it out with a new reference, or set it only while holding gPluginFactoryMutex: the
// last release counts down to zero and clears it under the same lock, so a factory on its way out
// is never handed out again.
extern CPluginFactory* gPluginFactory;
extern std::mutex gPluginFactoryMutex;

} // namespace Steinberg
