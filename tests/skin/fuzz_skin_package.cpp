// Skin packages against mutated input: the cabinet reader loads them from
// memory and every skin member found is extracted into a guarded buffer;
// now and then the unpacker takes the same bytes from a file, and must
// agree with the reader and write nothing but the member files.
#include <set>
#include <string>

#include "fuzz_parser.h"
#include "skinpackage.h"

namespace {

const size_t kCabSizeField = 8;  // the cabinet's own idea of its size
const wchar_t* const kMemberRequests[] = {L"SKIN", L"DEFAULT", L"MASK", L"PUSHED", L"DISABLE"};
const wchar_t* const kMemberFiles[] = {L"SKIN.XML", L"DEFAULT.BIN", L"MASK.BIN", L"PUSHED.BIN", L"DISABLE.BIN"};

enum Kind { kInMemory = 0, kCutShort = 1, kThroughFiles = 2 };

std::string Utf8(const std::wstring& text)
{
    return std::string(text.begin(), text.end());  // member names are ASCII
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

// Extracts every skin member of a loaded cabinet into guarded buffers.
// Returns whether the four required members could all be extracted.
bool ExtractMembersToBuffers(CCabRead& cab, std::string* failure)
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
            *failure = "a member that was found did not extract";
        else if (buffer.compare(size, 16, std::string(16, '\x5A')) != 0)
            *failure = "extraction wrote past the member's size";
        else if (size > 0 && cab.ExtractFileToBuffer(request, bytes, size - 1))
            *failure = "extraction into a short buffer succeeded";
        if (!failure->empty()) {
            *failure += " (" + Utf8(request) + ")";
            return false;
        }
    }
    return required;
}

class CSkinPackageFuzz : public FuzzParser {
public:
    bool SetUp(const FuzzContext& context, std::string* /*why*/) override
    {
        scratch_ = context.scratch;
        package_ = scratch_ + L"\\package.cab";
        folder_ = scratch_ + L"\\SKIN";
        return true;
    }

    FuzzInput Make(const std::vector<std::string>& seeds, FuzzRandom& random) override
    {
        const std::string& seed = seeds[random.Below(static_cast<uint32_t>(seeds.size()))];
        FuzzInput input;
        switch (random.Below(4)) {
        case 0:
            input.bytes = Truncate(seed, seed.size(), random);
            input.kind = kCutShort;
            break;
        case 1:
            input.bytes = Scramble(seed, random, nullptr);
            break;
        default:
            // The directory lies in the first few hundred bytes of every seed.
            input.bytes = ExtremeValues(seed, 400, random);
            break;
        }
        // Mostly keep the size field true, so that the rest of the file is
        // what the reader has to deal with.
        if (input.kind != kCutShort && input.bytes.size() >= 12 && !random.OneIn(4))
            PutLittleEndian(input.bytes, kCabSizeField, static_cast<uint32_t>(input.bytes.size()), 4);
        if (random.OneIn(50))
            input.kind |= kThroughFiles;
        return input;
    }

    std::string Run(const FuzzInput& input) override
    {
        CCabRead cab;
        const bool loaded =
            cab.LoadFromBuffer(reinterpret_cast<const BYTE*>(input.bytes.data()), static_cast<DWORD>(input.bytes.size()));
        if (loaded && (input.kind & kCutShort))
            return "a cut-off package loaded";
        std::string failure;
        const bool complete = loaded && ExtractMembersToBuffers(cab, &failure);
        if (!failure.empty())
            return failure;
        if (input.kind & kThroughFiles)
            return Unpack(input.bytes, complete);
        return std::string();
    }

private:
    // The unpacker's answer must match what the reader found, and it writes
    // only the member files into the skin folder.
    std::string Unpack(const std::string& bytes, bool complete)
    {
        if (!FuzzWriteFile(package_, bytes))
            return "the scratch package cannot be written";
        CSknExtract extract;
        const bool unpacked = extract.ExtractFiles(package_.c_str(), folder_.c_str()) != 0;
        std::string failure;
        if (unpacked != complete)
            failure = complete ? "the unpacker refused a complete package" : "the unpacker took an incomplete package";
        for (const std::wstring& name : FolderContents(scratch_))
            if (failure.empty() && name != L"package.cab" && name != L"SKIN")
                failure = "the unpacker left " + Utf8(name) + " beside the skin folder";
        const std::set<std::wstring> allowed(std::begin(kMemberFiles), std::end(kMemberFiles));
        for (const std::wstring& name : FolderContents(folder_))
            if (failure.empty() && !allowed.count(name))
                failure = "the unpacker left " + Utf8(name) + " in the skin folder";
        FuzzRemoveTree(folder_);
        return failure;
    }

    std::wstring scratch_;
    std::wstring package_;
    std::wstring folder_;
};

}  // namespace

KETRA_FUZZ_PARSER(CSkinPackageFuzz)
