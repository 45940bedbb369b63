#include "skin_file.h"

#include <string.h>

#include <string>
#include <vector>

namespace {

const DWORD kMaxSkinFileBytes = 16 * 1024;

// A small text file read whole; false when missing or larger than max.
bool ReadSmallFile(LPCWSTR path, DWORD max, std::string* text)
{
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = ::GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE && size <= max;
    if (ok) {
        text->resize(size);
        DWORD read = 0;
        ok = size == 0 || (::ReadFile(file, &(*text)[0], size, &read, nullptr) && read == size);
    }
    ::CloseHandle(file);
    return ok;
}

// Blanks, tabs and line ends separate words (a NUL byte too: the text is
// read as C strings are).
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

} // namespace

bool ReadSkinBackground(LPCWSTR sknPath, wchar_t* background, size_t cch)
{
    std::string text;
    if (!ReadSmallFile(sknPath, kMaxSkinFileBytes, &text))
        return false;
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    for (size_t w = 0; w + 1 < words.size(); ++w) {
        if (_stricmp(words[w].c_str(), "Background") != 0)
            continue;
        int n = ::MultiByteToWideChar(CP_ACP, 0, words[w + 1].c_str(), -1, background, static_cast<int>(cch));
        return n > 0;
    }
    return false;
}

bool ReadCurrentSkin(wchar_t* path, size_t cch)
{
    return ReadCurrentSkinFrom(PLAYER_CURRENT_SKIN_FILE, path, cch);
}

bool ReadCurrentSkinFrom(LPCWSTR file, wchar_t* path, size_t cch)
{
    std::string text;
    if (!ReadSmallFile(file, MAX_PATH * 2, &text))
        return false;
    text.resize(strlen(text.c_str()));  // the text ends at a NUL byte
    size_t hash = text.find('#');
    if (hash == std::string::npos)
        return false;
    size_t start = hash + 1, end = text.size();
    while (start < end && (IsBlank(text[start]) || text[start] == '"'))
        ++start;
    while (end > start && (IsBlank(text[end - 1]) || text[end - 1] == '"'))
        --end;
    if (end == start)
        return false;
    std::string name = text.substr(start, end - start);
    return ::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, path, static_cast<int>(cch)) > 0;
}

