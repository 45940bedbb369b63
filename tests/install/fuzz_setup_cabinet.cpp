// The device installer's reading of setup cabinets under mutation: the
// cabinet, its setup file and the plan made from them.  Mutations land in
// the cabinet's header and file table and, as often, in the setup file
// itself (with the cabinet's sizes kept consistent, so the setup reader is
// reached).
#include "fuzz_parser.h"

#include "app_manager.h"

namespace {

class SetupCabinetFuzz : public FuzzParser {
public:
    FuzzInput Make(const std::vector<std::string>& seeds, FuzzRandom& random) override
    {
        FuzzInput input = FuzzParser::Make(seeds, random);
        if (random.Below(2) == 0 || seeds.empty())
            return input;
        // Scramble bytes of the setup file only: its length stays.
        std::string bytes = seeds[random.Below((unsigned)seeds.size())];
        size_t setup = bytes.find("MSCE");
        if (setup == std::string::npos)
            return input;
        size_t span = std::min<size_t>(bytes.size() - setup, 2048);
        int changes = 1 + (int)random.Below(8);
        for (int i = 0; i < changes; ++i)
            bytes[setup + random.Below((unsigned)span)] = (char)random.Below(256);
        input.bytes = bytes;
        input.kind = 1;
        return input;
    }

    std::string Run(const FuzzInput& input) override
    {
        SetupCabinet cabinet;
        InstallPlan plan;
        std::wstring why;
        if (!LoadSetupCabinetBytes(input.bytes, &cabinet, &why))
            return why.empty() ? "a refusal without a reason" : "";
        if (!PlanInstallation(cabinet, kDefaultProgramFiles, &plan, &why))
            return why.empty() ? "a refusal without a reason" : "";
        for (const InstallPlan::File& file : plan.files)
            if ((file.path + L"\\").find(L"\\..\\") != std::wstring::npos || file.path.find(L':') != std::wstring::npos)
                return "a planned file lands outside the device's folders";
        return "";
    }
};

} // namespace

KETRA_FUZZ_PARSER(SetupCabinetFuzz)
