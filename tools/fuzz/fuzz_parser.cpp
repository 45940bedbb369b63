// The harnesses' defaults and file helpers.
#include "fuzz_parser.h"

bool FuzzParser::SetUp(const FuzzContext& /*context*/, std::string* /*why*/)
{
    return true;
}

FuzzInput FuzzParser::Make(const std::vector<std::string>& seeds, FuzzRandom& random)
{
    FuzzInput input;
    if (seeds.empty())
        return input;
    const std::string& seed = seeds[random.Below(static_cast<uint32_t>(seeds.size()))];
    switch (random.Below(8)) {
    case 0:
        input.bytes = Truncate(seed, seed.size(), random);
        break;
    case 1:
    case 2:
        input.bytes = ExtremeValues(seed, 512, random);
        break;
    default:
        input.bytes = Scramble(seed, random, nullptr);
        break;
    }
    return input;
}

bool FuzzReadFile(const std::wstring& path, std::string* bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 64 * 1024 * 1024;
    if (ok) {
        bytes->assign(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        ok = size.QuadPart == 0 ||
             (ReadFile(file, &(*bytes)[0], static_cast<DWORD>(size.QuadPart), &read, nullptr) && read == size.QuadPart);
    }
    CloseHandle(file);
    return ok;
}

bool FuzzWriteFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                written == bytes.size());
    CloseHandle(file);
    return ok;
}

void FuzzRemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                FuzzRemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}
