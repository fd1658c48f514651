// An editable text: a click starts editing, Enter or a loss of focus commits, Escape cancels.
#pragma once

#include "cparamdisplay.h"

namespace VSTGUI {

class CTextEdit : public CParamDisplay
{
public:
	// Longer texts are cut to this many bytes.
	static constexpr size_t kMaxTextLength = 255;

	CTextEdit (const CRect& size, CControlListener* listener, int32_t tag, const char* txt = nullptr,
	           CBitmap* background = nullptr, int32_t style = 0);

	virtual void setText (const char* txt);
	const char* getText () const { return text.c_str (); }
	// Copies at most maxSize - 1 bytes and a terminating zero; nothing for a null buffer or size 0.
	void getText (char* txt, size_t maxSize) const;

	bool isEditingText () const { return editingText; }
	// What the user has typed so far (the layer's own editing).
	const std::string& getEditText () const { return editBuffer; }
	// Ends editing on the next loss of focus without taking the typed text.
	void cancelEditing () { cancelled = true; }

	void draw (CDrawContext* context) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	int32_t onKeyDown (VstKeyCode& keyCode) override;
	bool wantsFocus () const override { return true; }
	void takeFocus () override;
	void looseFocus () override;
	bool removed (CFrame* parent) override;

protected:
	std::string getDisplayText () const override { return text; }
	void commit (const std::string& newText);

	std::string text;
	std::string editBuffer;
	size_t caret {0};
	bool allSelected {false};
	bool editingText {false};
	bool nativeEditing {false};
	bool cancelled {false};
};

} // namespace VSTGUI
