// The harness can load an applet library and call its export by ordinal.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using CreateItem = HWND(WINAPI*)(void* item, HWND parent);

std::wstring BesideThisTest(const wchar_t* file)
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n < MAX_PATH ? n : 0);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + file;
}

} // namespace

TEST(HarnessLibrary, Ordinal240CreatesTheItemWindow)
{
    HMODULE library = LoadLibraryW(BesideThisTest(L"harness_applet.dll").c_str());
    ASSERT_TRUE(library) << "error " << GetLastError();
    auto create = reinterpret_cast<CreateItem>(
        reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(240))));
    ASSERT_TRUE(create);
    EXPECT_FALSE(GetProcAddress(library, "CreateHarnessItem")) << "exported by ordinal only";

    HWND parent = CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                  nullptr);
    ASSERT_TRUE(parent);
    HWND item = create(nullptr, parent);
    ASSERT_TRUE(item);
    EXPECT_EQ(parent, GetParent(item));
    EXPECT_EQ(240, GetDlgCtrlID(item));
    wchar_t text[32] = {};
    GetWindowTextW(item, text, 32);
    EXPECT_STREQ(L"harness item", text);

    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(item)) << "the item dies with its parent";
    EXPECT_TRUE(FreeLibrary(library));
}
