#include "player.h"

#include <rom_files.h>

#include <string.h>

#include <vector>

namespace {

const size_t kMaxSkinFileBytes = 16 * 1024;

std::wstring Widen(const std::string& text)
{
    std::wstring wide;
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n > 0) {
        wide.resize(n);
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    }
    return wide;
}

std::wstring Trim(const std::wstring& s)
{
    size_t b = s.find_first_not_of(L" \t\r\n\"");
    if (b == std::wstring::npos)
        return L"";
    size_t e = s.find_last_not_of(L" \t\r\n\"");
    return s.substr(b, e - b + 1);
}

bool ReadParameter(HKEY key, const wchar_t* name, std::wstring* value)
{
    wchar_t buffer[MAX_PATH] = {};
    DWORD type = 0, size = sizeof(buffer) - sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    buffer[size / sizeof(wchar_t)] = L'\0';
    *value = Trim(buffer);
    return !value->empty();
}

// The skin file the registry names, when it does.
bool RegistrySkin(std::wstring* path)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, PLAYER_PARAMETERS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    std::wstring dir, file;
    bool ok = ReadParameter(key, L"SkinDir", &dir) && ReadParameter(key, L"SkinFile", &file);
    RegCloseKey(key);
    if (!ok)
        return false;
    while (!dir.empty() && dir.back() == L'\\')
        dir.pop_back();
    *path = dir + L"\\" + file;
    return true;
}

// The skin file default.skn names: the text after its first "#".
bool RememberedSkin(std::wstring* path)
{
    std::string text;
    if (!ReadDeviceText(PLAYER_CURRENT_SKIN_FILE, MAX_PATH * 2, &text))
        return false;
    text.resize(strlen(text.c_str()));  // the text ends at a NUL byte
    size_t hash = text.find('#');
    if (hash == std::string::npos)
        return false;
    *path = Trim(Widen(text.substr(hash + 1)));
    return !path->empty() && path->size() < MAX_PATH;
}

bool Exists(const std::wstring& path)
{
    wchar_t readable[MAX_PATH];
    if (!DevReadablePath(path.c_str(), readable, MAX_PATH))
        return false;
    DWORD attributes = GetFileAttributesW(readable);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool ReadDeviceText(const std::wstring& path, size_t maxBytes, std::string* text)
{
    wchar_t readable[MAX_PATH];
    if (path.empty() || !DevReadablePath(path.c_str(), readable, MAX_PATH))
        return false;
    HANDLE file = CreateFileW(readable, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && static_cast<ULONGLONG>(size.QuadPart) <= maxBytes;
    if (ok) {
        text->resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = text->empty() || (ReadFile(file, &(*text)[0], static_cast<DWORD>(text->size()), &read, nullptr) &&
                               read == text->size());
    }
    CloseHandle(file);
    return ok;
}

bool ReadSkinBackground(const std::wstring& sknPath, std::wstring* background)
{
    std::string text;
    if (!ReadDeviceText(sknPath, kMaxSkinFileBytes, &text))
        return false;
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    for (size_t i = 0; i + 1 < words.size(); ++i)
        if (_stricmp(words[i].c_str(), "Background") == 0) {
            *background = Widen(words[i + 1]);
            return background->size() < MAX_PATH;
        }
    return false;
}

Skin ChooseSkin()
{
    Skin skin;
    std::wstring path;
    if (!(RegistrySkin(&path) && Exists(path)) && !(RememberedSkin(&path) && Exists(path)))
        return skin;
    skin.file = path;
    if (ReadSkinBackground(path, &skin.background))
        skin.picture = path.substr(0, path.find_last_of(L'\\') + 1) + skin.background;
    return skin;
}

void RememberSkin(const std::wstring& sknPath)
{
    std::wstring remembered;
    if (RememberedSkin(&remembered) && _wcsicmp(remembered.c_str(), sknPath.c_str()) == 0)
        return;
    int bytes = WideCharToMultiByte(CP_ACP, 0, sknPath.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return;
    std::string path(bytes - 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, sknPath.c_str(), -1, &path[0], bytes, nullptr, nullptr);
    std::string text = std::to_string(sknPath.size()) + "#" + path;
    // Written beside it, then put in its place: a failure leaves the old one.
    std::wstring target = PLAYER_CURRENT_SKIN_FILE, temporary = target + L".new";
    CreateDirectoryW(L"\\Program Files", nullptr);
    CreateDirectoryW(PLAYER_FOLDER, nullptr);
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    ok = CloseHandle(file) && ok;
    if (!ok || !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        DeleteFileW(temporary.c_str());
}
