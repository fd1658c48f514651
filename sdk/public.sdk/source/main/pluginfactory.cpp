// Class table, class information and instance creation of a plug-in module's factory.
#include "public.sdk/source/main/pluginfactory.h"

#include <cstring>

namespace Steinberg {

CPluginFactory* gPluginFactory = nullptr;
std::mutex gPluginFactoryMutex;

CPluginFactory::CPluginFactory (const PFactoryInfo& info) : factoryInfo (info)
{
}

CPluginFactory::~CPluginFactory () = default;

uint32 PLUGIN_API CPluginFactory::addRef ()
{
	return ++refCount;
}

uint32 PLUGIN_API CPluginFactory::release ()
{
	{
		std::lock_guard<std::mutex> lock (gPluginFactoryMutex);
		const uint32 remaining = --refCount;
		if (remaining > 0)
			return remaining;
		if (gPluginFactory == this)
			gPluginFactory = nullptr;
	}
	delete this;
	return 0;
}

tresult PLUGIN_API CPluginFactory::queryInterface (const TUID _iid, void** obj)
{
	QUERY_INTERFACE (_iid, obj, FUnknown::iid, IPluginFactory)
	QUERY_INTERFACE (_iid, obj, IPluginFactory::iid, IPluginFactory)
	QUERY_INTERFACE (_iid, obj, IPluginFactory2::iid, IPluginFactory2)
	QUERY_INTERFACE (_iid, obj, IPluginFactory3::iid, IPluginFactory3)
	*obj = nullptr;
	return kNoInterface;
}

bool CPluginFactory::registerClass (const PClassInfo2* info, CreateFunction createFunc, void* context)
{
	if (!info || !createFunc)
		return false;
	ClassEntry entry {*info, {}, createFunc, context};
	entry.infoW.fromAscii (*info);
	try
	{
		classes.push_back (entry);
	}
	catch (...)
	{
		return false; // no memory for the table
	}
	return true;
}

bool CPluginFactory::isClassRegistered (const FUID& cid) const
{
	for (const auto& entry : classes)
		if (FUID::fromTUID (entry.info2.cid) == cid)
			return true;
	return false;
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt (int32 index) const
{
	if (index < 0 || index >= static_cast<int32> (classes.size ()))
		return nullptr;
	return &classes[static_cast<size_t> (index)];
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo (PFactoryInfo* info)
{
	if (!info)
		return kInvalidArgument;
	*info = factoryInfo;
	return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses ()
{
	return static_cast<int32> (classes.size ());
}

tresult PLUGIN_API CPluginFactory::getClassInfo (int32 index, PClassInfo* info)
{
	const ClassEntry* entry = entryAt (index);
	if (!entry || !info)
		return kInvalidArgument;
	*info = PClassInfo (entry->info2.cid, entry->info2.cardinality, entry->info2.category,
	                    entry->info2.name);
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2 (int32 index, PClassInfo2* info)
{
	const ClassEntry* entry = entryAt (index);
	if (!entry || !info)
		return kInvalidArgument;
	*info = entry->info2;
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode (int32 index, PClassInfoW* info)
{
	const ClassEntry* entry = entryAt (index);
	if (!entry || !info)
		return kInvalidArgument;
	*info = entry->infoW;
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::setHostContext (FUnknown* /*context*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API CPluginFactory::createInstance (FIDString cid, FIDString _iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	*obj = nullptr;
	if (!cid || !_iid)
		return kInvalidArgument;

	for (const auto& entry : classes)
	{
		if (std::memcmp (entry.info2.cid, cid, sizeof (TUID)) != 0)
			continue;
		FUnknown* instance = entry.createFunc (entry.context);
		if (!instance)
			return kOutOfMemory;
		// The caller keeps the interface's reference; the creation reference goes.
		tresult result = instance->queryInterface (_iid, obj);
		instance->release ();
		if (result != kResultOk)
		{
			*obj = nullptr;
			return kNoInterface;
		}
		return kResultOk;
	}
	return kNoInterface;
}

} // namespace Steinberg
