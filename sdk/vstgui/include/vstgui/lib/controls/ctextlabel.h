// A fixed text.
#pragma once

#include "cparamdisplay.h"

namespace VSTGUI {

class CTextLabel : public CParamDisplay
{
public:
	CTextLabel (const CRect& size, const char* txt = nullptr, CBitmap* background = nullptr,
	            int32_t style = 0);

	virtual void setText (const char* txt);
	const char* getText () const { return text.c_str (); }

protected:
	std::string getDisplayText () const override { return text; }

	std::string text;
};

} // namespace VSTGUI
