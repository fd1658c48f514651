// A list of entries shown as a pop-up menu; the value is the index of the chosen entry.
#pragma once

#include "cparamdisplay.h"

#include <vector>

namespace VSTGUI {

class COptionMenu : public CParamDisplay
{
public:
	enum { kNoFlags = 0, kDisabled = 1 << 0, kChecked = 1 << 1 };

	COptionMenu (const CRect& size, CControlListener* listener, int32_t tag,
	             CBitmap* background = nullptr, CBitmap* bgWhenClick = nullptr, int32_t style = 0);
	~COptionMenu () override;

	// index -1 (or any index past the end) appends; returns the entry's index, -1 for a null text.
	virtual int32_t addEntry (const char* txt, int32_t index = -1, int32_t itemFlags = kNoFlags);
	virtual bool removeEntry (int32_t index);
	virtual bool removeAllEntry ();
	int32_t getNbEntries () const { return static_cast<int32_t> (entries.size ()); }
	// The entry's text, or null outside the entries.
	const char* getEntry (int32_t index) const;
	int32_t getEntryFlags (int32_t index) const;
	int32_t getCurrentIndex () const { return static_cast<int32_t> (value); }

	// An index outside the entries, or NaN, is ignored; a fraction is cut toward zero.
	void setValue (float val) override;
	bool setCurrent (int32_t index) { return setCurrentIndex (index); }

	void draw (CDrawContext* context) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;

	// What the platform's menu reports: the user picked entry index.
	void choose (int32_t index);

protected:
	bool setCurrentIndex (int32_t index);
	std::string getDisplayText () const override;

	struct Entry
	{
		std::string text;
		int32_t flags;
	};
	std::vector<Entry> entries;
	CBitmap* bgWhenClick;
};

} // namespace VSTGUI
