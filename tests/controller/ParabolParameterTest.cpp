// ParabolParameter: power-curve values (decay time, modulation speed), typed as plain values.
#include "controller/ParabolParameter.h"

#include "ControllerTestSupport.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using ControllerTesting::toAscii;

constexpr double kTolerance = 1e-12;

ParabolParameter decayTime ()
{
	ParabolParameter decay (STR16 ("Decay time"), 5, STR16 ("sec"), 0.2, 20.0, 5.0,
	                        ParameterInfo::kCanAutomate, kRootUnitId, 2.0);
	decay.setPrecision (2);
	return decay;
}

std::string textOf (const Parameter& parameter, ParamValue value)
{
	String128 string {};
	parameter.toString (value, string);
	return toAscii (string);
}

bool read (const Parameter& parameter, const char* text, ParamValue& value)
{
	String128 string {};
	UString (string, 128).fromAscii (text);
	return parameter.fromString (string, value);
}

TEST (ParabolParameter, DecayTimeFollowsTheSquareLaw)
{
	const ParabolParameter decay = decayTime ();
	EXPECT_EQ (toAscii (decay.getInfo ().units), "sec");
	EXPECT_NEAR (decay.getInfo ().defaultNormalizedValue, 0.4923659639173309, kTolerance);
	EXPECT_EQ (decay.getNormalized (), decay.getInfo ().defaultNormalizedValue);
	EXPECT_NEAR (decay.toPlain (0.5), 5.15, kTolerance);
	EXPECT_NEAR (decay.toNormalized (5.0), 0.4923659639173309, kTolerance);
	EXPECT_NEAR (decay.toPlain (0.0), 0.2, kTolerance);
	EXPECT_NEAR (decay.toPlain (1.0), 20.0, kTolerance);
	EXPECT_EQ (textOf (decay, decay.getNormalized ()), "5.00");
	EXPECT_EQ (textOf (decay, 1.0), "20.00");
}

// The exponent is in place before the default is converted.
TEST (ParabolParameter, ModulationSpeedUsesItsOwnExponent)
{
	ParabolParameter speed (STR16 ("Mod. speed"), 24, STR16 ("Hz"), 0.0, 20.0, 0.8,
	                        ParameterInfo::kCanAutomate, kRootUnitId, 3.0);
	EXPECT_NEAR (speed.getInfo ().defaultNormalizedValue, 0.3419951893353394, kTolerance);
	EXPECT_NEAR (speed.toNormalized (0.8), 0.3419951893353394, kTolerance);
	EXPECT_EQ (speed.toPlain (0.0), 0.0);
	EXPECT_NEAR (speed.toPlain (0.5), 2.5, kTolerance);
	speed.setPower (1.0);
	EXPECT_NEAR (speed.toPlain (0.5), 10.0, kTolerance);
	EXPECT_NEAR (speed.getNormalized (), 0.3419951893353394, kTolerance);
}

TEST (ParabolParameter, TypedValuesAreClampedToTheRange)
{
	const ParabolParameter decay = decayTime ();
	ParamValue value = -1.0;
	ASSERT_TRUE (read (decay, "30", value));
	EXPECT_NEAR (value, 1.0, kTolerance);
	ASSERT_TRUE (read (decay, "0", value));
	EXPECT_EQ (value, 0.0);
	ASSERT_TRUE (read (decay, "-5", value));
	EXPECT_EQ (value, 0.0);
	ASSERT_TRUE (read (decay, "3 s", value));
	EXPECT_EQ (textOf (decay, value), "3.00");
	value = 0.5;
	EXPECT_FALSE (read (decay, "long", value));
	EXPECT_FALSE (read (decay, "nan", value));
	EXPECT_EQ (value, 0.5);
}

// Without a guard a value below the minimum raises a negative number to a fractional power: NaN.
TEST (ParabolParameter, ValuesAtOrBelowTheMinimumGiveZero)
{
	const ParabolParameter decay = decayTime ();
	EXPECT_EQ (decay.toNormalized (0.2), 0.0);
	EXPECT_EQ (decay.toNormalized (0.1), 0.0);
	EXPECT_EQ (decay.toNormalized (-50.0), 0.0);
	EXPECT_GT (decay.toNormalized (40.0), 1.0); // above the range nothing is clamped
}

TEST (ParabolParameter, ChangingTheRangeKeepsTheNormalizedValue)
{
	ParabolParameter decay = decayTime ();
	const ParamValue before = decay.getNormalized ();
	decay.setMin (0.0);
	decay.setMax (10.0);
	EXPECT_EQ (decay.getMin (), 0.0);
	EXPECT_EQ (decay.getMax (), 10.0);
	EXPECT_EQ (decay.getNormalized (), before);
	EXPECT_NEAR (decay.toPlain (0.5), 2.5, kTolerance);
	EXPECT_EQ (textOf (decay, 1.0), "10.00");
}

TEST (ParabolParameter, AnswersItsOwnClassIdentity)
{
	const ParabolParameter decay = decayTime ();
	EXPECT_STREQ (decay.isA (), "ParabolParameter");
	EXPECT_TRUE (decay.isA ("ParabolParameter"));
	EXPECT_FALSE (decay.isA ("LogParameter"));
	EXPECT_TRUE (decay.isTypeOf ("Parameter", true));
	EXPECT_FALSE (decay.isTypeOf ("Parameter", false));
}

} // namespace
