// LogParameter: frequencies on the logarithmic scale, typed in Hz and clamped.
#include "controller/LogParameter.h"

#include "ControllerTestSupport.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using ControllerTesting::toAscii;

constexpr double kMappingTolerance = 1e-12; // the trip through log2 and pow is not exact

// "Damp" as the controller makes it.
struct DampParameter : LogParameter
{
	DampParameter () : LogParameter (STR16 ("Damp"), 9, STR16 ("Hz"), 4000.0, 22020.0, 20000.0,
	                                 ParameterInfo::kCanAutomate, kRootUnitId)
	{
		setPrecision (1);
	}
	std::string text (ParamValue value) const
	{
		String128 string {};
		toString (value, string);
		return toAscii (string);
	}
	bool read (const char* text, ParamValue& value) const
	{
		String128 string {};
		UString (string, 128).fromAscii (text);
		return fromString (string, value);
	}
};

TEST (LogParameter, ConstructorConvertsTheDefaultFrequency)
{
	DampParameter damp;
	const ParameterInfo& info = damp.getInfo ();
	EXPECT_EQ (toAscii (info.title), "Damp");
	EXPECT_EQ (toAscii (info.units), "Hz");
	EXPECT_EQ (info.id, 9u);
	EXPECT_EQ (info.stepCount, 0);
	EXPECT_NEAR (info.defaultNormalizedValue, 0.9435883822448694, kMappingTolerance);
	EXPECT_EQ (damp.getNormalized (), info.defaultNormalizedValue);
	EXPECT_EQ (damp.text (damp.getNormalized ()), "20000.0");

	LogParameter noUnits (STR16 ("F"), 1, nullptr, 20.0, 1000.0, 100.0, 0, kRootUnitId);
	EXPECT_EQ (toAscii (noUnits.getInfo ().units), "");
}

TEST (LogParameter, MapsBothWaysWithoutClamping)
{
	DampParameter damp;
	EXPECT_NEAR (damp.toPlain (0.0), 4000.0, 1e-9);
	EXPECT_NEAR (damp.toPlain (1.0), 22020.0, 1e-9);
	EXPECT_NEAR (damp.toPlain (0.5), std::sqrt (4000.0 * 22020.0), 1e-9);
	EXPECT_NEAR (damp.toNormalized (4000.0), 0.0, kMappingTolerance);
	EXPECT_NEAR (damp.toNormalized (22020.0), 1.0, kMappingTolerance);
	EXPECT_GT (damp.toNormalized (30000.0), 1.0);
	EXPECT_LT (damp.toNormalized (3000.0), 0.0);
	EXPECT_EQ (damp.text (1.0), "22020.0");
	EXPECT_EQ (damp.text (0.0), "4000.0");
}

TEST (LogParameter, TypedFrequenciesAreClampedToTheRange)
{
	DampParameter damp;
	ParamValue value = -1.0;
	ASSERT_TRUE (damp.read ("100000", value));
	EXPECT_NEAR (value, 1.0, kMappingTolerance);
	ASSERT_TRUE (damp.read ("10", value));
	EXPECT_NEAR (value, 0.0, kMappingTolerance);
	ASSERT_TRUE (damp.read ("18000 Hz", value));
	EXPECT_EQ (damp.text (value), "18000.0");
	value = 0.5;
	EXPECT_FALSE (damp.read ("bright", value));
	EXPECT_FALSE (damp.read ("", value));
	EXPECT_FALSE (damp.read ("nan", value));
	EXPECT_EQ (value, 0.5);
}

// Without a guard a frequency of 0 Hz gives minus infinity and a negative one NaN.
TEST (LogParameter, FrequenciesAtOrBelowZeroGiveZero)
{
	DampParameter damp;
	EXPECT_EQ (damp.toNormalized (0.0), 0.0);
	EXPECT_EQ (damp.toNormalized (-100.0), 0.0);
	EXPECT_EQ (damp.toNormalized (std::nan ("")), 0.0);
}

TEST (LogParameter, ChangingTheRangeKeepsTheNormalizedValue)
{
	DampParameter damp;
	damp.setNormalized (1.0);
	damp.setMax (30000.0);
	EXPECT_EQ (damp.getMax (), 30000.0);
	EXPECT_EQ (damp.getNormalized (), 1.0);
	EXPECT_EQ (damp.text (1.0), "30000.0");
	damp.setMin (1000.0);
	EXPECT_EQ (damp.getMin (), 1000.0);
	EXPECT_EQ (damp.text (0.0), "1000.0");
	EXPECT_NEAR (damp.toPlain (0.5), std::sqrt (1000.0 * 30000.0), 1e-9);
	EXPECT_NEAR (damp.getInfo ().defaultNormalizedValue, 0.9435883822448694, kMappingTolerance);
}

TEST (LogParameter, AnswersItsOwnClassIdentity)
{
	DampParameter damp;
	EXPECT_STREQ (damp.isA (), "LogParameter");
	EXPECT_STREQ (LogParameter::getFClassID (), "LogParameter");
	EXPECT_TRUE (damp.isA ("LogParameter"));
	EXPECT_FALSE (damp.isA ("Parameter"));
	EXPECT_TRUE (damp.isTypeOf ("Parameter", true));
	EXPECT_FALSE (damp.isTypeOf ("Parameter", false));
	EXPECT_FALSE (damp.isTypeOf ("ParabolParameter", true));
}

} // namespace
