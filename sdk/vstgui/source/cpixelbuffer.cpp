// Pixel buffer storage, blending, and PNG reading and writing through the stb headers.
#include "vstgui/lib/cpixelbuffer.h"

#include <algorithm>
#include <climits>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include "stb_image.h"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb_image_write.h"
#pragma GCC diagnostic pop

namespace VSTGUI {

CPixelBuffer::CPixelBuffer (int32_t w, int32_t h, CColor fill)
{
	if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || int64_t (w) * h > kMaxPixels)
		return;
	width = w;
	height = h;
	pixels.resize (size_t (w) * size_t (h) * 4);
	for (size_t i = 0; i < pixels.size (); i += 4)
	{
		pixels[i] = fill.red;
		pixels[i + 1] = fill.green;
		pixels[i + 2] = fill.blue;
		pixels[i + 3] = fill.alpha;
	}
}

CColor CPixelBuffer::getPixel (int32_t x, int32_t y) const
{
	if (x < 0 || y < 0 || x >= width || y >= height)
		return CColor (0, 0, 0, 0);
	const uint8_t* p = &pixels[(size_t (y) * size_t (width) + size_t (x)) * 4];
	return CColor (p[0], p[1], p[2], p[3]);
}

void CPixelBuffer::setPixel (int32_t x, int32_t y, CColor c)
{
	if (x < 0 || y < 0 || x >= width || y >= height)
		return;
	uint8_t* p = &pixels[(size_t (y) * size_t (width) + size_t (x)) * 4];
	p[0] = c.red;
	p[1] = c.green;
	p[2] = c.blue;
	p[3] = c.alpha;
}

void CPixelBuffer::blendPixel (int32_t x, int32_t y, CColor c, uint32_t coverage)
{
	if (x < 0 || y < 0 || x >= width || y >= height)
		return;
	const uint32_t a = (uint32_t (c.alpha) * std::min<uint32_t> (coverage, 255) + 127) / 255;
	if (a == 0)
		return;
	uint8_t* p = &pixels[(size_t (y) * size_t (width) + size_t (x)) * 4];
	if (a == 255)
	{
		p[0] = c.red;
		p[1] = c.green;
		p[2] = c.blue;
		p[3] = 255;
		return;
	}
	// Source over destination, straight alpha, in units of 1/255.
	const uint32_t dstWeight = (uint32_t (p[3]) * (255 - a) + 127) / 255;
	const uint32_t outA = a + dstWeight;
	auto mix = [&] (uint8_t src, uint8_t dst) {
		return uint8_t ((uint32_t (src) * a + uint32_t (dst) * dstWeight + outA / 2) / outA);
	};
	p[0] = mix (c.red, p[0]);
	p[1] = mix (c.green, p[1]);
	p[2] = mix (c.blue, p[2]);
	p[3] = uint8_t (outA);
}

bool CPixelBuffer::writePNG (const char* path) const
{
	if (!path || isEmpty ())
		return false;
	return stbi_write_png (path, width, height, 4, pixels.data (), width * 4) != 0;
}

CPixelBuffer CPixelBuffer::decode (const void* data, size_t size)
{
	CPixelBuffer result;
	if (!data || size == 0 || size > size_t (INT_MAX))
		return result;
	int w = 0, h = 0, channels = 0;
	stbi_uc* decoded = stbi_load_from_memory (static_cast<const stbi_uc*> (data), int (size), &w, &h,
	                                          &channels, 4);
	if (!decoded)
		return result;
	CPixelBuffer image (w, h);
	if (!image.isEmpty ())
	{
		std::copy (decoded, decoded + image.pixels.size (), image.pixels.begin ());
		result = std::move (image);
	}
	stbi_image_free (decoded);
	return result;
}

} // namespace VSTGUI
