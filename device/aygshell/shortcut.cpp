// Device shortcuts: short 8-bit text files "<n>#<command>" (aygshell.h).
#include "aygshell_private.h"

#include <wctype.h>

namespace {

// Real shortcuts hold one short line; anything much larger is not one.
constexpr DWORD kMaxShortcutBytes = 4096;
constexpr size_t kMaxCommandChars = 2048;

bool ReadSmallFile(const std::wstring& hostPath, std::string* bytes)
{
    HANDLE file = CreateFileW(hostPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxShortcutBytes;
    if (ok) {
        bytes->resize((size_t)size.QuadPart);
        DWORD read = 0;
        ok = ReadFile(file, &(*bytes)[0], (DWORD)size.QuadPart, &read, nullptr) && read == size.QuadPart;
    }
    CloseHandle(file);
    return ok;
}

std::wstring FromDeviceText(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    int cch = MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text(cch > 0 ? cch : 0, L'\0');
    if (cch > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), &text[0], cch);
    return text;
}

void TrimSpaces(std::wstring* text)
{
    size_t first = text->find_first_not_of(L" \t");
    size_t last = text->find_last_not_of(L" \t");
    *text = first == std::wstring::npos ? std::wstring() : text->substr(first, last - first + 1);
}

// "<digits>#<command>": the count is not trusted (it is the command's length
// when the file was written by the device, but hand-made files get it
// wrong); the command is the rest of the first line.
bool ParseShortcutText(const std::wstring& text, std::wstring* command)
{
    size_t pos = 0;
    while (pos < text.size() && iswspace(text[pos]))
        ++pos;
    size_t digits = pos;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9')
        ++pos;
    if (pos == digits || pos - digits > 5 || pos >= text.size() || text[pos] != L'#')
        return false;
    size_t end = text.find_first_of(L"\r\n", pos + 1);
    std::wstring line = text.substr(pos + 1, end == std::wstring::npos ? std::wstring::npos : end - pos - 1);
    size_t nul = line.find(L'\0');
    if (nul != std::wstring::npos)
        line.resize(nul);
    TrimSpaces(&line);
    if (line.empty())
        return false;
    *command = line;
    return true;
}

} // namespace

bool ReadShortcutCommand(const std::wstring& shortcut, std::wstring* command)
{
    std::string bytes;
    if (!ReadSmallFile(ToHostPath(shortcut), &bytes))
        return false;
    return ParseShortcutText(FromDeviceText(bytes), command);
}

void SplitCommand(const std::wstring& command, std::wstring* path, std::wstring* args)
{
    std::wstring text = command;
    TrimSpaces(&text);
    path->clear();
    args->clear();
    if (!text.empty() && text[0] == L'"') {
        size_t close = text.find(L'"', 1);
        if (close == std::wstring::npos) {
            *path = text.substr(1);
            return;
        }
        *path = text.substr(1, close - 1);
        *args = text.substr(close + 1);
        TrimSpaces(args);
        return;
    }
    // Unquoted: a path with spaces is taken whole when it names a file.
    if (FileExists(ResolveProgram(text))) {
        *path = text;
        return;
    }
    size_t space = text.find_first_of(L" \t");
    *path = text.substr(0, space);
    if (space != std::wstring::npos) {
        *args = text.substr(space + 1);
        TrimSpaces(args);
    }
}

extern "C" BOOL WINAPI SHCreateShortcut(LPCWSTR szShortcut, LPCWSTR szTarget)
{
    if (!szShortcut || !*szShortcut || !szTarget) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::wstring command = szTarget;
    TrimSpaces(&command);
    if (command.empty() || command.size() > kMaxCommandChars || command.find_first_of(L"\r\n") != std::wstring::npos) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::wstring text = std::to_wstring(command.size()) + L"#" + command;

    // The device's files are 8-bit: a command the code page cannot hold
    // would come back as a different path, so it is refused.
    BOOL lossy = FALSE;
    int cb = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), (int)text.size(), nullptr, 0,
                                 nullptr, &lossy);
    if (cb <= 0 || lossy) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return FALSE;
    }
    std::string bytes(cb, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), (int)text.size(), &bytes[0], cb, nullptr,
                        nullptr);

    // Whole or not at all: write beside it, then replace.
    std::wstring target = ToHostPath(szShortcut);
    std::wstring temporary = target + L".new~";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL WINAPI SHGetShortcutTarget(LPCWSTR szShortcut, LPWSTR szTarget, int cchMax)
{
    if (szTarget && cchMax > 0)
        szTarget[0] = L'\0';
    std::wstring command;
    if (!szShortcut || !ReadShortcutCommand(szShortcut, &command)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (!CopyToBuffer(command, szTarget, cchMax)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL WINAPI SHResolveShortcut(LPCWSTR szShortcut, LPWSTR pszPath, int cchPath, LPWSTR pszArgs,
                                         int cchArgs)
{
    if (pszPath && cchPath > 0)
        pszPath[0] = L'\0';
    if (pszArgs && cchArgs > 0)
        pszArgs[0] = L'\0';
    std::wstring command, path, args;
    if (!szShortcut || !ReadShortcutCommand(szShortcut, &command)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    SplitCommand(command, &path, &args);
    if (!CopyToBuffer(path, pszPath, cchPath) || (pszArgs && !CopyToBuffer(args, pszArgs, cchArgs))) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    return TRUE;
}
