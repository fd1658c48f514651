// Font descriptions; every font is drawn with the embedded sans-serif face.
#pragma once

#include "vstguibase.h"

#include <string>

namespace VSTGUI {

enum CTxtFace : int32_t
{
	kNormalFace = 0,
	kBoldFace = 1 << 1,
	kItalicFace = 1 << 2,
	kUnderlineFace = 1 << 3
};

// Held by value wherever it is used, so the predefined fonts never depend on reference counts.
class CFontDesc
{
public:
	CFontDesc (const char* name = "Arial", CCoord size = 12, int32_t style = kNormalFace)
	: name (name ? name : ""), size (size), style (style)
	{
	}
	const std::string& getName () const { return name; }
	CCoord getSize () const { return size; }
	int32_t getStyle () const { return style; }
	void setSize (CCoord s) { size = s; }
	void setStyle (int32_t s) { style = s; }

private:
	std::string name;
	CCoord size;
	int32_t style;
};

using CFontRef = const CFontDesc*;

extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig; // 18 pixels
extern const CFontRef kNormalFontBig;     // 14 pixels
extern const CFontRef kNormalFont;        // 12 pixels
extern const CFontRef kNormalFontSmall;   // 11 pixels

} // namespace VSTGUI
