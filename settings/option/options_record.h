// The side bar's options as the Options page edits them: the values under
// HKLM "SOFTWARE\ZARQ\KETRA\OPTIONS" and the install folder.
#pragma once

#include <windows.h>

#define KETRA_KEY_PATH L"SOFTWARE\\ZARQ\\KETRA"

// Window modes of the side bar at start.
enum { kWinModeMinimized = 6, kWinModeNormal = 12 };

class COptionsRecord {
public:
    // Texts hold at most this many characters with the terminator, the
    // length the side bar reads back.
    enum { kTextLength = MAX_PATH };

    COptionsRecord();  // every value at its default

    // Reads the install folder and the options, writing the defaults first
    // when the options key is missing. 0 (with a trace line) when even that
    // fails; the record then keeps its defaults. `root` is the registry
    // root, HKEY_LOCAL_MACHINE on the device.
    BOOL Load(HKEY root = HKEY_LOCAL_MACHINE);
    // Writes the edited values (creating the key); 0 without writing when
    // the record was never loaded, since it would replace the stored
    // options with defaults the user never saw.
    BOOL Save() const;
    BOOL IsLoaded() const { return m_bLoaded; }

    // A path for one of the text fields; 0 (field unchanged) when it does
    // not fit.
    static BOOL SetText(wchar_t (&field)[kTextLength], LPCWSTR text);

    wchar_t m_szPath[kTextLength];  // install folder, empty when unknown
    wchar_t m_szDefaultApplet[kTextLength];
    wchar_t m_szCurrentApplet[kTextLength];
    DWORD m_dwXPos;
    DWORD m_dwYPos;
    DWORD m_dwSoundOn;
    wchar_t m_szSndOpen[kTextLength];
    wchar_t m_szSndClose[kTextLength];
    DWORD m_dwAutoClose;
    DWORD m_dwWinMode;
    DWORD m_dwBackOn;
    wchar_t m_szBkImage[kTextLength];
    DWORD m_dwBkStretch;

private:
    static BOOL WriteDefaults(HKEY root);

    HKEY m_root = HKEY_LOCAL_MACHINE;
    BOOL m_bLoaded = FALSE;
};
