// ceReadFile: a whole file read into memory.
#include "skinpackage.h"

#include <cstdlib>

ceReadFile::ceReadFile() : m_size(0), m_buffer(nullptr), m_file(INVALID_HANDLE_VALUE) {}

ceReadFile::~ceReadFile()
{
    CloseFile();
}

int ceReadFile::OpenFile(const wchar_t* path)
{
    CloseFile();
    if (!path || !*path)
        return 0;
    m_file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_file, &size) || size.QuadPart <= 0 || size.QuadPart > kMaxFileSize) {
        CloseFile();
        return 0;
    }
    m_size = static_cast<DWORD>(size.QuadPart);
    return 1;
}

int ceReadFile::ReadFile()
{
    if (m_buffer || m_file == INVALID_HANDLE_VALUE)
        return 0;
    // Two zero bytes after the contents terminate it as 8-bit or UTF-16 text.
    m_buffer = static_cast<BYTE*>(calloc(m_size + 2, 1));
    if (!m_buffer) {
        CloseFile();
        return 0;
    }
    DWORD done = 0;
    while (done < m_size) {
        DWORD got = 0;
        if (!::ReadFile(m_file, m_buffer + done, m_size - done, &got, nullptr) || got == 0) {
            CloseFile();
            return 0;
        }
        done += got;
    }
    return 1;
}

void ceReadFile::CloseFile()
{
    free(m_buffer);
    m_buffer = nullptr;
    if (m_file != INVALID_HANDLE_VALUE) {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }
    m_size = 0;
}

BYTE* ceReadFile::DetachBuffer()
{
    BYTE* buffer = m_buffer;
    m_buffer = nullptr;
    return buffer;
}
