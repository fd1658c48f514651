// Rectangles, images and text drawn into a pixel buffer; text with the embedded sans-serif face.
#include "vstgui/lib/cdrawcontext.h"

#include <cmath>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STBTT_STATIC
#define STB_TRUETYPE_IMPLEMENTATION
#include "stb_truetype.h"
#pragma GCC diagnostic pop

namespace VSTGUI {

namespace Detail {
extern const unsigned char* const kSansFont;
extern const size_t kSansFontSize;
} // namespace Detail

namespace {

struct Face
{
	stbtt_fontinfo info {};
	bool ok {false};
	int ascent {0};
	int descent {0};
};

const Face& sansFace ()
{
	static const Face face = [] {
		Face f;
		const int offset = stbtt_GetFontOffsetForIndex (Detail::kSansFont, 0);
		f.ok = offset >= 0 && stbtt_InitFont (&f.info, Detail::kSansFont, offset) != 0;
		if (f.ok)
			stbtt_GetFontVMetrics (&f.info, &f.ascent, &f.descent, nullptr);
		return f;
	}();
	return face;
}

// UTF-8 where the bytes form it, each other byte as its Latin-1 character.
std::vector<int> codepoints (const char* s)
{
	std::vector<int> out;
	const auto* p = reinterpret_cast<const unsigned char*> (s);
	while (p && *p)
	{
		int extra = (*p >= 0xF0 && *p < 0xF5) ? 3 : (*p >= 0xE0 && *p < 0xF0) ? 2 : (*p >= 0xC2 && *p < 0xE0) ? 1 : 0;
		int cp = extra == 3 ? (*p & 0x07) : extra == 2 ? (*p & 0x0F) : (*p & 0x1F);
		bool valid = extra > 0;
		for (int i = 1; valid && i <= extra; ++i)
		{
			if ((p[i] & 0xC0) != 0x80)
				valid = false;
			else
				cp = (cp << 6) | (p[i] & 0x3F);
		}
		if (valid)
		{
			out.push_back (cp);
			p += extra + 1;
		}
		else
		{
			out.push_back (*p);
			++p;
		}
	}
	return out;
}

float fontScale (const Face& face, CCoord size)
{
	const double pixels = std::isfinite (size) ? std::min (std::max (size, 1.0), 256.0) : 12.0;
	return stbtt_ScaleForMappingEmToPixels (&face.info, float (pixels));
}

} // namespace

int32_t pixelCoord (CCoord c)
{
	constexpr CCoord kLimit = 16777216.0;
	if (!(c == c))
		return 0;
	c = std::min (std::max (c, -kLimit), kLimit);
	return static_cast<int32_t> (std::floor (c + 0.5));
}

CDrawContext::CDrawContext (CPixelBuffer& target) : target (target) { resetClipRect (); }

void CDrawContext::resetClipRect () { clip = CRect (0, 0, target.getWidth (), target.getHeight ()); }

void CDrawContext::setClipRect (const CRect& r)
{
	clip = CRect (pixelCoord (r.left), pixelCoord (r.top), pixelCoord (r.right), pixelCoord (r.bottom));
	clip.bound (CRect (0, 0, target.getWidth (), target.getHeight ()));
}

void CDrawContext::setFont (CFontRef f)
{
	if (f)
		font = *f;
}

void CDrawContext::fillRect (const CRect& rect, const CColor& color)
{
	CRect r (pixelCoord (rect.left), pixelCoord (rect.top), pixelCoord (rect.right), pixelCoord (rect.bottom));
	r.bound (clip);
	for (auto y = int32_t (r.top); y < int32_t (r.bottom); ++y)
		for (auto x = int32_t (r.left); x < int32_t (r.right); ++x)
			target.blendPixel (x, y, color);
}

void CDrawContext::drawRect (const CRect& rect, CDrawStyle style)
{
	if (style != kDrawStroked)
		fillRect (rect, fillColor);
	if (style == kDrawFilled)
		return;
	const CCoord l = pixelCoord (rect.left), t = pixelCoord (rect.top);
	const CCoord r = pixelCoord (rect.right), b = pixelCoord (rect.bottom);
	if (r <= l || b <= t)
		return;
	fillRect (CRect (l, t, r, t + 1), frameColor);
	if (b - t > 1)
		fillRect (CRect (l, b - 1, r, b), frameColor);
	fillRect (CRect (l, t + 1, l + 1, b - 1), frameColor);
	if (r - l > 1)
		fillRect (CRect (r - 1, t + 1, r, b - 1), frameColor);
}

void CDrawContext::drawPixels (const CPixelBuffer& source, const CRect& dest, const CPoint& sourceOffset,
                               float alpha)
{
	if (source.isEmpty () || !(alpha > 0.f))
		return;
	const uint32_t coverage = alpha >= 1.f ? 255u : uint32_t (alpha * 255.f + 0.5f);
	const int32_t dl = pixelCoord (dest.left), dt = pixelCoord (dest.top);
	const int32_t sx0 = pixelCoord (sourceOffset.x), sy0 = pixelCoord (sourceOffset.y);
	CRect r (dl, dt, pixelCoord (dest.right), pixelCoord (dest.bottom));
	// Only the part that the source covers.
	r.bound (CRect (CCoord (dl) - sx0, CCoord (dt) - sy0, CCoord (dl) - sx0 + source.getWidth (),
	                CCoord (dt) - sy0 + source.getHeight ()));
	r.bound (clip);
	for (auto y = int32_t (r.top); y < int32_t (r.bottom); ++y)
		for (auto x = int32_t (r.left); x < int32_t (r.right); ++x)
			target.blendPixel (x, y, source.getPixel (x - dl + sx0, y - dt + sy0), coverage);
}

CCoord CDrawContext::getStringWidth (const char* string)
{
	const Face& face = sansFace ();
	if (!face.ok || !string)
		return 0;
	const float scale = fontScale (face, font.getSize ());
	double width = 0;
	int previous = 0;
	for (int cp : codepoints (string))
	{
		int advance = 0, bearing = 0;
		stbtt_GetCodepointHMetrics (&face.info, cp, &advance, &bearing);
		if (previous)
			width += scale * stbtt_GetCodepointKernAdvance (&face.info, previous, cp);
		width += scale * advance;
		previous = cp;
	}
	return width;
}

void CDrawContext::drawString (const char* string, const CRect& rect, CHoriTxtAlign align)
{
	const Face& face = sansFace ();
	if (!face.ok || !string || !*string || fontColor.alpha == 0)
		return;
	const float scale = fontScale (face, font.getSize ());
	const CCoord width = getStringWidth (string);
	CCoord x = rect.left;
	if (align == kCenterText)
		x = rect.left + (rect.getWidth () - width) / 2;
	else if (align == kRightText)
		x = rect.right - width;
	const double textHeight = double (face.ascent - face.descent) * scale;
	const int32_t baseline = pixelCoord (rect.top + (rect.getHeight () - textHeight) / 2 + face.ascent * scale);
	double pen = pixelCoord (x);

	std::vector<unsigned char> glyph;
	int previous = 0;
	for (int cp : codepoints (string))
	{
		if (previous)
			pen += scale * stbtt_GetCodepointKernAdvance (&face.info, previous, cp);
		previous = cp;
		const double whole = std::floor (pen);
		const float shift = float (pen - whole);
		int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
		stbtt_GetCodepointBitmapBoxSubpixel (&face.info, cp, scale, scale, shift, 0.f, &x0, &y0, &x1, &y1);
		const int w = x1 - x0, h = y1 - y0;
		if (w > 0 && h > 0)
		{
			glyph.assign (size_t (w) * size_t (h), 0);
			stbtt_MakeCodepointBitmapSubpixel (&face.info, glyph.data (), w, h, w, scale, scale, shift, 0.f, cp);
			const int32_t gx = int32_t (whole) + x0, gy = baseline + y0;
			for (int j = 0; j < h; ++j)
			{
				const int32_t py = gy + j;
				if (py < clip.top || py >= clip.bottom)
					continue;
				for (int i = 0; i < w; ++i)
				{
					const int32_t px = gx + i;
					if (px >= clip.left && px < clip.right)
						target.blendPixel (px, py, fontColor, glyph[size_t (j) * size_t (w) + size_t (i)]);
				}
			}
		}
		int advance = 0, bearing = 0;
		stbtt_GetCodepointHMetrics (&face.info, cp, &advance, &bearing);
		pen += scale * advance;
	}
}

} // namespace VSTGUI
