// Controller as a host sees it through IEditController: the parameter table, texts, the
// processor's state, the knob mode and the presets.
#include "controller/ParameterTable.h"

#include "ControllerTestSupport.h"

#include "editor/Presets.h"
#include "processor/LogMapping.h"
#include "processor/ReverbSettings.h"


#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ControllerTesting;

namespace Expected {
// What a host must find, in host index order.
constexpr ParamID kIds[kNumParameters] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                          14, 15, 16, 17, 18, 19, 27, 20, 21, 22, 23, 24, 25};
constexpr int32 kFlags[kNumParameters] = {1, 1, 1, 9, 9, 1, 1, 1, 1, 1, 1, 1, 1,     1,
                                          1, 1, 1, 1, 1, 65537, 2, 1, 1, 1, 1, 1, 1};
constexpr int32 kStepCounts[kNumParameters] = {0, 0, 0, 11, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                               0, 0, 0, 0,  0, 1, 0, 1, 1, 1, 1, 0, 0};
constexpr double kDefaults[kNumParameters] = {
    1.0, 0.05, 1.0, 0.0, 0.0, 0.4923659639173309, 1.0, 1.0, 0.8, 0.9435883822448694,
    0.411408089932221, 0.5, 0.5314898919210034, 0.5, 0.744921859773347, 0.5, 1.0, 1.0, 1.0,
    0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.3419951893353394, 0.5};
constexpr const char* kUnits[kNumParameters] = {
    "dB", "ms", "%",  "",   "",   "sec", "%", "%", "%", "Hz", "Hz", "dB", "Hz", "dB",
    "Hz", "dB", "dB", "dB", "dB", "",    "",  "",  "",  "",   "",   "Hz", "%"};
constexpr const char* kTitles[kNumParameters] = {
    "Dry",        "Predelay",   "Width",         "E.R. variation", "Reverb variation", "Decay time",
    "Room size",  "Diffusion",  "Damp intensity", "Damp",          "Low shelf",        "Low gain",
    "Peak",       "Peak gain",  "High shelf",    "High gain",      "Early reflections", "Reverb",
    "Wet",        "Bypass",     "VuPPM",         "Bypass Dry",     "Bypass E.R.",      "Bypass Reverb",
    "Bypass Wet", "Mod. speed", "Mod. deph"};
// The parameters with a plain range: its ends, and the decimals of their texts.
struct PlainRange
{
	ParamID id;
	double min;
	double max;
	int precision;
};
constexpr PlainRange kPlainRanges[] = {
    {kPredelay, 0, 200, 1},      {kWidth, 0, 100, 2},        {kDecayTime, 0.2, 20, 2},
    {kRoomSize, 0, 100, 2},      {kDiffusion, 0, 100, 2},    {kDampIntensity, 0, 100, 2},
    {kDamp, 4000, 22020, 1},     {kLowShelf, 20, 1000, 1},   {kLowGain, -12, 12, 2},
    {kPeak, 30, 22000, 1},       {kPeakGain, -12, 12, 2},    {kHighShelf, 1000, 22000, 1},
    {kHighGain, -12, 12, 2},     {kModSpeed, 0, 20, 2},      {kModDepth, 0, 100, 2},
};
constexpr double kMappingTolerance = 1e-12;
} // namespace Expected

// The processor's default state as the controller shows it.
const std::pair<ParamID, const char*> kDefaultStateTexts[] = {
    {kDry, "0.00"},          {kPredelay, "20.0"},           {kWidth, "100.00"},
    {kEarlyReflectionVariation, "Variation 3"}, {kReverbVariation, "Variation 2"},
    {kDecayTime, "3.00"},    {kRoomSize, "20.00"},          {kDiffusion, "70.00"},
    {kDampIntensity, "80.00"}, {kDamp, "18000.0"},          {kLowShelf, "100.0"},
    {kLowGain, "0.00"},      {kPeak, "1000.0"},             {kPeakGain, "0.00"},
    {kHighShelf, "8000.0"},  {kHighGain, "0.00"},           {kEarlyReflections, "0.00"},
    {kReverb, "0.00"},       {kWet, "-6.02"},               {kBypass, "Off"},
    {kBypassDry, "Off"},     {kBypassWet, "Off"},           {kModSpeed, "0.54"},
    {kModDepth, "40.60"},
};

