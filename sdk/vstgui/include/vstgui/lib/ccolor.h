// An 8-bit RGBA colour (straight alpha) and the predefined colours.
#pragma once

#include "vstguibase.h"

namespace VSTGUI {

struct CColor
{
	constexpr CColor (uint8_t r = 0, uint8_t g = 0, uint8_t b = 0, uint8_t a = 255)
	: red (r), green (g), blue (b), alpha (a)
	{
	}
	constexpr bool operator== (const CColor& o) const
	{
		return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
	}
	constexpr bool operator!= (const CColor& o) const { return !(*this == o); }

	uint8_t red;
	uint8_t green;
	uint8_t blue;
	uint8_t alpha;
};

constexpr CColor MakeCColor (uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) { return CColor (r, g, b, a); }

constexpr CColor kTransparentCColor (255, 255, 255, 0);
constexpr CColor kBlackCColor (0, 0, 0, 255);
constexpr CColor kWhiteCColor (255, 255, 255, 255);
constexpr CColor kGreyCColor (127, 127, 127, 255);

} // namespace VSTGUI
