// The setup description the desktop's device manager reads:
//
//   [CEAppManager]
//   Version   = 1.0
//   Component = Ketra Calculators,Ketra Time
//
//   [Ketra Calculators]
//   Description = ...
//   CabFiles    = calc.cab
#include "deskel.h"

namespace {

std::string Narrow(const std::wstring& text)
{
    int cb = WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string bytes(cb > 0 ? cb : 0, '\0');
    if (cb > 0)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), &bytes[0], cb, nullptr, nullptr);
    return bytes;
}

// Section names and values stay on their line and out of the file's syntax
// (names and cabinets also out of its comma-separated lists).
std::wstring Clean(std::wstring text, bool listed = true)
{
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n' || c == L'[' || c == L']' || (listed && c == L','))
            c = L' ';
    return text;
}

} // namespace

bool WriteSetupDescription(const std::wstring& path, const std::vector<const CataloguePack*>& packs)
{
    std::wstring text = L"[CEAppManager]\r\nVersion = 1.0\r\nComponent = ";
    for (size_t i = 0; i < packs.size(); ++i)
        text += (i ? L"," : L"") + Clean(packs[i]->application);
    text += L"\r\n";
    for (const CataloguePack* pack : packs) {
        text += L"\r\n[" + Clean(pack->application) + L"]\r\n";
        text += L"Description = " + Clean(pack->description, false) + L"\r\n";
        text += L"CabFiles = " + Clean(pack->cabinet) + L"\r\n";
    }
    const std::string bytes = Narrow(text);
    const std::wstring temporary = path + L".new~";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
        DeleteFileW(temporary.c_str());
    return ok;
}
