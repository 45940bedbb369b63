// The Inbox's messages from the store file.
#include "cemapi_private.h"

#include "devlog.h"
#include "devtable.h"

namespace {

MailDataRef ReadMailData()
{
    auto data = std::make_shared<MailData>();
    DevTable table;
    if (!DevReadTable(CEMAPI_INBOX_PATH, &table, CEMAPI_LOG))
        return data;
    for (size_t i = 0; i < table.rows.size(); ++i) {
        MailMessage message;
        message.subject = table.Field(i, L"Subject");
        message.body = table.Field(i, L"Body");
        message.from = table.Field(i, L"From");
        message.read = table.Field(i, L"Read") == L"1";
        data->messages.push_back(message);
    }
    return data;
}

// The file's identity as last read: its time and size.
struct FileStamp {
    FILETIME written = {};
    ULONGLONG size = 0;
    bool exists = false;

    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && size == other.size && CompareFileTime(&written, &other.written) == 0;
    }
};

FileStamp StampOf(const wchar_t* path)
{
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(path, GetFileExInfoStandard, &data)) {
        stamp.exists = true;
        stamp.written = data.ftLastWriteTime;
        stamp.size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    }
    return stamp;
}

// The cache and its lock are made when the library loads and go when it is
// unloaded. (Statics inside a function take the C++ runtime's guard on
// first use, whose thread and event handles stay behind in the process
// every time the library is unloaded: the side bar loads and frees this
// library with the PIM summary applet.)
struct CacheLockHolder {
    CacheLockHolder() { InitializeCriticalSection(&lock); }
    ~CacheLockHolder() { DeleteCriticalSection(&lock); }
    CRITICAL_SECTION lock;
} g_cacheLock;
MailDataRef g_cached;
FileStamp g_cachedStamp;

CRITICAL_SECTION* CacheLock()
{
    return &g_cacheLock.lock;
}

} // namespace

MailDataRef CurrentMailData(bool reread)
{
    FileStamp stamp = StampOf(CEMAPI_INBOX_PATH);
    EnterCriticalSection(CacheLock());
    if (reread || !g_cached || !(stamp == g_cachedStamp)) {
        g_cached = ReadMailData();
        g_cachedStamp = stamp;
    }
    MailDataRef data = g_cached;
    LeaveCriticalSection(CacheLock());
    return data;
}