ParamValue valueOfText (HostedController& controller, ParamID id, const char* text,
                        tresult expected = kResultTrue)
{
	String128 string {};
	UString (string, 128).fromAscii (text);
	ParamValue value = -1.0;
	EXPECT_EQ (controller->getParamValueByString (id, string, value), expected) << text;
	return value;
}

std::vector<char> withDouble (std::vector<char> bytes, size_t offset, double value)
{
	std::memcpy (bytes.data () + offset, &value, sizeof (value)); // the stream is little-endian
	return bytes;
}

TEST (Controller, HostSeesTheParameterTable)
{
	HostedController controller;
	ASSERT_EQ (controller->getParameterCount (), kNumParameters);
	for (int32 index = 0; index < kNumParameters; ++index)
	{
		SCOPED_TRACE (index);
		ParameterInfo info {};
		ASSERT_EQ (controller->getParameterInfo (index, info), kResultTrue);
		EXPECT_EQ (info.id, Expected::kIds[index]);
		EXPECT_EQ (toAscii (info.title), Expected::kTitles[index]);
		EXPECT_EQ (toAscii (info.units), Expected::kUnits[index]);
		EXPECT_EQ (info.flags, Expected::kFlags[index]);
		EXPECT_EQ (info.stepCount, Expected::kStepCounts[index]);
		EXPECT_NEAR (info.defaultNormalizedValue, Expected::kDefaults[index],
		             Expected::kMappingTolerance);
		EXPECT_EQ (controller->getParamNormalized (info.id), info.defaultNormalizedValue);
		EXPECT_EQ (info.unitId, kRootUnitId);
	}
	ParameterInfo info {};
	EXPECT_EQ (controller->getParameterInfo (kNumParameters, info), kResultFalse);
	EXPECT_EQ (controller->getParameterInfo (-1, info), kResultFalse);

	ASSERT_EQ (controller->getParameterInfo (20, info), kResultTrue);
	EXPECT_EQ (info.id, static_cast<ParamID> (kVuPPM));
	EXPECT_EQ (toAscii (info.title), "VuPPM");
	EXPECT_EQ (info.flags, ParameterInfo::kIsReadOnly);
	EXPECT_EQ (controller.textAt (26, 0.5), "(none)"); // there is no parameter 26

	// Titles stand as released, spelling included: hosts keep them with automation.
	ASSERT_EQ (controller->getParameterInfo (26, info), kResultTrue);
	EXPECT_EQ (toAscii (info.title), "Mod. deph");
	ASSERT_EQ (controller->getParameterInfo (22, info), kResultTrue);
	EXPECT_EQ (toAscii (info.title), "Bypass E.R.");
}

TEST (Controller, PlainRangesAndTheirDecimals)
{
	HostedController controller;
	for (const auto& range : Expected::kPlainRanges)
	{
		SCOPED_TRACE (range.id);
		EXPECT_NEAR (controller->normalizedParamToPlain (range.id, 0.0), range.min, 1e-9 * (1 + range.max));
		EXPECT_NEAR (controller->normalizedParamToPlain (range.id, 1.0), range.max, 1e-9 * (1 + range.max));
		char text[32];
		std::snprintf (text, sizeof (text), "%.*f", range.precision, range.min);
		EXPECT_EQ (controller.textAt (range.id, 0.0), text);
		std::snprintf (text, sizeof (text), "%.*f", range.precision, range.max);
		EXPECT_EQ (controller.textAt (range.id, 1.0), text);
	}
}

