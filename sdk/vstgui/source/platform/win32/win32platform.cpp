// Windows: frames in child windows of "HWND" parents, USER32 timers, images from "DATA" resources.
#include "vstgui/lib/platform/headlessframe.h"
#include "win32frame.h"

#include <windows.h>

#include <cstring>
#include <map>
#include <string>

namespace VSTGUI {
namespace Platform {

HMODULE codeModule ()
{
	// The module that holds this code: the plug-in DLL in a host, the executable in a test.
	HMODULE module = nullptr;
	GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
	                    reinterpret_cast<LPCWSTR> (&codeModule), &module);
	return module;
}

namespace {

class Win32Timer : public ITimer
{
public:
	Win32Timer (void (*tick) (void*), void* context) : tick (tick), context (context) {}
	~Win32Timer () override { stop (); }

	bool start (int32_t periodMs) override
	{
		stop ();
		id = SetTimer (nullptr, 0, UINT (periodMs), &Win32Timer::timerProc);
		if (id == 0)
			return false;
		timers ()[id] = this;
		return true;
	}

	void stop () override
	{
		if (id == 0)
			return;
		KillTimer (nullptr, id);
		timers ().erase (id);
		id = 0;
	}

private:
	// Thread timers carry no user data, so the id leads back to the object.
	static std::map<UINT_PTR, Win32Timer*>& timers ()
	{
		static std::map<UINT_PTR, Win32Timer*> all;
		return all;
	}

	static void CALLBACK timerProc (HWND, UINT, UINT_PTR id, DWORD)
	{
		auto it = timers ().find (id);
		if (it != timers ().end () && it->second->tick)
			it->second->tick (it->second->context);
	}

	void (*tick) (void*);
	void* context;
	UINT_PTR id {0};
};

} // namespace

std::unique_ptr<IFrame> createFrame (CFrame& frame, void* parent)
{
	if (!parent)
		return std::make_unique<HeadlessFrame> ();
	return createWin32Frame (frame, static_cast<HWND> (parent));
}

std::unique_ptr<ITimer> createTimer (void (*tick) (void*), void* context)
{
	return std::make_unique<Win32Timer> (tick, context);
}

bool isPlatformTypeSupported (const char* type) { return type && std::strcmp (type, "HWND") == 0; }

bool findResource (const char* name, const void*& data, size_t& size)
{
	if (!name || !*name)
		return false;
	// Stored under upper-case names; the lookup is made with the upper-case form of any name.
	std::wstring wide;
	for (const char* p = name; *p; ++p)
	{
		const unsigned char c = static_cast<unsigned char> (*p);
		wide.push_back (wchar_t ((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c));
	}
	HMODULE module = codeModule ();
	HRSRC info = FindResourceExW (module, L"DATA", wide.c_str (), MAKELANGID (LANG_ENGLISH, SUBLANG_ENGLISH_US));
	if (!info)
		info = FindResourceW (module, wide.c_str (), L"DATA");
	if (!info)
		return false;
	HGLOBAL handle = LoadResource (module, info);
	const void* bytes = handle ? LockResource (handle) : nullptr;
	if (!bytes)
		return false;
	data = bytes;
	size = SizeofResource (module, info);
	return true;
}

} // namespace Platform
} // namespace VSTGUI
