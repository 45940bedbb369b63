// The device's messaging store as a mail program uses it: the stores
// table, the store's Inbox, the unread flags, subjects, bodies through a
// stream, the failure switches, and what is left open at the end.
#include <gtest/gtest.h>

#include <ketra_testkit.h>

#include <mapicode.h>
#include <mapidefs.h>
#include <mapitags.h>
#include <mapiutil.h>
#include <mapix.h>

#include <string>
#include <vector>

using namespace testkit;

namespace {

const wchar_t kInbox[] = L"\\Windows\\PIM\\inbox.txt";
const ULONG kInboxEntryTag = PROP_TAG(PT_BINARY, 0x8106);

std::wstring LongBody()
{
    std::wstring body;
    for (int i = 0; body.size() < 600; ++i)
        body += L"word" + std::to_wstring(i) + L" ";
    return body;
}

// One session's objects, released in reverse order and logged off.
struct MailSession : ::testing::Test {
    void TearDown() override
    {
        if (folder)
            folder->Release();
        if (store)
            store->Release();
        if (session) {
            session->Logoff(0, 0, 0);
            session->Release();
        }
        if (initialized)
            MAPIUninitialize();
        initialized = false;
    }

    HRESULT Logon()
    {
        if (!initialized)
            initialized = MAPIInitialize(nullptr) == S_OK;
        return MAPILogonEx(0, nullptr, nullptr, 0, &session);
    }

    // The default store's Inbox, the way a mail program finds it.
    void OpenInbox()
    {
        ASSERT_EQ(S_OK, Logon());
        IMAPITable* stores = nullptr;
        ASSERT_EQ(S_OK, session->GetMsgStoresTable(0, &stores));
        SRowSet* rows = nullptr;
        ASSERT_EQ(S_OK, stores->QueryRows(10, 0, &rows));
        ASSERT_EQ(1u, rows->cRows);
        const SRow& row = rows->aRow[0];
        ASSERT_EQ(3u, row.cValues);
        EXPECT_EQ(PR_ENTRYID, row.lpProps[0].ulPropTag);
        EXPECT_EQ(PR_DISPLAY_NAME_W, row.lpProps[1].ulPropTag);
        EXPECT_EQ(PR_DEFAULT_STORE, row.lpProps[2].ulPropTag);
        EXPECT_TRUE(row.lpProps[2].Value.b);
        ASSERT_EQ(S_OK, session->OpenMsgStore(0, row.lpProps[0].Value.bin.cb,
                                              (LPENTRYID)row.lpProps[0].Value.bin.lpb, nullptr, 0, &store));
        FreeProws(rows);
        stores->Release();

        SizedSPropTagArray(1, inboxTag) = {1, {kInboxEntryTag}};
        ULONG count = 0;
        SPropValue* value = nullptr;
        ASSERT_EQ(S_OK, store->GetProps((LPSPropTagArray)&inboxTag, 0, &count, &value));
        ASSERT_EQ(1u, count);
        ASSERT_EQ(kInboxEntryTag, value->ulPropTag);
        ULONG type = 0;
        ASSERT_EQ(S_OK, store->OpenEntry(value->Value.bin.cb, (LPENTRYID)value->Value.bin.lpb, nullptr, 0, &type,
                                         (IUnknown**)&folder));
        EXPECT_EQ((ULONG)MAPI_FOLDER, type);
        MAPIFreeBuffer(value);
    }

    struct Row {
        std::vector<BYTE> entry;
        ULONG flags;
    };
    // The Inbox's contents, one row at a time, as the summary reads them.
    std::vector<Row> Contents()
    {
        std::vector<Row> result;
        IMAPITable* table = nullptr;
        if (folder->GetContentsTable(0, &table) != S_OK)
            return result;
        SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_MESSAGE_FLAGS}};
        EXPECT_EQ(S_OK, table->SetColumns((LPSPropTagArray)&columns, 0));
        for (;;) {
            SRowSet* rows = nullptr;
            EXPECT_EQ(S_OK, table->QueryRows(1, 0, &rows));
            if (!rows || rows->cRows == 0) {
                FreeProws(rows);
                break;
            }
            const SPropValue* props = rows->aRow[0].lpProps;
            EXPECT_EQ(2u, rows->aRow[0].cValues);
            result.push_back({std::vector<BYTE>(props[0].Value.bin.lpb, props[0].Value.bin.lpb + props[0].Value.bin.cb),
                              (ULONG)props[1].Value.l});
            FreeProws(rows);
        }
        table->Release();
        return result;
    }

    IMessage* OpenMessage(const Row& row)
    {
        IMessage* message = nullptr;
        ULONG type = 0;
        EXPECT_EQ(S_OK, store->OpenEntry((ULONG)row.entry.size(), (LPENTRYID)row.entry.data(), nullptr, 0, &type,
                                         (IUnknown**)&message));
        EXPECT_EQ((ULONG)MAPI_MESSAGE, type);
        return message;
    }

    SavedFile inboxFile{kInbox};
    DeviceState state;
    DeviceLog log;
    bool initialized = false;
    IMAPISession* session = nullptr;
    IMsgStore* store = nullptr;
    IMAPIFolder* folder = nullptr;
};

} // namespace