TEST (Controller, DefaultTextsFollowEachParametersPrecision)
{
	HostedController controller;
	EXPECT_EQ (controller.text (kDry), "0.00");
	EXPECT_EQ (controller.text (kPredelay), "10.0");
	EXPECT_EQ (controller.text (kWidth), "100.00");
	EXPECT_EQ (controller.text (kDecayTime), "5.00");
	EXPECT_EQ (controller.text (kDamp), "20000.0");
	EXPECT_EQ (controller.text (kLowGain), "0.00");
	EXPECT_EQ (controller.text (kModSpeed), "0.80");
	EXPECT_EQ (controller.text (kModDepth), "50.00");
	EXPECT_EQ (controller.text (kVuPPM), "0.0000"); // the SDK's default precision
	EXPECT_EQ (controller.text (kBypass), "Off");
	EXPECT_EQ (controller.textAt (kBypassReverb, 1.0), "On");
}

TEST (Controller, ListParametersOfferTheirVariations)
{
	HostedController controller;
	for (int entry = 0; entry < 12; ++entry)
		EXPECT_EQ (controller.textAt (kEarlyReflectionVariation, entry / 11.0),
		           "Variation " + std::to_string (entry + 1));
	for (int entry = 0; entry < 5; ++entry)
		EXPECT_EQ (controller.textAt (kReverbVariation, entry / 4.0),
		           "Variation " + std::to_string (entry + 1));
	EXPECT_EQ (valueOfText (controller, kReverbVariation, "Variation 3"), 0.5);
	EXPECT_NEAR (controller->plainParamToNormalized (kEarlyReflectionVariation, 2.0),
	             0.18181818181818182, 1e-17);
}

TEST (Controller, TypedValuesAreClampedAndPositiveGainsNegated)
{
	HostedController controller;
	EXPECT_EQ (valueOfText (controller, kWet, "6"), valueOfText (controller, kWet, "-6"));
	EXPECT_EQ (valueOfText (controller, kEarlyReflections, "0"), 1.0);
	EXPECT_EQ (valueOfText (controller, kPredelay, "500"), 1.0);
	EXPECT_EQ (valueOfText (controller, kPredelay, "-3"), 0.0);
	EXPECT_EQ (valueOfText (controller, kPredelay, "20.5"), 0.1025);
	EXPECT_NEAR (valueOfText (controller, kDecayTime, "30"), 1.0, Expected::kMappingTolerance);
	EXPECT_NEAR (valueOfText (controller, kDamp, "10"), 0.0, Expected::kMappingTolerance);
	EXPECT_EQ (valueOfText (controller, kLowGain, "-20"), 0.0);
	EXPECT_EQ (valueOfText (controller, 26, "1", kResultFalse), -1.0);
}

// Numbers of any size, infinities included, never give a value outside 0 to 1: the switches and
// the level, which take a number as it is, end at the nearer limit, and no other parameter leaves
// its range. A switch takes back the words it shows, in any case.
TEST (Controller, TypedTextStaysWithinTheNormalizedRange)
{
	HostedController controller;
	const char* const kHigh[] = {"5", "1e20", "inf", "1e400"};
	const char* const kLow[] = {"-3", "-1e20", "-inf", "-1e400"};
	const ParamID kSwitches[] = {kBypass, kBypassDry, kBypassEarlyReflections, kBypassReverb, kBypassWet};
	for (ParamID id : {kBypass, kBypassDry, kBypassEarlyReflections, kBypassReverb, kBypassWet, kVuPPM})
	{
		SCOPED_TRACE (id);
		for (const char* text : kHigh)
			EXPECT_EQ (valueOfText (controller, id, text), 1.0) << text;
		for (const char* text : kLow)
			EXPECT_EQ (valueOfText (controller, id, text), 0.0) << text;
	}
	for (const auto& description : kParameterTable)
	{
		SCOPED_TRACE (description.id);
		for (const auto* texts : {&kHigh, &kLow})
		{
			for (const char* text : *texts)
			{
				String128 string {};
				UString (string, 128).fromAscii (text);
				ParamValue value = -1.0;
				if (controller->getParamValueByString (description.id, string, value) == kResultTrue)
					EXPECT_TRUE (value >= 0.0 && value <= 1.0) << text << " gives " << value;
				else
					EXPECT_EQ (value, -1.0) << text;
			}
		}
	}

	for (ParamID id : kSwitches)
	{
		SCOPED_TRACE (id);
		for (ParamValue state : {0.0, 1.0})
			EXPECT_EQ (valueOfText (controller, id, controller.textAt (id, state).c_str ()), state);
		for (const char* text : {"On", "on", "ON", "oN"})
			EXPECT_EQ (valueOfText (controller, id, text), 1.0) << text;
		for (const char* text : {"Off", "off", "OFF"})
			EXPECT_EQ (valueOfText (controller, id, text), 0.0) << text;
		for (const char* text : {"O", "Onn", "Of", "Offf", " On"})
			EXPECT_EQ (valueOfText (controller, id, text, kResultFalse), -1.0) << text;
	}
	for (ParamID id : {kVuPPM, kDry, kEarlyReflectionVariation})
		EXPECT_EQ (valueOfText (controller, id, "On", kResultFalse), -1.0) << id;
}

