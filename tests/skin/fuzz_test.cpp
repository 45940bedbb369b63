// The loaders against mutated input: skin files through the XML readers,
// packages through the cabinet reader and the unpacker.
//
// The mutated cases run in a child process started with Wine's heap checks
// on (WINEDEBUG=warn+heap: block tails and freed blocks are guarded), and
// every heap of the process is validated every kValidateEvery cases, so a
// write past a block shows up within a few cases of the one that made it.
// (Validating after every single case would triple the run time.)  A crash
// or a hang of the child fails the test.  Everything is driven by a fixed
// seed: a failure names its case number and repeats exactly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "skinpackage.h"
#include "xmlaccess.h"

#include "cab_builder.h"
#include "fuzz_mutator.h"
#include "skin_test_support.h"

namespace {

const int kCases = 10000;
const int kValidateEvery = 10;
const DWORD kChildTimeoutMs = 240 * 1000;

int InvalidHeaps()
{
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    int invalid = 0;
    for (DWORD i = 0; i < count && i < 256; ++i)
        invalid += !HeapValidate(heaps[i], 0, nullptr);
    return invalid;
}

// The queries a skin loader makes, over every skin, button and control.
void ReadLikeTheSkinLoader(const CXmlReader& reader)
{
    CXmlNodeListReader skins;
    if (!reader.GetNodeList(L"/skins/skin", &skins))
        return;
    const wchar_t* rectangle[] = {L"x", L"y", L"w", L"h"};
    for (int s = 0; s < skins.GetCount() && s < 4; ++s) {
        CXmlNodeReader skin;
        if (!skins.GetNode(s, &skin))
            continue;
        int value = 0;
        BSTR text = nullptr;
        CXmlNodeReader node;
        for (const wchar_t* child : {L"window", L"move"}) {
            if (skin.GetNode(child, &node))
                for (const wchar_t* a : rectangle)
                    node.GetAttributeInt(a, &value);
        }
        skin.GetChildNodeText(L"background", &text);
        SysFreeString(text);
        if (skin.GetNode(L"background", &node)) {
            node.GetAttributeInt(L"head", &value);
            node.GetAttributeInt(L"foot", &value);
        }
        for (const wchar_t* image : {L"buttons/enable", L"buttons/pushed", L"buttons/mask"}) {
            skin.GetChildNodeText(image, &text);
            SysFreeString(text);
        }
        CXmlNodeListReader list;
        if (skin.GetNodeList(L"buttons/button", &list)) {
            for (int b = 0; b < list.GetCount(); ++b) {
                CXmlNodeReader button;
                if (!list.GetNode(b, &button))
                    continue;
                button.GetAttributeText(L"id", &text);
                SysFreeString(text);
                for (const wchar_t* a : rectangle)
                    button.GetAttributeInt(a, &value);
                for (const wchar_t* look : {L"enable", L"pushed", L"disable"}) {
                    if (button.GetNode(look, &node)) {
                        node.GetAttributeInt(L"x", &value);
                        node.GetAttributeInt(L"y", &value);
                    }
                }
                if (button.GetNode(L"mask", &node))
                    for (const wchar_t* c : {L"r", L"g", L"b"})
                        node.GetAttributeInt(c, &value);
            }
        }
        if (skin.GetNodeList(L"controls/control", &list)) {
            for (int c = 0; c < list.GetCount(); ++c) {
                CXmlNodeReader control;
                if (!list.GetNode(c, &control))
                    continue;
                for (const wchar_t* a : {L"type", L"id", L"align"}) {
                    control.GetAttributeText(a, &text);
                    SysFreeString(text);
                }
                double number = 0;
                control.GetAttributeDouble(L"x", &number);
            }
        }
    }
}

std::wstring FromUtf8(const std::string& bytes)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
    return text;
}

std::set<std::wstring> FolderContents(const std::wstring& folder)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L".."))
            names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

const wchar_t* const kMemberRequests[] = {L"SKIN", L"DEFAULT", L"MASK", L"PUSHED", L"DISABLE"};
const wchar_t* const kMemberFiles[] = {L"SKIN.XML", L"DEFAULT.BIN", L"MASK.BIN", L"PUSHED.BIN", L"DISABLE.BIN"};

