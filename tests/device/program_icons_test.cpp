// Shell icons of programs: a program, and a shortcut to it, show the
// program's own icon; a document keeps the document icon.
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "ketra_testkit.h"

using namespace testkit;

namespace {

// The icon's 16 x 16 pixels over white.
std::vector<COLORREF> Pixels(HICON icon)
{
    PixelSurface surface(16, 16, RGB(255, 255, 255));
    DrawIconEx(surface.dc(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.push_back(surface.At(x, y));
    return pixels;
}

std::vector<COLORREF> ShellIcon(const wchar_t* path)
{
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(path, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON) || !info.hIcon)
        return {};
    std::vector<COLORREF> pixels = Pixels(info.hIcon);
    DestroyIcon(info.hIcon);
    return pixels;
}

std::vector<COLORREF> OwnIcon(const wchar_t* program)
{
    HICON small = nullptr;
    if (ExtractIconExW(program, 0, nullptr, &small, 1) == 0 || !small)
        return {};
    std::vector<COLORREF> pixels = Pixels(small);
    DestroyIcon(small);
    return pixels;
}

}  // namespace

TEST(ProgramIcons, AProgramAndItsShortcutsShowItsOwnIcon)
{
    const std::vector<COLORREF> calendar = OwnIcon(L"\\Windows\\calendar.exe");
    const std::vector<COLORREF> tasks = OwnIcon(L"\\Windows\\tasks.exe");
    ASSERT_EQ(256u, calendar.size());
    ASSERT_NE(calendar, tasks);
    EXPECT_EQ(calendar, ShellIcon(L"\\Windows\\calendar.exe"));
    EXPECT_EQ(calendar, ShellIcon(L"\\Windows\\Start Menu\\Calendar.lnk"));
    EXPECT_EQ(calendar, ShellIcon(L"\\Windows\\calendar.lnk"));
    EXPECT_EQ(tasks, ShellIcon(L"\\Windows\\tasks.lnk"));
    const std::vector<COLORREF> document = ShellIcon(L"\\My Documents\\Welcome.txt");
    ASSERT_EQ(256u, document.size());
    EXPECT_NE(calendar, document);
}
