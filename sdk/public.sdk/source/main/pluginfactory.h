// The class factory a plug-in module hands to its host, and the module-wide pointer to it.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <vector>

namespace Steinberg {

class CPluginFactory : public IPluginFactory3
{
public:
	using CreateFunction = FUnknown* (*) (void* context);

	explicit CPluginFactory (const PFactoryInfo& info);
	virtual ~CPluginFactory ();

	// Adds a class; false when the entry or its create function is missing.
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

	DECLARE_FUNKNOWN_METHODS

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
};

// The module's one factory while a host holds a reference to it; cleared when the last one goes.
extern CPluginFactory* gPluginFactory;

} // namespace Steinberg