// Extracts every skin member of a loaded cabinet into guarded buffers.
// Returns whether the four required members could all be extracted.
bool ExtractMembersToBuffers(CCabRead& cab, int index, std::wstring* failure)
{
    bool required = true;
    for (int m = 0; m < 5; ++m) {
        const wchar_t* request = kMemberRequests[m];
        if (!cab.HasFile(request)) {
            required = required && m == 4;
            continue;
        }
        DWORD size = cab.GetFileSize(request);
        std::string buffer(size + 16, '\x5A');
        BYTE* bytes = reinterpret_cast<BYTE*>(&buffer[0]);
        if (!cab.ExtractFileToBuffer(request, bytes, size))
            *failure = L"a member that was found did not extract";
        else if (buffer.compare(size, 16, std::string(16, '\x5A')) != 0)
            *failure = L"extraction wrote past the member's size";
        else if (size > 0 && cab.ExtractFileToBuffer(request, bytes, size - 1))
            *failure = L"extraction into a short buffer succeeded";
        if (!failure->empty()) {
            *failure += L" (case " + std::to_wstring(index) + L", " + request + L")";
            return false;
        }
    }
    return required;
}

} // namespace

TEST(SkinFuzz, LoadersSurviveMutatedInputUnderHeapChecks)
{
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring command = std::wstring(L"\"") + self +
                           L"\" --gtest_also_run_disabled_tests --gtest_filter=SkinFuzzCases.*";
    ASSERT_TRUE(SetEnvironmentVariableW(L"WINEDEBUG", L"-all,err+heap,warn+heap"));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    BOOL started = CreateProcessW(self, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableW(L"WINEDEBUG", nullptr);
    ASSERT_TRUE(started);
    CloseHandle(child.hThread);
    DWORD waited = WaitForSingleObject(child.hProcess, kChildTimeoutMs);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(child.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hProcess);
    EXPECT_EQ(WAIT_OBJECT_0, waited) << "the mutated cases hung";
    EXPECT_EQ(0u, code) << "the mutated cases failed or crashed (exit code 0x" << std::hex << code << ")";
}

// The cases below mean something only if a write past a block is seen: make
// one byte past a block wrong, check that validation notices, put it back.
// Reading the byte past the block is the point of this case.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
TEST(SkinFuzzCases, DISABLED_HeapChecksSeeAWritePastABlock)
{
    char* block = static_cast<char*>(malloc(20));
    ASSERT_NE(nullptr, block);
    volatile size_t past = 20;
    char kept = block[past];
    block[past] = static_cast<char>(kept ^ 0x5A);
    int invalid = InvalidHeaps();
    block[past] = kept;
    EXPECT_GT(invalid, 0) << "heap tail checks are off (WINEDEBUG=warn+heap not in force)";
    EXPECT_EQ(0, InvalidHeaps());
    free(block);
}
#pragma GCC diagnostic pop

TEST(SkinFuzzCases, DISABLED_MutatedSkinFiles)
{
    CXmlComScope com;
    ASSERT_TRUE(com.IsReady());
    std::string seed;
    ASSERT_TRUE(ReadBytes(FixturePath(L"sample_skin.xml"), &seed));
    // Any cut before the root's end tag leaves the document unfinished.
    const size_t rootEnd = seed.rfind("</skins>");
    ASSERT_NE(std::string::npos, rootEnd);
    const char* tokens = "<|>|&|'|\"|/|=|<!--|-->|<![CDATA[|]]>|&#0;|&#xFFFF;|&amp|&unknown;|"
                         "99999999999999999999|-2147483649|1e999|\xC3|\xFF\xFE|\xEF\xBB\xBF|"
                         "<!DOCTYPE skins [<!ENTITY e 'eee'>]>|&e;|<?xml version='1.0' encoding='bogus'?>|"
                         "<skin>|</skin>|<button id='X' x='1'/>|xmlns:a='urn:a'";
    ScratchFolder scratch(L"fuzz_xml");
    FuzzRandom random(20240611);
    // One document takes every case: each load replaces what it held.
    CXmlReader reader;
    ASSERT_TRUE(reader.Initialize());

    for (int i = 0; i < kCases; ++i) {
        bool truncated = random.OneIn(8);
        std::string input = truncated ? Truncate(seed, rootEnd, random) : Scramble(seed, random, tokens);
        int loaded;
        // Every fourth case goes through a file, the others through text.
        if (i % 8) {
            loaded = reader.LoadXml(FromUtf8(input).c_str());
        } else {
            std::wstring file = scratch / L"skin.xml";
            ASSERT_TRUE(WriteBytes(file, input));
            loaded = reader.LoadXmlFile(file.c_str());
        }
        if (truncated) {
            ASSERT_FALSE(loaded) << "a cut-off skin file loaded (case " << i << ")";
        }
        if (loaded)
            ReadLikeTheSkinLoader(reader);
        if (i % kValidateEvery == kValidateEvery - 1) {
            ASSERT_EQ(0, InvalidHeaps()) << "heap damaged by one of the cases up to " << i;
        }
    }
}

TEST(SkinFuzzCases, DISABLED_MutatedPackages)
{
    std::string packaged;
    ASSERT_TRUE(ReadBytes(FixturePath(L"skin.cab"), &packaged));
    TestCabLayout tiny;
    tiny.blockSize = 7;
    const std::string seeds[] = {
        packaged,
        BuildCabinet({{"skin.xml", "<skins><skin/></skins>"}, {"default.bin", Pattern(3, 40)},
                      {"mask.bin", Pattern(4, 9)}, {"pushed.bin", ""}, {"disable.bin", Pattern(5, 15)}},
                     tiny),
    };
    ScratchFolder scratch(L"fuzz_cab");
    const std::wstring package = scratch / L"package.cab";
    const std::wstring folder = scratch / L"SKIN";
    const std::set<std::wstring> allowed(std::begin(kMemberFiles), std::end(kMemberFiles));
    FuzzRandom random(19700101);

    for (int i = 0; i < kCases; ++i) {
        const std::string& seed = seeds[random.Below(2)];
        std::string input;
        bool truncated = false;
        switch (random.Below(4)) {
        case 0:
            input = Truncate(seed, seed.size(), random);
            truncated = true;
            break;
        case 1:
            input = Scramble(seed, random, nullptr);
            break;
        default:
            // The directory lies in the first few hundred bytes of both seeds.
            input = ExtremeValues(seed, 400, random);
            break;
        }
        // Mostly keep the size field true, so that the rest of the file is
        // what the reader has to deal with.
        if (!truncated && input.size() >= 12 && !random.OneIn(4))
            PutDword(input, kCabSizeField, static_cast<uint32_t>(input.size()));

        CCabRead cab;
        bool loaded = cab.LoadFromBuffer(reinterpret_cast<const BYTE*>(input.data()), static_cast<DWORD>(input.size()));
        if (truncated) {
            ASSERT_FALSE(loaded) << "a cut-off package loaded (case " << i << ")";
        }
        std::wstring failure;
        bool complete = loaded && ExtractMembersToBuffers(cab, i, &failure);
        ASSERT_TRUE(failure.empty()) << ToUtf8(failure);

        // Every twentieth case goes through the files: the unpacker's answer
        // must match what the reader found, and it writes only the member
        // files into the skin folder.
        if (i % 50 == 0) {
            ASSERT_TRUE(WriteBytes(package, input));
            CSknExtract extract;
            int unpacked = extract.ExtractFiles(package.c_str(), folder.c_str());
            ASSERT_EQ(complete, unpacked != 0) << "case " << i;
            for (const std::wstring& name : FolderContents(scratch.Path()))
                ASSERT_TRUE(name == L"package.cab" || name == L"SKIN") << "case " << i << " left " << ToUtf8(name);
            for (const std::wstring& name : FolderContents(folder))
                ASSERT_EQ(1u, allowed.count(name)) << "case " << i << " left " << ToUtf8(name);
            RemoveTree(folder);
        }
        if (i % kValidateEvery == kValidateEvery - 1) {
            ASSERT_EQ(0, InvalidHeaps()) << "heap damaged by one of the cases up to " << i;
        }
    }
}
