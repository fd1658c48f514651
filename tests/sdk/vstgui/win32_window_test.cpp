// The frame in a real child window (needs an X display under wine): input messages, painting,
// native menus and edit fields, and teardown.
#include "vstgui_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace VSTGUI;
using namespace VSTGUI::Testing;

namespace {

void pumpMessages ()
{
	MSG msg;
	for (int round = 0; round < 20; ++round)
	{
		while (PeekMessageW (&msg, nullptr, 0, 0, PM_REMOVE))
		{
			TranslateMessage (&msg);
			DispatchMessageW (&msg);
		}
		Sleep (5);
	}
}

LPARAM at (int x, int y) { return MAKELPARAM (x, y); }

// While a pop-up menu runs its own loop, picks the entry `menuSteps` down from the top.
int menuSteps = 0;
void CALLBACK chooseInMenu (HWND, UINT, UINT_PTR id, DWORD)
{
	HWND menu = FindWindowW (L"#32768", nullptr);
	if (!menu)
		return;
	KillTimer (nullptr, id);
	for (int i = 0; i < menuSteps; ++i)
		PostMessageW (menu, WM_KEYDOWN, VK_DOWN, 0);
	PostMessageW (menu, WM_KEYDOWN, VK_RETURN, 0);
}

class Win32WindowTest : public ::testing::Test
{
protected:
	void SetUp () override
	{
		parent = CreateWindowExW (0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420, 300, nullptr,
		                          nullptr, GetModuleHandleW (nullptr), nullptr);
		ASSERT_NE (parent, nullptr) << "no display";
		frame = new CFrame (CRect (0, 0, 300, 200), parent, &rec);
		knob = new CAnimKnob (CRect (10, 10, 98, 98), &rec, 1, nullptr);
		button = new COnOffButton (CRect (120, 10, 162, 41), &rec, 2, nullptr);
		field = new CTextEdit (CRect (10, 120, 93, 145), &rec, 3, "-6.02");
		field->setFont (kNormalFontBig);
		menu = new COptionMenu (CRect (120, 120, 265, 150), &rec, 4);
		for (int i = 0; i < 36; ++i)
			menu->addEntry (("Preset " + std::to_string (i)).c_str ());
		frame->setBackgroundColor (CColor (10, 200, 30, 255));
		for (CView* v : std::initializer_list<CView*> {knob, button, field, menu})
			frame->addView (v);
		child = GetWindow (parent, GW_CHILD);
	}
	void TearDown () override
	{
		if (frame)
			frame->forget ();
		if (parent)
			DestroyWindow (parent);
	}

	Recorder rec;
	HWND parent {nullptr};
	HWND child {nullptr};
	CFrame* frame {nullptr};
	CAnimKnob* knob {nullptr};
	COnOffButton* button {nullptr};
	CTextEdit* field {nullptr};
	COptionMenu* menu {nullptr};
};

} // namespace

TEST_F (Win32WindowTest, LivesInAChildWindowAndPaintsTheBackBuffer)
{
	ASSERT_NE (child, nullptr);
	EXPECT_EQ (Platform::HeadlessFrame::of (frame), nullptr);
	RECT rc;
	GetClientRect (child, &rc);
	EXPECT_EQ (rc.right, 300);
	EXPECT_EQ (rc.bottom, 200);
	RedrawWindow (child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
	HDC dc = GetDC (child);
	EXPECT_EQ (GetPixel (dc, 290, 190), RGB (10, 200, 30));
	ReleaseDC (child, dc);

	// Taken down with the frame.
	frame->forget ();
	frame = nullptr;
	EXPECT_FALSE (IsWindow (child));
}

TEST_F (Win32WindowTest, MouseAndWheelMessagesReachTheControls)
{
	SendMessageW (child, WM_LBUTTONDOWN, MK_LBUTTON, at (50, 60));
	SendMessageW (child, WM_MOUSEMOVE, MK_LBUTTON, at (50, 40));
	SendMessageW (child, WM_MOUSEMOVE, MK_LBUTTON, at (50, 20));
	SendMessageW (child, WM_LBUTTONUP, 0, at (50, 20));
	EXPECT_NEAR (knob->getValue (), 0.2f, 1e-5);
	EXPECT_EQ (rec.listenerEvents (), (std::vector<std::string> {"begin 1", "value 1", "value 1", "end 1"}));

	SendMessageW (child, WM_LBUTTONDOWN, MK_LBUTTON, at (130, 20));
	SendMessageW (child, WM_LBUTTONUP, 0, at (130, 20));
	EXPECT_EQ (button->getValue (), 1.f);

	POINT screen {50, 50};
	ClientToScreen (child, &screen);
	SendMessageW (child, WM_MOUSEWHEEL, MAKEWPARAM (0, WHEEL_DELTA), MAKELPARAM (screen.x, screen.y));
	EXPECT_NEAR (knob->getValue (), 0.3f, 1e-5);
}

TEST_F (Win32WindowTest, TextIsEditedInANativeFieldAndCommittedOnEnter)
{
	SendMessageW (child, WM_LBUTTONDOWN, MK_LBUTTON, at (40, 130));
	SendMessageW (child, WM_LBUTTONUP, 0, at (40, 130));
	HWND edit = FindWindowExW (child, nullptr, L"EDIT", nullptr);
	ASSERT_NE (edit, nullptr);
	SetWindowTextW (edit, L"-12");
	SendMessageW (edit, WM_KEYDOWN, VK_RETURN, 0);
	pumpMessages ();
	EXPECT_STREQ (field->getText (), "-12");
	EXPECT_FALSE (IsWindow (edit));
	EXPECT_EQ (rec.listenerEvents (), (std::vector<std::string> {"begin 3", "value 3", "end 3"}));

	// Escape leaves the text as it was.
	rec.clear ();
	SendMessageW (child, WM_LBUTTONDOWN, MK_LBUTTON, at (40, 130));
	SendMessageW (child, WM_LBUTTONUP, 0, at (40, 130));
	edit = FindWindowExW (child, nullptr, L"EDIT", nullptr);
	ASSERT_NE (edit, nullptr);
	SetWindowTextW (edit, L"99");
	SendMessageW (edit, WM_KEYDOWN, VK_ESCAPE, 0);
	pumpMessages ();
	EXPECT_STREQ (field->getText (), "-12");
	EXPECT_TRUE (rec.events.empty ());
}

TEST_F (Win32WindowTest, OptionMenuPopsUpNativelyAndReportsTheChoice)
{
	menuSteps = 30;
	SetTimer (nullptr, 0, 100, &chooseInMenu);
	SendMessageW (child, WM_LBUTTONDOWN, MK_LBUTTON, at (150, 130));
	SendMessageW (child, WM_LBUTTONUP, 0, at (150, 130));
	EXPECT_EQ (menu->getCurrentIndex (), 29);
	EXPECT_EQ (rec.listenerEvents (), (std::vector<std::string> {"begin 4", "value 4", "end 4"}));
}
