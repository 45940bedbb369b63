// The side bar's settings in the registry: read at start, defaults written
// when the options key is missing, the position written at shutdown.
#pragma once

#include <windows.h>

#include <ketra_host.h>
#include <ketra_options.h>

#define KETRA_SKIN_KEY L"Software\\ZARQ\\Ketra"
#define KETRA_COLORS_KEY L"Software\\ZARQ\\Ketra\\Colors"

class CKetraSettings {
public:
    enum { kNameLength = 64, kFileLength = MAX_PATH };

    CKetraSettings();

    // Reads every value; writes the defaults first when the options key is
    // missing.  0 (with a trace line) when even that fails.
    int Load();
    // "<path>\Skins\<skin>\skin.xml"; 0 when it does not fit.
    int FormatSkinPath(wchar_t* out, size_t capacity) const;

    // The name of the applet shown last, "About" when it cannot be read.
    static void ReadCurrentApplet(wchar_t* out, size_t capacity);
    static void WriteCurrentApplet(LPCWSTR name);
    static void WritePosition(int x, int y);
    // The three colours handed to applets: built-in values, replaced by any
    // of "1", "2", "3" that can be read.
    static void ReadColors(COLORREF colors[3]);

    wchar_t m_szPath[MAX_PATH];
    wchar_t m_szSkin[kNameLength];
    wchar_t m_szCurrentApplet[kNameLength];
    int m_nXPos;
    int m_nYPos;
    int m_bSoundOn;
    wchar_t m_szSndOpen[kFileLength];
    wchar_t m_szSndClose[kFileLength];
    int m_bAutoClose;
    DWORD m_dwWinMode;
    int m_bBackOn;
    wchar_t m_szBkImage[kFileLength];
    int m_bBkStretch;

private:
    static int WriteDefaults();
};
