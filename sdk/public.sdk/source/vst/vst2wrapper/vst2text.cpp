// UTF-16 to UTF-8 and back for the texts that cross the VST 2.4 boundary.
#include "public.sdk/source/vst/vst2wrapper/vst2text.h"

namespace Steinberg {
namespace Vst {

namespace {

constexpr uint32 kReplacement = 0xFFFD;

size_t encodeUtf8 (uint32 c, char* out)
{
	if (c < 0x80)
	{
		out[0] = static_cast<char> (c);
		return 1;
	}
	if (c < 0x800)
	{
		out[0] = static_cast<char> (0xC0 | (c >> 6));
		out[1] = static_cast<char> (0x80 | (c & 0x3F));
		return 2;
	}
	if (c < 0x10000)
	{
		out[0] = static_cast<char> (0xE0 | (c >> 12));
		out[1] = static_cast<char> (0x80 | ((c >> 6) & 0x3F));
		out[2] = static_cast<char> (0x80 | (c & 0x3F));
		return 3;
	}
	out[0] = static_cast<char> (0xF0 | (c >> 18));
	out[1] = static_cast<char> (0x80 | ((c >> 12) & 0x3F));
	out[2] = static_cast<char> (0x80 | ((c >> 6) & 0x3F));
	out[3] = static_cast<char> (0x80 | (c & 0x3F));
	return 4;
}

// One UTF-8 sequence at text; its length in bytes, or 0 when the bytes do not form one.
size_t decodeUtf8 (const unsigned char* text, uint32& c)
{
	const unsigned char lead = text[0];
	size_t length = 0;
	if (lead >= 0xC2 && lead <= 0xDF)
	{
		c = lead & 0x1F;
		length = 2;
	}
	else if (lead >= 0xE0 && lead <= 0xEF)
	{
		c = lead & 0x0F;
		length = 3;
	}
	else if (lead >= 0xF0 && lead <= 0xF4)
	{
		c = lead & 0x07;
		length = 4;
	}
	else
	{
		return 0;
	}
	for (size_t i = 1; i < length; ++i)
	{
		if ((text[i] & 0xC0) != 0x80)
			return 0;
		c = (c << 6) | (text[i] & 0x3F);
	}
	const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
	if (overlong || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
		return 0;
	return length;
}

} // namespace

void copyToHostText (const TChar* source, char* destination, size_t maxLen)
{
	if (!destination)
		return;
	size_t length = 0;
	for (const TChar* s = source; s && *s; ++s)
	{
		uint32 c = static_cast<uint16> (*s);
		if (c >= 0xD800 && c < 0xDC00 && s[1] >= 0xDC00 && s[1] < 0xE000)
		{
			c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint16> (s[1]) - 0xDC00);
			++s;
		}
		else if (c >= 0xD800 && c < 0xE000)
		{
			c = kReplacement;
		}
		char bytes[4];
		const size_t count = encodeUtf8 (c, bytes);
		if (length + count > maxLen)
			break;
		for (size_t i = 0; i < count; ++i)
			destination[length++] = bytes[i];
	}
	destination[length] = 0;
}

void copyFromHostText (const char* source, String128 destination)
{
	if (!destination)
		return;
	constexpr size_t kLimit = sizeof (String128) / sizeof (TChar) - 1;
	size_t length = 0;
	const auto* text = reinterpret_cast<const unsigned char*> (source);
	while (text && *text && length < kLimit)
	{
		uint32 c = *text;
		size_t used = c < 0x80 ? 1 : decodeUtf8 (text, c);
		if (used == 0)
		{
			c = *text; // Latin-1
			used = 1;
		}
		if (c >= 0x10000)
		{
			if (length + 2 > kLimit)
				break;
			c -= 0x10000;
			destination[length++] = static_cast<TChar> (0xD800 + (c >> 10));
			destination[length++] = static_cast<TChar> (0xDC00 + (c & 0x3FF));
		}
		else
		{
			destination[length++] = static_cast<TChar> (c);
		}
		text += used;
	}
	destination[length] = 0;
}

} // namespace Vst
} // namespace Steinberg
