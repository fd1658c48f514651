// The frame's native child window on Windows: blits the back buffer, turns mouse, wheel and keys
// into the frame's entry points, and shows native pop-up menus and edit fields.
#include "win32frame.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/ctextedit.h"

#include <windowsx.h>

#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {
namespace Platform {

namespace {

const wchar_t kClassName[] = L"TessalineVSTGUIFrame";
// Posted by the edit field when Enter, Escape or a loss of focus ends it; wParam 1 keeps the text.
constexpr UINT kMsgEndTextEdit = WM_APP + 1;
// Long menus are split into columns of this many entries, so every entry stays on the screen.
constexpr int32_t kMenuColumn = 18;

int classUsers = 0;

std::wstring widen (const std::string& s)
{
	if (s.empty ())
		return {};
	const int n = MultiByteToWideChar (CP_ACP, 0, s.data (), int (s.size ()), nullptr, 0);
	std::wstring w (size_t (std::max (n, 0)), L'\0');
	if (n > 0)
		MultiByteToWideChar (CP_ACP, 0, s.data (), int (s.size ()), &w[0], n);
	return w;
}

std::string narrow (const std::wstring& w)
{
	if (w.empty ())
		return {};
	const int n = WideCharToMultiByte (CP_ACP, 0, w.data (), int (w.size ()), nullptr, 0, nullptr, nullptr);
	std::string s (size_t (std::max (n, 0)), '\0');
	if (n > 0)
		WideCharToMultiByte (CP_ACP, 0, w.data (), int (w.size ()), &s[0], n, nullptr, nullptr);
	return s;
}

CButtonState buttonsOf (WPARAM keys)
{
	int32_t state = 0;
	if (keys & MK_LBUTTON)
		state |= kLButton;
	if (keys & MK_RBUTTON)
		state |= kRButton;
	if (keys & MK_MBUTTON)
		state |= kMButton;
	if (keys & MK_SHIFT)
		state |= kShift;
	if (keys & MK_CONTROL)
		state |= kControl;
	if (GetKeyState (VK_MENU) < 0)
		state |= kAlt;
	return state;
}

uint8_t virtualKeyOf (WPARAM vk)
{
	switch (vk)
	{
		case VK_BACK: return VKEY_BACK;
		case VK_TAB: return VKEY_TAB;
		case VK_RETURN: return VKEY_RETURN;
		case VK_ESCAPE: return VKEY_ESCAPE;
		case VK_END: return VKEY_END;
		case VK_HOME: return VKEY_HOME;
		case VK_LEFT: return VKEY_LEFT;
		case VK_UP: return VKEY_UP;
		case VK_RIGHT: return VKEY_RIGHT;
		case VK_DOWN: return VKEY_DOWN;
		case VK_DELETE: return VKEY_DELETE;
		default: return 0;
	}
}

uint8_t modifiersNow ()
{
	uint8_t m = 0;
	if (GetKeyState (VK_SHIFT) < 0)
		m |= MODIFIER_SHIFT;
	if (GetKeyState (VK_MENU) < 0)
		m |= MODIFIER_ALTERNATE;
	if (GetKeyState (VK_CONTROL) < 0)
		m |= MODIFIER_CONTROL;
	return m;
}

class Win32Frame : public IFrame
{
public:
	explicit Win32Frame (CFrame& frame) : frame (frame) {}

	~Win32Frame () override
	{
		*alive = false;
		destroyEditField ();
		if (hwnd)
		{
			SetWindowLongPtrW (hwnd, GWLP_USERDATA, 0);
			DestroyWindow (hwnd);
		}
		if (registered && --classUsers == 0)
			UnregisterClassW (kClassName, codeModule ());
	}

