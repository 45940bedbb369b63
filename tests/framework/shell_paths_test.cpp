// File names, extensions and paths (CSH::GetFileTitle, CFileInfo,
// CModuleInfo), CFile and the avoid lists: results and their bounds.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell.h"

namespace {

const wchar_t kCanary = L'\x7F7F';

std::wstring Repeat(wchar_t c, size_t n)
{
    return std::wstring(n, c);
}

TEST(ShellPathsTest, FileTitleDropsFolderAndLastExtension)
{
    wchar_t title[MAX_PATH];
    EXPECT_TRUE(CSH::GetFileTitle(L"\\Windows\\Start Menu\\Notes.lnk", title));
    EXPECT_STREQ(L"Notes", title);
    CSH::GetFileTitle(L"readme", title);
    EXPECT_STREQ(L"readme", title);
    CSH::GetFileTitle(L"a.b.c", title);
    EXPECT_STREQ(L"a.b", title);
    EXPECT_STREQ(L"Notes", CFileInfo::GetFileTitle(L"\\Windows\\Start Menu\\Notes.lnk"));
    EXPECT_STREQ(L"a.b", CFileInfo::GetFileTitle(L"\\x\\a.b.c"));
}

// Regression: the title used to be copied whole into the caller's buffer.
TEST(ShellPathsTest, FileTitleStaysInsideTheCallersBuffer)
{
    wchar_t title[9];
    wmemset(title, kCanary, 9);
    EXPECT_FALSE(CSH::GetFileTitle(L"\\Windows\\Programs\\Calculator.lnk", title, 8));
    EXPECT_STREQ(L"Calcula", title);
    EXPECT_EQ(kCanary, title[8]);
}

TEST(ShellPathsTest, ExtensionsMatchExactlyAndCaseMatters)
{
    EXPECT_TRUE(CFileInfo::IsExtension(L"\\Windows\\x.lnk", L"lnk"));
    EXPECT_FALSE(CFileInfo::IsExtension(L"X.LNK", L"lnk"));
    EXPECT_FALSE(CFileInfo::IsExtension(L"lnk", L"lnk"));
    EXPECT_FALSE(CFileInfo::IsExtension(L"a.lnk.bak", L"lnk"));
    EXPECT_TRUE(CFileInfo::IsShortcutFile(L"\\Windows\\Start Menu\\Notes.lnk"));
    EXPECT_FALSE(CFileInfo::IsShortcutFile(L"\\Windows\\Notes.LNK"));
}

TEST(ShellPathsTest, PathPartsAndJoins)
{
    EXPECT_STREQ(L"Notes.lnk", CFileInfo::GetFileName(L"\\Windows\\Start Menu\\Notes.lnk"));
    EXPECT_STREQ(L"plain", CFileInfo::GetFileName(L"plain"));
    EXPECT_STREQ(L"\\Windows\\Start Menu", CFileInfo::GetPath(L"\\Windows\\Start Menu\\Notes.lnk"));
    EXPECT_STREQ(L"plain", CFileInfo::GetPath(L"plain"));
    EXPECT_STREQ(L"\\My Documents\\a.txt", CFileInfo::GetFullPath(L"\\My Documents", L"a.txt"));
    EXPECT_STREQ(L"\\My Documents\\a.txt", CFileInfo::GetFullPath(L"\\My Documents", L"a", L"txt"));
    // An earlier result passed back in.
    CFileInfo::GetFullPath(L"\\Windows", L"x");
    EXPECT_STREQ(L"\\Windows\\x\\y", CFileInfo::GetFullPath(CFileInfo::szBuff, L"y"));
}

// Regression: joins longer than the shared buffer used to run past it.
TEST(ShellPathsTest, ResultsThatDoNotFitAreRefused)
{
    std::wstring folder = L"\\" + Repeat(L'f', 200);
    std::wstring name = Repeat(L'n', 80);
    EXPECT_EQ(nullptr, CFileInfo::GetFullPath(folder.c_str(), name.c_str()));
    EXPECT_STREQ(L"", CFileInfo::szBuff);
    EXPECT_NE(nullptr, CFileInfo::GetFullPath(folder.c_str(), L"short.txt"));
    EXPECT_EQ(nullptr, CFileInfo::GetFileName((L"\\x\\" + Repeat(L'n', MAX_PATH)).c_str()));

    CModuleInfo module((L"\\" + Repeat(L'p', 240) + L"\\tool.exe").c_str());
    EXPECT_EQ(nullptr, module.GetFileName(name.c_str()));
    EXPECT_NE(nullptr, module.GetFileName(L"a.xml"));
}

TEST(ShellPathsTest, ModuleInfoNamesFilesBesideTheModule)
{
    CModuleInfo tool(L"\\Program Files\\Tool\\tool.exe");
    EXPECT_STREQ(L"\\Program Files\\Tool\\skin.xml", tool.GetFileName(L"skin.xml"));
    EXPECT_STREQ(L"\\Program Files\\Tool\\launch.txt", tool.GetPath(L"launch.txt"));
    EXPECT_STREQ(L"\\Program Files\\Tool", tool.GetPath());
    EXPECT_STREQ(L"\\Program Files\\Tool\\tool.exe", tool.GetFullPath());
    EXPECT_EQ(nullptr, tool.GetFileName());
    CModuleInfo bare(L"tool.exe");
    EXPECT_EQ(nullptr, bare.GetFileName(L"skin.xml"));

    // The running program: its folder is where the test executable lies.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, wcsrchr(self, L'\\') - self);
    CModuleInfo running(GetModuleHandleW(nullptr));
    EXPECT_STREQ(self, running.GetFullPath());
    EXPECT_EQ(folder + L"\\icons.bmp", running.GetFileName(L"icons.bmp"));
}

TEST(ShellPathsTest, FileOpensReadsWritesAndSeeks)
{
    const wchar_t* path = L"\\My Documents\\cfile_test.bin";
    DeleteFileW(path);
    {
        CFile file;
        EXPECT_EQ(INVALID_HANDLE_VALUE, file.GetHandle());
        ASSERT_TRUE(file.Open(path, FALSE));  // created when missing
        EXPECT_EQ(6u, file.Write("abcdef", 6));
        file.Seek(2, 0);
        EXPECT_EQ(6u, file.GetLength());
        EXPECT_EQ(2u, file.GetPosition());  // GetLength came back
        char got[8] = {};
        EXPECT_EQ(4u, file.Read(got, sizeof(got)));
        EXPECT_STREQ("cdef", got);
        EXPECT_EQ(0u, file.Read(nullptr, 4));
        EXPECT_TRUE(file.Close());
        EXPECT_EQ(nullptr, file.GetHandle());
    }
    {
        CFile keep(path);  // opening does not truncate
        EXPECT_EQ(6u, keep.GetLength());
    }
    {
        CFile fresh;
        ASSERT_TRUE(fresh.Open(path, TRUE));  // create truncates
        EXPECT_EQ(0u, fresh.GetLength());
    }
    EXPECT_TRUE(CFileInfo::IsExist(path));
    SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CFileInfo::DeleteFileW(path, FALSE));
    EXPECT_TRUE(CFileInfo::DeleteFileW(path, TRUE));
    EXPECT_FALSE(CFileInfo::IsExist(path));
}

