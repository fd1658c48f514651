// Drawing primitives of the image generator: antialiased shapes by signed distance, gradients, text.
#pragma once

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cpixelbuffer.h"

namespace Art {

using VSTGUI::CColor;
using VSTGUI::CPixelBuffer;

// Own sine, cosine and arctangent: plain arithmetic gives the same pixels on every platform.
double dsin (double x);
double dcos (double x);
double datan2 (double y, double x);
constexpr double kPi = 3.14159265358979323846;

CColor mix (CColor a, CColor b, double t);
CColor withAlpha (CColor c, double alpha);

// Coverage of a pixel whose centre lies at signed distance d from an edge (negative inside).
double coverage (double d);

// Every shape is blended over what is there, with its alpha scaled by coverage.
void fillCircle (CPixelBuffer& img, double cx, double cy, double r, CColor c);
// A circle whose colour runs from top-left (light) to bottom-right (dark).
void fillShadedCircle (CPixelBuffer& img, double cx, double cy, double r, CColor light, CColor dark);
void strokeCircle (CPixelBuffer& img, double cx, double cy, double r, double width, CColor c);
// An arc of the ring at radius r, from angle a0 clockwise to a1 (radians, 0 = right, pi/2 = up),
// with round ends.
void strokeArc (CPixelBuffer& img, double cx, double cy, double r, double width, double a0, double a1,
                CColor c);
void strokeLine (CPixelBuffer& img, double x0, double y0, double x1, double y1, double width, CColor c);
void fillRoundRect (CPixelBuffer& img, double l, double t, double r, double b, double radius, CColor top,
                    CColor bottom);
void strokeRoundRect (CPixelBuffer& img, double l, double t, double r, double b, double radius, double width,
                      CColor c);
void fillTriangle (CPixelBuffer& img, double x0, double y0, double x1, double y1, double x2, double y2,
                   CColor c);
// Brushed-metal grain: a fixed hash of the pixel position, strength in levels.
void addGrain (CPixelBuffer& img, int l, int t, int r, int b, int strength, unsigned seed);

// One line of text in the embedded face; spacing adds pixels between letters.
void text (CPixelBuffer& img, const char* s, double l, double t, double r, double b, double size, CColor c,
           VSTGUI::CHoriTxtAlign align = VSTGUI::kCenterText, double spacing = 0);

// Copies src into dst with its top left at (x, y).
void blit (CPixelBuffer& dst, const CPixelBuffer& src, int x, int y);

} // namespace Art
