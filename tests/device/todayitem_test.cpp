// The owner-and-date Today item (ownerdate.dll), loaded the way a host
// loads it: ordinal 240 with a TODAYLISTITEM, polled with query-refresh,
// sent clear-cache before it is unloaded.
#include <gtest/gtest.h>

#include "todaycmn.h"

#include <memory>
#include <vector>

namespace {

const wchar_t kOwnerKey[] = L"ControlPanel\\Owner";
const wchar_t kItemKey[] = L"Software\\Microsoft\\Today\\Items\\Owner and Date";
const COLORREF kWatermark = RGB(0x20, 0x60, 0xC0);
const int kTwoLines = 40;  // owner and date
const int kOneLine = 22;   // owner only

// A registry value put back as it was when the test ends.
class SavedValue {
public:
    SavedValue(HKEY root, const wchar_t* key, const wchar_t* name) : root_(root), key_(key), name_(name)
    {
        DWORD cb = 0;
        if (RegGetValueW(root_, key_, name_, RRF_RT_ANY, &type_, nullptr, &cb) == ERROR_SUCCESS) {
            data_.resize(cb);
            existed_ = RegGetValueW(root_, key_, name_, RRF_RT_ANY, &type_, data_.data(), &cb) == ERROR_SUCCESS;
        }
    }
    ~SavedValue()
    {
        if (existed_) {
            RegSetKeyValueW(root_, key_, name_, type_, data_.data(), (DWORD)data_.size());
        } else {
            HKEY key;
            if (RegOpenKeyExW(root_, key_, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueW(key, name_);
                RegCloseKey(key);
            }
        }
    }

private:
    HKEY root_;
    const wchar_t* key_;
    const wchar_t* name_;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
    bool existed_ = false;
};

void SetOwnerBytes(const void* data, DWORD cb)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, kOwnerKey, L"Owner", REG_BINARY, data, cb));
}

void SetOwner(const wchar_t* name)
{
    SetOwnerBytes(name, (DWORD)((wcslen(name) + 1) * sizeof(wchar_t)));
}

void SetShowDate(DWORD show)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_LOCAL_MACHINE, kItemKey, L"ShowDate", REG_DWORD, &show, 4));
}

DWORD ShowDate()
{
    DWORD value = 0xFFFF, cb = sizeof(value);
    RegGetValueW(HKEY_LOCAL_MACHINE, kItemKey, L"ShowDate", RRF_RT_REG_DWORD, nullptr, &value, &cb);
    return value;
}

// The host's side: a parent window that paints the watermark on request.
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == TODAYM_DRAWWATERMARK) {
        auto* info = reinterpret_cast<TODAYDRAWWATERMARKINFO*>(lParam);
        HBRUSH brush = CreateSolidBrush(kWatermark);
        FillRect(info->hdc, &info->rc, brush);
        DeleteObject(brush);
        return TRUE;
    }
    if (msg == TODAYM_GETCOLOR)
        return RGB(0, 0, 0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class TodayItemTest : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TodayItemTestHost";
        RegisterClassW(&wc);
        host_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 26, 240, 200, nullptr, nullptr,
                                wc.hInstance, nullptr);
        ASSERT_NE(nullptr, host_);
        savedOwner_ = std::make_unique<SavedValue>(HKEY_CURRENT_USER, kOwnerKey, L"Owner");
        savedShowDate_ = std::make_unique<SavedValue>(HKEY_LOCAL_MACHINE, kItemKey, L"ShowDate");
        SetOwner(L"Pat Rivers");
        SetShowDate(1);
        Load();
    }
    void TearDown() override
    {
        Unload();
        if (host_)
            DestroyWindow(host_);
        savedOwner_.reset();
        savedShowDate_.reset();
    }

    void Load()
    {
        module_ = LoadLibraryW(L"\\Windows\\ownerdate.dll");
        ASSERT_NE(nullptr, module_);
        init_ = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(
            reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(ORDINAL_INITIALIZEITEM))));
        options_ = reinterpret_cast<PFNCUSTOMOPTIONSDLGPROC>(
            reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(ORDINAL_OPTIONSDIALOGPROC))));
        ASSERT_NE(nullptr, init_);
        ASSERT_NE(nullptr, options_);
        item_ = TODAYLISTITEM();
        wcscpy_s(item_.szName, L"Owner and Date");
        item_.tlit = tlitCustom;
        item_.fEnabled = TRUE;
        wcscpy_s(item_.szDLLPath, L"\\Windows\\ownerdate.dll");
        item_.hinstDLL = module_;
    }
    // What a host does when it lets an item go.
    void Unload()
    {
        if (window_) {
            SendMessageW(window_, WM_TODAYCUSTOM_CLEARCACHE, (WPARAM)&item_, 0);
            DestroyWindow(window_);
            window_ = nullptr;
        }
        if (module_)
            FreeLibrary(module_);
        module_ = nullptr;
    }
    LRESULT QueryRefresh()
    {
        return SendMessageW(window_, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item_, 0);
    }

    HWND host_ = nullptr;
    HMODULE module_ = nullptr;
    PFNCUSTOMINITIALIZEITEM init_ = nullptr;
    PFNCUSTOMOPTIONSDLGPROC options_ = nullptr;
    TODAYLISTITEM item_ = {};
    HWND window_ = nullptr;
    std::unique_ptr<SavedValue> savedOwner_;
    std::unique_ptr<SavedValue> savedShowDate_;
};

} // namespace

