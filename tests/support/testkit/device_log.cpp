#include "device_log.h"

#include "devlog.h"
#include "files.h"
#include "pump.h"

namespace testkit {

namespace {

LONGLONG LogSize()
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(DEVICE_LOG_PATH, GetFileExInfoStandard, &data))
        return 0;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// Complete lines from byte offset `from` on; a line still being written is left out.
std::vector<std::wstring> LinesFrom(LONGLONG from)
{
    std::vector<std::wstring> lines;
    HANDLE file = CreateFileW(DEVICE_LOG_PATH, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string text;
    LARGE_INTEGER offset;
    offset.QuadPart = from;
    if (SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) {
        char buffer[16384];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            text.append(buffer, read);
    }
    CloseHandle(file);
    for (size_t begin = 0, end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(FromUtf8(line));
    }
    return lines;
}

}  // namespace

DeviceLog::DeviceLog() : start_(LogSize()) {}

void DeviceLog::Restart()
{
    start_ = LogSize();
}

std::vector<std::wstring> DeviceLog::Lines() const
{
    return LinesFrom(start_);
}

std::vector<std::wstring> DeviceLog::Lines(const std::wstring& prefix) const
{
    std::vector<std::wstring> matching;
    for (const std::wstring& line : Lines())
        if (line.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(line);
    return matching;
}

int DeviceLog::Count(const std::wstring& text) const
{
    int count = 0;
    for (const std::wstring& line : Lines())
        count += line.find(text) != std::wstring::npos;
    return count;
}

int DeviceLog::Find(const std::wstring& text) const
{
    const std::vector<std::wstring> lines = Lines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(text) != std::wstring::npos)
            return (int)i;
    return -1;
}

bool DeviceLog::HasLine(const std::wstring& wanted) const
{
    for (const std::wstring& line : Lines())
        if (line == wanted)
            return true;
    return false;
}

std::wstring DeviceLog::First(const std::wstring& prefix) const
{
    const std::vector<std::wstring> lines = Lines(prefix);
    return lines.empty() ? L"<none>" : lines.front();
}

bool DeviceLog::WaitFor(const std::wstring& text, DWORD ms) const
{
    return PumpUntil([&] { return Contains(text); }, ms);
}

std::vector<std::wstring> DeviceLog::Tail(size_t count)
{
    const LONGLONG size = LogSize();
    const LONGLONG from = size > 16384 ? size - 16384 : 0;  // enough for the last lines
    std::vector<std::wstring> lines = LinesFrom(from);
    if (from > 0 && !lines.empty())
        lines.erase(lines.begin());  // probably cut
    if (lines.size() > count)
        lines.erase(lines.begin(), lines.end() - (std::ptrdiff_t)count);
    return lines;
}

}  // namespace testkit