TEST(ShellPathsTest, ShortcutsToProgramsAndCopiesOfShortcuts)
{
    const wchar_t* link = L"\\My Documents\\svc_pword.lnk";
    const wchar_t* copy = L"\\My Documents\\svc_copy.lnk";
    ASSERT_TRUE(CFileInfo::CreateShortcut(link, L"\\Windows\\pword.exe"));
    char text[64] = {};
    CFile file(link);
    file.Read(text, sizeof(text) - 1);
    file.Close();
    EXPECT_STREQ("20#\"\\Windows\\pword.exe\"", text);
    EXPECT_TRUE(CFileInfo::CreateShortcut(copy, link));
    EXPECT_TRUE(CFileInfo::IsExist(copy));
    EXPECT_FALSE(CFileInfo::CreateShortcut(L"\\My Documents\\svc_doc.lnk", L"\\My Documents\\Welcome.txt"));
    EXPECT_FALSE(CFileInfo::IsExist(L"\\My Documents\\svc_doc.lnk"));
    CFileInfo::DeleteFileW(link, TRUE);
    CFileInfo::DeleteFileW(copy, TRUE);
}

TEST(ShellPathsTest, AvoidListsHoldThirtyTwoEntriesOfBoundedText)
{
    CWndList list;
    for (int i = 0; i < CWndList::kMaxAvoid; ++i)
        ASSERT_TRUE(list.AddAvoidName((L"name" + std::to_wstring(i)).c_str()));
    EXPECT_FALSE(list.AddAvoidName(L"one too many"));
    EXPECT_TRUE(list.IsAvoidName(L"name31"));
    std::wstring longClass = Repeat(L'c', 300);
    EXPECT_TRUE(list.AddAvoidClass(longClass.c_str()));
    EXPECT_TRUE(list.IsAvoidClass(Repeat(L'c', 127).c_str()));
    list.ResetAvoidList();
    EXPECT_FALSE(list.IsAvoidName(L"name0"));
    EXPECT_TRUE(list.AddAvoidName(L"again"));
}

} // namespace
