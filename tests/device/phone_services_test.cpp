// The device's phone and PIM services as programs use them: text messages
// into the outbox, the call log, the Pocket Outlook object model found
// through the registry, beaming, the Talk key and the contacts shell target.
#include <gtest/gtest.h>

#include <windows.h>

#include <cedevice.h>
#include <ketra_testkit.h>
#include <phone.h>
#include <pimstore.h>
#include <pimutil.h>
#include <sms.h>

#include <string>
#include <vector>

namespace {

const wchar_t kOutbox[] = L"D:\\Windows\\Phone\\outbox.txt";
const wchar_t kCallLog[] = L"D:\\Windows\\Phone\\calllog.txt";
const wchar_t kContacts[] = L"D:\\Windows\\PIM\\contacts.txt";
const wchar_t kState[] = L"Software\\SimDevice";

// The outbox's records after its header, each split at its tabs.
std::vector<std::vector<std::wstring>> OutboxRecords()
{
    std::vector<std::vector<std::wstring>> records;
    std::wstring text = testkit::FromUtf8(testkit::ReadBytes(kOutbox));
    size_t pos = text.find(L"\r\n");
    while (pos != std::wstring::npos && pos + 2 < text.size()) {
        size_t end = text.find(L"\r\n", pos + 2);
        std::wstring line = text.substr(pos + 2, end - pos - 2);
        std::vector<std::wstring> fields(1);
        for (wchar_t c : line)
            if (c == L'\t')
                fields.emplace_back();
            else
                fields.back() += c;
        records.push_back(fields);
        pos = end;
    }
    return records;
}

HRESULT SendText(const wchar_t* number, const std::wstring& body, const SMS_ADDRESS* centre = nullptr,
                 DWORD providerSize = sizeof(TEXT_PROVIDER_SPECIFIC_DATA))
{
    SMS_HANDLE sms = 0;
    HRESULT hr = SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &sms, nullptr);
    if (FAILED(hr))
        return hr;
    SMS_ADDRESS destination = {};
    destination.smsatAddressType = SMSAT_UNKNOWN;
    wcsncpy(destination.ptsAddress, number, SMS_MAX_ADDRESS_LENGTH - 1);
    BYTE provider[16] = {};
    TEXT_PROVIDER_SPECIFIC_DATA data = {PS_MESSAGE_OPTION_NONE, PS_MESSAGE_CLASS1, PSRO_NONE};
    memcpy(provider, &data, sizeof(data));
    hr = SmsSendMessage(sms, centre, &destination, nullptr, (const BYTE*)body.data(),
                        (DWORD)(body.size() * sizeof(wchar_t)), provider, providerSize, SMSDE_OPTIMAL,
                        SMS_OPTION_DELIVERY_NONE, nullptr);
    SmsClose(sms);
    return hr;
}

class SmsTest : public ::testing::Test {
protected:
    testkit::SavedFile outbox_{kOutbox};
    testkit::SavedRegistryValue fail_{HKEY_LOCAL_MACHINE, kState, L"SmsFail"};
    testkit::SavedRegistryValue centre_{HKEY_LOCAL_MACHINE, kState, L"SmsServiceCentre"};
    void SetUp() override
    {
        outbox_.Remove();
        fail_.Delete();
        centre_.SetString(L"+14255550199");
    }
};

TEST_F(SmsTest, SentMessageIsAnOutboxRecordWithItsUtf16Body)
{
    testkit::DeviceLog log;
    SMS_ADDRESS centre = {};
    ASSERT_EQ(S_OK, SmsGetSMSC(&centre));
    EXPECT_STREQ(L"+14255550199", centre.ptsAddress);
    EXPECT_EQ(SMSAT_INTERNATIONAL, centre.smsatAddressType);

    const std::wstring body = L"Gr\u00fc\u00dfe \u2713\tline\r\nnext \\ end";
    ASSERT_EQ(S_OK, SendText(L"+1 (425) 555-0100", body, &centre));
    auto records = OutboxRecords();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ((std::vector<std::wstring>{L"+14255550199", L"1", L"+1 (425) 555-0100", L"0", L"1", L"0", L"0", L"0",
                                         L"Gr\u00fc\u00dfe \u2713\\tline\\r\\nnext \\\\ end"}),
              records[0]);
    EXPECT_TRUE(log.HasLine(L"sms: sent to +1 (425) 555-0100"));

    // No centre given: the device's own; provider data of a later, longer form is taken.
    ASSERT_EQ(S_OK, SendText(L"5550101", L"", nullptr, 16));
    records = OutboxRecords();
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(L"+14255550199", records[1][0]);
    EXPECT_EQ(L"", records[1][8]);
}