TEST_F(TodayItemTest, DisabledItemHasNoWindow)
{
    item_.fEnabled = FALSE;
    EXPECT_EQ(nullptr, init_(&item_, host_));
}

TEST_F(TodayItemTest, CreatesAHiddenChildThatReportsItsHeight)
{
    window_ = init_(&item_, host_);
    ASSERT_NE(nullptr, window_);
    EXPECT_EQ(host_, GetParent(window_));
    EXPECT_TRUE(GetWindowLongW(window_, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(IsWindowVisible(window_));

    item_.cyp = 0;
    EXPECT_TRUE(QueryRefresh()) << "the first query reports the item";
    EXPECT_EQ((DWORD)kTwoLines, item_.cyp);
    EXPECT_FALSE(QueryRefresh()) << "nothing changed since";
    EXPECT_EQ((DWORD)kTwoLines, item_.cyp);
}

TEST_F(TodayItemTest, QueryRefreshReportsChangesAndClearCacheForcesOne)
{
    window_ = init_(&item_, host_);
    ASSERT_NE(nullptr, window_);
    QueryRefresh();

    SetOwner(L"Lee Ashford");
    EXPECT_TRUE(QueryRefresh());
    EXPECT_FALSE(QueryRefresh());

    SetShowDate(0);
    EXPECT_TRUE(QueryRefresh());
    EXPECT_EQ((DWORD)kOneLine, item_.cyp);

    // A record larger than any name, without a terminator, is cut, not overrun.
    std::vector<wchar_t> blob(100, L'W');
    SetOwnerBytes(blob.data(), (DWORD)(blob.size() * sizeof(wchar_t)));
    EXPECT_TRUE(QueryRefresh());
    EXPECT_EQ((DWORD)kOneLine, item_.cyp);

    SendMessageW(window_, WM_TODAYCUSTOM_CLEARCACHE, (WPARAM)&item_, 0);
    EXPECT_TRUE(QueryRefresh()) << "after clear-cache the item reports itself again";
}

TEST_F(TodayItemTest, PaintsTheOwnerOverTheHostsWatermark)
{
    window_ = init_(&item_, host_);
    ASSERT_NE(nullptr, window_);
    QueryRefresh();
    SetWindowPos(window_, nullptr, 0, 0, 240, (int)item_.cyp, SWP_NOZORDER);

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 240;
    bmi.bmiHeader.biHeight = -(LONG)item_.cyp;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(nullptr, dib);
    HGDIOBJ old = SelectObject(dc, dib);
    SendMessageW(window_, WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT);
    GdiFlush();

    const DWORD* pixels = static_cast<const DWORD*>(bits);
    const DWORD watermark = (GetRValue(kWatermark) << 16) | (GetGValue(kWatermark) << 8) | GetBValue(kWatermark);
    EXPECT_EQ(watermark, pixels[0] & 0xFFFFFF) << "the background comes from the host";
    EXPECT_EQ(watermark, pixels[239] & 0xFFFFFF);
    int ownerInk = 0, dateInk = 0;
    for (int y = 0; y < (int)item_.cyp; ++y)
        for (int x = 0; x < 240; ++x)
            if ((pixels[y * 240 + x] & 0xFFFFFF) == 0)
                ++(y < 20 ? ownerInk : dateInk);
    EXPECT_GT(ownerInk, 20) << "the owner line is drawn";
    EXPECT_GT(dateInk, 20) << "the date line is drawn";

    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
}

TEST_F(TodayItemTest, OptionsDialogSwitchesTheDateLine)
{
    HWND dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), host_, options_,
                                     reinterpret_cast<LPARAM>(&item_));
    ASSERT_NE(nullptr, dialog);
    HWND check = GetWindow(dialog, GW_CHILD);
    int id = 0;
    for (; check; check = GetWindow(check, GW_HWNDNEXT))
        if ((GetWindowLongW(check, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            id = GetDlgCtrlID(check);
    ASSERT_NE(0, id);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, id));

    CheckDlgButton(dialog, id, BST_UNCHECKED);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, ShowDate());
    DestroyWindow(dialog);

    dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), host_, options_,
                                reinterpret_cast<LPARAM>(&item_));
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, id));
    CheckDlgButton(dialog, id, BST_CHECKED);
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(0u, ShowDate()) << "Cancel keeps the stored choice";
    DestroyWindow(dialog);
}

TEST_F(TodayItemTest, CanBeLoadedAgainAfterItWasUnloaded)
{
    window_ = init_(&item_, host_);
    ASSERT_NE(nullptr, window_);
    Unload();
    Load();
    window_ = init_(&item_, host_);
    EXPECT_NE(nullptr, window_);
}
