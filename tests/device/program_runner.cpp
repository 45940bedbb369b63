#include "program_runner.h"

#include "devlog.h"

namespace {

struct WindowQuery {
    DWORD pid;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param)
{
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != query->pid || !IsWindowVisible(hwnd))
        return TRUE;
    wchar_t title[256] = {};
    GetWindowTextW(hwnd, title, ARRAYSIZE(title));
    if (query->title && wcscmp(title, query->title) != 0)
        return TRUE;
    query->found = hwnd;
    return FALSE;
}

LONGLONG LogSize()
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(DEVICE_LOG_PATH, GetFileExInfoStandard, &data))
        return 0;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

} // namespace

DeviceProgram::DeviceProgram(const std::wstring& path, const std::wstring& args)
{
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!args.empty())
        commandLine += L" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
    }
}

DeviceProgram::~DeviceProgram()
{
    Kill();
    if (process_)
        CloseHandle(process_);
}

bool DeviceProgram::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool DeviceProgram::WaitExit(DWORD ms, DWORD* exitCode)
{
    if (!process_)
        return false;
    if (!WaitUntil([&] { return !Running(); }, ms))
        return false;
    if (exitCode)
        GetExitCodeProcess(process_, exitCode);
    return true;
}

void DeviceProgram::Kill()
{
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

HWND DeviceProgram::FindWindowOf(const wchar_t* title) const
{
    WindowQuery query = {pid_, title, nullptr};
    if (process_)
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND DeviceProgram::WaitWindow(const wchar_t* title, DWORD ms) const
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowOf(title)) != nullptr; }, ms);
    return found;
}

DeviceLogWatch::DeviceLogWatch() : start_(LogSize()) {}

std::vector<std::wstring> DeviceLogWatch::Lines() const
{
    std::vector<std::wstring> lines;
    HANDLE file = CreateFileW(DEVICE_LOG_PATH, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    LARGE_INTEGER offset;
    offset.QuadPart = start_;
    std::string text;
    if (SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            text.append(buffer, read);
    }
    CloseHandle(file);

    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            break;  // a line still being written
        std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        int n = MultiByteToWideChar(CP_UTF8, 0, line.data(), (int)line.size(), nullptr, 0);
        std::wstring wide(n, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, line.data(), (int)line.size(), &wide[0], n);
        lines.push_back(wide);
        begin = end + 1;
    }
    return lines;
}

std::vector<std::wstring> DeviceLogWatch::Lines(const std::wstring& prefix) const
{
    std::vector<std::wstring> matching;
    for (const std::wstring& line : Lines())
        if (line.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(line);
    return matching;
}

bool DeviceLogWatch::Contains(const std::wstring& line) const
{
    for (const std::wstring& l : Lines())
        if (l == line)
            return true;
    return false;
}

bool DeviceLogWatch::WaitFor(const std::wstring& line, DWORD ms) const
{
    return WaitUntil([&] { return Contains(line); }, ms);
}
