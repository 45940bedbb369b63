// Helpers of the theme tests beside the test kit: the fixture themes made
// at build time with their generator's colours, little-endian fields, and
// theme records made of scratch files.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include <ketra_testkit.h>
#include <tessary.h>

// A fixture theme the build made in "fixtures\themes" beside the tests.
std::wstring ThemeFixture(const wchar_t* name);
// The generator's colours of a fixture theme (from its colours.txt); false
// when the theme is not listed.
bool FixtureColours(const wchar_t* themeFile, CTskColor* colours);

// Bytes that differ from place to place, for member contents.
std::string Pattern(int seed, size_t size);
uint16_t Word(const std::string& bytes, size_t at);
uint32_t Dword(const std::string& bytes, size_t at);
void PutWord(std::string& bytes, size_t at, uint16_t value);
void PutDword(std::string& bytes, size_t at, uint32_t value);

// Five temporary names "<folder>\<prefix>000" ... in a scratch folder.
struct TempSlots {
    TempSlots(const testkit::ScratchFolder& folder, const wchar_t* prefix);
    CTskTempFiles files;
    const wchar_t* const* Paths() const { return files.Paths(); }
};

// A record whose pictures (and animation files) are files of the given
// sizes in the folder, with colour i = base + i.
CTskInfo MakeRecord(const testkit::ScratchFolder& folder, size_t todayBytes, size_t startBytes, bool animated,
                    COLORREF base = 0x00102030);

// What applying a theme changes, kept and put back when the object goes:
// the two pictures, the colour values and the Today settings (the theme in
// force); the screen is told afterwards.
class ThemeState {
public:
    ThemeState();
    ~ThemeState();
    ThemeState(const ThemeState&) = delete;
    ThemeState& operator=(const ThemeState&) = delete;
    bool Saved() const { return m_colours.Saved() && m_todaySettings.Saved() && !m_today.empty(); }

private:
    std::string m_today, m_start;
    testkit::RegistrySandbox m_colours{{L"SOFTWARE\\Microsoft\\Color"}};
    testkit::RegistrySandbox m_todaySettings{{L"Software\\Microsoft\\Today"}, HKEY_CURRENT_USER};
};

// The items of the next pop-up menu this process opens, read from another
// thread while the menu is up (MN_GETHMENU); the menu is then closed.  For
// applets loaded in the test's own process, whose menus block the test's
// thread until they close.
class MenuReader {
public:
    struct Item {
        std::wstring text;
        bool grayed, checked;
    };
    MenuReader();
    ~MenuReader();
    MenuReader(const MenuReader&) = delete;
    MenuReader& operator=(const MenuReader&) = delete;
    // Waits for the reading; empty when no menu opened within 10 seconds.
    std::vector<Item> Items();

private:
    std::vector<Item> m_items;
    std::thread m_thread;
};
