#include "shell_test_support.h"

#include "devctl_runner.h"
#include "devlog.h"

namespace {

std::wstring FromUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text((size_t)n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &text[0], n);
    return text;
}

} // namespace

HWND FindTaskBar()
{
    return FindWindowW(L"HHTaskBar", nullptr);
}

HWND FindTodayScreen()
{
    return FindWindowW(L"DesktopExplorerWindow", nullptr);
}

std::vector<std::wstring> DeviceLogLines()
{
    std::vector<std::wstring> lines;
    HANDLE file = CreateFileW(DEVICE_LOG_PATH, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string bytes;
    char buffer[16384];
    DWORD got;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got)
        bytes.append(buffer, got);
    CloseHandle(file);
    std::wstring text = FromUtf8(bytes);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

size_t DeviceLogLength()
{
    return DeviceLogLines().size();
}

int FindLogLine(size_t from, const std::wstring& text)
{
    std::vector<std::wstring> lines = DeviceLogLines();
    for (size_t i = from; i < lines.size(); ++i)
        if (lines[i].find(text) != std::wstring::npos)
            return (int)i;
    return -1;
}

bool WaitForLogLine(size_t from, const std::wstring& text, DWORD timeoutMs)
{
    return PumpUntil([&] { return FindLogLine(from, text) >= 0; }, timeoutMs);
}

void BroadcastSettingChange(WPARAM what)
{
    DWORD_PTR ignored;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, what, 0, SMTO_ABORTIFHUNG, 3000, &ignored);
}

SavedRegistryValue::SavedRegistryValue(HKEY root, const std::wstring& key, const wchar_t* name)
    : root_(root), key_(key), name_(name ? name : L""), isDefault_(name == nullptr)
{
    const wchar_t* valueName = isDefault_ ? nullptr : name_.c_str();
    DWORD cb = 0;
    if (RegGetValueW(root_, key_.c_str(), valueName, RRF_RT_ANY | RRF_NOEXPAND, &type_, nullptr, &cb) ==
        ERROR_SUCCESS) {
        data_.resize(cb);
        existed_ = RegGetValueW(root_, key_.c_str(), valueName, RRF_RT_ANY | RRF_NOEXPAND, &type_, data_.data(),
                                &cb) == ERROR_SUCCESS;
        data_.resize(cb);
    }
}

SavedRegistryValue::~SavedRegistryValue()
{
    const wchar_t* valueName = isDefault_ ? nullptr : name_.c_str();
    if (existed_) {
        RegSetKeyValueW(root_, key_.c_str(), valueName, type_, data_.data(), (DWORD)data_.size());
        return;
    }
    HKEY key;
    if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, valueName);
        RegCloseKey(key);
    }
}

bool SetRegistryString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    return RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                           (DWORD)((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool SetRegistryDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value)
{
    return RegSetKeyValueW(root, key.c_str(), name, REG_DWORD, &value, sizeof(value)) == ERROR_SUCCESS;
}

std::wstring ReadRegistryString(HKEY root, const std::wstring& key, const wchar_t* name)
{
    wchar_t value[512] = {};
    DWORD cb = sizeof(value);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &cb) != ERROR_SUCCESS)
        return std::wstring();
    return value;
}

std::vector<COLORREF> ScreenRow(int y, int x0, int x1)
{
    std::vector<COLORREF> row;
    HDC screen = GetDC(nullptr);
    for (int x = x0; x < x1; ++x)
        row.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return row;
}
