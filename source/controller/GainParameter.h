// A level whose normalized value is the linear gain factor itself, shown and typed in dB.
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

// Answers the class-identity questions as a plain Parameter: hosts and views need nothing more.
class GainParameter : public Parameter
{
public:
	GainParameter (int32 flags, int32 tag, const TChar* title);
	~GainParameter () override;

	// "%.2f" of the level in dB, or "-oo" at or below a gain of 0.0001 (-80 dB).
	void toString (ParamValue valueNormalized, String128 string) const override;

	// A typed dB number; a positive one counts as the same attenuation, so a gain never exceeds 1.
	// False, with the value untouched, for a text without a number ("nan" included).
	bool fromString (const TChar* string, ParamValue& valueNormalized) const override;
};

} // namespace Vst
} // namespace Steinberg
