// The launch file against mutated input: the list loads it from a file,
// and whatever it took must be paths it can write and read back unchanged.
#include <string>

#include "fuzz_parser.h"
#include "launch_list.h"

namespace {

class CLaunchFileFuzz : public FuzzParser {
public:
    bool SetUp(const FuzzContext& context, std::string* /*why*/) override
    {
        m_file = context.scratch + L"\\launch.txt";
        m_copy = context.scratch + L"\\again.txt";
        return true;
    }

    std::string Run(const FuzzInput& input) override
    {
        if (!FuzzWriteFile(m_file, input.bytes))
            return "";
        CLaunchList list;
        list.Load(m_file.c_str());
        for (int i = 0; i < list.GetCount(); ++i) {
            const std::wstring path = list.GetPath(i);
            if (path.empty() || path.size() > CLaunchEntry::kMaxPathChars ||
                path.find_first_of(std::wstring(L"\r\0", 2)) != std::wstring::npos || path[0] == L'<')
                return "an entry that is no path was taken";
        }
        // What was taken survives a round trip exactly.
        if (!list.SaveAs(m_copy.c_str()))
            return "the list could not be written";
        CLaunchList again;
        again.Load(m_copy.c_str());
        if (again.GetCount() != list.GetCount() && list.GetCount() > 0)
            return "the written list reads back with another count";
        for (int i = 0; i < list.GetCount() && i < again.GetCount(); ++i)
            if (std::wstring(list.GetPath(i)) != again.GetPath(i))
                return "the written list reads back changed";
        return "";
    }

private:
    std::wstring m_file;
    std::wstring m_copy;
};

}  // namespace

KETRA_FUZZ_PARSER(CLaunchFileFuzz)
