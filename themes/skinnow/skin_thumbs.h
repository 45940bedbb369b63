// The media player's skins as thumbnails: each skin's background picture in
// small, the current skin first, then the first skin of every sub-folder of
// the player's folder.
#pragma once

#include <windows.h>

#include <tskthumb.h>

#include "skin_file.h"

// A skin's thumbnail: the skin file as its path, its picture as preview.
class CSkinThumb : public CThumb {
public:
    // Stores the skin file, its display name ("<title>.skn") and picture.
    BOOL SetSkin(HWND window, LPCWSTR sknPath, LPCWSTR picture);
    BOOL MakePreview() override;
    LPCWSTR GetDisplayName() const { return m_szName; }

private:
    WCHAR m_szName[MAX_PATH];
    WCHAR m_szPicture[MAX_PATH];
};

class CSkinThumbList : public CThumbList {
public:
    explicit CSkinThumbList(HWND window) : m_hWnd(window) {}
    ~CSkinThumbList() override;

    // The current skin, then every skin folder of the player's folder (the
    // argument is that folder); 0 when a thumbnail could not be made (the
    // list stops there).
    BOOL LoadFolder(LPCWSTR folder) override;
    BOOL MakePreview(int index) override;

    // Each thumbnail holds a memory context and a bitmap.
    static const int kMaxThumbs = 200;

private:
    // Adds the skin when its picture is there; FALSE when the list is full.
    BOOL AddSkin(LPCWSTR sknPath, bool pictureMustExist);
    HWND m_hWnd;
};