TEST_F(MailSession, TheInboxGivesUnreadFlagsSubjectsAndWholeBodies)
{
    ASSERT_TRUE(inboxFile.WriteUtf8(L"Subject\tBody\tRead\tFrom\n"
                                    L"First\tline one\\r\\nline two\t0\tAnn\n"
                                    L"Seen\told news\t1\tBob\n"
                                    L"\t" + LongBody() + L"\tno\t\n"));
    OpenInbox();
    ASSERT_NE(nullptr, folder);
    std::vector<Row> rows = Contents();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(0u, rows[0].flags & MSGFLAG_READ);
    EXPECT_EQ((ULONG)MSGFLAG_READ, rows[1].flags & MSGFLAG_READ);
    EXPECT_EQ(0u, rows[2].flags & MSGFLAG_READ);

    IMessage* first = OpenMessage(rows[0]);
    ASSERT_NE(nullptr, first);
    SizedSPropTagArray(3, asked) = {3, {PR_SUBJECT_W, PR_MESSAGE_FLAGS, PR_SENDER_NAME_W}};
    ULONG count = 0;
    SPropValue* values = nullptr;
    ASSERT_EQ(S_OK, first->GetProps((LPSPropTagArray)&asked, 0, &count, &values));
    ASSERT_EQ(3u, count);
    EXPECT_STREQ(L"First", values[0].Value.lpszW);
    EXPECT_EQ(0, values[1].Value.l);
    EXPECT_STREQ(L"Ann", values[2].Value.lpszW);
    MAPIFreeBuffer(values);
    IStream* body = nullptr;
    ASSERT_EQ(S_OK, first->OpenProperty(PR_BODY_W, &IID_IStream, STGM_READ, 0, (IUnknown**)&body));
    wchar_t text[64] = {};
    ULONG got = 0;
    ASSERT_EQ(S_OK, body->Read(text, sizeof(text) - sizeof(wchar_t), &got));
    EXPECT_EQ(std::wstring(L"line one\r\nline two").size() * sizeof(wchar_t), got) << "no terminator in the stream";
    EXPECT_STREQ(L"line one\r\nline two", text);
    body->Release();
    first->Release();

    // A message without a subject has none; a long body comes 510 bytes at a time.
    IMessage* third = OpenMessage(rows[2]);
    ASSERT_NE(nullptr, third);
    ASSERT_EQ(MAPI_W_ERRORS_RETURNED, third->GetProps((LPSPropTagArray)&asked, 0, &count, &values));
    EXPECT_EQ((ULONG)PROP_TAG(PT_ERROR, PROP_ID(PR_SUBJECT_W)), values[0].ulPropTag);
    EXPECT_EQ(MAPI_E_NOT_FOUND, values[0].Value.err);
    MAPIFreeBuffer(values);
    ASSERT_EQ(S_OK, third->OpenProperty(PR_BODY_W, &IID_IStream, STGM_READ, 0, (IUnknown**)&body));
    std::wstring whole;
    wchar_t chunk[256];
    while (body->Read(chunk, 510, &got) == S_OK && got > 0)
        whole.append(chunk, got / sizeof(wchar_t));
    EXPECT_EQ(LongBody(), whole);
    body->Release();
    // Only the body is served as a stream.
    EXPECT_EQ(MAPI_E_NO_SUPPORT, third->OpenProperty(PR_SUBJECT_W, &IID_IStream, 0, 0, (IUnknown**)&body));
    EXPECT_EQ(MAPI_E_NO_SUPPORT, third->SubmitMessage(0));
    third->Release();
}

