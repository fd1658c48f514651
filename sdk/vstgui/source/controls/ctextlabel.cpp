// A fixed line of text.
#include "vstgui/lib/controls/ctextlabel.h"

namespace VSTGUI {

CTextLabel::CTextLabel (const CRect& size, const char* txt, CBitmap* background, int32_t style)
: CParamDisplay (size, background, style), text (txt ? txt : "")
{
}

void CTextLabel::setText (const char* txt)
{
	const std::string newText = txt ? txt : "";
	if (newText != text)
	{
		text = newText;
		setDirty ();
	}
}

} // namespace VSTGUI
