// The theme folders: the favourite folders in which theme files are looked
// for (at most 16), kept in HKLM "SOFTWARE\ZARQ\Vexilo" as `count` and
// `folder00` to `folder15`.
#pragma once

#include <windows.h>

#include "tessary_api.h"

enum { kMaxTskFolders = 16 };

// The favourites; with none stored, the default list ("\Windows", the
// documents folder, each storage card's documents folder), which is then
// stored.
TESSARY_API int GetTskFolders(wchar_t folders[kMaxTskFolders][MAX_PATH], int* count);
// The stored list only; fails when no folder is stored.
TESSARY_API int GetTskCustomFolders(wchar_t folders[kMaxTskFolders][MAX_PATH], int* count);
// Stores the first count folders (at most 16); fails for a count below 1.
TESSARY_API int SetTskCustomFolders(const wchar_t folders[kMaxTskFolders][MAX_PATH], int count);
// Appends folder unless stored already (exact comparison); fails when 16
// are stored.
TESSARY_API int AddTskCustomFolder(const wchar_t* folder);
// The "*.tsk" files of folder as full paths, into at most capacity strings;
// count receives the number of all matches, and the result is whether they
// all fitted.
TESSARY_API int GetTskFilepaths(const wchar_t* folder, wchar_t (*paths)[MAX_PATH], int capacity, int* count);
