// CFile: a plain file handle with reads, writes and seeks.
#include "shell.h"
#include "shell_text.h"

namespace {

// The handle value Close leaves behind (default construction leaves
// INVALID_HANDLE_VALUE); neither is held.
const HANDLE kClosedHandle = nullptr;
const DWORD kSeekFailed = INVALID_SET_FILE_POINTER;

}  // namespace

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE)
{
    m_szPath[0] = L'\0';
}

CFile::CFile(HANDLE file) : m_hFile(file)
{
    m_szPath[0] = L'\0';
}

CFile::CFile(LPCWSTR path) : m_hFile(INVALID_HANDLE_VALUE)
{
    m_szPath[0] = L'\0';
    Open(path, FALSE);
}

CFile::~CFile()
{
    Close();
}

BOOL CFile::Open(LPCWSTR path, BOOL create)
{
    Close();
    if (!path || !*path)
        return FALSE;
    HANDLE file = ::CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                create ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hFile = file;
    if (!CopyBounded(m_szPath, MAX_PATH, path))
        m_szPath[0] = L'\0';  // opened, but the path is too long to keep whole
    return TRUE;
}

BOOL CFile::Close()
{
    if (!IsHeld())
        return TRUE;
    BOOL closed = ::CloseHandle(m_hFile);
    m_hFile = kClosedHandle;
    return closed ? TRUE : FALSE;
}

DWORD CFile::Read(void* buffer, DWORD count)
{
    DWORD done = 0;
    if (!IsHeld() || !buffer || count == 0)
        return 0;
    if (!::ReadFile(m_hFile, buffer, count, &done, nullptr))
        return 0;
    return done;
}

DWORD CFile::Write(const void* buffer, DWORD count)
{
    DWORD done = 0;
    if (!IsHeld() || !buffer || count == 0)
        return 0;
    if (!::WriteFile(m_hFile, buffer, count, &done, nullptr))
        return 0;
    return done;
}

DWORD CFile::Seek(LONG offset, int origin)
{
    if (!IsHeld())
        return kSeekFailed;
    DWORD method = origin == 1 ? FILE_CURRENT : origin == 2 ? FILE_END : FILE_BEGIN;
    return ::SetFilePointer(m_hFile, offset, nullptr, method);
}

DWORD CFile::GetPosition()
{
    return Seek(0, 1);
}

DWORD CFile::GetLength()
{
    DWORD position = GetPosition();
    DWORD length = SeekToEnd();
    if (position != kSeekFailed)
        Seek(static_cast<LONG>(position), 0);
    return length;
}

DWORD CFile::SeekToEnd()
{
    return Seek(0, 2);
}

void CFile::SeekToBegin()
{
    Seek(0, 0);
}
