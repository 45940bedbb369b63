// Helpers of the theme tests: fixture themes made at build time, bytes of
// files, scratch folders on the device drive, theme records from bytes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <tessary.h>

// A fixture made at build time in "theme_fixtures" beside the test program.
std::wstring ThemeFixture(const wchar_t* name);
// The generator's colours of a fixture theme (from its colours.txt); false
// when the theme is not listed.
bool FixtureColours(const wchar_t* themeFile, CTskColor* colours);

bool ReadBytes(const std::wstring& path, std::string* bytes);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

std::string Pattern(int seed, size_t size);
uint16_t Word(const std::string& bytes, size_t at);
uint32_t Dword(const std::string& bytes, size_t at);
void PutWord(std::string& bytes, size_t at, uint16_t value);
void PutDword(std::string& bytes, size_t at, uint32_t value);

// A fresh folder under \Temp, removed with its contents when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// Five temporary names "<folder>\<prefix>000" ... in a scratch folder.
struct TempSlots {
    TempSlots(const ScratchFolder& folder, const wchar_t* prefix);
    CTskTempFiles files;
    const wchar_t* const* Paths() const { return files.Paths(); }
};

// A record whose pictures (and animation files) are files of the given
// sizes in the folder, with colour i = base + i.
CTskInfo MakeRecord(const ScratchFolder& folder, size_t todayBytes, size_t startBytes, bool animated,
                    COLORREF base = 0x00102030);
