// The device's calendar and tasks through the Pocket Outlook objects, as
// the summary reads them: appointments by start, the two chained
// restrictions in the device's date format (English and German), what a
// restriction refuses, items by object id, and completed tasks.
#include <gtest/gtest.h>

#include <ketra_testkit.h>
#include <oleauto.h>
#include <pimstore.h>

#include <string>
#include <vector>

#include "device_clock.h"

using namespace testkit;

namespace {

const wchar_t kCalendar[] = L"\\Windows\\PIM\\calendar.txt";
const wchar_t kTasks[] = L"\\Windows\\PIM\\tasks.txt";

// Stopped at Monday 7 December 2026, 15:00 (GMT, zone 85).
const wchar_t kNow[] = L"2026-12-07 15:00:00";

const wchar_t kCalendarText[] = L"Oid\tSubject\tStart\tEnd\tLocation\tBody\n"
                                L"104\tIn three days\ttoday+3 09:00\ttoday+3 10:00\t\t\n"
                                L"102\tNight train\ttoday+0 23:00\ttoday+1 01:00\t\t\n"
                                L"101\tMeeting\ttoday+0 10:00\ttoday+0 11:00\tRoom 4\tBring the plan\n"
                                L"105\tYesterday\ttoday-1 10:00\ttoday-1 11:00\t\t\n"
                                L"103\tDentist\ttoday+1 09:00\ttoday+1 09:30\t\t\n"
                                L"106\tMidnight\ttoday+0 00:00\ttoday+0 00:30\t\t\n"
                                L"107\tNo time\tsoon\ttoday+0 01:00\t\t\n";

class PimCalendar : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(calendar_.WriteUtf8(kCalendarText));
        ASSERT_TRUE(tasks_.WriteUtf8(L"Oid\tSubject\tComplete\tBody\n"
                                     L"201\tOpen one\t0\tNote one\n"
                                     L"202\tDone\t1\t\n"
                                     L"203\tOpen two\t\t\n"));
        locale_.SetDword(0x409);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                                         (void**)&app_));
        ASSERT_EQ(S_OK, app_->Logon(0));
    }
    void TearDown() override
    {
        if (app_) {
            app_->Logoff();
            app_->Release();
        }
        CoUninitialize();
    }

    IPOutlookItemCollection* Items(int folderId)
    {
        IFolder* folder = nullptr;
        EXPECT_EQ(S_OK, app_->GetDefaultFolder(folderId, &folder));
        if (!folder)
            return nullptr;
        IPOutlookItemCollection* items = nullptr;
        EXPECT_EQ(S_OK, folder->get_Items(&items));
        folder->Release();
        return items;
    }

    // The subjects of a collection's appointments, in its order.
    std::wstring Subjects(IPOutlookItemCollection* items)
    {
        std::wstring subjects;
        int count = 0;
        if (!items || items->get_Count(&count) != S_OK)
            return L"<none>";
        for (int i = 1; i <= count; ++i) {
            IDispatch* item = nullptr;
            IAppointment* appointment = nullptr;
            if (items->Item(i, &item) == S_OK && item->QueryInterface(IID_IAppointment, (void**)&appointment) == S_OK) {
                BSTR subject = nullptr;
                appointment->get_Subject(&subject);
                subjects += (subjects.empty() ? L"" : L", ") + std::wstring(subject ? subject : L"?");
                SysFreeString(subject);
                appointment->Release();
            }
            if (item)
                item->Release();
        }
        return subjects;
    }

    // Items restricted by text (null when the restriction was refused).
    IPOutlookItemCollection* Restrict(IPOutlookItemCollection* items, const std::wstring& text, HRESULT* result)
    {
        BSTR restriction = SysAllocString(text.c_str());
        IPOutlookItemCollection* restricted = nullptr;
        *result = items->Restrict(restriction, &restricted);
        SysFreeString(restriction);
        return restricted;
    }

    // The summary's two days: from today, then up to now plus 48 hours, the
    // dates in the short date format of lcid.
    std::wstring TwoDays(LCID lcid)
    {
        SYSTEMTIME today = {2026, 12, 1, 7, 15, 0, 0, 0};
        SYSTEMTIME later = {2026, 12, 3, 9, 15, 0, 0, 0};
        wchar_t from[32], to[32];
        GetDateFormatW(lcid, DATE_SHORTDATE, &today, nullptr, from, 32);
        GetDateFormatW(lcid, DATE_SHORTDATE, &later, nullptr, to, 32);
        IPOutlookItemCollection* all = Items(olFolderCalendar);
        HRESULT result = E_FAIL;
        IPOutlookItemCollection* first = Restrict(all, L"[Start]>=\"" + std::wstring(from) + L"\"", &result);
        EXPECT_EQ(S_OK, result) << from;
        IPOutlookItemCollection* second =
            first ? Restrict(first, L"[Start]<=\"" + std::wstring(to) + L"\"", &result) : nullptr;
        EXPECT_EQ(S_OK, result) << to;
        std::wstring subjects = Subjects(second);
        for (IPOutlookItemCollection* items : {all, first, second})
            if (items)
                items->Release();
        return subjects;
    }

    DeviceClock clock_{kNow, 85};
    SavedFile calendar_{kCalendar};
    SavedFile tasks_{kTasks};
    SavedRegistryValue locale_{HKEY_LOCAL_MACHINE, L"nls", L"DefaultLCID"};
    IPOutlookApp* app_ = nullptr;
};

} // namespace

