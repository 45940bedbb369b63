// The summary's access to the device's Pocket Outlook object model: the
// appointments of today and tomorrow, and the tasks, as the model's items.
#pragma once

#include <windows.h>

#include <vector>

#include "agendo_model.h"

struct IPOutlookApp;

class PoomReader {
public:
    PoomReader() = default;
    ~PoomReader();
    PoomReader(const PoomReader&) = delete;
    PoomReader& operator=(const PoomReader&) = delete;

    // Creates the application object (once) and logs on, which reads the
    // store afresh; false when either fails (tried again on the next call).
    bool LogOn(HWND owner);
    void LogOff();
    // Logs off and releases the application object.
    void Close();

    // The appointments starting from today's midnight up to 48 hours from
    // now, restricted by the store in the date format of lcid; false when
    // the calendar cannot be read.
    bool Appointments(LCID lcid, std::vector<agendo::AppointmentItem>* appointments);
    bool Tasks(std::vector<agendo::TaskItem>* tasks);

private:
    IPOutlookApp* m_pApp = nullptr;
    bool m_bLoggedOn = false;
};

// The locale the device formats dates in: HKLM "nls" "DefaultLCID", else
// the user's default.
LCID DeviceDateLocale();
// The restriction texts of the two days: "[Start]>=\"<today>\"" and
// "[Start]<=\"<now + 48 hours>\"", dates in the short date format of lcid.
bool AppointmentRestrictions(LCID lcid, const SYSTEMTIME& now, std::wstring* from, std::wstring* to);
