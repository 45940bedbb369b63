#include "ctlpnl.h"

#include "devlog.h"

namespace {

// More entries than any library has: a larger count is taken as garbage.
const int kMaxEntries = 64;

// Copies a fixed-size field that the library may have left unterminated.
std::wstring FieldText(const WCHAR* field, size_t cch)
{
    size_t n = 0;
    while (n < cch && field[n])
        ++n;
    return std::wstring(field, n);
}

} // namespace

CplLibrary::CplLibrary(std::wstring path) : path_(std::move(path)) {}

CplLibrary::~CplLibrary()
{
    Close();
}

LONG CplLibrary::Send(UINT msg, LPARAM lParam1, LPARAM lParam2)
{
    return proc_(owner_, msg, lParam1, lParam2);
}

bool CplLibrary::Open(HWND owner)
{
    owner_ = owner;
    module_ = LoadLibraryW(path_.c_str());
    if (!module_) {
        DevLog(L"ctlpnl", L"cannot load %ls (error %lu)", path_.c_str(), GetLastError());
        return false;
    }
    proc_ = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(module_, "CPlApplet")));
    if (!proc_) {
        DevLog(L"ctlpnl", L"%ls has no CPlApplet", path_.c_str());
        FreeLibrary(module_);
        module_ = nullptr;
        return false;
    }
    if (!Send(CPL_INIT, 0, 0)) {
        // A library that refuses to start gets no CPL_EXIT.
        DevLog(L"ctlpnl", L"%ls refused CPL_INIT", path_.c_str());
        FreeLibrary(module_);
        module_ = nullptr;
        proc_ = nullptr;
        return false;
    }
    LONG count = Send(CPL_GETCOUNT, 0, 0);
    if (count < 0 || count > kMaxEntries) {
        DevLog(L"ctlpnl", L"%ls reports %ld entries; ignoring them", path_.c_str(), count);
        count = 0;
    }
    count_ = (int)count;
    for (int i = 0; i < count_; ++i) {
        CplEntry entry;
        if (Inquire(i, &entry))
            entries_.push_back(entry);
    }
    return true;
}

bool CplLibrary::Inquire(int index, CplEntry* entry)
{
    NEWCPLINFO info;
    ZeroMemory(&info, sizeof(info));
    info.dwSize = sizeof(info);
    Send(CPL_NEWINQUIRE, index, reinterpret_cast<LPARAM>(&info));
    // Libraries built for the 32-bit device write its record size.
    if (info.dwSize != sizeof(NEWCPLINFO) && info.dwSize != NEWCPLINFO_DEVICE_SIZE) {
        DevLog(L"ctlpnl", L"%ls entry %d: bad record size %lu", path_.c_str(), index, info.dwSize);
        return false;
    }
    entry->index = index;
    entry->data = info.lData;
    entry->icon = info.hIcon;
    entry->name = FieldText(info.szName, ARRAYSIZE(info.szName));
    entry->info = FieldText(info.szInfo, ARRAYSIZE(info.szInfo));
    if (entry->name.empty()) {
        DevLog(L"ctlpnl", L"%ls entry %d has no name", path_.c_str(), index);
        return false;
    }
    return true;
}

bool CplLibrary::Activate(size_t position)
{
    if (!proc_ || position >= entries_.size())
        return false;
    const CplEntry& entry = entries_[position];
    return Send(CPL_DBLCLK, entry.index, entry.data) == 0;
}

void CplLibrary::Close()
{
    if (!module_)
        return;
    if (proc_) {
        for (int i = 0; i < count_; ++i) {
            LONG data = 0;
            for (const CplEntry& entry : entries_)
                if (entry.index == i)
                    data = entry.data;
            Send(CPL_STOP, i, data);
        }
        Send(CPL_EXIT, 0, 0);
    }
    entries_.clear();
    count_ = 0;
    proc_ = nullptr;
    FreeLibrary(module_);
    module_ = nullptr;
}
