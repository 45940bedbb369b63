// ceWriteFile: a file written piece by piece.
#include "skinpackage.h"

ceWriteFile::ceWriteFile() : m_file(INVALID_HANDLE_VALUE) {}

ceWriteFile::~ceWriteFile()
{
    CloseFile();
}

int ceWriteFile::OpenFile(const wchar_t* path)
{
    CloseFile();
    if (!path || !*path)
        return 0;
    m_file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_file != INVALID_HANDLE_VALUE;
}

int ceWriteFile::WriteFile(const void* buffer, DWORD offset, DWORD length)
{
    if (m_file == INVALID_HANDLE_VALUE)
        return 0;
    if (length == 0)
        return 1;
    const BYTE* bytes = static_cast<const BYTE*>(buffer);
    DWORD done = 0;
    while (bytes && done < length) {
        DWORD written = 0;
        if (!::WriteFile(m_file, bytes + offset + done, length - done, &written, nullptr) || written == 0)
            break;
        done += written;
    }
    if (done == length)
        return 1;
    CloseFile();
    return 0;
}

int ceWriteFile::CloseFile()
{
    if (m_file == INVALID_HANDLE_VALUE)
        return 1;
    BOOL closed = CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    return closed != 0;
}
