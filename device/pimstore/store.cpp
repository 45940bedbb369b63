// The store files behind the object model, read whole at each logon.
#include "pimstore_private.h"

#include <algorithm>
#include <set>

#include "devlog.h"
#include "devtable.h"

namespace {

const wchar_t kContactsPath[] = L"D:\\Windows\\PIM\\contacts.txt";
const wchar_t kCalendarPath[] = L"D:\\Windows\\PIM\\calendar.txt";
const wchar_t kTasksPath[] = L"D:\\Windows\\PIM\\tasks.txt";
const std::wstring kNoField;

// An object id: a whole number from 1 to 2^31 - 1.
bool ParseOid(const std::wstring& text, long* oid)
{
    if (text.empty() || text.size() > 10)
        return false;
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return false;
        value = value * 10 + (c - L'0');
    }
    if (value < 1 || value > 0x7FFFFFFF)
        return false;
    *oid = (long)value;
    return true;
}

// The records of one store file; a record without a usable or with a
// repeated object id is skipped and logged.
PimRecords ReadRecords(const wchar_t* path, const wchar_t* fileName)
{
    PimRecords records;
    DevTable table;
    if (!DevReadTable(path, &table, L"pim"))
        return records;
    std::set<long> seen;
    for (size_t i = 0; i < table.rows.size(); ++i) {
        auto record = std::make_shared<PimRecord>();
        if (!ParseOid(table.Field(i, L"Oid"), &record->oid) || !seen.insert(record->oid).second) {
            DevLog(L"pim", L"%ls record %u skipped (no usable Oid)", fileName, (unsigned)(i + 1));
            continue;
        }
        for (size_t c = 0; c < table.columns.size() && c < table.rows[i].size(); ++c)
            record->fields[table.columns[c]] = table.rows[i][c];
        records.push_back(record);
    }
    return records;
}

} // namespace

const std::wstring& PimRecord::Field(const std::wstring& name) const
{
    auto it = fields.find(name);
    return it == fields.end() ? kNoField : it->second;
}

const PimRecords* PimData::Folder(int number) const
{
    auto it = folders.find(number);
    return it == folders.end() ? nullptr : &it->second;
}

std::shared_ptr<const PimRecord> PimData::FindOid(long oid, int* folder) const
{
    for (const auto& entry : folders)
        for (const auto& record : entry.second)
            if (record->oid == oid) {
                if (folder)
                    *folder = entry.first;
                return record;
            }
    return nullptr;
}

PimRecords PimReadContacts(const wchar_t* path)
{
    PimRecords contacts = ReadRecords(path, L"contacts.txt");
    // The device lists contacts by file-as, as its contacts program does.
    std::stable_sort(contacts.begin(), contacts.end(), [](const auto& a, const auto& b) {
        const std::wstring& x = a->Field(L"FileAs");
        const std::wstring& y = b->Field(L"FileAs");
        return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, x.c_str(), (int)x.size(), y.c_str(),
                              (int)y.size()) == CSTR_LESS_THAN;
    });
    return contacts;
}

// The calendar's appointments ordered by start, as the device lists them;
// one without a start or end time is skipped and logged.
PimRecords PimReadAppointments(const wchar_t* path)
{
    std::vector<std::pair<DATE, std::shared_ptr<const PimRecord>>> timed;
    for (const auto& record : ReadRecords(path, L"calendar.txt")) {
        DATE start = 0, end = 0;
        if (!PimRecordTime(*record, L"Start", &start) || !PimRecordTime(*record, L"End", &end)) {
            DevLog(L"pim", L"calendar.txt record %ld skipped (no usable Start or End)", record->oid);
            continue;
        }
        timed.emplace_back(start, record);
    }
    std::stable_sort(timed.begin(), timed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    PimRecords appointments;
    for (const auto& entry : timed)
        appointments.push_back(entry.second);
    return appointments;
}

std::shared_ptr<const PimData> PimLoadData()
{
    auto data = std::make_shared<PimData>();
    data->folders[olFolderContacts] = PimReadContacts(kContactsPath);
    data->folders[olFolderCalendar] = PimReadAppointments(kCalendarPath);
    data->folders[olFolderTasks] = ReadRecords(kTasksPath, L"tasks.txt");
    return data;
}
