#include "setup_file.h"

namespace {

const size_t kHeaderBytes = 100;
const size_t kMaxText = 1024;
enum Section { kStrings, kFolders, kFiles, kRegKeys, kRegValues, kLinks, kSectionCount };

class SetupReader {
public:
    explicit SetupReader(const std::string& bytes) : bytes_(bytes) {}
    bool Has(size_t at, size_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
    WORD Word(size_t at) const { return (WORD)((BYTE)bytes_[at] | ((BYTE)bytes_[at + 1] << 8)); }
    DWORD Dword(size_t at) const { return (DWORD)Word(at) | ((DWORD)Word(at + 2) << 16); }
    const std::string& Bytes() const { return bytes_; }

private:
    const std::string& bytes_;
};

bool Refuse(std::wstring* why, const wchar_t* reason)
{
    *why = reason;
    return false;
}

// 8-bit text up to its first NUL within [at, at + count).
std::wstring Text(const std::string& bytes, size_t at, size_t count)
{
    size_t end = at;
    while (end < at + count && bytes[end] != '\0')
        ++end;
    if (end == at)
        return std::wstring();
    int cch = MultiByteToWideChar(CP_ACP, 0, bytes.data() + at, (int)(end - at), nullptr, 0);
    std::wstring text(cch > 0 ? cch : 0, L'\0');
    if (cch > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.data() + at, (int)(end - at), &text[0], cch);
    return text;
}

// A list of string ids ending with 0, `count` bytes at `at`.
bool StringList(const SetupReader& in, size_t at, size_t count, const std::map<WORD, std::wstring>& strings,
                std::vector<std::wstring>* parts)
{
    if (count < 2 || count % 2)
        return false;
    for (size_t i = 0; i + 2 <= count; i += 2) {
        WORD id = in.Word(at + i);
        if (id == 0)
            return i + 2 == count && !parts->empty();
        auto found = strings.find(id);
        if (found == strings.end())
            return false;
        parts->push_back(found->second);
    }
    return false;  // no terminating 0
}

} // namespace

bool ParseSetupFile(const std::string& bytes, SetupInfo* info, std::wstring* why)
{
    *info = SetupInfo();
    SetupReader in(bytes);
    if (bytes.size() > kMaxSetupFileBytes)
        return Refuse(why, L"the setup file is too large");
    if (!in.Has(0, kHeaderBytes) || bytes.compare(0, 4, "MSCE") != 0)
        return Refuse(why, L"not a setup file");
    if (in.Dword(8) != bytes.size())
        return Refuse(why, L"the setup file's length does not match");
    info->processor = in.Dword(20);
    info->versionMin[0] = in.Dword(24);
    info->versionMin[1] = in.Dword(28);
    info->versionMax[0] = in.Dword(32);
    info->versionMax[1] = in.Dword(36);

    WORD counts[kSectionCount];
    DWORD offsets[kSectionCount];
    for (int s = 0; s < kSectionCount; ++s) {
        counts[s] = in.Word(48 + 2 * s);
        offsets[s] = in.Dword(60 + 4 * s);
        if (counts[s] && (offsets[s] < kHeaderBytes || !in.Has(offsets[s], 0)))
            return Refuse(why, L"a section lies outside the setup file");
    }

    // Strings: id, length, text with its NUL.
    std::map<WORD, std::wstring> strings;
    size_t at = offsets[kStrings];
    for (WORD i = 0; i < counts[kStrings]; ++i) {
        if (!in.Has(at, 4))
            return Refuse(why, L"a string overruns the setup file");
        WORD id = in.Word(at), length = in.Word(at + 2);
        if (id == 0 || length == 0 || length > kMaxText || !in.Has(at + 4, length) || bytes[at + 4 + length - 1])
            return Refuse(why, L"a damaged string record");
        if (!strings.emplace(id, Text(bytes, at + 4, length)).second)
            return Refuse(why, L"two strings of one id");
        at += 4u + length;
    }

    // The application's name and provider: offset and length pairs.
    for (int i = 0; i < 2; ++i) {
        WORD offset = in.Word(84 + 4 * i), length = in.Word(86 + 4 * i);
        if (length == 0 || length > kMaxText || !in.Has(offset, length) || offset < kHeaderBytes)
            return Refuse(why, L"the application's name or provider lies outside the setup file");
        (i == 0 ? info->application : info->provider) = Text(bytes, offset, length);
    }
    if (info->application.empty() || info->provider.empty())
        return Refuse(why, L"an application without a name or provider");

    at = offsets[kFolders];
    for (WORD i = 0; i < counts[kFolders]; ++i) {
        if (!in.Has(at, 4))
            return Refuse(why, L"a folder overruns the setup file");
        WORD id = in.Word(at), length = in.Word(at + 2);
        SetupFolder folder;
        if (id == 0 || !in.Has(at + 4, length) || !StringList(in, at + 4, length, strings, &folder.parts))
            return Refuse(why, L"a damaged folder record");
        if (!info->folders.emplace(id, std::move(folder)).second)
            return Refuse(why, L"two folders of one id");
        at += 4u + length;
    }

    at = offsets[kFiles];
    for (WORD i = 0; i < counts[kFiles]; ++i) {
        if (!in.Has(at, 12))
            return Refuse(why, L"a file overruns the setup file");
        SetupFileRecord file;
        file.id = in.Word(at);
        file.folder = in.Word(at + 2);
        file.number = in.Word(at + 4);
        file.flags = in.Dword(at + 6);
        WORD length = in.Word(at + 10);
        if (length == 0 || length > kMaxText || !in.Has(at + 12, length) || bytes[at + 12 + length - 1])
            return Refuse(why, L"a damaged file record");
        file.name = Text(bytes, at + 12, length);
        if (file.id == 0 || info->folders.count(file.folder) == 0 || file.name.empty())
            return Refuse(why, L"a file record names no folder or no file");
        for (const SetupFileRecord& other : info->files)
            if (other.id == file.id)
                return Refuse(why, L"two files of one id");
        info->files.push_back(std::move(file));
        at += 12u + length;
    }

    at = offsets[kRegKeys];
    for (WORD i = 0; i < counts[kRegKeys]; ++i) {
        if (!in.Has(at, 8))
            return Refuse(why, L"a registry key overruns the setup file");
        WORD id = in.Word(at), length = in.Word(at + 6);
        SetupRegKey key;
        key.root = in.Word(at + 2);
        if (id == 0 || key.root < 1 || key.root > 4 || !in.Has(at + 8, length) ||
            !StringList(in, at + 8, length, strings, &key.parts))
            return Refuse(why, L"a damaged registry key record");
        if (!info->keys.emplace(id, std::move(key)).second)
            return Refuse(why, L"two registry keys of one id");
        at += 8u + length;
    }

    at = offsets[kRegValues];
    for (WORD i = 0; i < counts[kRegValues]; ++i) {
        if (!in.Has(at, 12))
            return Refuse(why, L"a registry value overruns the setup file");
        SetupRegValue value;
        value.key = in.Word(at + 2);
        value.substitute = in.Word(at + 4) != 0;
        value.type = in.Dword(at + 6);
        WORD length = in.Word(at + 10);
        if (!in.Has(at + 12, length) || info->keys.count(value.key) == 0)
            return Refuse(why, L"a damaged registry value record");
        size_t nameEnd = bytes.find('\0', at + 12);
        if (nameEnd == std::string::npos || nameEnd >= at + 12 + length)
            return Refuse(why, L"a registry value without its name");
        value.name = Text(bytes, at + 12, nameEnd - (at + 12));
        value.data.assign(bytes, nameEnd + 1, at + 12 + length - (nameEnd + 1));
        info->values.push_back(std::move(value));
        at += 12u + length;
    }

    at = offsets[kLinks];
    for (WORD i = 0; i < counts[kLinks]; ++i) {
        if (!in.Has(at, 12))
            return Refuse(why, L"a shortcut overruns the setup file");
        SetupLink link;
        link.baseFolder = in.Word(at + 4);
        link.target = in.Word(at + 6);
        link.kind = in.Word(at + 8);
        WORD length = in.Word(at + 10);
        if (!in.Has(at + 12, length) || !StringList(in, at + 12, length, strings, &link.parts))
            return Refuse(why, L"a damaged shortcut record");
        info->links.push_back(std::move(link));
        at += 12u + length;
    }
    return true;
}
