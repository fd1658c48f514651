// The top view of an editor window: background, child views, modal view, focus, and the back buffer.
#pragma once

#include "cview.h"

#include <memory>
#include <vector>

namespace VSTGUI {

class VSTGUIEditorInterface;
namespace Platform { class IFrame; }

class CFrame : public CView
{
public:
	// parent is the native window to live in, or null for a frame that is never shown.
	CFrame (const CRect& size, void* parent, VSTGUIEditorInterface* editor);
	~CFrame () override;

	// The frame takes over the caller's reference; draw order is add order.
	bool addView (CView* view);
	bool removeView (CView* view, bool withForget = true);
	bool removeAll (bool withForget = true);
	bool isChild (CView* view) const;
	int32_t getNbViews () const { return static_cast<int32_t> (views.size ()); }
	CView* getView (int32_t index) const;

	void setBackground (CBitmap* background) override;
	void setBackgroundColor (const CColor& color);

	// While set, the modal view is drawn last and takes every mouse event.
	bool setModalView (CView* view);
	CView* getModalView () const { return modalView; }
	void setFocusView (CView* view);
	CView* getFocusView () const { return focusView; }

	// Sizes from 1 to CPixelBuffer::kMaxSide; false for others.
	bool setSize (CCoord width, CCoord height);

	// Redraws what changed since the last pass into the back buffer and shows it.
	void idle ();
	void invalid () override;
	void invalidateRect (const CRect& rect);
	bool hasDirtyArea () const;

	void draw (CDrawContext* context) override;
	void drawRect (CDrawContext* context, const CRect& updateRect) override;

	// Entry points of the platform (and of tests): frame coordinates, buttons and modifiers.
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const float& distance, const CButtonState& buttons) override;
	int32_t onKeyDown (VstKeyCode& keyCode) override;
	int32_t onKeyUp (VstKeyCode& keyCode) override;

	// Edit brackets of the controls, passed to the editor with the control's tag.
	void beginEdit (int32_t tag);
	void endEdit (int32_t tag);
	VSTGUIEditorInterface* getEditor () const { return editor; }
	int32_t getKnobMode () const;

	void* getSystemWindow () const { return systemWindow; }
	Platform::IFrame* getPlatformFrame () const { return platformFrame.get (); }
	const CPixelBuffer& getBackBuffer () const { return backBuffer; }
	// Brings the back buffer up to date and writes it as a PNG file.
	bool writePNG (const char* path);

private:
	CView* viewAt (const CPoint& where) const;
	void forgetMouseView (CView* view);

	VSTGUIEditorInterface* editor;
	void* systemWindow;
	std::vector<CView*> views;
	CView* modalView {nullptr};
	CView* focusView {nullptr};
	CView* mouseDownView {nullptr};
	CColor backgroundColor {kBlackCColor};
	CPixelBuffer backBuffer;
	std::vector<CRect> dirtyRects;
	std::unique_ptr<Platform::IFrame> platformFrame;
};

} // namespace VSTGUI