TEST (Controller, KnobModeIsLinearOnly)
{
	HostedController controller;
	EXPECT_EQ (EditController::getHostKnobMode (), kLinearMode);
	FUnknownPtr<IEditController2> controller2 (controller.operator-> ());
	ASSERT_TRUE (controller2);
	EXPECT_EQ (controller2->setKnobMode (kCircularMode), kResultFalse);
	EXPECT_EQ (controller2->setKnobMode (kRelativCircularMode), kResultFalse);
	EXPECT_EQ (controller2->setKnobMode (7), kResultFalse);
	EXPECT_EQ (EditController::getHostKnobMode (), kLinearMode);
	EXPECT_EQ (controller2->setKnobMode (kLinearMode), kResultOk);
}

// A host that initializes twice must not get the parameters twice.
TEST (Controller, FailedInitializeRegistersNothing)
{
	HostedController controller;
	HostApplication secondContext;
	EXPECT_EQ (controller->initialize (&secondContext), kResultFalse);
	EXPECT_EQ (controller->getParameterCount (), kNumParameters);

	controller->terminate ();
	EXPECT_EQ (controller->getParameterCount (), 0);
	EXPECT_EQ (controller->initialize (nullptr), kResultOk);
	EXPECT_EQ (controller->getParameterCount (), kNumParameters);
}

TEST (Controller, ShowsTheProcessorsStateWhateverItsOwnDefaults)
{
	HostedController controller;
	ASSERT_EQ (controller->setComponentState (defaultStateStream ()), kResultOk);
	for (const auto& [id, text] : kDefaultStateTexts)
		EXPECT_EQ (controller.text (id), text) << "parameter " << id;
	EXPECT_EQ (controller->getParamNormalized (kEarlyReflectionVariation), 2.0 / 11.0);
	EXPECT_EQ (controller->getParamNormalized (kWet), 0.5);
	EXPECT_EQ (controller->getParamNormalized (kModDepth), 0.406);
	EXPECT_EQ (controller->getParamNormalized (kDamp),
	           logPlainToNormalized (kDampRange.min, kDampRange.max, 18000.0));
}

// The reader fills the record as it goes: a cut stream must still change no parameter.
TEST (Controller, IncompleteStateChangesNothing)
{
	HostedController controller;
	const std::map<ParamID, ParamValue> before = controller.allValues ();
	std::vector<char> bytes = defaultStateBytes ();
	for (size_t size : {size_t (0), size_t (7), size_t (100), size_t (166)})
	{
		SCOPED_TRACE (size);
		EXPECT_EQ (controller->setComponentState (
		               streamOfBytes (std::vector<char> (bytes.begin (), bytes.begin () + size))),
		           kResultFalse);
		EXPECT_EQ (controller.allValues (), before);
	}
	EXPECT_EQ (controller->setComponentState (nullptr), kResultFalse);
	EXPECT_EQ (controller.allValues (), before);
}

