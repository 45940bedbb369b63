// KtSIP, the empty input method: its registration as it stands in the
// registry (and leaves and rejoins the device's input methods through
// regsvr32), and KtIM in this process: its record, its window, its callback,
// its library's unloading, and closing the side bar when deselected.
#include "input_fixture.h"

#include <commctrl.h>

#include <algorithm>

namespace {

using namespace testkit;
using namespace inputtest;

const wchar_t kLibrary[] = L"D:\\Windows\\KtSIP.dll";
const wchar_t kClassKey[] = L"CLSID\\{22575F6F-DA76-4FCC-9E67-2AF7C74D0580}";
const wchar_t kLibId[] = L"{C7B40B9C-2F3B-4127-B6D6-418013AF2B96}";
const GUID kLibGuid = {0xC7B40B9C, 0x2F3B, 0x4127, {0xB6, 0xD6, 0x41, 0x80, 0x13, 0xAF, 0x2B, 0x96}};
const wchar_t kWindowClass[] = L"42429670-ae04-11d0-a4f8-00aa00a749b9 - KetraIMWndClass";

std::wstring Classes(const std::wstring& key, const wchar_t* name = nullptr)
{
    return ReadText(key, name, HKEY_CLASSES_ROOT);
}

bool RectIs(const RECT& rect, int left, int top, int right, int bottom)
{
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

// A host's callback that counts what the method tells it.
class RecordingCallback : public IIMCallback {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE SetImInfo(IMINFO* info) override
    {
        ++infos;
        last = *info;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SendVirtualKey(BYTE, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SendCharEvents(UINT, UINT, UINT, UINT*, UINT*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SendString(BSTR, DWORD) override { return S_OK; }

    int refs = 1;
    int infos = 0;
    IMINFO last = {};
};

// regsvr32's exit code (0 when it succeeded).
DWORD RunRegsvr32(const std::wstring& args)
{
    wchar_t system[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    DeviceProgram regsvr32(std::wstring(system) + L"\\regsvr32.exe", args + L" " + kLibrary);
    DWORD code = 0xFFFF;
    return regsvr32.WaitExit(30000, &code) ? code : 0xFFFF;
}

bool Listed(const wchar_t* name)
{
    const std::vector<std::wstring> names = MethodNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

class KtSipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(kKtIM, nullptr, CLSCTX_INPROC_SERVER, IID_IInputMethod,
                                               reinterpret_cast<void**>(&method))));
        library = GetModuleHandleW(L"KtSIP.dll");
        ASSERT_NE(nullptr, library);
    }
    void TearDown() override
    {
        if (method)
            method->Release();
        CoUninitialize();
    }
    HRESULT CanUnloadNow() const
    {
        auto canUnload =
            reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
        return canUnload ? canUnload() : E_FAIL;
    }

    IInputMethod* method = nullptr;
    HMODULE library = nullptr;
    RegistrySandbox system_{{kSystemKey}};
};

TEST_F(KtSipTest, RegistrationTextsAndTypeLibrary)
{
    EXPECT_EQ(L"KtIM Class", Classes(L"KtSIP.KtIM.1"));
    EXPECT_EQ(kKtIMText, Classes(L"KtSIP.KtIM.1\\CLSID"));
    EXPECT_EQ(L"KtIM Class", Classes(L"KtSIP.KtIM"));
    EXPECT_EQ(kKtIMText, Classes(L"KtSIP.KtIM\\CLSID"));
    EXPECT_EQ(L"KtSIP.KtIM.1", Classes(L"KtSIP.KtIM\\CurVer"));
    const std::wstring key = kClassKey;
    EXPECT_EQ(L"KtIM Class", Classes(key));
    EXPECT_EQ(L"KtSIP.KtIM.1", Classes(key + L"\\ProgID"));
    EXPECT_EQ(L"KtSIP.KtIM", Classes(key + L"\\VersionIndependentProgID"));
    EXPECT_TRUE(HasKey(key + L"\\Programmable", HKEY_CLASSES_ROOT));
    EXPECT_EQ(kLibrary, Classes(key + L"\\InprocServer32"));
    EXPECT_EQ(L"Apartment", Classes(key + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(kLibId, Classes(key + L"\\TypeLib"));
    EXPECT_EQ(L"1", Classes(key + L"\\IsSIPInputMethod"));  // the installer's
    EXPECT_EQ(L"KtSIP 1.0 Type Library", Classes(std::wstring(L"TypeLib\\") + kLibId + L"\\1.0"));

    ITypeLib* types = nullptr;
    ASSERT_EQ(S_OK, LoadRegTypeLib(kLibGuid, 1, 0, 0, &types));
    BSTR help = nullptr;
    ASSERT_EQ(S_OK, types->GetDocumentation(-1, nullptr, &help, nullptr, nullptr));
    EXPECT_STREQ(L"KtSIP 1.0 Type Library", help);
    SysFreeString(help);
    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(S_OK, types->GetTypeInfoOfGuid(kKtIM, &coclass));
    BSTR name = nullptr;
    coclass->GetDocumentation(MEMBERID_NIL, nullptr, &help, nullptr, nullptr);
    EXPECT_STREQ(L"KtIM Class", help);
    SysFreeString(help);
    // Its default interface "IKtIM Interface": no methods of its own.
    HREFTYPE ref = 0;
    ITypeInfo* iface = nullptr;
    ASSERT_EQ(S_OK, coclass->GetRefTypeOfImplType(0, &ref));
    ASSERT_EQ(S_OK, coclass->GetRefTypeInfo(ref, &iface));
    iface->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr);
    EXPECT_STREQ(L"IKtIM", name);
    EXPECT_STREQ(L"IKtIM Interface", help);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(S_OK, iface->GetTypeAttr(&attr));
    EXPECT_EQ(0, attr->cFuncs);
    wchar_t iid[64];
    StringFromGUID2(attr->guid, iid, 64);
    EXPECT_STREQ(L"{518E7D2E-14D7-4DEE-9E24-7FC76E75A667}", iid);
    // The object answers for it.
    IUnknown* asKtIM = nullptr;
    EXPECT_EQ(S_OK, method->QueryInterface(attr->guid, reinterpret_cast<void**>(&asKtIM)));
    if (asKtIM)
        asKtIM->Release();
    iface->ReleaseTypeAttr(attr);
    SysFreeString(name);
    SysFreeString(help);
    iface->Release();
    coclass->Release();
    types->Release();
}

TEST_F(KtSipTest, UnregisteringLeavesTheMethodListAndRegisteringComesBack)
{
    method->Release();
    method = nullptr;
    CoFreeUnusedLibraries();
    ASSERT_TRUE(Listed(L"KtIM Class"));
    ASSERT_EQ(0u, RunRegsvr32(L"/s /u"));
    EXPECT_FALSE(HasKey(kClassKey, HKEY_CLASSES_ROOT));
    EXPECT_FALSE(HasKey(L"KtSIP.KtIM", HKEY_CLASSES_ROOT));
    EXPECT_FALSE(HasKey(L"KtSIP.KtIM.1", HKEY_CLASSES_ROOT));
    EXPECT_FALSE(HasKey(std::wstring(L"TypeLib\\") + kLibId, HKEY_CLASSES_ROOT));
    EXPECT_FALSE(Listed(L"KtIM Class"));

    // Registered again, and made an input method again as the installer does.
    EXPECT_EQ(0u, RunRegsvr32(L"/s"));
    WriteText(std::wstring(kClassKey) + L"\\IsSIPInputMethod", nullptr, L"1", HKEY_CLASSES_ROOT);
    EXPECT_TRUE(Listed(L"KtIM Class"));
    EXPECT_EQ(kLibrary, Classes(std::wstring(kClassKey) + L"\\InprocServer32"));
}

TEST_F(KtSipTest, RecordIsReadyBeforeSelectAndAfter)
{
    IMINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_EQ(S_OK, method->GetInfo(&info));
    EXPECT_EQ(sizeof(IMINFO), info.cbSize);
    EXPECT_EQ(56u, sizeof(IMINFO));
    EXPECT_EQ((DWORD)SIPF_DOCKED, info.fdwFlags);
    EXPECT_TRUE(RectIs(info.rcSipRect, 0, 294, 239, 294));
    EXPECT_EQ(0, info.iNarrow);
    EXPECT_EQ(0, info.iWide);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize((HIMAGELIST)info.hImageNarrow, &cx, &cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);
    ASSERT_TRUE(ImageList_GetIconSize((HIMAGELIST)info.hImageWide, &cx, &cy));
    EXPECT_EQ(32, cx);
    EXPECT_EQ(16, cy);
    EXPECT_EQ(E_POINTER, method->GetInfo(nullptr));

    TestWindow panel(L"KtImTestPanel", {0, 200, 240, 294});
    ASSERT_EQ(S_OK, method->Select(panel.hwnd()));
    HWND child = FindChild(panel.hwnd(), kWindowClass);
    ASSERT_NE(nullptr, child);
    EXPECT_TRUE(RectIs(WindowRect(child), 0, 200, 10, 210));
    IMINFO after = {};
    after.cbSize = sizeof(after);
    ASSERT_EQ(S_OK, method->GetInfo(&after));
    EXPECT_TRUE(RectIs(after.rcSipRect, 0, 294, 239, 294));
    EXPECT_EQ(info.hImageNarrow, after.hImageNarrow) << "the image lists are made once";

    EXPECT_EQ(E_NOTIMPL, method->GetImData(0, nullptr));
    EXPECT_EQ(E_NOTIMPL, method->SetImData(0, nullptr));
    EXPECT_EQ(E_NOTIMPL, method->UserOptionsDlg(panel.hwnd()));
    EXPECT_EQ(S_OK, method->Hiding());
    EXPECT_EQ(S_OK, method->ReceiveSipInfo(nullptr));
    IUnknown* other = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(E_NOINTERFACE, method->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&other)));
    EXPECT_EQ(nullptr, other);

    // Deselect destroys what Select made; a second one finds nothing to do.
    ASSERT_EQ(S_OK, method->Deselect());
    EXPECT_FALSE(IsWindow(child));
    WNDCLASSW wc = {};
    EXPECT_FALSE(GetClassInfoW(library, kWindowClass, &wc));
    EXPECT_EQ(S_OK, method->Deselect());
}

TEST_F(KtSipTest, DeselectBeforeSelectDestroysNothing)
{
    EXPECT_EQ(S_OK, method->Deselect());
    EXPECT_EQ(S_OK, method->Deselect());
    TestWindow panel(L"KtImTestPanel", {0, 200, 240, 294});
    EXPECT_EQ(S_OK, method->Select(panel.hwnd()));
    EXPECT_NE(nullptr, FindChild(panel.hwnd(), kWindowClass));
}

TEST_F(KtSipTest, ShowingHandsTheRecordToTheCallback)
{
    EXPECT_EQ(S_OK, method->Showing());  // no callback yet: nothing to tell
    RecordingCallback callback;
    EXPECT_NE(S_OK, method->RegisterCallback(nullptr));
    ASSERT_EQ(S_OK, method->RegisterCallback(&callback));
    ASSERT_EQ(S_OK, method->Showing());
    EXPECT_EQ(1, callback.infos);
    EXPECT_EQ(sizeof(IMINFO), callback.last.cbSize);
    EXPECT_TRUE(RectIs(callback.last.rcSipRect, 0, 294, 239, 294));
    EXPECT_NE(nullptr, callback.last.hImageNarrow);
    method->Release();
    method = nullptr;
    EXPECT_EQ(1, callback.refs) << "the method let its callback go";
}

TEST_F(KtSipTest, LibraryMayUnloadOnlyWithNoObjectOrLock)
{
    EXPECT_EQ(S_FALSE, CanUnloadNow());
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, CoGetClassObject(kKtIM, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     reinterpret_cast<void**>(&factory)));
    method->Release();
    method = nullptr;
    EXPECT_EQ(S_OK, CanUnloadNow());
    factory->LockServer(TRUE);
    EXPECT_EQ(S_FALSE, CanUnloadNow());
    factory->LockServer(FALSE);
    EXPECT_EQ(S_OK, CanUnloadNow());
    factory->Release();
}

// The side bar is a window of the test standing in for it.
TEST_F(KtSipTest, DeselectClosesTheBarOnlyWhileItShowsTheMethodsApplet)
{
    TestWindow bar(KETRA_CLASS, {0, 50, 240, 150});
    auto closes = [&] { return (int)bar.Messages(WM_KETRA_WINDOW).size(); };
    WriteText(KETRA_OPTIONS_KEY, L"LastIM", L"Keyboard");
    WriteText(KETRA_OPTIONS_KEY, KETRA_CURRENT_APPLET_VALUE, L"keyboard");  // names ignore case
    method->Deselect();
    ASSERT_EQ(1, closes());
    EXPECT_EQ((WPARAM)KETRA_WINDOW_CLOSE, bar.Messages(WM_KETRA_WINDOW)[0].wParam);

    WriteText(KETRA_OPTIONS_KEY, KETRA_CURRENT_APPLET_VALUE, L"Clock");
    method->Deselect();
    EXPECT_EQ(1, closes());
    DeleteValue(KETRA_OPTIONS_KEY, L"LastIM");
    method->Deselect();
    EXPECT_EQ(1, closes());
}

}  // namespace
