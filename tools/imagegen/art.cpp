// Drawing primitives of the image generator.
#include "art.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Art {

double dsin (double x)
{
	x -= 2 * kPi * std::floor (x / (2 * kPi) + 0.5); // to [-pi, pi]
	if (x > kPi / 2)
		x = kPi - x;
	else if (x < -kPi / 2)
		x = -kPi - x;
	const double x2 = x * x;
	double term = x, sum = x;
	for (int n = 1; n < 9; ++n)
	{
		term *= -x2 / double ((2 * n) * (2 * n + 1));
		sum += term;
	}
	return sum;
}

double dcos (double x) { return dsin (x + kPi / 2); }

double datan2 (double y, double x)
{
	if (x == 0 && y == 0)
		return 0;
	const double ax = std::fabs (x), ay = std::fabs (y);
	const double z = std::min (ax, ay) / std::max (ax, ay);
	// atan on [0, 1] by the series of atan(z) = 2 atan(z / (1 + sqrt(1 + z^2))), which converges fast.
	const double h = z / (1 + std::sqrt (1 + z * z));
	const double h2 = h * h;
	double term = h, sum = h;
	for (int n = 1; n < 12; ++n)
	{
		term *= -h2;
		sum += term / double (2 * n + 1);
	}
	double a = 2 * sum;
	if (ay > ax)
		a = kPi / 2 - a;
	if (x < 0)
		a = kPi - a;
	return y < 0 ? -a : a;
}

CColor mix (CColor a, CColor b, double t)
{
	t = std::min (std::max (t, 0.0), 1.0);
	auto m = [t] (int x, int y) { return uint8_t (std::floor (x + (y - x) * t + 0.5)); };
	return CColor (m (a.red, b.red), m (a.green, b.green), m (a.blue, b.blue), m (a.alpha, b.alpha));
}

CColor withAlpha (CColor c, double alpha)
{
	c.alpha = uint8_t (std::floor (std::min (std::max (alpha, 0.0), 1.0) * 255 + 0.5));
	return c;
}

double coverage (double d) { return std::min (std::max (0.5 - d, 0.0), 1.0); }

namespace {

void plot (CPixelBuffer& img, int x, int y, CColor c, double cov)
{
	if (cov <= 0)
		return;
	img.blendPixel (x, y, c, uint32_t (std::floor (cov * 255 + 0.5)));
}

// Calls f(x, y, px, py) for each pixel of the box around a shape, px/py the pixel's centre.
template <typename F>
void forBox (CPixelBuffer& img, double l, double t, double r, double b, F f)
{
	const int x0 = std::max (0, int (std::floor (l)) - 1), y0 = std::max (0, int (std::floor (t)) - 1);
	const int x1 = std::min (img.getWidth (), int (std::ceil (r)) + 1);
	const int y1 = std::min (img.getHeight (), int (std::ceil (b)) + 1);
	for (int y = y0; y < y1; ++y)
		for (int x = x0; x < x1; ++x)
			f (x, y, x + 0.5, y + 0.5);
}

double roundRectDistance (double px, double py, double l, double t, double r, double b, double radius)
{
	const double cx = (l + r) / 2, cy = (t + b) / 2;
	const double hx = (r - l) / 2 - radius, hy = (b - t) / 2 - radius;
	const double qx = std::fabs (px - cx) - hx, qy = std::fabs (py - cy) - hy;
	const double ox = std::max (qx, 0.0), oy = std::max (qy, 0.0);
	return std::sqrt (ox * ox + oy * oy) + std::min (std::max (qx, qy), 0.0) - radius;
}

} // namespace

void fillCircle (CPixelBuffer& img, double cx, double cy, double r, CColor c)
{
	forBox (img, cx - r, cy - r, cx + r, cy + r, [&] (int x, int y, double px, double py) {
		const double d = std::sqrt ((px - cx) * (px - cx) + (py - cy) * (py - cy)) - r;
		plot (img, x, y, c, coverage (d));
	});
}

void fillShadedCircle (CPixelBuffer& img, double cx, double cy, double r, CColor light, CColor dark)
{
	forBox (img, cx - r, cy - r, cx + r, cy + r, [&] (int x, int y, double px, double py) {
		const double d = std::sqrt ((px - cx) * (px - cx) + (py - cy) * (py - cy)) - r;
		const double t = ((px - cx) + (py - cy)) / (2.8 * r) + 0.5;
		plot (img, x, y, mix (light, dark, t), coverage (d));
	});
}

void strokeCircle (CPixelBuffer& img, double cx, double cy, double r, double width, CColor c)
{
	const double outer = r + width / 2;
	forBox (img, cx - outer, cy - outer, cx + outer, cy + outer, [&] (int x, int y, double px, double py) {
		const double d = std::fabs (std::sqrt ((px - cx) * (px - cx) + (py - cy) * (py - cy)) - r) - width / 2;
		plot (img, x, y, c, coverage (d));
	});
}

void strokeArc (CPixelBuffer& img, double cx, double cy, double r, double width, double a0, double a1, CColor c)
{
	if (a1 > a0)
		return;
	const double outer = r + width;
	const double e0x = cx + r * dcos (a0), e0y = cy - r * dsin (a0);
	const double e1x = cx + r * dcos (a1), e1y = cy - r * dsin (a1);
	forBox (img, cx - outer, cy - outer, cx + outer, cy + outer, [&] (int x, int y, double px, double py) {
		const double dx = px - cx, dy = py - cy;
		double a = datan2 (-dy, dx);
		// Bring the angle into (a1 - 2pi, a1] and see if it lies on the arc.
		while (a > a0)
			a -= 2 * kPi;
		while (a < a1)
			a += 2 * kPi;
		double d;
		if (a <= a0 && a >= a1)
			d = std::fabs (std::sqrt (dx * dx + dy * dy) - r) - width / 2;
		else
			d = std::min (std::sqrt ((px - e0x) * (px - e0x) + (py - e0y) * (py - e0y)),
			              std::sqrt ((px - e1x) * (px - e1x) + (py - e1y) * (py - e1y))) -
			    width / 2;
		plot (img, x, y, c, coverage (d));
	});
}