// A host that keeps its own copy of the values, taken from the parameter infos' defaults, and
// reads them all again only when the controller asks it to (as Ardour does).
class CopyingHandler : public RecordingHandler
{
public:
	CopyingHandler (std::vector<Call>& calls, IEditController* controller)
	: RecordingHandler (calls), controller (controller)
	{
		for (int32 index = 0; index < controller->getParameterCount (); ++index)
		{
			ParameterInfo info {};
			controller->getParameterInfo (index, info);
			copy[info.id] = info.defaultNormalizedValue;
		}
	}
	tresult PLUGIN_API restartComponent (int32 flags) SMTG_OVERRIDE
	{
		RecordingHandler::restartComponent (flags);
		if (flags & kParamValuesChanged)
			for (auto& [id, value] : copy)
				value = controller->getParamNormalized (id);
		return kResultOk;
	}

	std::map<ParamID, ParamValue> copy;

private:
	IEditController* controller;
};

TEST (Controller, AStateTellsTheHostToReadTheValuesAgain)
{
	HostedController controller;
	std::vector<Call> calls;
	IPtr<CopyingHandler> handler = owned (new CopyingHandler (calls, controller.operator-> ()));
	controller->setComponentHandler (handler);
	ASSERT_EQ (handler->copy[kPredelay], 0.05);

	ASSERT_EQ (controller->setComponentState (defaultStateStream ()), kResultOk);
	ASSERT_EQ (calls.size (), 1u);
	EXPECT_EQ (calls[0].what, "restart");
	EXPECT_EQ (calls[0].value, static_cast<ParamValue> (kParamValuesChanged));
	EXPECT_EQ (handler->copy, controller.allValues ());
	EXPECT_EQ (handler->copy[kPredelay], 0.1);
	EXPECT_EQ (handler->copy[kWet], 0.5);
	EXPECT_EQ (handler->copy[kReverbVariation], 0.25);
	controller->setComponentHandler (nullptr);
}

TEST (Controller, AStateThatCannotBeReadAsksTheHostForNothing)
{
	HostedController controller;
	std::vector<Call> calls;
	IPtr<RecordingHandler> handler = owned (new RecordingHandler (calls));
	controller->setComponentHandler (handler);
	std::vector<char> bytes = defaultStateBytes ();
	bytes.resize (100);
	EXPECT_EQ (controller->setComponentState (streamOfBytes (bytes)), kResultFalse);
	EXPECT_EQ (controller->setComponentState (nullptr), kResultFalse);
	EXPECT_TRUE (calls.empty ());
	controller->setComponentHandler (nullptr);
}

TEST (Controller, OlderStatesTurnModulationAndPathBypassesOff)
{
	HostedController controller;
	controller->setParamNormalized (kBypassReverb, 1.0);
	std::vector<char> bytes = defaultStateBytes ();
	bytes.resize (kSettingsStreamSizeV2);
	bytes[0] = 2;
	ASSERT_EQ (controller->setComponentState (streamOfBytes (bytes)), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kModSpeed), 0.0);
	EXPECT_EQ (controller->getParamNormalized (kModDepth), 0.0);
	EXPECT_EQ (controller->getParamNormalized (kBypassReverb), 0.0);
	EXPECT_EQ (controller.text (kDecayTime), "3.00");
}

TEST (Controller, StateValuesOutOfRangeEndAtTheNearerLimit)
{
	HostedController controller;
	std::vector<char> bytes = withDouble (defaultStateBytes (), 16, 1.5); // predelay
	bytes[144] = 40;                                                       // E.R. variation
	bytes[145] = -3;                                                       // reverb variation
	bytes[147] = 7;                                                        // bypass dry
	ASSERT_EQ (controller->setComponentState (streamOfBytes (bytes)), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kPredelay), 1.0);
	EXPECT_EQ (controller->getParamNormalized (kEarlyReflectionVariation), 1.0);
	EXPECT_EQ (controller->getParamNormalized (kReverbVariation), 0.0);
	EXPECT_EQ (controller->getParamNormalized (kBypassDry), 1.0);
	EXPECT_EQ (controller->getParamNormalized (kVuPPM), 0.0);
}

