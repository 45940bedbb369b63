// CCabRead: copying a member's bytes out to a file or a buffer.
//
// A member's bytes are the tail of its first block from the member's offset,
// every block in between whole, and the used head of its last block.
#include "skinpackage.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

// Where the bytes of a member go.
class CCabRead::Sink {
public:
    virtual ~Sink() = default;
    virtual int Put(const BYTE* bytes, DWORD count) = 0;
};

namespace {

class FileSink : public CCabRead::Sink {
public:
    explicit FileSink(HANDLE file) : m_file(file) {}
    int Put(const BYTE* bytes, DWORD count) override
    {
        DWORD written = 0;
        return count == 0 || (WriteFile(m_file, bytes, count, &written, nullptr) && written == count);
    }

private:
    HANDLE m_file;
};

class BufferSink : public CCabRead::Sink {
public:
    BufferSink(BYTE* buffer, DWORD capacity) : m_buffer(buffer), m_capacity(capacity), m_used(0) {}
    int Put(const BYTE* bytes, DWORD count) override
    {
        if (count > m_capacity - m_used)
            return 0;
        memcpy(m_buffer + m_used, bytes, count);
        m_used += count;
        return 1;
    }

private:
    BYTE* m_buffer;
    DWORD m_capacity;
    DWORD m_used;
};

} // namespace

int CCabRead::CopyFileData(const FileInfo& file, Sink& sink) const
{
    if (file.entry.size == 0)
        return 1;
    const BlockInfo& first = m_blocks[file.firstBlock];
    if (file.firstBlock == file.lastBlock)
        return sink.Put(m_data + first.dataOffset + file.firstOffset, file.entry.size);
    if (!sink.Put(m_data + first.dataOffset + file.firstOffset, first.storedSize - file.firstOffset))
        return 0;
    for (DWORD b = file.firstBlock + 1; b < file.lastBlock; ++b) {
        if (!sink.Put(m_data + m_blocks[b].dataOffset, m_blocks[b].storedSize))
            return 0;
    }
    return sink.Put(m_data + m_blocks[file.lastBlock].dataOffset, file.lastUsed);
}

int CCabRead::WriteToFile(const FileInfo& file, const wchar_t* destination) const
{
    // Written to "<destination>.new~" and renamed over the destination, so
    // a failed extraction never leaves a cut-off member behind.  A rename
    // would replace a read-only file, which creating it in place never does.
    DWORD attributes = GetFileAttributesW(destination);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return 0;
    size_t length = wcslen(destination);
    const wchar_t suffix[] = L".new~";
    const size_t suffixLength = sizeof suffix / sizeof suffix[0];
    wchar_t* temporary = static_cast<wchar_t*>(malloc((length + suffixLength) * sizeof(wchar_t)));
    if (!temporary)
        return 0;
    wmemcpy(temporary, destination, length);
    wmemcpy(temporary + length, suffix, suffixLength);

    int ok = 0;
    HANDLE handle = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        FileSink sink(handle);
        ok = CopyFileData(file, sink);
        if (!CloseHandle(handle))
            ok = 0;
        if (ok)
            ok = MoveFileExW(temporary, destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        if (!ok)
            DeleteFileW(temporary);
    }
    free(temporary);
    return ok;
}

int CCabRead::WriteToBuffer(const FileInfo& file, BYTE* buffer, DWORD capacity) const
{
    if (!buffer || capacity < file.entry.size)
        return 0;
    BufferSink sink(buffer, capacity);
    return CopyFileData(file, sink);
}

int CCabRead::ExtractFile(const wchar_t* name, const wchar_t* destination)
{
    if (!destination || !*destination)
        return 0;
    const FileInfo* file = FindFile(name);
    return file && WriteToFile(*file, destination);
}

int CCabRead::ExtractFileToBuffer(const wchar_t* name, BYTE* buffer, DWORD capacity)
{
    const FileInfo* file = FindFile(name);
    return file && WriteToBuffer(*file, buffer, capacity);
}

DWORD CCabRead::GetFileSize(const wchar_t* name)
{
    const FileInfo* file = FindFile(name);
    return file ? file->entry.size : 0;
}

int CCabRead::ExtractFileAt(int index, const wchar_t* destination)
{
    if (!destination || !*destination)
        return 0;
    const FileInfo* file = FileAt(index);
    return file && WriteToFile(*file, destination);
}

int CCabRead::ExtractFileAtToBuffer(int index, BYTE* buffer, DWORD capacity)
{
    const FileInfo* file = FileAt(index);
    return file && WriteToBuffer(*file, buffer, capacity);
}
