// The launch file "launch.txt": reading, writing and its bytes.
#include "launch_list.h"

#include <cwchar>
#include <string>

namespace {

const wchar_t kEndTag[] = L"</LIST>";
const wchar_t kCarriageReturn = L'\r';
const wchar_t kLineFeed = L'\n';
const wchar_t kByteOrderMark = 0xFEFF;

// Larger files are not launch lists (100 entries of full length take 52 KB).
const DWORD kMaxFileBytes = 4 * 1024 * 1024;

enum class ReadResult { kRead, kAbsent, kUnreadable };

ReadResult ReadFileBytes(LPCWSTR path, std::vector<BYTE>* bytes)
{
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::kAbsent
                                                                                : ReadResult::kUnreadable;
    }
    LARGE_INTEGER size = {};
    ReadResult result = ReadResult::kUnreadable;
    if (::GetFileSizeEx(file, &size) && size.QuadPart <= kMaxFileBytes) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (bytes->empty() || (::ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr) &&
                               read == bytes->size()))
            result = ReadResult::kRead;
    }
    ::CloseHandle(file);
    return result;
}

}  // namespace

int ParseLaunchText(const BYTE* data, size_t size, const std::function<void(const wchar_t*, size_t)>& take)
{
    if (!data)
        return 0;
    const size_t count = size / sizeof(wchar_t);  // a trailing odd byte is ignored
    std::vector<wchar_t> text(count);
    for (size_t i = 0; i < count; ++i)
        text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));

    // Byte-order marks (an editor may add one to a file that had one).
    size_t at = 0;
    while (at < count && text[at] == kByteOrderMark)
        ++at;
    int taken = 0;
    while (at < count) {
        size_t end = at;
        while (end < count && text[end] != kCarriageReturn)
            ++end;
        size_t begin = at;
        if (begin < end && text[begin] == kLineFeed)  // the second half of CR LF
            ++begin;
        if (begin < end && text[begin] == L'<')
            break;
        const size_t length = end - begin;
        // No path holds a control character (a NUL, a second line feed).
        bool holdsControl = false;
        for (size_t i = begin; i < end && !holdsControl; ++i)
            holdsControl = text[i] < L' ';
        if (length > 0 && length <= CLaunchEntry::kMaxPathChars && !holdsControl) {
            std::wstring piece(&text[begin], length);
            take(piece.c_str(), length);
            ++taken;
        }
        at = end + 1;
    }
    return taken;
}

BOOL CLaunchList::Load(LPCWSTR path)
{
    m_szFile[0] = L'\0';
    if (path)
        wcsncat(m_szFile, path, MAX_PATH - 1);
    RemoveAll();

    std::vector<BYTE> bytes;
    ReadResult result = ReadFileBytes(m_szFile, &bytes);
    if (result == ReadResult::kRead && bytes.size() >= static_cast<size_t>(kMinFileBytes)) {
        ParseLaunchText(bytes.data(), bytes.size(), [this](const wchar_t* piece, size_t) { Add(piece); });
        return TRUE;
    }
    ImportDefault(TRUE);
    // A file that is there but cannot be read may still be the user's list.
    if (result != ReadResult::kUnreadable)
        Save();
    return FALSE;
}

std::vector<BYTE> CLaunchList::FileBytes() const
{
    std::vector<BYTE> bytes;
    auto append = [&bytes](const wchar_t* text, size_t length) {
        for (size_t i = 0; i < length; ++i) {
            bytes.push_back(static_cast<BYTE>(text[i] & 0xFF));
            bytes.push_back(static_cast<BYTE>(text[i] >> 8));
        }
    };
    const wchar_t carriageReturn[] = {kCarriageReturn};
    for (POSITION position = m_entries.GetHeadPosition(); position;) {
        const wchar_t* path = static_cast<CLaunchEntry*>(m_entries.GetNext(position))->m_szPath;
        append(path, wcslen(path));
        append(carriageReturn, 1);
    }
    append(kEndTag, wcslen(kEndTag));
    append(carriageReturn, 1);
    return bytes;
}

BOOL CLaunchList::Save() const
{
    return SaveAs(m_szFile);
}

BOOL CLaunchList::SaveAs(LPCWSTR path) const
{
    if (!path || !*path)
        return FALSE;
    return WriteWholeFile(path, FileBytes());
}

BOOL WriteWholeFile(LPCWSTR path, const std::vector<BYTE>& bytes)
{
    if (!path || !*path)
        return FALSE;
    // A rename would replace a read-only file, which writing it in place never does.
    DWORD attributes = ::GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return FALSE;
    std::wstring temporary = std::wstring(path) + L".new~";
    HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    BOOL ok = bytes.empty() || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                written == bytes.size());
    if (!::CloseHandle(file))
        ok = FALSE;
    if (ok)
        ok = ::MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
        ::DeleteFileW(temporary.c_str());
    return ok;
}