// Parameter::setNormalized lets NaN through; a damaged state must not leave it in a parameter.
TEST (Controller, NaNInTheStateBecomesZero)
{
	HostedController controller;
	std::vector<char> bytes = withDouble (defaultStateBytes (), 8, std::nan ("")); // dry
	bytes = withDouble (bytes, 159, std::nan ("")); // modDepth
	ASSERT_EQ (controller->setComponentState (streamOfBytes (bytes)), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kDry), 0.0);
	EXPECT_EQ (controller->getParamNormalized (kModDepth), 0.0);
	EXPECT_EQ (controller.text (kDry), "-oo");
	EXPECT_EQ (controller.text (kWet), "-6.02");
}

// Texts without a number answer kResultFalse on every platform (the SDK's classes say yes on
// Windows), and so does "nan", which scans as a number; the value passed in stays as it was.
TEST (Controller, UnreadableTextsLeaveTheValueAlone)
{
	HostedController controller;
	for (ParamID id : {kDry, kPredelay, kDecayTime, kDamp, kBypass, kVuPPM, kReverbVariation})
	{
		SCOPED_TRACE (id);
		for (const char* text : {"", "loud", "-oo", "nan", "-NAN", "banana"})
			EXPECT_EQ (valueOfText (controller, id, text, kResultFalse), -1.0) << text;
	}
	ParamValue value = 0.5;
	EXPECT_EQ (controller->getParamValueByString (kPredelay, nullptr, value), kResultFalse);
	EXPECT_EQ (controller->getParamValueByString (kEarlyReflectionVariation, nullptr, value),
	           kResultFalse);
	EXPECT_EQ (value, 0.5);
}

// Hosts may ask for the text of any value: lists must not index past their entries (the SDK
// throws) and huge numbers must not overrun the 128-character text.
TEST (Controller, TextsOfValuesOutsideTheRangeAreThoseOfTheNearerLimit)
{
	HostedController controller;
	EXPECT_EQ (controller.textAt (kEarlyReflectionVariation, -0.5), "Variation 1");
	EXPECT_EQ (controller.textAt (kEarlyReflectionVariation, 1e300), "Variation 12");
	EXPECT_EQ (controller.textAt (kReverbVariation, std::nan ("")), "Variation 1");
	EXPECT_EQ (controller.textAt (kPredelay, 1e300), "200.0");
	EXPECT_EQ (controller.textAt (kVuPPM, -1e300), "0.0000");
	EXPECT_EQ (controller.textAt (kModSpeed, 1e200), "20.00");
	EXPECT_EQ (controller.textAt (kDry, 4.0), "0.00");
}

// No host input leaves a call as an exception or an undefined value. Text with a surrogate out of
// its pair is no text (the SDK's conversion on Linux throws for it) and is refused everywhere, the
// caller's value untouched; well-formed text beyond ASCII is read or refused, within 0 to 1. A value
// outside a parameter's domain maps as the nearer end of it, NaN as the lower one, so a list always
// names an entry that exists.
TEST (Controller, MalformedTextsAndValuesOutsideTheDomainsStayDefined)
{
	HostedController controller;
	const std::vector<TChar> kUnpaired[] = {
	    {'9', 0xDFFF, 0},       {0xDFFF, 0},         {'1', 0xDC00, '5', 0},
	    {'9', 0xD800, 0},       {0xD800, '9', 0},    {'7', 0xD83D, 0xD83D, 0xDE00, 0},
	    {0xDE00, 0xD83D, 0},    {'O', 'n', 0xDFFF, 0},
	};
	const std::vector<TChar> kWellFormed[] = {{'7', 0xD83D, 0xDE00, 0}, {'3', 0xFFFF, 0}, {0xD83D, 0xDE00, 0}};
	constexpr double kInf = std::numeric_limits<double>::infinity ();
	const double kNaN = std::nan ("");
	const std::pair<double, double> kHeld[] = {{kNaN, 0.0},    {kInf, 1.0},   {-kInf, 0.0}, {1e300, 1.0},
	                                           {-1e300, 0.0}, {-0.5, 0.0},   {1.5, 1.0}};
	for (const auto& description : kParameterTable)
	{
		const ParamID id = description.id;
		SCOPED_TRACE (id);
		for (std::vector<TChar> text : kUnpaired)
		{
			ParamValue value = -1.0;
			tresult result = kResultTrue;
			EXPECT_NO_THROW (result = controller->getParamValueByString (id, text.data (), value));
			EXPECT_EQ (result, kResultFalse);
			EXPECT_EQ (value, -1.0);
		}
		for (std::vector<TChar> text : kWellFormed)
		{
			ParamValue value = -1.0;
			tresult result = kResultFalse;
			EXPECT_NO_THROW (result = controller->getParamValueByString (id, text.data (), value));
			if (result == kResultTrue)
				EXPECT_TRUE (value >= 0.0 && value <= 1.0) << value;
			else
				EXPECT_EQ (value, -1.0);
		}
		for (const auto& [outside, held] : kHeld)
			EXPECT_EQ (controller->normalizedParamToPlain (id, outside),
			           controller->normalizedParamToPlain (id, held)) << outside;
		for (double plain : {kNaN, kInf, -kInf})
		{
			const ParamValue normalized = controller->plainParamToNormalized (id, plain);
			EXPECT_TRUE (normalized >= 0.0 && normalized <= 1.0) << plain << " gives " << normalized;
		}
	}
}

