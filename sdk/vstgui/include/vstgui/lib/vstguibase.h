// Basic types of the GUI layer: coordinates, reference counting, mouse and key codes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace VSTGUI {

using CCoord = double;

enum CMessageResult
{
	kMessageUnknown = 0,
	kMessageNotified = 1
};

// Reference counted base: a new object holds one reference; the last forget deletes it.
class CBaseObject
{
public:
	CBaseObject () = default;
	CBaseObject (const CBaseObject&) = delete;
	CBaseObject& operator= (const CBaseObject&) = delete;
	virtual ~CBaseObject () = default;

	virtual void remember () { ++nbReference; }
	virtual void forget ()
	{
		if (nbReference > 0 && --nbReference == 0)
			delete this;
	}
	virtual int32_t getNbReference () const { return nbReference; }

	virtual CMessageResult notify (CBaseObject* /*sender*/, const char* /*message*/)
	{
		return kMessageUnknown;
	}

private:
	int32_t nbReference {1};
};

// Mouse buttons and modifier keys held during a mouse event.
enum CButton : int32_t
{
	kLButton = 1 << 0,
	kMButton = 1 << 1,
	kRButton = 1 << 2,
	kShift = 1 << 3,
	kControl = 1 << 4,
	kAlt = 1 << 5,
	kApple = 1 << 6,
	kDoubleClick = 1 << 7
};

class CButtonState
{
public:
	CButtonState (int32_t s = 0) : state (s) {}
	int32_t getButtonState () const { return state; }
	int32_t getModifierState () const { return state & (kShift | kControl | kAlt | kApple); }
	bool isLeftButton () const { return (state & kLButton) != 0; }
	bool operator== (const CButtonState& other) const { return state == other.state; }
	bool operator!= (const CButtonState& other) const { return state != other.state; }
	int32_t operator& (int32_t mask) const { return state & mask; }
	operator int32_t () const { return state; }

private:
	int32_t state;
};

enum CMouseEventResult
{
	kMouseEventNotImplemented = 0,
	kMouseEventHandled,
	kMouseEventNotHandled,
	kMouseDownEventHandledButDontNeedMovedOrUpEvents
};

// Keys: `character` for printable keys, `virt` for the others (numbered as VST hosts number them).
enum VirtualKey : uint8_t
{
	VKEY_BACK = 1,
	VKEY_TAB,
	VKEY_CLEAR,
	VKEY_RETURN,
	VKEY_PAUSE,
	VKEY_ESCAPE,
	VKEY_SPACE,
	VKEY_NEXT,
	VKEY_END,
	VKEY_HOME,
	VKEY_LEFT,
	VKEY_UP,
	VKEY_RIGHT,
	VKEY_DOWN,
	VKEY_PAGEUP,
	VKEY_PAGEDOWN,
	VKEY_SELECT,
	VKEY_PRINT,
	VKEY_ENTER,
	VKEY_SNAPSHOT,
	VKEY_INSERT,
	VKEY_DELETE
};

enum KeyModifier : uint8_t
{
	MODIFIER_SHIFT = 1 << 0,
	MODIFIER_ALTERNATE = 1 << 1,
	MODIFIER_COMMAND = 1 << 2,
	MODIFIER_CONTROL = 1 << 3
};

struct VstKeyCode
{
	int32_t character {0};
	uint8_t virt {0};
	uint8_t modifier {0};
};

class CFrame;
class CView;
class CControl;
class CBitmap;
class CDrawContext;

} // namespace VSTGUI
