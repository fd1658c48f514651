// A rectangle in frame pixels; it contains its left and top edges but not its right and bottom.
#pragma once

#include "cpoint.h"

#include <algorithm>

namespace VSTGUI {

struct CRect
{
	CRect () = default;
	CRect (CCoord l, CCoord t, CCoord r, CCoord b) : left (l), top (t), right (r), bottom (b) {}
	CRect (const CPoint& origin, const CPoint& size)
	: left (origin.x), top (origin.y), right (origin.x + size.x), bottom (origin.y + size.y)
	{
	}

	CCoord getWidth () const { return right - left; }
	CCoord getHeight () const { return bottom - top; }
	CRect& setWidth (CCoord w)
	{
		right = left + w;
		return *this;
	}
	CRect& setHeight (CCoord h)
	{
		bottom = top + h;
		return *this;
	}
	CPoint getTopLeft () const { return {left, top}; }
	CPoint getSize () const { return {getWidth (), getHeight ()}; }

	CRect& offset (CCoord dx, CCoord dy)
	{
		left += dx;
		right += dx;
		top += dy;
		bottom += dy;
		return *this;
	}
	CRect& moveTo (CCoord x, CCoord y) { return offset (x - left, y - top); }

	// Half-open: a point on the right or bottom edge lies outside.
	bool pointInside (const CPoint& p) const
	{
		return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
	}
	bool isEmpty () const { return !(right > left && bottom > top); }
	bool rectOverlap (const CRect& r) const
	{
		return r.left < right && left < r.right && r.top < bottom && top < r.bottom && !isEmpty () &&
		       !r.isEmpty ();
	}
	CRect& bound (const CRect& r)
	{
		left = std::max (left, r.left);
		top = std::max (top, r.top);
		right = std::max (left, std::min (right, r.right));
		bottom = std::max (top, std::min (bottom, r.bottom));
		return *this;
	}
	CRect& unite (const CRect& r)
	{
		if (r.isEmpty ())
			return *this;
		if (isEmpty ())
			return *this = r;
		left = std::min (left, r.left);
		top = std::min (top, r.top);
		right = std::max (right, r.right);
		bottom = std::max (bottom, r.bottom);
		return *this;
	}
	bool operator== (const CRect& o) const
	{
		return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
	}
	bool operator!= (const CRect& o) const { return !(*this == o); }

	CCoord left {0};
	CCoord top {0};
	CCoord right {0};
	CCoord bottom {0};
};

} // namespace VSTGUI