TEST_F(PimCalendar, AppointmentsComeByStartWithTheirFields)
{
    IPOutlookItemCollection* items = Items(olFolderCalendar);
    ASSERT_NE(nullptr, items);
    EXPECT_EQ(L"Yesterday, Midnight, Meeting, Night train, Dentist, In three days", Subjects(items))
        << "by start; a record without a start time is left out";

    IDispatch* item = nullptr;
    ASSERT_EQ(S_OK, items->Item(3, &item));
    IAppointment* meeting = nullptr;
    ASSERT_EQ(S_OK, item->QueryInterface(IID_IAppointment, (void**)&meeting));
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, meeting->get_Location(&text));
    EXPECT_STREQ(L"Room 4", text);
    SysFreeString(text);
    ASSERT_EQ(S_OK, meeting->get_Body(&text));
    EXPECT_STREQ(L"Bring the plan", text);
    SysFreeString(text);
    DATE start = 0, end = 0;
    ASSERT_EQ(S_OK, meeting->get_Start(&start));
    ASSERT_EQ(S_OK, meeting->get_End(&end));
    SYSTEMTIME st = {};
    ASSERT_EQ(S_OK, app_->VariantTimeToSystemTime(start, &st));
    EXPECT_EQ(2026, st.wYear);
    EXPECT_EQ(7, st.wDay);
    EXPECT_EQ(10, st.wHour);
    ASSERT_EQ(S_OK, app_->VariantTimeToSystemTime(end, &st));
    EXPECT_EQ(11, st.wHour);
    long oid = 0;
    ASSERT_EQ(S_OK, meeting->get_Oid(&oid));
    EXPECT_EQ(101, oid);
    meeting->Release();
    item->Release();
    items->Release();

    // Items by object id, of every folder.
    ASSERT_EQ(S_OK, app_->GetItemFromOid(102, &item));
    IAppointment* train = nullptr;
    ASSERT_EQ(S_OK, item->QueryInterface(IID_IAppointment, (void**)&train));
    train->Release();
    item->Release();
    ASSERT_EQ(S_OK, app_->GetItemFromOid(202, &item));
    ITask* task = nullptr;
    ASSERT_EQ(S_OK, item->QueryInterface(IID_ITask, (void**)&task));
    task->Release();
    item->Release();
}

