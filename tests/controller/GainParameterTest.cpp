// GainParameter: dB texts both ways with the single-precision arithmetic that saved values rely on.
#include "controller/GainParameter.h"

#include "ControllerTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using ControllerTesting::toAscii;

std::string textOf (const GainParameter& gain, ParamValue value)
{
	String128 string {};
	gain.toString (value, string);
	return toAscii (string);
}

// The value a text gives, or -1 when it gives none (the value passed in is then left alone).
ParamValue valueOf (const GainParameter& gain, const char* text)
{
	String128 string {};
	UString (string, 128).fromAscii (text);
	ParamValue value = -1.0;
	const bool read = gain.fromString (string, value);
	EXPECT_EQ (read, value != -1.0) << text;
	return value;
}

// The result is a float widened to double: it must be exactly the float nearest the known value.
void expectSinglePrecision (ParamValue actual, double expected)
{
	EXPECT_EQ (actual, static_cast<double> (static_cast<float> (expected)));
}

TEST (GainParameter, NewParameterStandsAtZeroDecibels)
{
	GainParameter gain (ParameterInfo::kCanAutomate, 18, STR16 ("Wet"));
	const ParameterInfo& info = gain.getInfo ();
	EXPECT_EQ (toAscii (info.title), "Wet");
	EXPECT_EQ (toAscii (info.units), "dB");
	EXPECT_EQ (info.id, 18u);
	EXPECT_EQ (info.flags, ParameterInfo::kCanAutomate);
	EXPECT_EQ (info.stepCount, 0);
	EXPECT_EQ (info.defaultNormalizedValue, 1.0);
	EXPECT_EQ (info.unitId, kRootUnitId);
	EXPECT_EQ (gain.getNormalized (), 1.0);
	EXPECT_EQ (textOf (gain, gain.getNormalized ()), "0.00");
}

TEST (GainParameter, ShowsDecibelsWithTwoDecimalsAndSilenceAsMinusInfinity)
{
	GainParameter gain (ParameterInfo::kCanAutomate, 0, STR16 ("Dry"));
	gain.setPrecision (0); // the text ignores the precision
	EXPECT_EQ (textOf (gain, 1.0), "0.00");
	EXPECT_EQ (textOf (gain, 0.5), "-6.02");
	EXPECT_EQ (textOf (gain, 0.25), "-12.04");
	EXPECT_EQ (textOf (gain, 0.1), "-20.00");
	EXPECT_EQ (textOf (gain, 0.00010001), "-80.00");
	EXPECT_EQ (textOf (gain, 0.0001), "-oo");
	EXPECT_EQ (textOf (gain, 0.0), "-oo");
	EXPECT_EQ (textOf (gain, -1.0), "-oo");
}

TEST (GainParameter, ReadsTypedDecibelsInSinglePrecision)
{
	GainParameter gain (ParameterInfo::kCanAutomate, 0, STR16 ("Dry"));
	EXPECT_EQ (valueOf (gain, "0"), 1.0);
	expectSinglePrecision (valueOf (gain, "-6.02"), 0.500034511089325);
	expectSinglePrecision (valueOf (gain, "-3"), 0.7079457640647888);
	expectSinglePrecision (valueOf (gain, "-120"), 9.999997701015673e-07);
	expectSinglePrecision (valueOf (gain, "-80"), 9.99999901978299e-05);
	EXPECT_EQ (textOf (gain, valueOf (gain, "-80")), "-oo");
	EXPECT_EQ (textOf (gain, valueOf (gain, "-6.02")), "-6.02");
	EXPECT_EQ (valueOf (gain, "at -6.02 dB"), valueOf (gain, "-6.02")); // the first number counts
}

TEST (GainParameter, PositiveDecibelsAreTakenAsAttenuation)
{
	GainParameter gain (ParameterInfo::kCanAutomate, 0, STR16 ("Dry"));
	EXPECT_EQ (valueOf (gain, "6.02"), valueOf (gain, "-6.02"));
	expectSinglePrecision (valueOf (gain, "12"), 0.25118863582611084);
	EXPECT_EQ (valueOf (gain, "12"), valueOf (gain, "-12"));
	EXPECT_LE (valueOf (gain, "1000"), 1.0);
}

TEST (GainParameter, TextWithoutNumberChangesNothing)
{
	GainParameter gain (ParameterInfo::kCanAutomate, 0, STR16 ("Dry"));
	EXPECT_EQ (valueOf (gain, "-oo"), -1.0);
	EXPECT_EQ (valueOf (gain, ""), -1.0);
	EXPECT_EQ (valueOf (gain, "loud"), -1.0);
	EXPECT_EQ (valueOf (gain, "nan"), -1.0);
}

TEST (GainParameter, AnswersAsPlainParameter)
{
	GainParameter gain (ParameterInfo::kCanAutomate, 0, STR16 ("Dry"));
	EXPECT_STREQ (gain.isA (), "Parameter");
	EXPECT_TRUE (gain.isA ("Parameter"));
	EXPECT_FALSE (gain.isTypeOf ("GainParameter"));
	EXPECT_EQ (gain.toPlain (0.3), 0.3);
	EXPECT_EQ (gain.toNormalized (0.3), 0.3);
}

} // namespace
