#include "deskel.h"

#include <sstream>

namespace {

const DWORD kMaxCatalogueBytes = 256 * 1024;
const size_t kMaxPacks = 32;
const size_t kMaxField = 512;

std::wstring Widen(const std::string& text)
{
    int cch = MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring wide(cch > 0 ? cch : 0, L'\0');
    if (cch > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), &wide[0], cch);
    return wide;
}

bool ReadSmallFile(const std::wstring& path, std::string* bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxCatalogueBytes;
    if (ok) {
        bytes->resize((size_t)size.QuadPart);
        DWORD read = 0;
        ok = ReadFile(file, &(*bytes)[0], (DWORD)bytes->size(), &read, nullptr) && read == bytes->size();
    }
    CloseHandle(file);
    return ok;
}

bool PlainFileName(const std::wstring& name)
{
    return !name.empty() && name.find_first_of(L"\\/:") == std::wstring::npos && name != L"..";
}

} // namespace

bool ReadCatalogue(const std::wstring& folder, std::vector<CataloguePack>* packs, std::wstring* why)
{
    std::string bytes;
    if (!ReadSmallFile(folder + L"catalogue.txt", &bytes)) {
        *why = L"No pack catalogue in " + folder;
        return false;
    }
    std::istringstream lines(bytes);
    std::string line;
    while (std::getline(lines, line) && packs->size() < kMaxPacks) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::wstring> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '|'))
            fields.push_back(Widen(field.substr(0, kMaxField)));
        if (fields.size() < 7 || fields[1].empty() || !PlainFileName(fields[3]))
            continue;
        CataloguePack pack;
        pack.pack = fields[0];
        pack.title = fields[1];
        pack.application = fields[2].empty() ? fields[1] : fields[2];
        pack.cabinet = fields[3];
        pack.bytes = wcstoull(fields[4].c_str(), nullptr, 10);
        for (size_t at = 0; at < fields[5].size(); ++at)
            pack.applets += fields[5][at] == L',' ? std::wstring(L", ") : std::wstring(1, fields[5][at]);
        pack.description = fields[6];
        packs->push_back(std::move(pack));
    }
    if (packs->empty()) {
        *why = L"The pack catalogue in " + folder + L" lists no pack";
        return false;
    }
    return true;
}