TEST_F(SmsTest, BadRequestsAreRefusedAndNothingIsSent)
{
    SMS_HANDLE sms = 0;
    EXPECT_EQ(SMS_E_INVALIDPROTOCOL, SmsOpen(L"Microsoft WDP SMS Protocol", SMS_MODE_SEND, &sms, nullptr));
    EXPECT_TRUE(FAILED(SendText(L"5550101", L"short provider data", nullptr, 8)));
    EXPECT_TRUE(FAILED(SendText(L"", L"no number")));
    EXPECT_EQ(E_HANDLE, SmsClose(0x7777));
    SMS_ADDRESS destination = {SMSAT_UNKNOWN, L"5550101"};
    TEXT_PROVIDER_SPECIFIC_DATA data = {};
    EXPECT_EQ(E_HANDLE, SmsSendMessage(0x7777, nullptr, &destination, nullptr, (const BYTE*)L"x", 2, (BYTE*)&data,
                                       sizeof(data), SMSDE_OPTIMAL, 0, nullptr));
    EXPECT_FALSE(testkit::FileExists(kOutbox));
}

TEST_F(SmsTest, EachFailureStageFailsItsStep)
{
    SMS_HANDLE sms = 0;
    fail_.SetDword(1);
    EXPECT_TRUE(FAILED(SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &sms, nullptr)));
    fail_.SetDword(2);
    SMS_ADDRESS centre = {};
    EXPECT_TRUE(FAILED(SmsGetSMSC(&centre)));
    EXPECT_EQ(S_OK, SendText(L"5550102", L"sent with no centre"));
    fail_.SetDword(3);
    EXPECT_TRUE(FAILED(SendText(L"5550103", L"lost")));
    fail_.Delete();
    centre_.Delete();
    EXPECT_EQ(SMS_E_NOSMSC, SmsGetSMSC(&centre));

    auto records = OutboxRecords();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(L"5550102", records[0][2]);
    EXPECT_EQ(L"", records[0][0]);
}

// ---- call log ---------------------------------------------------------------

struct Call {
    std::wstring number, name, nameType;
};

// Reads the whole log as a program does: the end's index, then each record.
std::vector<Call> ReadCallLog(HRESULT* endSeek = nullptr)
{
    std::vector<Call> calls;
    HANDLE log = nullptr;
    if (FAILED(PhoneOpenCallLog(&log)))
        return calls;
    DWORD last = 0;
    HRESULT hr = PhoneSeekCallLog(log, CALLLOGSEEK_END, 0, &last);
    if (endSeek) {
        *endSeek = hr;
    }
    PhoneSeekCallLog(log, CALLLOGSEEK_BEGINNING, 0, nullptr);
    for (;;) {
        CALLLOGENTRY entry = {};
        entry.cbSize = sizeof(entry);
        if (PhoneGetCallLogEntry(log, &entry) != S_OK)
            break;
        // Strings come from LocalAlloc, and the caller frees them.
        Call call;
        if (entry.pszNumber) {
            EXPECT_GE(LocalSize(entry.pszNumber), (wcslen(entry.pszNumber) + 1) * sizeof(wchar_t));
            call.number = entry.pszNumber;
        }
        if (entry.pszName)
            call.name = entry.pszName;
        if (entry.pszNameType)
            call.nameType = entry.pszNameType;
        LocalFree(entry.pszNumber);
        LocalFree(entry.pszName);
        LocalFree(entry.pszNameType);
        LocalFree(entry.pszNote);
        calls.push_back(call);
    }
    PhoneCloseCallLog(log);
    if (!endSeek) {
        EXPECT_EQ(calls.size() - 1, last);
    }
    return calls;
}

class CallLogTest : public ::testing::Test {
protected:
    testkit::SavedFile file_{kCallLog};
    testkit::SavedRegistryValue fail_{HKEY_LOCAL_MACHINE, kState, L"CallLogFail"};
    void SetUp() override { fail_.Delete(); }
};

