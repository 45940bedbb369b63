#include "webbia.h"

#include <string>

WebbiaSettings g_webbiaSettings;

namespace {

const size_t kMaxPageBytes = 256 * 1024;
const char kSeparators[] = " </>='\"";

typedef int (*IsAniTskFn)(const wchar_t* path);

bool IsSeparator(char c)
{
    for (const char* s = kSeparators; *s; ++s)
        if (*s == c)
            return true;
    return false;
}

}  // namespace

DWORD ClampHeight(long long height)
{
    if (height < 0)
        return 0;
    if (height > kWebbiaMaxHeight)
        return kWebbiaMaxHeight;
    return static_cast<DWORD>(height);
}

void ReadWebbiaSettings()
{
    HKEY key = WebbiaOpenKey(HKEY_LOCAL_MACHINE, WEBBIA_SETTINGS_KEY, KEY_READ);
    if (!key)
        return;
    WebbiaSettings& s = g_webbiaSettings;
    DWORD value = 0;
    s.mode = WebbiaReadDword(key, L"Mode", &value) && (value == kWebbiaModeFile || value == kWebbiaModeWebsite)
                 ? value
                 : kWebbiaModeTheme;
    s.height = WebbiaReadDword(key, L"Height", &value) ? ClampHeight(value) : 80;
    // An unreadable text keeps what was there.
    wchar_t text[kWebbiaTextMax + 1];
    if (WebbiaReadString(key, L"File", text, kWebbiaTextMax + 1))
        wcsncpy(s.file, text, kWebbiaTextMax + 1);
    if (WebbiaReadString(key, L"Website", text, kWebbiaTextMax + 1))
        wcsncpy(s.website, text, kWebbiaTextMax + 1);
    RegCloseKey(key);
}

bool TodayThemeIsAnimated()
{
    wchar_t skin[MAX_PATH] = L"";
    HKEY key = WebbiaOpenKey(HKEY_CURRENT_USER, L"\\Software\\Microsoft\\Today", KEY_READ);
    if (!key)
        return false;
    bool named = WebbiaReadString(key, L"Skin", skin, MAX_PATH);
    RegCloseKey(key);
    if (!named || !skin[0] || _wcsicmp(skin, L"<default>") == 0)
        return false;
    DWORD attributes = GetFileAttributesW(skin);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    HMODULE library = LoadLibraryW(WEBBIA_THEME_LIBRARY);
    if (!library)
        return false;
    auto isAniTsk = reinterpret_cast<IsAniTskFn>(reinterpret_cast<void*>(GetProcAddress(library, "IsAniTsk")));
    bool animated = isAniTsk && isAniTsk(skin) != 0;
    FreeLibrary(library);
    return animated;
}

int PageHeight(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    std::string text(kMaxPageBytes, '\0');
    DWORD read = 0;
    if (!ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr))
        read = 0;
    CloseHandle(file);
    text.resize(read);

    // Tokens between separators; the one after each "height" is a height.
    long long height = 0;
    bool afterHeight = false;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSeparator(text[i]))
            ++i;
        if (i >= text.size())
            break;
        size_t start = i;
        while (i < text.size() && !IsSeparator(text[i]))
            ++i;
        std::string token = text.substr(start, i - start);
        if (afterHeight) {
            // Decimal digits after an optional sign; anything else reads as 0.
            long long value = 0;
            size_t d = (token[0] == '-' || token[0] == '+') ? 1 : 0;
            for (; d < token.size() && token[d] >= '0' && token[d] <= '9' && value < 100000; ++d)
                value = value * 10 + (token[d] - '0');
            height = token[0] == '-' ? -value : value;
        }
        afterHeight = _stricmp(token.c_str(), "height") == 0;
    }
    return static_cast<int>(ClampHeight(height));
}
