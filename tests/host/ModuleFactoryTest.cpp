// What a host sees of the built module before it creates anything: exports, factory, class table.
#include "HostedPlugin.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"

#include <atomic>
#include <thread>

namespace HostTest {
namespace {

const FUID kProcessorId (0xD6FAE8EB, 0xF87044EF, 0x9AAB360B, 0xB521FC19);
const FUID kControllerId (0x5F1AA8CF, 0x7C224596, 0x9D2FB6B7, 0xE0A4EEAE);

std::string utf8 (const char16* text)
{
	String converted (text);
	converted.toMultiByte (kCP_Utf8);
	return converted.text8 ();
}

using ModuleFactory = HostedPlugin;

void expectClass (const ClassDescription& description, const FUID& cid, const char* category,
                  const char* name, uint32 classFlags, const char* subCategories)
{
	EXPECT_EQ (description.cid, cid);
	EXPECT_EQ (description.cardinality, PClassInfo::kManyInstances);
	EXPECT_EQ (description.category, category);
	EXPECT_EQ (description.name, name);
	EXPECT_EQ (description.classFlags, classFlags);
	EXPECT_EQ (description.subCategories, subCategories);
	EXPECT_EQ (description.vendor, "");
	EXPECT_EQ (description.version, "2.0.1.1");
	EXPECT_EQ (description.sdkVersion, "VST 3.6.6");
}

// The class table of the factory, in the host's three views of it.
TEST_F (ModuleFactory, AnnouncesTheProcessorAndControllerClasses)
{
	const PFactoryInfo& info = module->factoryInfo ();
	EXPECT_EQ (info.flags, PFactoryInfo::kUnicode);
	EXPECT_STRNE (info.vendor, "");
	EXPECT_STRNE (info.url, "");
	EXPECT_STRNE (info.email, "");

	const auto& classes = module->classes ();
	ASSERT_GE (classes.size (), 1u);
	expectClass (classes[0], kProcessorId, "Audio Module Class", "Tessaline", 1, "Fx|Reverb");

	PClassInfoW wide;
	FUnknownPtr<IPluginFactory3> factory3 (module->factory ());
	ASSERT_TRUE (factory3);
	ASSERT_EQ (factory3->getClassInfoUnicode (0, &wide), kResultOk);
	EXPECT_EQ (utf8 (wide.name), "Tessaline");
	EXPECT_EQ (utf8 (wide.version), "2.0.1.1");
	EXPECT_EQ (utf8 (wide.sdkVersion), "VST 3.6.6");
	EXPECT_STREQ (wide.subCategories, "Fx|Reverb");
	EXPECT_EQ (factory3->getClassInfoUnicode (static_cast<int32> (classes.size ()), &wide), kInvalidArgument);

#if SMTG_OS_WINDOWS
	// Windows hosts see the COM byte order.
	const uint8_t comBytes[16] = {0xEB, 0xE8, 0xFA, 0xD6, 0x70, 0xF8, 0xEF, 0x44,
	                              0x9A, 0xAB, 0x36, 0x0B, 0xB5, 0x21, 0xFC, 0x19};
	EXPECT_EQ (std::memcmp (classes[0].cid.toTUID (), comBytes, 16), 0);
#endif

	// The controller's class joins the table once the controller is part of the module.
	if (classes.size () < 2)
		GTEST_SKIP () << "this module carries the processor alone";
	ASSERT_EQ (classes.size (), 2u);
	expectClass (classes[1], kControllerId, "Component Controller Class", "TessalineControllers", 0, "");
#if SMTG_OS_WINDOWS
	const uint8_t controllerComBytes[16] = {0xCF, 0xA8, 0x1A, 0x5F, 0x22, 0x7C, 0x96, 0x45,
	                                        0x9D, 0x2F, 0xB6, 0xB7, 0xE0, 0xA4, 0xEE, 0xAE};
	EXPECT_EQ (std::memcmp (classes[1].cid.toTUID (), controllerComBytes, 16), 0);
#endif
}

TEST_F (ModuleFactory, GivesTheSameFactoryWithAReferenceEachCall)
{
	auto getFactory = reinterpret_cast<GetFactoryProc> (module->library ().symbol ("GetPluginFactory"));
	ASSERT_TRUE (getFactory);
	IPluginFactory* second = getFactory ();
	EXPECT_EQ (second, module->factory ());
	second->release ();
	// The module's own reference still holds the factory.
	EXPECT_EQ (module->factory ()->countClasses (), static_cast<int32> (module->classes ().size ()));
}

// Two threads asking for the factory at the same moment, while none exists, get one factory.
TEST (ModuleEntry, FirstFactoryCallsFromTwoThreadsMakeOneFactory)
{
	std::string error;
	auto library = SharedLibrary::open (TESSALINE_MODULE_PATH, error);
	ASSERT_TRUE (library) << error;
	ASSERT_TRUE (library->enter ());
	auto getFactory = reinterpret_cast<GetFactoryProc> (library->symbol ("GetPluginFactory"));
	ASSERT_TRUE (getFactory);

	constexpr int kRounds = 200;
	for (int round = 0; round < kRounds; ++round)
	{
		std::atomic<int> ready {0};
		IPluginFactory* results[2] = {nullptr, nullptr};
		auto ask = [&] (int slot) {
			++ready;
			while (ready.load () < 2)
			{
			}
			results[slot] = getFactory ();
		};
		std::thread first (ask, 0), second (ask, 1);
		first.join ();
		second.join ();
		ASSERT_TRUE (results[0]);
		ASSERT_EQ (results[0], results[1]) << "round " << round;
		// Both references go, so the next round starts without a factory again.
		results[0]->release ();
		results[1]->release ();
	}
	EXPECT_TRUE (library->exit ());
}

TEST (ModuleEntry, ExportsTheEntryPointsAndPairsThem)
{
	std::string error;
	auto library = SharedLibrary::open (TESSALINE_MODULE_PATH, error);
	ASSERT_TRUE (library) << error;
	for (const char* name : {"GetPluginFactory", "InitDll", "ExitDll"})
		EXPECT_TRUE (library->symbol (name)) << name;
	// Nothing of the SDK or the plug-in's own code is visible from outside.
	for (const char* name : {"InitModule", "DeinitModule", "gPluginFactory", "moduleHandle"})
		EXPECT_FALSE (library->symbol (name)) << name;

	// Nested entries are paired: every one answers true, however often.
	EXPECT_TRUE (library->enter ());
	EXPECT_TRUE (library->enter ());
	EXPECT_TRUE (library->exit ());
	EXPECT_TRUE (library->exit ());
}

TEST_F (ModuleFactory, CreatesTheProcessorAsAHostAsksForIt)
{
	auto component = module->createInstance<IComponent> (kProcessorId);
	ASSERT_TRUE (component);
	TUID controllerId {};
	ASSERT_EQ (component->getControllerClassId (controllerId), kResultTrue);
	EXPECT_EQ (FUID::fromTUID (controllerId), kControllerId);

	// The same class asked for as an audio processor; and the interfaces a host reaches from it.
	auto processor = module->createInstance<IAudioProcessor> (kProcessorId);
	ASSERT_TRUE (processor);
	EXPECT_TRUE (FUnknownPtr<IComponent> (processor));
	EXPECT_TRUE (FUnknownPtr<IPluginBase> (processor));
	EXPECT_TRUE (FUnknownPtr<IConnectionPoint> (processor));
	EXPECT_FALSE (FUnknownPtr<IEditController> (processor));

	// Unknown classes and interfaces give nothing.
	void* object = reinterpret_cast<void*> (1);
	EXPECT_EQ (module->factory ()->createInstance (FUID (1, 2, 3, 4).toTUID (), IComponent::iid.toTUID (), &object),
	           kNoInterface);
	EXPECT_EQ (object, nullptr);
	EXPECT_EQ (module->factory ()->createInstance (kProcessorId.toTUID (), IEditController::iid.toTUID (), &object),
	           kNoInterface);
	EXPECT_EQ (object, nullptr);
}

} // namespace
} // namespace HostTest
