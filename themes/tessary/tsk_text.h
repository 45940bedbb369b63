// Texts the library's dialogs show: file sizes, dates, special theme names.
// Pure functions over the platform's formatting, bounded into the caller's
// buffer (false when the text does not fit).
#pragma once

#include <windows.h>

// "%.2f KB" (bytes / 1024) for files of at most 1024 bytes, else "%d KB"
// (bytes / 1024 rounded to the nearest), after prefix.
bool FormatKilobytes(ULONGLONG bytes, const wchar_t* prefix, wchar_t* out, size_t cch);
// A file time (UTC) as local time with a date picture ("M/d/yy") and, when
// timePicture is not null, a time picture after it (" HH':'mm").
bool FormatFileTime(const FILETIME& utc, const wchar_t* datePicture, const wchar_t* timePicture, wchar_t* out,
                    size_t cch);
// "<default>" or "<current>", in any case.
bool IsSpecialThemeName(const wchar_t* path);

// Where a picture of width x height goes in a box, scaled to fit with its
// aspect kept and centred: s = min(box width / width, box height / height),
// each side rounded to the nearest pixel, the offsets in whole pixels.
RECT FitPicture(int width, int height, int boxWidth, int boxHeight);