TEST_F(CallLogTest, NewestFirstWithTheEndSeekAndTheEndOfReading)
{
    testkit::DeviceLog devlog;
    ASSERT_TRUE(file_.WriteUtf8(L"Number\tName\tNameType\tStart\r\n"
                                L"111\tOld\t\t2026-01-02 10:00\r\n"
                                L"222\tNew\tw\ttoday+0 08:00\r\n"
                                L"bad\\q\tskipped\t\ttoday+0 09:00\r\n"
                                L"333\t\t\t2026-01-02 11:00\r\n"
                                L"\r\n"
                                L"444\tNo time\r\n"));
    auto calls = ReadCallLog();
    ASSERT_EQ(4u, calls.size());
    EXPECT_EQ(L"222", calls[0].number);
    EXPECT_EQ(L"w", calls[0].nameType);
    EXPECT_EQ(L"333", calls[1].number);
    EXPECT_EQ(L"111", calls[2].number);
    EXPECT_EQ(L"444", calls[3].number);
    EXPECT_EQ(L"No time", calls[3].name);
    EXPECT_TRUE(devlog.Contains(L"calllog.txt line 4 skipped"));

    HANDLE log = nullptr;
    ASSERT_EQ(S_OK, PhoneOpenCallLog(&log));
    DWORD index = 0;
    EXPECT_EQ(S_OK, PhoneSeekCallLog(log, CALLLOGSEEK_END, 0, &index));
    EXPECT_EQ(3u, index);
    CALLLOGENTRY entry = {};
    entry.cbSize = sizeof(entry);
    ASSERT_EQ(S_OK, PhoneGetCallLogEntry(log, &entry));
    LocalFree(entry.pszNumber);
    LocalFree(entry.pszName);
    EXPECT_EQ(S_FALSE, PhoneGetCallLogEntry(log, &entry));
    EXPECT_TRUE(FAILED(PhoneSeekCallLog(log, CALLLOGSEEK_BEGINNING, 4, &index)));
    EXPECT_EQ(S_OK, PhoneCloseCallLog(log));
    EXPECT_EQ(E_HANDLE, PhoneCloseCallLog(log));
}

TEST_F(CallLogTest, AnEmptyLogHasNoEndAndAFailedOpenNoHandle)
{
    ASSERT_TRUE(file_.WriteUtf8(L"Number\tName\tNameType\tStart\r\n"));
    HRESULT endSeek = S_OK;
    EXPECT_TRUE(ReadCallLog(&endSeek).empty());
    EXPECT_TRUE(FAILED(endSeek));

    ASSERT_TRUE(file_.Remove());
    EXPECT_TRUE(ReadCallLog(&endSeek).empty());

    fail_.SetDword(1);
    HANDLE log = (HANDLE)1;
    EXPECT_TRUE(FAILED(PhoneOpenCallLog(&log)));
    EXPECT_EQ(nullptr, log);
}

TEST(PhoneCallTest, CallsAndTheTalkKeyAreLogged)
{
    testkit::DeviceLog log;
    PHONEMAKECALLINFO call = {sizeof(call), PMCF_DEFAULT, L"(425) 555-0100", nullptr, nullptr, nullptr};
    EXPECT_EQ(0, PhoneMakeCall(&call));
    call.pszDestAddress = L"";
    EXPECT_NE(0, PhoneMakeCall(&call));
    keybd_event(VK_TTALK, 0, 0, 0);
    keybd_event(VK_TTALK, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ((std::vector<std::wstring>{L"phone: call (425) 555-0100 (flags 1)", L"phone: talk key down",
                                         L"phone: talk key up"}),
              log.Lines(L"phone: "));
}

// ---- the object model -------------------------------------------------------------

class PimStoreTest : public ::testing::Test {
protected:
    testkit::SavedFile file_{kContacts};
    testkit::SavedRegistryValue fail_{HKEY_LOCAL_MACHINE, kState, L"PimFail"};
    IPOutlookApp* app_ = nullptr;

    void SetUp() override
    {
        fail_.Delete();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(file_.WriteUtf8(L"Oid\tFileAs\tMobileTelephoneNumber\tBusinessTelephoneNumber\r\n"
                                    L"30\tcarter, Ann\t555-0300\r\n"
                                    L"10\tBaker, Bo\t555-0100\t555-0101\r\n"
                                    L"x\tNo oid\r\n"
                                    L"20\tAdams, \u00c5sa\r\n"));
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                                         (void**)&app_));
    }
    void TearDown() override
    {
        if (app_)
            app_->Release();
        CoUninitialize();
    }

    static std::wstring Text(IContact* contact, HRESULT (STDMETHODCALLTYPE IContact::*getter)(BSTR*))
    {
        BSTR text = nullptr;
        if ((contact->*getter)(&text) != S_OK)
            return L"<failed>";
        std::wstring copy = text ? text : L"";
        SysFreeString(text);
        return copy;
    }
};

