// CSknExtract: unpacking a skin package into a folder.
#include "skinpackage.h"

#include <strsafe.h>

namespace {

// Members of a skin package, in extraction order: the part of the name
// searched for and the file it is written as.
struct SkinMember {
    const wchar_t* request;
    const wchar_t* fileName;
    bool required;
};

const SkinMember kSkinMembers[] = {
    {L"SKIN", L"SKIN.XML", true},
    {L"DEFAULT", L"DEFAULT.BIN", true},
    {L"MASK", L"MASK.BIN", true},
    {L"PUSHED", L"PUSHED.BIN", true},
    {L"DISABLE", L"DISABLE.BIN", false},
};

} // namespace

CSknExtract::CSknExtract() : m_changedCount(0)
{
    for (auto& path : m_changed)
        path[0] = L'\0';
}

void CSknExtract::NoteChanged(const wchar_t* path)
{
    if (m_changedCount < kMaxChangedFiles)
        StringCchCopyW(m_changed[m_changedCount++], MAX_PATH, path);
}

const wchar_t* CSknExtract::GetChangedFile(int index) const
{
    return index >= 0 && index < m_changedCount ? m_changed[index] : nullptr;
}

int CSknExtract::ExtractFiles(const wchar_t* package, const wchar_t* folder)
{
    m_changedCount = 0;
    if (!folder || !*folder)
        return 0;
    CCabRead cabinet;
    if (!cabinet.Load(package))
        return 0;
    if (!CreateDirectoryW(folder, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return 0;

    wchar_t prefix[MAX_PATH];
    if (FAILED(StringCchCopyW(prefix, MAX_PATH, folder)))
        return 0;
    size_t length = 0;
    StringCchLengthW(prefix, MAX_PATH, &length);
    if (prefix[length - 1] != L'\\' && FAILED(StringCchCatW(prefix, MAX_PATH, L"\\")))
        return 0;

    for (const SkinMember& member : kSkinMembers) {
        wchar_t path[MAX_PATH];
        if (FAILED(StringCchPrintfW(path, MAX_PATH, L"%ls%ls", prefix, member.fileName)))
            return 0;
        if (cabinet.ExtractFile(member.request, path)) {
            NoteChanged(path);
        } else if (member.required) {
            return 0;
        } else if (!cabinet.HasFile(member.request) && DeleteFileW(path)) {
            // A file left by an earlier package must not pass for this
            // package's picture.
            NoteChanged(path);
        }
    }
    return 1;
}

int CSknExtract::ExtractFiles(const wchar_t* package)
{
    m_changedCount = 0;
    if (!package)
        return 0;
    const wchar_t* slash = wcsrchr(package, L'\\');
    if (!slash)
        return 0;
    wchar_t folder[MAX_PATH];
    size_t length = static_cast<size_t>(slash - package) + 1;
    if (length >= MAX_PATH)
        return 0;
    StringCchCopyNW(folder, MAX_PATH, package, length);
    return ExtractFiles(package, folder);
}
