// What a host sees of the built module before it creates anything: exports, factory, class table.
#include "HostedPlugin.h"

#include "host/vst2/module.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"

#include <atomic>
#include <thread>
#include <vector>

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

// The built module opened and entered as hosts do first, with no factory asked for yet.
struct EnteredModule
{
	EnteredModule ()
	{
		std::string error;
		library = SharedLibrary::open (TESSALINE_MODULE_PATH, error);
		EXPECT_TRUE (library) << error;
		if (library && library->enter ())
			getFactory = reinterpret_cast<GetFactoryProc> (library->symbol ("GetPluginFactory"));
	}
	std::unique_ptr<SharedLibrary> library;
	GetFactoryProc getFactory = nullptr;
};

// Two threads asking for the factory at the same moment, while none exists, get one factory.
TEST (ModuleEntryThreads, FirstFactoryCallsFromTwoThreadsMakeOneFactory)
{
	EnteredModule entered;
	ASSERT_TRUE (entered.getFactory);
	const GetFactoryProc getFactory = entered.getFactory;

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
	EXPECT_TRUE (entered.library->exit ());
}

// One effect through the VST 3 factory, with no other reference to the factory: made, set up,
// one block processed, closed. False where a step fails.
bool runVst3Effect (GetFactoryProc getFactory)
{
	IPluginFactory* factory = getFactory ();
	if (!factory)
		return false;
	IComponent* component = nullptr;
	bool ran = factory->createInstance (kProcessorId.toTUID (), IComponent::iid.toTUID (),
	                                    reinterpret_cast<void**> (&component)) == kResultOk;
	factory->release ();
	if (!ran)
		return false;
	if (component->initialize (nullptr) == kResultOk)
	{
		FUnknownPtr<IAudioProcessor> processor (component);
		ProcessSetup setup {kRealtime, kSample32, 64, 44100.0};
		HostProcessData data;
		ran = processor && processor->setupProcessing (setup) == kResultOk &&
		      data.prepare (*component, 64, kSample32) && component->setActive (true) == kResultOk;
		data.numSamples = 64;
		ran = ran && processor->process (data) == kResultOk;
		component->setActive (false);
		component->terminate ();
	}
	component->release ();
	return ran;
}

// One effect through VSTPluginMain: made, resumed, one block processed, closed. False unless the
// block came out as the dry signal, which is all of it at the defaults (the reverb starts later).
bool runVst2Effect (const vst2host::Module& entry)
{
	vst2host::Host host;
	vst2host::Effect effect = entry.create (host);
	if (!effect.valid ())
		return false;
	effect.dispatch (vst2host::kMainsChanged, 0, 1);
	std::vector<float> left (64, 0.25f), right (64, -0.25f), outLeft (64, 0.f), outRight (64, 0.f);
	float* inputs[2] = {left.data (), right.data ()};
	float* outputs[2] = {outLeft.data (), outRight.data ()};
	effect.processReplacing (inputs, outputs, 64);
	effect.dispatch (vst2host::kMainsChanged, 0, 0);
	effect.close ();
	return outLeft == left && outRight == right;
}

// Effects made, run and closed on many threads at once through both entry points, with no other
// reference to the factory: it is made and destroyed again and again, and must never be handed
// out while it is being destroyed, nor be destroyed twice (meant for the sanitizer builds too).
TEST (ModuleEntryThreads, EffectsMadeAndClosedOnManyThreadsShareTheFactory)
{
	constexpr int kThreads = 8;
	constexpr int kEffectsPerThread = 8;
	EnteredModule entered;
	ASSERT_TRUE (entered.getFactory);
	const GetFactoryProc getFactory = entered.getFactory;
	const vst2host::Module entry (TESSALINE_MODULE_PATH);
	ASSERT_TRUE (entry.hasEntry ()) << entry.error ();

	std::atomic<int> failed {0};
	std::vector<std::thread> threads;
	for (int t = 0; t < kThreads; ++t)
		threads.emplace_back ([&, t] {
			for (int i = 0; i < kEffectsPerThread; ++i)
				if (!((t + i) % 2 == 0 ? runVst3Effect (getFactory) : runVst2Effect (entry)))
					++failed;
		});
	for (auto& thread : threads)
		thread.join ();
	EXPECT_EQ (failed.load (), 0);
	EXPECT_TRUE (entered.library->exit ());
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
