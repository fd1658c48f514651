// Rectangles and hit tests: half-open edges, overlap and clipping.
#include "vstgui/vstgui.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VSTGUI;

TEST (CRectTest, ContainsLeftAndTopEdgesButNotRightAndBottom)
{
	const CRect r (79, 101, 167, 189);
	EXPECT_TRUE (r.pointInside (CPoint (79, 101)));
	EXPECT_TRUE (r.pointInside (CPoint (166.9, 188.9)));
	EXPECT_FALSE (r.pointInside (CPoint (167, 150)));
	EXPECT_FALSE (r.pointInside (CPoint (100, 189)));
	EXPECT_FALSE (r.pointInside (CPoint (78.9, 150)));
	EXPECT_FALSE (r.pointInside (CPoint (std::numeric_limits<double>::quiet_NaN (), 150)));
	EXPECT_FALSE (CRect (5, 5, 5, 10).pointInside (CPoint (5, 7)));
}

TEST (CRectTest, SizeOffsetOverlapAndBound)
{
	CRect r (0, 0, 88, 88);
	r.offset (79, 101);
	EXPECT_EQ (r, CRect (79, 101, 167, 189));
	EXPECT_EQ (r.getWidth (), 88);
	EXPECT_EQ (CRect (CPoint (10, 20), CPoint (5, 6)), CRect (10, 20, 15, 26));

	// Touching rectangles do not overlap.
	EXPECT_FALSE (CRect (0, 0, 10, 10).rectOverlap (CRect (10, 0, 20, 10)));
	EXPECT_TRUE (CRect (0, 0, 10, 10).rectOverlap (CRect (9, 9, 20, 20)));

	CRect clipped (-5, -5, 50, 50);
	clipped.bound (CRect (0, 0, 20, 30));
	EXPECT_EQ (clipped, CRect (0, 0, 20, 30));
	CRect outside (40, 40, 50, 50);
	EXPECT_TRUE (outside.bound (CRect (0, 0, 20, 30)).isEmpty ());

	CRect all;
	all.unite (CRect (1, 2, 3, 4)).unite (CRect (10, 0, 12, 3)).unite (CRect ());
	EXPECT_EQ (all, CRect (1, 0, 12, 4));
}

TEST (CViewTest, HitTestUsesTheHalfOpenViewRectangle)
{
	CView view (CRect (13, 351, 69, 376));
	EXPECT_TRUE (view.hitTest (CPoint (13, 351), 0));
	EXPECT_TRUE (view.hitTest (CPoint (68, 375), 0));
	EXPECT_FALSE (view.hitTest (CPoint (69, 360), 0));
	EXPECT_FALSE (view.hitTest (CPoint (40, 376), 0));
	view.setViewSize (CRect (0, 0, 10, 10));
	EXPECT_TRUE (view.hitTest (CPoint (0, 0)));
	EXPECT_FALSE (view.hitTest (CPoint (13, 351)));
}
