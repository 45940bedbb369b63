// Helpers of the theme tests.
#include "theme_test_support.h"

#include <stdio.h>
#include <strsafe.h>

std::wstring ThemeFixture(const wchar_t* name)
{
    return testkit::FixturePath(std::wstring(L"themes\\") + name);
}

bool FixtureColours(const wchar_t* themeFile, CTskColor* colours)
{
    std::string text;
    if (!testkit::ReadBytes(ThemeFixture(L"colours.txt"), &text))
        return false;
    const std::string wanted = testkit::ToUtf8(themeFile) + " ";
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.compare(0, wanted.size(), wanted) != 0)
            continue;
        const char* p = line.c_str() + wanted.size();
        for (int i = 0; i < CTskColor::kCount; ++i) {
            char* next = nullptr;
            colours->m_color[i] = static_cast<COLORREF>(strtoul(p, &next, 16));
            if (next == p)
                return false;
            p = next;
        }
        return true;
    }
    return false;
}

std::string Pattern(int seed, size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + (i >> 8) + seed) & 0xFF);
    return bytes;
}

uint16_t Word(const std::string& bytes, size_t at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8));
}

uint32_t Dword(const std::string& bytes, size_t at)
{
    return Word(bytes, at) | (static_cast<uint32_t>(Word(bytes, at + 2)) << 16);
}

void PutWord(std::string& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void PutDword(std::string& bytes, size_t at, uint32_t value)
{
    PutWord(bytes, at, static_cast<uint16_t>(value));
    PutWord(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

TempSlots::TempSlots(const testkit::ScratchFolder& folder, const wchar_t* prefix)
{
    files.Form((folder.Path() + L"\\").c_str(), prefix);
}

CTskInfo MakeRecord(const testkit::ScratchFolder& folder, size_t todayBytes, size_t startBytes, bool animated,
                    COLORREF base)
{
    CTskInfo info;
    for (int i = 0; i < CTskColor::kCount; ++i)
        info.m_color[i] = base + i;
    struct File {
        wchar_t* field;
        const wchar_t* name;
        size_t size;
        int seed;
    };
    const File files[] = {
        {info.m_szToday, L"today.gif", todayBytes, 1},   {info.m_szStart, L"start.gif", startBytes, 2},
        {info.m_szAniControl, L"anim.atc", 300, 3},       {info.m_szAniMovie, L"anim.swf", 5000, 4},
        {info.m_szAniPage, L"anim.htm", 400, 5},
    };
    for (const File& file : files) {
        if (!animated && file.seed > 2)
            continue;
        std::wstring path = folder / file.name;
        testkit::WriteBytes(path, Pattern(file.seed, file.size));
        StringCchCopyW(file.field, MAX_PATH, path.c_str());
    }
    info.m_bAnimated = animated ? 1 : 0;
    return info;
}

ThemeState::ThemeState()
    : m_today(testkit::ReadBytes(L"\\Windows\\tdywater.gif")), m_start(testkit::ReadBytes(L"\\Windows\\stwater.gif"))
{
}

ThemeState::~ThemeState()
{
    testkit::WriteBytes(L"\\Windows\\tdywater.gif", m_today);
    testkit::WriteBytes(L"\\Windows\\stwater.gif", m_start);
    m_colours.Restore();
    m_todaySettings.Restore();
    testkit::BroadcastSettingChange(0xF2);
}

MenuReader::MenuReader()
    : m_thread([this] {
          for (int i = 0; i < 500 && m_items.empty(); ++i) {
              HWND menu = FindWindowW(L"#32768", nullptr);
              DWORD pid = 0;
              if (menu && GetWindowThreadProcessId(menu, &pid) && pid == GetCurrentProcessId() &&
                  IsWindowVisible(menu)) {
                  HMENU handle = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
                  std::vector<Item> read;
                  for (int n = 0; handle && n < GetMenuItemCount(handle); ++n) {
                      wchar_t text[MAX_PATH] = L"";
                      GetMenuStringW(handle, n, text, MAX_PATH, MF_BYPOSITION);
                      UINT state = GetMenuState(handle, n, MF_BYPOSITION);
                      read.push_back({text, (state & MF_GRAYED) != 0, (state & MF_CHECKED) != 0});
                  }
                  m_items = read;
                  if (m_items.empty())
                      m_items.push_back({L"<empty>", false, false});
                  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
              }
              Sleep(20);
          }
      })
{
}

MenuReader::~MenuReader()
{
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<MenuReader::Item> MenuReader::Items()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_items;
}
