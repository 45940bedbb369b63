// Helpers of the skin library tests: fixture files, scratch folders, bytes.
#pragma once

#include <windows.h>

#include <string>

// A fixture made at build time, in "skin_fixtures" beside the test program.
std::wstring FixturePath(const wchar_t* name);

// Whole-file reads and writes (binary).
bool ReadBytes(const std::wstring& path, std::string* bytes);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// The member contents of the generated fixtures (see make_fixtures.py).
std::string Pattern(int seed, size_t size);

std::string ToUtf8(const std::wstring& text);

// A fresh, empty folder under \Temp on the device drive, removed with its
// contents when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; } // no trailing "\"
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// Removes a folder and everything in it.
void RemoveTree(const std::wstring& path);
