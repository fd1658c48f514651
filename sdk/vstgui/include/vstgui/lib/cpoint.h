// A point in frame pixels.
#pragma once

#include "vstguibase.h"

namespace VSTGUI {

struct CPoint
{
	CPoint (CCoord x = 0, CCoord y = 0) : x (x), y (y) {}

	CPoint& offset (CCoord dx, CCoord dy)
	{
		x += dx;
		y += dy;
		return *this;
	}
	bool operator== (const CPoint& o) const { return x == o.x && y == o.y; }
	bool operator!= (const CPoint& o) const { return !(*this == o); }

	CCoord x;
	CCoord y;
};

} // namespace VSTGUI
