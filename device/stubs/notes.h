// Resource ids of notes.exe.
#pragma once

#define IDM_NOTES_MENUBAR 100
#define IDM_NOTES_CLEAR 101
#define IDM_NOTES_EXIT 102
