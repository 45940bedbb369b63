// The device's phone library (phone.dll): the call log and placing calls.
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef PHONE_API
#define PHONE_API __declspec(dllimport)
#endif

typedef enum {
    IOM_MISSED,
    IOM_INCOMING,
    IOM_OUTGOING
} IOM;

typedef enum {
    CALLERIDTYPE_UNAVAILABLE,
    CALLERIDTYPE_BLOCKED,
    CALLERIDTYPE_AVAILABLE
} CALLERIDTYPE;

typedef enum {
    CALLLOGSEEK_BEGINNING = 2,
    CALLLOGSEEK_END = 4
} CALLLOGSEEK;

typedef struct {
    DWORD cbSize;
    FILETIME ftStartTime;
    FILETIME ftEndTime;
    IOM iom;
    BOOL fOutgoing : 1;
    BOOL fConnected : 1;
    BOOL fEnded : 1;
    BOOL fRoam : 1;
    CALLERIDTYPE cidt;
    PWSTR pszNumber;     // each string LocalAlloc'ed: the caller frees it
    PWSTR pszName;
    PWSTR pszNameType;
    PWSTR pszNote;
} CALLLOGENTRY, *PCALLLOGENTRY;

#define PMCF_DEFAULT         0x00000001
#define PMCF_PROMPTBEFORECALLING 0x00000002

typedef struct {
    DWORD cbSize;
    DWORD dwFlags;
    PCWSTR pszDestAddress;
    PCWSTR pszAppName;
    PCWSTR pszCalledParty;
    PCWSTR pszComment;
} PHONEMAKECALLINFO, *PPHONEMAKECALLINFO;

PHONE_API HRESULT WINAPI PhoneOpenCallLog(HANDLE* ph);
PHONE_API HRESULT WINAPI PhoneCloseCallLog(HANDLE h);
// Seeking the end (iRecord ignored) gives the last record's index.
PHONE_API HRESULT WINAPI PhoneSeekCallLog(HANDLE hdb, CALLLOGSEEK seek, DWORD iRecord, LPDWORD piRecord);
// Reads the current record and moves on; S_FALSE past the last one.
PHONE_API HRESULT WINAPI PhoneGetCallLogEntry(HANDLE h, PCALLLOGENTRY pentry);
PHONE_API LONG WINAPI PhoneMakeCall(PHONEMAKECALLINFO* ppmci);

#ifdef __cplusplus
}
#endif
