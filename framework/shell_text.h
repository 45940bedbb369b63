// Corvane-internal: bounded text copies and path splitting shared by the
// shell and file helpers.
#pragma once

#include <windows.h>

#include <cstddef>

// Copies the first `length` characters of text (all of it for
// kWholeText) into out of cch characters, always terminated when cch > 0.
// false when text had to be cut or out is unusable.
constexpr size_t kWholeText = static_cast<size_t>(-1);
bool CopyBounded(wchar_t* out, size_t cch, const wchar_t* text, size_t length = kWholeText);

// The part of path after its last backslash (the whole path without one).
const wchar_t* FileNamePart(const wchar_t* path);
// Length of name without its last dot and what follows (the whole length
// when there is no dot).
size_t TitleLength(const wchar_t* name);