TEST_F(PimCalendar, TheTwoRestrictionsGiveTodayAndTomorrowInTheDevicesDateFormat)
{
    EXPECT_EQ(L"Midnight, Meeting, Night train, Dentist", TwoDays(0x409));
    locale_.SetDword(0x407);  // d.M.yyyy
    EXPECT_EQ(L"Midnight, Meeting, Night train, Dentist", TwoDays(0x407));
}

TEST_F(PimCalendar, RestrictionsTakeEachOperatorAndRefuseOtherTexts)
{
    IPOutlookItemCollection* items = Items(olFolderCalendar);
    ASSERT_NE(nullptr, items);
    HRESULT result = E_FAIL;
    struct Case {
        const wchar_t* text;
        const wchar_t* subjects;
    } cases[] = {
        {L"[Start]=\"12/7/2026\"", L"Midnight"},  // a date alone is midnight
        {L"[Start]=\"12/7/2026 10:00\"", L"Meeting"},
        {L"[Start]<>\"12/7/2026 10:00\"", L"Yesterday, Midnight, Night train, Dentist, In three days"},
        {L"[Start]>\"12/8/2026\"", L"Dentist, In three days"},
        {L"[Start]<\"12/7/2026\"", L"Yesterday"},
        {L"[End]<=\"12/7/2026 11:00\"", L"Yesterday, Midnight, Meeting"},
        {L"[End]>=\"12/8/2026\"", L"Night train, Dentist, In three days"},
    };
    for (const Case& c : cases) {
        IPOutlookItemCollection* restricted = Restrict(items, c.text, &result);
        EXPECT_EQ(S_OK, result) << c.text;
        EXPECT_EQ(c.subjects, Subjects(restricted)) << c.text;
        if (restricted)
            restricted->Release();
    }
    for (const wchar_t* bad : {L"[Subject]=\"Meeting\"", L"[Start]>=12/7/2026", L"[Start]=>\"12/7/2026\"",
                               L"[Start]>=\"not a date\"", L"Start>=\"12/7/2026\"", L"[Start]>=\"\"",
                               L"[Start]>=\"12/7/2026\" ", L""}) {
        IPOutlookItemCollection* restricted = Restrict(items, bad, &result);
        EXPECT_EQ(E_INVALIDARG, result) << bad;
        EXPECT_EQ(nullptr, restricted);
    }
    items->Release();

    // Contacts have no start: a restricted contacts collection is empty.
    IPOutlookItemCollection* contacts = Items(olFolderContacts);
    ASSERT_NE(nullptr, contacts);
    IPOutlookItemCollection* restricted = Restrict(contacts, L"[Start]>=\"1/1/2000\"", &result);
    ASSERT_EQ(S_OK, result);
    int count = -1;
    EXPECT_EQ(S_OK, restricted->get_Count(&count));
    EXPECT_EQ(0, count);
    restricted->Release();
    contacts->Release();
}

TEST_F(PimCalendar, TasksTellWhetherTheyAreComplete)
{
    IPOutlookItemCollection* items = Items(olFolderTasks);
    ASSERT_NE(nullptr, items);
    int count = 0;
    ASSERT_EQ(S_OK, items->get_Count(&count));
    ASSERT_EQ(3, count);
    std::wstring seen;
    for (int i = 1; i <= count; ++i) {
        IDispatch* item = nullptr;
        ITask* task = nullptr;
        ASSERT_EQ(S_OK, items->Item(i, &item));
        ASSERT_EQ(S_OK, item->QueryInterface(IID_ITask, (void**)&task));
        BSTR subject = nullptr, body = nullptr;
        VARIANT_BOOL complete = VARIANT_TRUE;
        task->get_Subject(&subject);
        task->get_Body(&body);
        ASSERT_EQ(S_OK, task->get_Complete(&complete));
        seen += std::wstring(subject) + L"/" + body + (complete ? L"/done; " : L"/open; ");
        SysFreeString(subject);
        SysFreeString(body);
        task->Release();
        item->Release();
    }
    EXPECT_EQ(L"Open one/Note one/open; Done//done; Open two//open; ", seen);
    items->Release();
}