TEST_F(PimStoreTest, ContactsByFileAsWithTheirNumbersAndOids)
{
    IFolder* folder = nullptr;
    EXPECT_TRUE(FAILED(app_->GetDefaultFolder(olFolderContacts, &folder)));  // not logged on
    ASSERT_EQ(S_OK, app_->Logon(0));
    ASSERT_EQ(S_OK, app_->GetDefaultFolder(olFolderContacts, &folder));
    IPOutlookItemCollection* items = nullptr;
    ASSERT_EQ(S_OK, folder->get_Items(&items));
    int count = 0;
    ASSERT_EQ(S_OK, items->get_Count(&count));
    ASSERT_EQ(3, count);

    IDispatch* item = nullptr;
    EXPECT_TRUE(FAILED(items->Item(0, &item)));
    EXPECT_TRUE(FAILED(items->Item(4, &item)));
    std::vector<std::wstring> names;
    std::vector<long> oids;
    for (int i = 1; i <= count; ++i) {
        ASSERT_EQ(S_OK, items->Item(i, &item));
        IContact* contact = nullptr;
        ASSERT_EQ(S_OK, item->QueryInterface(IID_IContact, (void**)&contact));
        names.push_back(Text(contact, &IContact::get_FileAs));
        long oid = 0;
        contact->get_Oid(&oid);
        oids.push_back(oid);
        if (i == 2) {
            EXPECT_EQ(L"555-0100", Text(contact, &IContact::get_MobileTelephoneNumber));
            EXPECT_EQ(L"555-0101", Text(contact, &IContact::get_BusinessTelephoneNumber));
            EXPECT_EQ(L"", Text(contact, &IContact::get_HomeTelephoneNumber));
            DATE birthday = 0;
            EXPECT_EQ(E_NOTIMPL, contact->get_Birthday(&birthday));
        }
        contact->Release();
        item->Release();
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Adams, \u00c5sa", L"Baker, Bo", L"carter, Ann"}), names);
    EXPECT_EQ((std::vector<long>{20, 10, 30}), oids);

    ASSERT_EQ(S_OK, app_->GetItemFromOid(30, &item));
    IContact* contact = nullptr;
    ASSERT_EQ(S_OK, item->QueryInterface(IID_IContact, (void**)&contact));
    EXPECT_EQ(L"555-0300", Text(contact, &IContact::get_MobileTelephoneNumber));
    contact->Release();
    item->Release();
    EXPECT_TRUE(FAILED(app_->GetItemFromOid(99, &item)));

    items->Release();
    folder->Release();
    EXPECT_EQ(S_OK, app_->Logoff());
}

TEST_F(PimStoreTest, EachLogonReadsTheStoreAndPimFailRefusesIt)
{
    ASSERT_EQ(S_OK, app_->Logon(0));
    app_->Logoff();
    ASSERT_TRUE(file_.WriteUtf8(L"Oid\tFileAs\r\n5\tOnly\r\n"));
    ASSERT_EQ(S_OK, app_->Logon(0));
    IFolder* folder = nullptr;
    ASSERT_EQ(S_OK, app_->GetDefaultFolder(olFolderContacts, &folder));
    IPOutlookItemCollection* items = nullptr;
    ASSERT_EQ(S_OK, folder->get_Items(&items));
    int count = 0;
    items->get_Count(&count);
    EXPECT_EQ(1, count);
    items->Release();
    folder->Release();
    app_->Logoff();

    fail_.SetDword(1);
    EXPECT_TRUE(FAILED(app_->Logon(0)));
}

// ---- beaming and the contacts program ----------------------------------------------

TEST(PimUtilTest, BeamingAContactIsLogged)
{
    testkit::DeviceLog log;
    HMODULE library = LoadLibraryW(L"\\Windows\\PimUtil.dll");
    ASSERT_NE(nullptr, library);
    auto send = (PIMSENDITEMS)(void*)GetProcAddress(library, "PimSendItems");
    ASSERT_NE(nullptr, send);
    CEOID oid = 1005;
    EXPECT_EQ(S_OK, send(nullptr, &oid, 1, 0));
    EXPECT_TRUE(FAILED(send(nullptr, &oid, 0, 0)));
    FreeLibrary(library);
    EXPECT_EQ((std::vector<std::wstring>{L"beam: contact 1005"}), log.Lines(L"beam: "));
}

TEST(ShellTargetTest, ContactsTargetStartsTheContactsProgramWithItsArguments)
{
    testkit::DeviceLog log;
    ASSERT_TRUE(testkit::Execute(L":MSCONTACTS", L"-new"));
    EXPECT_TRUE(log.WaitFor(L"poutlook: started contacts -new", 10000));
    EXPECT_FALSE(testkit::Execute(L":NOSUCHTARGET"));
    testkit::EndProcesses(L"poutlook.exe");
}

}  // namespace
