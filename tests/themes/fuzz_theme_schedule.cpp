// Theme schedules against mutated input: the text and the XML form through
// both programs' readers.  What a reader takes must stay within its bounds.
#include <schedule.h>

#include "fuzz_parser.h"

namespace {

const char kTokens[] = "\r|\n|\xFF\xFE|<|>|</rotateinfo>|<count>|99999999999|-1|<theme999>|&#0;|random|sequential";

class CScheduleFuzz : public FuzzParser {
public:
    FuzzInput Make(const std::vector<std::string>& seeds, FuzzRandom& random) override
    {
        const std::string& seed = seeds[random.Below(static_cast<uint32_t>(seeds.size()))];
        FuzzInput input;
        input.bytes = random.OneIn(3) ? Truncate(seed, seed.size(), random) : Scramble(seed, random, kTokens);
        return input;
    }

    std::string Run(const FuzzInput& input) override
    {
        for (ScheduleReader reader : {ScheduleReader::Rotator, ScheduleReader::Editor}) {
            CSchedule schedule;
            if (!ParseSchedule(reinterpret_cast<const BYTE*>(input.bytes.data()),
                               static_cast<DWORD>(input.bytes.size()), reader, &schedule))
                continue;
            if (schedule.themes.size() > CSchedule::kMaxThemes)
                return "more themes than a schedule keeps";
            if (schedule.interval < 0)
                return "a negative interval";
            if (reader == ScheduleReader::Rotator && input.bytes[0] == '<' && schedule.interval < 1)
                return "an XML delay below 1 minute for the rotator";
            for (const std::wstring& path : schedule.themes)
                if (path.empty() || path.size() >= MAX_PATH)
                    return "a theme path no program can hold";
        }
        return std::string();
    }
};

}  // namespace

KETRA_FUZZ_PARSER(CScheduleFuzz)