// One preset row, as the editor hands it over: plain values indexed by parameter id.
struct PresetRow
{
	ParamValue values[kNumStoredParameters] = {
	    -3.0,  20.5,  80.0,  2.0,    3.0,  5.004, 40.0,  60.0,  70.0, 12000.0, 200.0, 3.0, 2000.0,
	    -2.0,  9000.0, 1.5,  -4.0,   10.39, -6.02, 1.0,  1.0,   1.0,  1.0,     1.0,   0.5, 30.0};
};

class ControllerPresets : public ::testing::Test
{
protected:
	void SetUp () override
	{
		handler = owned (new RecordingHandler (edits));
		controller->setComponentHandler (handler);
	}
	std::vector<ParamID> editedIds () const
	{
		std::vector<ParamID> ids;
		for (const auto& call : edits)
		{
			EXPECT_EQ (call.what, "perform"); // no beginEdit or endEdit around preset values
			ids.push_back (call.id);
		}
		return ids;
	}

	HostedController controller;
	std::vector<Call> edits;
	IPtr<RecordingHandler> handler;
	PresetRow row;
};

TEST_F (ControllerPresets, UnlockedPresetSetsEverythingButTheMasterBypass)
{
	const std::map<ParamID, ParamValue> before = controller.allValues ();
	controller.object ().applyPreset (row.values);
	const std::vector<ParamID> expected = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
	                                       13, 14, 15, 16, 17, 18, 20, 21, 22, 23, 24, 25};
	EXPECT_EQ (editedIds (), expected);
	for (const auto& call : edits)
		EXPECT_EQ (controller->getParamNormalized (call.id), call.value) << call.id;
	EXPECT_EQ (controller->getParamNormalized (kBypass), before.at (kBypass));

	EXPECT_EQ (controller->getParamNormalized (kPredelay), 0.1025);
	EXPECT_EQ (controller->getParamNormalized (kEarlyReflectionVariation), 2.0 / 11.0);
	EXPECT_EQ (controller->getParamNormalized (kReverbVariation), 0.75);
	EXPECT_EQ (controller->getParamNormalized (kReverb),
	           static_cast<double> (static_cast<float> (0.3023430407047272)));
	EXPECT_EQ (controller.text (kReverb), "-10.39");
	EXPECT_EQ (controller->getParamNormalized (kWet),
	           static_cast<double> (static_cast<float> (0.500034511089325)));
	EXPECT_EQ (controller.text (kHighGain), "1.50");
	EXPECT_EQ (controller.text (kDamp), "12000.0");
	EXPECT_EQ (controller.text (kModDepth), "30.00");
	EXPECT_EQ (controller->getParamNormalized (kBypassWet), 1.0);
}