void strokeLine (CPixelBuffer& img, double x0, double y0, double x1, double y1, double width, CColor c)
{
	const double vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
	forBox (img, std::min (x0, x1) - width, std::min (y0, y1) - width, std::max (x0, x1) + width,
	        std::max (y0, y1) + width, [&] (int x, int y, double px, double py) {
		        double t = len2 > 0 ? ((px - x0) * vx + (py - y0) * vy) / len2 : 0;
		        t = std::min (std::max (t, 0.0), 1.0);
		        const double qx = x0 + t * vx - px, qy = y0 + t * vy - py;
		        plot (img, x, y, c, coverage (std::sqrt (qx * qx + qy * qy) - width / 2));
	        });
}

void fillRoundRect (CPixelBuffer& img, double l, double t, double r, double b, double radius, CColor top,
                    CColor bottom)
{
	forBox (img, l, t, r, b, [&] (int x, int y, double px, double py) {
		const double d = roundRectDistance (px, py, l, t, r, b, radius);
		plot (img, x, y, mix (top, bottom, (py - t) / std::max (1.0, b - t)), coverage (d));
	});
}

void strokeRoundRect (CPixelBuffer& img, double l, double t, double r, double b, double radius, double width,
                      CColor c)
{
	forBox (img, l, t, r, b, [&] (int x, int y, double px, double py) {
		const double d = std::fabs (roundRectDistance (px, py, l + width / 2, t + width / 2, r - width / 2,
		                                               b - width / 2, std::max (0.0, radius - width / 2))) -
		                 width / 2;
		plot (img, x, y, c, coverage (d));
	});
}

void fillTriangle (CPixelBuffer& img, double x0, double y0, double x1, double y1, double x2, double y2, CColor c)
{
	auto edge = [] (double ax, double ay, double bx, double by, double px, double py) {
		const double ex = bx - ax, ey = by - ay, len = std::sqrt (ex * ex + ey * ey);
		return len > 0 ? ((px - ax) * ey - (py - ay) * ex) / len : 0;
	};
	// Inside, every edge's signed distance is negative once the winding is taken into account.
	const double sign = (x1 - x0) * (y2 - y0) - (y1 - y0) * (x2 - x0) > 0 ? 1 : -1;
	forBox (img, std::min ({x0, x1, x2}), std::min ({y0, y1, y2}), std::max ({x0, x1, x2}),
	        std::max ({y0, y1, y2}), [&] (int x, int y, double px, double py) {
		        const double d = std::max ({sign * edge (x0, y0, x1, y1, px, py), sign * edge (x1, y1, x2, y2, px, py),
		                                    sign * edge (x2, y2, x0, y0, px, py)});
		        plot (img, x, y, c, coverage (d));
	        });
}

void addGrain (CPixelBuffer& img, int l, int t, int r, int b, int strength, unsigned seed)
{
	for (int y = std::max (0, t); y < std::min (b, img.getHeight ()); ++y)
	{
		for (int x = std::max (0, l); x < std::min (r, img.getWidth ()); ++x)
		{
			unsigned h = unsigned (x) * 73856093u ^ unsigned (y / 2) * 19349663u ^ seed * 83492791u;
			h ^= h >> 13;
			h *= 0x5bd1e995u;
			h ^= h >> 15;
			const int delta = int (h % unsigned (2 * strength + 1)) - strength;
			CColor c = img.getPixel (x, y);
			auto add = [delta] (uint8_t v) { return uint8_t (std::min (255, std::max (0, int (v) + delta))); };
			img.setPixel (x, y, CColor (add (c.red), add (c.green), add (c.blue), c.alpha));
		}
	}
}

void text (CPixelBuffer& img, const char* s, double l, double t, double r, double b, double size, CColor c,
           VSTGUI::CHoriTxtAlign align, double spacing)
{
	VSTGUI::CDrawContext context (img);
	context.setFont (VSTGUI::CFontDesc ("Arial", size));
	context.setFontColor (c);
	if (spacing == 0)
	{
		context.drawString (s, VSTGUI::CRect (l, t, r, b), align);
		return;
	}
	const std::string str (s);
	double width = 0;
	for (char ch : str)
		width += context.getStringWidth (std::string (1, ch).c_str ()) + spacing;
	width -= spacing;
	double x = align == VSTGUI::kLeftText ? l : align == VSTGUI::kRightText ? r - width : (l + r - width) / 2;
	for (char ch : str)
	{
		const std::string one (1, ch);
		const double w = context.getStringWidth (one.c_str ());
		context.drawString (one.c_str (), VSTGUI::CRect (x, t, x + w, b), VSTGUI::kLeftText);
		x += w + spacing;
	}
}

void blit (CPixelBuffer& dst, const CPixelBuffer& src, int x, int y)
{
	for (int j = 0; j < src.getHeight (); ++j)
		for (int i = 0; i < src.getWidth (); ++i)
			dst.setPixel (x + i, y + j, src.getPixel (i, j));
}

} // namespace Art