	bool create (HWND parent)
	{
		if (!IsWindow (parent))
			return false;
		HMODULE module = codeModule ();
		if (classUsers == 0)
		{
			WNDCLASSW wc {};
			wc.lpfnWndProc = &Win32Frame::windowProc;
			wc.hInstance = module;
			wc.hCursor = LoadCursorW (nullptr, reinterpret_cast<LPCWSTR> (IDC_ARROW));
			wc.lpszClassName = kClassName;
			if (!RegisterClassW (&wc))
				return false;
		}
		++classUsers;
		registered = true;
		const CRect& size = frame.getViewSize ();
		hwnd = CreateWindowExW (0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
		                        int (size.getWidth ()), int (size.getHeight ()), parent, nullptr, module, this);
		return hwnd != nullptr;
	}

	HWND getWindow () const { return hwnd; }

	void invalidRect (const CRect& r) override
	{
		RECT rc {LONG (r.left), LONG (r.top), LONG (r.right), LONG (r.bottom)};
		InvalidateRect (hwnd, &rc, FALSE);
	}

	bool setSize (const CRect& r) override
	{
		return SetWindowPos (hwnd, nullptr, 0, 0, int (r.getWidth ()), int (r.getHeight ()),
		                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
	}

	int32_t popupMenu (COptionMenu& menu) override
	{
		HMENU popup = CreatePopupMenu ();
		if (!popup)
			return -1;
		const int32_t count = menu.getNbEntries ();
		for (int32_t i = 0; i < count; ++i)
		{
			UINT flags = MF_STRING;
			if (i == menu.getCurrentIndex ())
				flags |= MF_CHECKED;
			if (menu.getEntryFlags (i) & COptionMenu::kDisabled)
				flags |= MF_GRAYED;
			if (count > 2 * kMenuColumn && i > 0 && i % kMenuColumn == 0)
				flags |= MF_MENUBARBREAK;
			AppendMenuW (popup, flags, UINT_PTR (i + 1), widen (menu.getEntry (i)).c_str ());
		}
		const CRect& r = menu.getViewSize ();
		POINT at {LONG (r.left), LONG (r.bottom)};
		ClientToScreen (hwnd, &at);
		// Runs its own message loop; this object may be gone when it returns, so nothing of it is used after.
		const int chosen = TrackPopupMenu (popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTBUTTON,
		                                   at.x, at.y, 0, hwnd, nullptr);
		DestroyMenu (popup);
		return chosen > 0 ? chosen - 1 : -1;
	}

	bool startTextEdit (CTextEdit& edit) override
	{
		destroyEditField ();
		const CRect& r = edit.getViewSize ();
		DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
		style |= edit.getHoriAlign () == kCenterText ? ES_CENTER : edit.getHoriAlign () == kRightText ? ES_RIGHT : ES_LEFT;
		const int height = int (r.getHeight ()), fontSize = int (edit.getFont ().getSize ());
		const int fieldHeight = std::min (height, fontSize + 6);
		editWindow = CreateWindowExW (0, L"EDIT", widen (edit.getText ()).c_str (), style, int (r.left),
		                              int (r.top) + (height - fieldHeight) / 2, int (r.getWidth ()), fieldHeight, hwnd,
		                              nullptr, codeModule (), nullptr);
		if (!editWindow)
			return false;
		editing = &edit;
		editFont = CreateFontW (-fontSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
		                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
		editBrush = CreateSolidBrush (RGB (16, 18, 20));
		if (editFont)
			SendMessageW (editWindow, WM_SETFONT, WPARAM (editFont), FALSE);
		SendMessageW (editWindow, EM_LIMITTEXT, CTextEdit::kMaxTextLength, 0);
		SetWindowLongPtrW (editWindow, GWLP_USERDATA, LONG_PTR (this));
		editProcBefore = reinterpret_cast<WNDPROC> (
		    SetWindowLongPtrW (editWindow, GWLP_WNDPROC, LONG_PTR (&Win32Frame::editFieldProc)));
		SetFocus (editWindow);
		SendMessageW (editWindow, EM_SETSEL, 0, -1);
		return true;
	}

	void stopTextEdit (CTextEdit& edit, std::string& text) override
	{
		if (!editWindow || editing != &edit)
			return;
		const int length = GetWindowTextLengthW (editWindow);
		std::wstring typed (size_t (std::max (length, 0)) + 1, L'\0');
		GetWindowTextW (editWindow, &typed[0], length + 1);
		typed.resize (size_t (std::max (length, 0)));
		text = narrow (typed);
		destroyEditField ();
		SetFocus (hwnd);
	}

private:
	void destroyEditField ()
	{
		editing = nullptr;
		if (editWindow)
		{
			HWND field = editWindow;
			editWindow = nullptr;
			SetWindowLongPtrW (field, GWLP_WNDPROC, LONG_PTR (editProcBefore));
			SetWindowLongPtrW (field, GWLP_USERDATA, 0);
			DestroyWindow (field);
		}
		if (editFont)
			DeleteObject (editFont), editFont = nullptr;
		if (editBrush)
			DeleteObject (editBrush), editBrush = nullptr;
	}

	void paint ()
	{
		PAINTSTRUCT ps;
		HDC dc = BeginPaint (hwnd, &ps);
		const CPixelBuffer& pixels = frame.getBackBuffer ();
		RECT rc = ps.rcPaint;
		rc.right = std::min<LONG> (rc.right, pixels.getWidth ());
		rc.bottom = std::min<LONG> (rc.bottom, pixels.getHeight ());
		const int w = rc.right - rc.left, h = rc.bottom - rc.top;
		if (dc && w > 0 && h > 0)
		{
			// The dirty part only, as a top-down 32-bit DIB (blue, green, red, unused).
			std::vector<uint8_t> bgra (size_t (w) * size_t (h) * 4);
			for (int y = 0; y < h; ++y)
			{
				for (int x = 0; x < w; ++x)
				{
					const CColor c = pixels.getPixel (rc.left + x, rc.top + y);
					uint8_t* p = &bgra[(size_t (y) * size_t (w) + size_t (x)) * 4];
					p[0] = c.blue;
					p[1] = c.green;
					p[2] = c.red;
					p[3] = 0;
				}
			}
			BITMAPINFO info {};
			info.bmiHeader.biSize = sizeof (BITMAPINFOHEADER);
			info.bmiHeader.biWidth = w;
			info.bmiHeader.biHeight = -h;
			info.bmiHeader.biPlanes = 1;
			info.bmiHeader.biBitCount = 32;
			info.bmiHeader.biCompression = BI_RGB;
			SetDIBitsToDevice (dc, rc.left, rc.top, DWORD (w), DWORD (h), 0, 0, 0, UINT (h), bgra.data (), &info,
			                   DIB_RGB_COLORS);
		}
		EndPaint (hwnd, &ps);
	}

	// Every call into the frame may end with this object destroyed (a listener can close the editor).
	LRESULT handle (UINT message, WPARAM wParam, LPARAM lParam)
	{
		const std::shared_ptr<bool> token = alive;
		CPoint where (GET_X_LPARAM (lParam), GET_Y_LPARAM (lParam));
		switch (message)
		{
			case WM_ERASEBKGND: return 1;
			case WM_PAINT:
				frame.idle ();
				if (*token)
					paint ();
				return 0;
			case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
			case WM_LBUTTONDOWN:
			case WM_RBUTTONDOWN:
			case WM_MBUTTONDOWN:
			{
				SetFocus (hwnd);
				if (!*token)
					return 0;
				const CMouseEventResult result = frame.onMouseDown (where, buttonsOf (wParam));
				if (!*token)
					return 0;
				if (result == kMouseEventHandled)
					SetCapture (hwnd);
				frame.idle ();
				return 0;
			}
			case WM_MOUSEMOVE:
				if (GetCapture () == hwnd)
				{
					frame.onMouseMoved (where, buttonsOf (wParam));
					if (*token)
						frame.idle ();
				}
				return 0;
			case WM_LBUTTONUP:
			case WM_RBUTTONUP:
			case WM_MBUTTONUP:
				if (GetCapture () == hwnd)
				{
					frame.onMouseUp (where, buttonsOf (wParam));
					if (!*token)
						return 0;
					ReleaseCapture ();
					frame.idle ();
				}
				return 0;
			case WM_CAPTURECHANGED:
				frame.onMouseCancel ();
				return 0;
			case WM_MOUSEWHEEL:
			{
				POINT p {GET_X_LPARAM (lParam), GET_Y_LPARAM (lParam)};
				ScreenToClient (hwnd, &p);
				const float distance = float (GET_WHEEL_DELTA_WPARAM (wParam)) / float (WHEEL_DELTA);
				frame.onWheel (CPoint (p.x, p.y), distance, buttonsOf (GET_KEYSTATE_WPARAM (wParam)));
				if (*token)
					frame.idle ();
				return 0;
			}
			case WM_KEYDOWN:
			{
				VstKeyCode key;
				key.virt = virtualKeyOf (wParam);
				key.modifier = modifiersNow ();
				if (key.virt == 0 || frame.onKeyDown (key) != 1)
					break;
				if (*token)
					frame.idle ();
				return 0;
			}
			case WM_CHAR:
			{
				if (wParam < 32)
					return 0;
				VstKeyCode key;
				key.character = int32_t (wParam);
				key.modifier = modifiersNow ();
				frame.onKeyDown (key);
				if (*token)
					frame.idle ();
				return 0;
			}
			case WM_CTLCOLOREDIT:
				if (HWND (lParam) == editWindow && editBrush)
				{
					HDC dc = HDC (wParam);
					SetTextColor (dc, RGB (235, 235, 235));
					SetBkColor (dc, RGB (16, 18, 20));
					return LRESULT (editBrush);
				}
				break;
			case kMsgEndTextEdit:
				if (editing)
				{
					if (wParam == 0)
						editing->cancelEditing ();
					frame.setFocusView (nullptr);
					if (*token)
						frame.idle ();
				}
				return 0;
			default: break;
		}
		return DefWindowProcW (hwnd, message, wParam, lParam);
	}

	static LRESULT CALLBACK windowProc (HWND window, UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == WM_NCCREATE)
		{
			auto* create = reinterpret_cast<CREATESTRUCTW*> (lParam);
			SetWindowLongPtrW (window, GWLP_USERDATA, LONG_PTR (create->lpCreateParams));
		}
		auto* self = reinterpret_cast<Win32Frame*> (GetWindowLongPtrW (window, GWLP_USERDATA));
		if (!self || self->hwnd != window)
			return DefWindowProcW (window, message, wParam, lParam);
		return self->handle (message, wParam, lParam);
	}

	static LRESULT CALLBACK editFieldProc (HWND field, UINT message, WPARAM wParam, LPARAM lParam)
	{
		auto* self = reinterpret_cast<Win32Frame*> (GetWindowLongPtrW (field, GWLP_USERDATA));
		if (!self || self->editWindow != field)
			return DefWindowProcW (field, message, wParam, lParam);
		// The field is taken down by the frame's window, never inside its own procedure.
		switch (message)
		{
			case WM_KEYDOWN:
				if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_TAB)
				{
					PostMessageW (self->hwnd, kMsgEndTextEdit, wParam == VK_ESCAPE ? 0 : 1, 0);
					return 0;
				}
				break;
			case WM_CHAR:
				if (wParam == '\r' || wParam == 27 || wParam == '\t')
					return 0;
				break;
			case WM_KILLFOCUS: PostMessageW (self->hwnd, kMsgEndTextEdit, 1, 0); break;
			case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
			default: break;
		}
		return CallWindowProcW (self->editProcBefore, field, message, wParam, lParam);
	}

	CFrame& frame;
	HWND hwnd {nullptr};
	bool registered {false};
	std::shared_ptr<bool> alive {std::make_shared<bool> (true)};
	HWND editWindow {nullptr};
	WNDPROC editProcBefore {nullptr};
	CTextEdit* editing {nullptr};
	HFONT editFont {nullptr};
	HBRUSH editBrush {nullptr};
};

} // namespace

std::unique_ptr<IFrame> createWin32Frame (CFrame& frame, HWND parent)
{
	auto window = std::make_unique<Win32Frame> (frame);
	if (!window->create (parent))
		return nullptr;
	return window;
}

} // namespace Platform
} // namespace VSTGUI
