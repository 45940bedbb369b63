// Files of a test: fixtures beside the test program, scratch folders on the
// device drive, whole-file reads and writes, text conversions.
#pragma once
#include <windows.h>

#include <string>

namespace testkit {

// The folder of the running test program, with a trailing "\".
std::wstring TestFolder();
// A fixture file the build made for the tests, in "fixtures" beside the
// test programs (e.g. the skin packages of tests/skin/make_fixtures.py).
std::wstring FixturePath(const std::wstring& name);

// Whole-file reads and writes (binary); a write replaces the file.
bool ReadBytes(const std::wstring& path, std::string* bytes);
std::string ReadBytes(const std::wstring& path);  // empty when unreadable
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool WriteUtf8(const std::wstring& path, const std::wstring& text);
bool FileExists(const std::wstring& path);
// Removes a folder and everything in it.
void RemoveTree(const std::wstring& path);

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& bytes);
// The text without the line ends at its end.
std::wstring WithoutLineEnd(std::wstring text);

// A fresh, empty folder under \Temp on the device drive, removed with its
// contents when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }  // no trailing "\"
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// A device file a test replaces (a store the device's services read, a
// program's data file): its bytes, or its absence, are put back when the
// object goes.  Writes replace it whole: a temporary file, then a rename,
// so a reader never sees half a file.
class SavedFile {
public:
    explicit SavedFile(const std::wstring& path);
    ~SavedFile();
    SavedFile(const SavedFile&) = delete;
    SavedFile& operator=(const SavedFile&) = delete;

    bool Write(const std::string& bytes) const;
    bool WriteUtf8(const std::wstring& text) const;
    bool Remove() const;
    std::string Bytes() const { return ReadBytes(path_); }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    bool existed_ = false;
    std::string original_;
};

}  // namespace testkit
