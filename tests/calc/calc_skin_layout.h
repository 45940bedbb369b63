// The calculators on the bar as their tests see them: where a skin puts its
// keys (the button rectangles of an installed skin file, so that tests tap
// the keys the user sees), and what their boxes show.
#pragma once
#include <windows.h>

#include <map>
#include <string>

// Button name to rectangle (applet coordinates); empty when the file
// cannot be read.
std::map<std::wstring, RECT> ReadSkinButtons(const std::wstring& skinFile);

// The text of an edit or combo box of the bar's process, as the box itself
// answers it (its window caption is not kept up to date).
std::wstring BoxText(HWND box);

// Opens the box's list with a tap and taps the item, where the open list
// shows it (the list scrolls its selected item to the top when it opens).
bool TapListItem(HWND combo, const std::wstring& text);
