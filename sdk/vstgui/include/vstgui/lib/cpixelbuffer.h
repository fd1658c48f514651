// An RGBA pixel buffer (8 bits per channel, straight alpha, rows top to bottom) and its PNG form.
#pragma once

#include "ccolor.h"

#include <vector>

namespace VSTGUI {

class CPixelBuffer
{
public:
	CPixelBuffer () = default;
	// Sizes outside 0 to kMaxSide give an empty buffer.
	CPixelBuffer (int32_t width, int32_t height, CColor fill = CColor (0, 0, 0, 0));

	static constexpr int32_t kMaxSide = 32768;
	static constexpr int64_t kMaxPixels = int64_t (1) << 26;

	int32_t getWidth () const { return width; }
	int32_t getHeight () const { return height; }
	bool isEmpty () const { return width == 0 || height == 0; }

	// Out-of-range coordinates read as transparent black and ignore writes.
	CColor getPixel (int32_t x, int32_t y) const;
	void setPixel (int32_t x, int32_t y, CColor c);
	// Source-over blend of c, with its alpha scaled by coverage (0 to 255).
	void blendPixel (int32_t x, int32_t y, CColor c, uint32_t coverage = 255);

	uint8_t* getData () { return pixels.data (); }
	const uint8_t* getData () const { return pixels.data (); }
	size_t getByteSize () const { return pixels.size (); }

	// 8-bit RGBA PNG; false when the file cannot be written or the buffer is empty.
	bool writePNG (const char* path) const;
	// Decodes PNG (or any format the decoder reads) bytes into RGBA; empty on failure.
	static CPixelBuffer decode (const void* data, size_t size);

	bool operator== (const CPixelBuffer& o) const
	{
		return width == o.width && height == o.height && pixels == o.pixels;
	}

private:
	int32_t width {0};
	int32_t height {0};
	std::vector<uint8_t> pixels;
};

} // namespace VSTGUI