TEST_F(MailSession, EntriesThatAreNotTheStoresAreRefused)
{
    ASSERT_TRUE(inboxFile.WriteUtf8(L"Subject\tBody\tRead\nOnly\t\t0\n"));
    OpenInbox();
    ASSERT_NE(nullptr, folder);
    std::vector<Row> rows = Contents();
    ASSERT_EQ(1u, rows.size());
    IUnknown* object = nullptr;
    ULONG type = 0;
    std::vector<BYTE> beyond = rows[0].entry;
    beyond[8] = 5;  // the message index
    EXPECT_EQ(MAPI_E_NOT_FOUND,
              store->OpenEntry((ULONG)beyond.size(), (LPENTRYID)beyond.data(), nullptr, 0, &type, &object));
    EXPECT_EQ(MAPI_E_INVALID_ENTRYID,
              store->OpenEntry((ULONG)beyond.size() - 1, (LPENTRYID)beyond.data(), nullptr, 0, &type, &object));
    EXPECT_EQ(nullptr, object);
    // An empty body has no stream.
    IMessage* message = OpenMessage(rows[0]);
    ASSERT_NE(nullptr, message);
    EXPECT_EQ(MAPI_E_NOT_FOUND, message->OpenProperty(PR_BODY_W, &IID_IStream, 0, 0, &object));
    message->Release();

    // The address book opens and serves nothing.
    IAddrBook* book = nullptr;
    ASSERT_EQ(S_OK, session->OpenAddressBook(0, nullptr, 0, &book));
    ULONG cb = 0;
    ENTRYID* pab = nullptr;
    EXPECT_EQ(MAPI_E_NO_SUPPORT, book->GetPAB(&cb, &pab));
    book->Release();
}

TEST_F(MailSession, TheInboxIsReadAtLogonAndWhenItChangesAndEverythingReleasedIsClosed)
{
    ASSERT_TRUE(inboxFile.WriteUtf8(L"Subject\tBody\tRead\nOne\t\t0\n"));
    OpenInbox();
    ASSERT_NE(nullptr, folder);
    EXPECT_EQ(1u, Contents().size());
    TearDown();
    folder = nullptr;
    store = nullptr;
    session = nullptr;
    EXPECT_TRUE(log.HasLine(L"cemapi: logoff"));
    EXPECT_TRUE(log.HasLine(L"cemapi: uninitialized, 0 objects open"));

    ASSERT_TRUE(inboxFile.WriteUtf8(L"Subject\tBody\tRead\nOne\t\t0\nTwo\t\t0\n"));
    OpenInbox();
    ASSERT_NE(nullptr, folder);
    EXPECT_EQ(2u, Contents().size());
    EXPECT_TRUE(log.HasLine(L"cemapi: logon, 2 messages"));

    // New mail reaches a session that stays open, as in a live store.
    ASSERT_TRUE(inboxFile.WriteUtf8(L"Subject\tBody\tRead\nOne\t\t0\nTwo\t\t0\nThree\t\t0\n"));
    std::vector<Row> rows = Contents();
    ASSERT_EQ(3u, rows.size());
    IMessage* third = OpenMessage(rows[2]);
    ASSERT_NE(nullptr, third);
    third->Release();
}

TEST_F(MailSession, MailFailStopsTheLogonOrTheInboxsContents)
{
    ASSERT_TRUE(inboxFile.WriteUtf8(L"Subject\tBody\tRead\nOne\t\t0\n"));
    state.Set(L"MailFail", 1);
    EXPECT_EQ(MAPI_E_LOGON_FAILED, Logon());
    EXPECT_EQ(nullptr, session);
    EXPECT_TRUE(log.HasLine(L"cemapi: logon failed (MailFail 1)"));

    state.Set(L"MailFail", 2);
    OpenInbox();
    ASSERT_NE(nullptr, folder);
    IMAPITable* table = nullptr;
    EXPECT_EQ(MAPI_E_CALL_FAILED, folder->GetContentsTable(0, &table));
    EXPECT_EQ(nullptr, table);
    state.Delete(L"MailFail");
    EXPECT_EQ(1u, Contents().size());
}

TEST(MailMemory, BuffersFreeWhatWasAllocatedMoreOnThemAndLogonNeedsInitializing)
{
    void* buffer = nullptr;
    ASSERT_EQ(S_OK, MAPIAllocateBuffer(16, &buffer));
    void* more = nullptr;
    ASSERT_EQ(S_OK, MAPIAllocateMore(32, buffer, &more));
    memset(more, 0xAB, 32);
    EXPECT_EQ(MAPI_E_INVALID_PARAMETER, MAPIAllocateMore(8, (char*)buffer + 1, &more));
    MAPIFreeBuffer(buffer);
    MAPIFreeBuffer(nullptr);
    FreeProws(nullptr);

    IMAPISession* session = nullptr;
    EXPECT_EQ(MAPI_E_NOT_INITIALIZED, MAPILogonEx(0, nullptr, nullptr, 0, &session));
    EXPECT_EQ(nullptr, session);
}
