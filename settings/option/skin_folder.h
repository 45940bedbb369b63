// The skins folder: where it is, which skins it holds, and removing one.
//
// A skin is a sub-folder of "<install folder>\Skins\". Its name reaches us
// from the registry and from the folder listing, so every path built from it
// is bounded and a name is only deleted after it proved to be one of the
// listed folders.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// "<Path of SOFTWARE\ZARQ\KETRA>\Skins\" into out; false (and out empty) when
// the value is missing, empty or the folder does not fit.
bool ReadSkinsFolder(wchar_t* out, size_t capacity);

// folder + name, and "\" + file when a file is given; false when it does not
// fit (out is then empty).
bool JoinSkinPath(wchar_t* out, size_t capacity, LPCWSTR folder, LPCWSTR name, LPCWSTR file = nullptr);

// The names of the folder's sub-folders, without "." and "..".
std::vector<std::wstring> ListSkinFolders(LPCWSTR folder);

// A name that stays inside the skins folder: not empty, not "." or "..", and
// without '\', '/' or ':'.
bool IsPlainSkinName(LPCWSTR name);

// The name is plain, listed among the folder's sub-folders (ignoring case)
// and is a real directory.
bool IsDeletableSkin(LPCWSTR folder, LPCWSTR name);

// Deletes the plain files of the skin's folder (attributes cleared first),
// then the folder itself. Nothing happens unless IsDeletableSkin holds.
// True when the folder is gone.
bool DeleteSkinFolder(LPCWSTR folder, LPCWSTR name);
