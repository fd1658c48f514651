// Shared by the GUI layer tests: a recording listener and editor, synthetic filmstrips, mouse helpers.
#pragma once

#include "vstgui/lib/platform/headlessframe.h"
#include "vstgui/vstgui.h"

#include <algorithm>
#include <string>
#include <vector>

namespace VSTGUI {
namespace Testing {

// Everything the controls report, in order: "begin tag", "value tag v", "end tag",
// and the frame's edit brackets as "frame-begin tag" / "frame-end tag".
struct Recorder : CControlListener, VSTGUIEditorInterface
{
	std::vector<std::string> events;
	std::vector<float> values;
	long modifierAnswer {0};

	void valueChanged (CControl* c) override
	{
		values.push_back (c->getValue ());
		events.push_back ("value " + std::to_string (c->getTag ()));
	}
	long controlModifierClicked (CControl* c, long) override
	{
		events.push_back ("modifier " + std::to_string (c->getTag ()));
		return modifierAnswer;
	}
	void controlBeginEdit (CControl* c) override { events.push_back ("begin " + std::to_string (c->getTag ())); }
	void controlEndEdit (CControl* c) override { events.push_back ("end " + std::to_string (c->getTag ())); }
	void beginEdit (int32_t tag) override { events.push_back ("frame-begin " + std::to_string (tag)); }
	void endEdit (int32_t tag) override { events.push_back ("frame-end " + std::to_string (tag)); }

	// The events without the frame's brackets.
	std::vector<std::string> listenerEvents () const
	{
		std::vector<std::string> out;
		for (const auto& e : events)
			if (e.rfind ("frame-", 0) != 0)
				out.push_back (e);
		return out;
	}
	void clear ()
	{
		events.clear ();
		values.clear ();
	}
};

// A filmstrip of `frames` frames of width x frameHeight, frame i filled with colour (i, 100, 200).
inline CBitmap* makeFilmstrip (int32_t width, int32_t frameHeight, int32_t frames, int32_t extraRows = 0)
{
	CPixelBuffer pixels (width, frameHeight * frames + extraRows);
	for (int32_t y = 0; y < pixels.getHeight (); ++y)
		for (int32_t x = 0; x < width; ++x)
			pixels.setPixel (x, y, CColor (uint8_t (std::min (y / frameHeight, 255)), 100, 200, 255));
	return new CBitmap (pixels);
}

inline CBitmap* makeSolid (int32_t width, int32_t height, CColor c)
{
	return new CBitmap (CPixelBuffer (width, height, c));
}

inline void press (CFrame& frame, CCoord x, CCoord y, int32_t buttons = kLButton)
{
	CPoint p (x, y);
	frame.onMouseDown (p, buttons);
}
inline void move (CFrame& frame, CCoord x, CCoord y, int32_t buttons = kLButton)
{
	CPoint p (x, y);
	frame.onMouseMoved (p, buttons);
}
inline void release (CFrame& frame, CCoord x, CCoord y, int32_t buttons = kLButton)
{
	CPoint p (x, y);
	frame.onMouseUp (p, buttons);
}
inline void click (CFrame& frame, CCoord x, CCoord y, int32_t buttons = kLButton)
{
	press (frame, x, y, buttons);
	release (frame, x, y, buttons);
}
inline void typeKey (CFrame& frame, char c)
{
	VstKeyCode key;
	key.character = c;
	frame.onKeyDown (key);
}
inline void typeVirtual (CFrame& frame, uint8_t virt)
{
	VstKeyCode key;
	key.virt = virt;
	frame.onKeyDown (key);
}
inline void typeText (CFrame& frame, const char* text)
{
	for (const char* p = text; *p; ++p)
		typeKey (frame, *p);
}

} // namespace Testing
} // namespace VSTGUI