// Values reach the parameters as two-decimal texts, read by each parameter's own rules.
TEST_F (ControllerPresets, ValuesTakeTheTextRoute)
{
	row.values[kDecayTime] = 5.004;  // "5.00"
	row.values[kPredelay] = 20.499;  // "20.50"
	row.values[kDamp] = 100000.0;    // clamped
	row.values[kLowShelf] = 1.0;     // clamped
	row.values[kDry] = -120.0;       // shows "-oo"
	controller.object ().applyPreset (row.values);
	EXPECT_NEAR (controller->getParamNormalized (kDecayTime), 0.4923659639173309, 1e-12);
	EXPECT_EQ (controller.text (kDecayTime), "5.00");
	EXPECT_EQ (controller->getParamNormalized (kPredelay), 0.1025);
	EXPECT_NEAR (controller->getParamNormalized (kDamp), 1.0, 1e-12);
	EXPECT_NEAR (controller->getParamNormalized (kLowShelf), 0.0, 1e-12);
	EXPECT_EQ (controller->getParamNormalized (kDry),
	           static_cast<double> (static_cast<float> (9.999997701015673e-07)));
	EXPECT_EQ (controller.text (kDry), "-oo");
}

TEST_F (ControllerPresets, LockKeepsDryAndWet)
{
	EXPECT_FALSE (controller.object ().isLocked ());
	controller.object ().setLock (true);
	EXPECT_TRUE (controller.object ().isLocked ());
	const std::map<ParamID, ParamValue> before = controller.allValues ();
	controller.object ().applyPreset (row.values);
	const std::vector<ParamID> expected = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
	                                       12, 13, 14, 15, 16, 17, 21, 22, 24, 25};
	EXPECT_EQ (editedIds (), expected);
	for (ParamID id : {kDry, kWet, kBypass, kBypassDry, kBypassWet})
		EXPECT_EQ (controller->getParamNormalized (id), before.at (id)) << id;
	EXPECT_EQ (controller->getParamNormalized (kBypassReverb), 1.0);

	controller.object ().setLock (false);
	edits.clear ();
	controller.object ().applyPreset (row.values);
	EXPECT_EQ (edits.size (), 25u);
}

// The lock belongs to the editor session, not to the controller's life cycle.
TEST_F (ControllerPresets, LockOutlivesTerminateAndInitialize)
{
	controller.object ().setLock (true);
	controller->terminate ();
	controller->initialize (nullptr);
	EXPECT_TRUE (controller.object ().isLocked ());
}

TEST_F (ControllerPresets, WithoutAHostHandlerTheParametersStillChange)
{
	controller->setComponentHandler (nullptr);
	controller.object ().applyPreset (row.values);
	EXPECT_TRUE (edits.empty ());
	EXPECT_EQ (controller->getParamNormalized (kPredelay), 0.1025);
}

TEST_F (ControllerPresets, UnusableRowsChangeNothing)
{
	const std::map<ParamID, ParamValue> before = controller.allValues ();
	controller.object ().applyPreset (nullptr);
	row.values[kWidth] = std::nan ("");
	row.values[kReverbVariation] = std::nan ("");
	controller.object ().applyPreset (row.values);
	EXPECT_EQ (controller->getParamNormalized (kWidth), before.at (kWidth));
	EXPECT_EQ (controller->getParamNormalized (kReverbVariation), before.at (kReverbVariation));
	EXPECT_EQ (edits.size (), 23u);
}

// The factory presets, through the text route, land inside every range; "Default" shows what
// the processor's default state shows.
TEST_F (ControllerPresets, FactoryPresetsApply)
{
	for (int32 preset = 0; preset < kNumPresets; ++preset)
	{
		SCOPED_TRACE (presetNames[preset]);
		edits.clear ();
		controller.object ().applyPreset (presetTable[preset]);
		EXPECT_EQ (edits.size (), 25u);
		for (const auto& call : edits)
			EXPECT_TRUE (call.value >= 0.0 && call.value <= 1.0) << call.id << " " << call.value;
	}
	ASSERT_STREQ (presetNames[0], "Default");
	controller.object ().applyPreset (presetTable[0]);
	for (const auto& [id, text] : kDefaultStateTexts)
		EXPECT_EQ (controller.text (id), text) << "parameter " << id;
}

} // namespace
