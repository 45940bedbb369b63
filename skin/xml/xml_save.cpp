// CXmlWriter::SaveXml: the tree as a UTF-8 file, written whole or not at all.
//
// UTF-8 is what a parser assumes for a document without a declaration, so
// any text reads back unchanged; plain ASCII output is the same bytes as in
// any single-byte code page.
#include "xmlaccess.h"

#include <cstdlib>
#include <cwchar>

namespace {

// Writes the bytes to "<path>.new~" and renames that over path, so a
// failure at any point leaves the previous file as it was.
int WriteWholeFile(const wchar_t* path, const char* bytes, DWORD size)
{
    // A rename would replace a read-only file, which creating it in place
    // never does.
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return 0;
    size_t pathLength = wcslen(path);
    const wchar_t suffix[] = L".new~";
    wchar_t* temporary = static_cast<wchar_t*>(malloc((pathLength + sizeof suffix / sizeof suffix[0]) * sizeof(wchar_t)));
    if (!temporary)
        return 0;
    wmemcpy(temporary, path, pathLength);
    wmemcpy(temporary + pathLength, suffix, sizeof suffix / sizeof suffix[0]);

    int ok = 0;
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ok = WriteFile(file, bytes, size, &written, nullptr) && written == size;
        if (!CloseHandle(file))
            ok = 0;
        if (ok)
            ok = MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        if (!ok)
            DeleteFileW(temporary);
    }
    free(temporary);
    return ok;
}

} // namespace

int CXmlWriter::SaveXml(const wchar_t* path, int formatted) const
{
    if (!path || !*path)
        return 0;
    wchar_t* text = Serialize(formatted);
    if (!text)
        return 0;
    int ok = 0;
    int length = static_cast<int>(wcslen(text));
    int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size > 0) {
        char* bytes = static_cast<char*>(malloc(size));
        if (bytes && WideCharToMultiByte(CP_UTF8, 0, text, length, bytes, size, nullptr, nullptr) == size)
            ok = WriteWholeFile(path, bytes, static_cast<DWORD>(size));
        free(bytes);
    }
    free(text);
    return ok;
}
