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

CRITICAL_SECTION* CacheLock()
{
    static CRITICAL_SECTION lock;
    static bool ready = (InitializeCriticalSection(&lock), true);
    (void)ready;
    return &lock;
}

} // namespace

MailDataRef CurrentMailData(bool reread)
{
    static MailDataRef cached;
    static FileStamp cachedStamp;
    FileStamp stamp = StampOf(CEMAPI_INBOX_PATH);
    EnterCriticalSection(CacheLock());
    if (reread || !cached || !(stamp == cachedStamp)) {
        cached = ReadMailData();
        cachedStamp = stamp;
    }
    MailDataRef data = cached;
    LeaveCriticalSection(CacheLock());
    return data;
}
