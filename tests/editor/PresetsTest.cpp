// Factory presets loaded into the window: the values and texts they give, the lock, and the
// indices that load nothing.
#include "EditorTestSupport.h"

#include "editor/Presets.h"

#include <gtest/gtest.h>

namespace {

using namespace EditorTesting;

class Presets : public ::testing::Test
{
protected:
	void load (int32 index)
	{
		session.tessaline ().setPresetIndex (index);
		session.view ().loadPreset ();
	}
	float menuEntry (int32 tag) { return session.control (tag)->getValue (); }

	EditorSession session;
};

TEST_F (Presets, DefaultSetsEveryListedValue)
{
	// Start from values that the preset must change.
	for (ParamID id = 0; id < kNumStoredParameters; ++id)
		session.host ()->setParamNormalized (id, id == kBypass ? 1.0 : 0.9);
	session.takeHostCalls ();
	load (0);

	const std::pair<int32, const char*> texts[] = {
	    {kPredelayText, "20.0"},      {kWidthText, "100.00"},     {kDecayTimeText, "3.00"},
	    {kRoomSizeText, "20.00"},     {kDiffusionText, "70.00"},  {kDampIntensityText, "80.00"},
	    {kDampText, "18000.0"},       {kLowShelfText, "100.0"},   {kPeakText, "1000.0"},
	    {kHighShelfText, "8000.0"},   {kLowGainText, "0.00"},     {kPeakGainText, "0.00"},
	    {kHighGainText, "0.00"},      {kDryText, "0.00"},         {kEarlyReflectionsText, "0.00"},
	    {kReverbText, "0.00"},        {kWetText, "-6.02"},        {kModSpeedText, "0.54"},
	    {kModDepthText, "40.60"},
	};
	for (const auto& [tag, text] : texts)
		EXPECT_EQ (session.text (tag), text) << text;
	EXPECT_EQ (menuEntry (kEarlyReflectionVariationMenu), 2.f); // "Variation 3"
	EXPECT_EQ (menuEntry (kReverbVariationMenu), 1.f);          // "Variation 2"
	for (int32 tag : {kBypassDryButton, kBypassEarlyReflectionsButton, kBypassReverbButton, kBypassWetButton})
		EXPECT_EQ (menuEntry (tag), 0.f);

	// 25 values as single edits without brackets; the master bypass and the index stay.
	const std::vector<Call> calls = session.takeHostCalls ();
	EXPECT_EQ (calls.size (), 25u);
	for (const Call& call : calls)
		EXPECT_EQ (call.what, "perform");
	EXPECT_EQ (session.host ()->getParamNormalized (kBypass), 1.0);
	EXPECT_EQ (session.tessaline ().getPresetIndex (), 0);
}

TEST_F (Presets, GainsReadAsAttenuationsAndListEntriesAsIndices)
{
	load (34); // "Chorus A": E.R. at -120 dB
	EXPECT_EQ (session.text (kEarlyReflectionsText), "-oo");
	load (33); // "Dim. expander B": reverb written as +10.39 dB
	EXPECT_EQ (session.text (kReverbText), "-10.39");
	EXPECT_NEAR (session.host ()->getParamNormalized (kReverb), 0.3023430407047272, 1e-7);
	load (29); // "Corridor"
	EXPECT_EQ (menuEntry (kEarlyReflectionVariationMenu), 10.f);
	load (10); // "Plate"
	EXPECT_EQ (menuEntry (kEarlyReflectionVariationMenu), 0.f);
}

TEST_F (Presets, TheLockKeepsDryWetAndTheirBypasses)
{
	const std::pair<ParamID, double> kept[] = {{kDry, 0.3}, {kWet, 0.2}, {kBypassDry, 1.0}, {kBypassWet, 1.0}};
	for (const auto& [id, value] : kept)
		session.host ()->setParamNormalized (id, value);
	session.host ()->setParamNormalized (kBypassEarlyReflections, 1.0);
	session.host ()->setParamNormalized (kBypassReverb, 1.0);
	const std::string dryText = session.text (kDryText);
	session.tessaline ().setLock (true);
	load (35);
	for (const auto& [id, value] : kept)
		EXPECT_EQ (session.host ()->getParamNormalized (id), value) << id;
	EXPECT_EQ (session.text (kDryText), dryText);
	EXPECT_EQ (menuEntry (kBypassEarlyReflectionsButton), 0.f);
	EXPECT_EQ (menuEntry (kBypassReverbButton), 0.f);
	EXPECT_EQ (session.text (kEarlyReflectionsText), "-14.51");
}

TEST_F (Presets, AnIndexOutsideTheTableLoadsNothing)
{
	const auto before = session.host ().allValues ();
	session.takeHostCalls ();
	for (int32 index : {36, -1, kMaxInt32, kMinInt32})
	{
		load (index);
		EXPECT_EQ (session.host ().allValues (), before) << index;
		EXPECT_TRUE (session.takeHostCalls ().empty ());
		EXPECT_EQ (session.tessaline ().getPresetIndex (), index);
	}
}

} // namespace
