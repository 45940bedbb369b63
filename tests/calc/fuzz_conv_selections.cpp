// The unit converter's remembered-conversions file against mutated input:
// whatever it holds, the list loads within its limits, holds only
// conversions of the catalogue, and is written and read back unchanged.
#include <string>

#include "catalogue.h"
#include "fuzz_parser.h"
#include "unit_model.h"

namespace {

// Insertions that matter to the XML parser and to the IDs, separated by '|'.
const char kTokens[] = "<|>|&|/|<!--|-->|<![CDATA[|]]>|&#0;|&amp;|&unknown;|\xC3|\xFF\xFE|\xEF\xBB\xBF|"
                       "<converter>|</converter>|<category>LENGTH</category>|<unit1>Quart</unit1>|"
                       "<unit2>TBYTE</unit2>|QUART|length|FARENHEIT|MILLITER|"
                       "<category>AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA</category>";

class CConvSelectionsFuzz : public FuzzParser {
public:
    bool SetUp(const FuzzContext& context, std::string* why) override
    {
        file_ = context.scratch + L"\\CTConv.xml";
        copy_ = context.scratch + L"\\copy.xml";
        CConverterSet* set = new CConverterSet;
        set->Initialize();
        list_.SetCategorySet(set);
        again_.SetCategorySet(new CConverterSet);
        again_.GetCategorySet()->Initialize();
        if (list_.GetCategoryCount() != 6) {
            *why = "the catalogue is not there";
            return false;
        }
        return true;
    }

    FuzzInput Make(const std::vector<std::string>& seeds, FuzzRandom& random) override
    {
        FuzzInput input;
        input.bytes = Scramble(seeds[random.Below(static_cast<uint32_t>(seeds.size()))], random, kTokens);
        return input;
    }

    std::string Run(const FuzzInput& input) override
    {
        if (!FuzzWriteFile(file_, input.bytes))
            return "the scratch file cannot be written";
        if (!list_.LoadSelections(file_.c_str()))
            return "loading reported a failure";
        const int count = list_.GetSelectionCount();
        if (count < 0 || count > kMaxSelections)
            return "more entries than the list holds";
        const CCategorySet* set = list_.GetCategorySet();
        for (int i = 0; i < count; ++i) {
            SSelection entry = {};
            list_.GetSelection(i, entry);
            const int units = set->GetUnitCount(entry.nCategory);
            if (units == 0 || entry.nUnit1 < 0 || entry.nUnit1 >= units || entry.nUnit2 < 0 || entry.nUnit2 >= units)
                return "an entry outside the catalogue";
        }
        if (!list_.SaveSelections(copy_.c_str(), nullptr))
            return "the loaded list cannot be saved";
        again_.LoadSelections(copy_.c_str());
        if (again_.GetSelectionCount() != count)
            return "the saved list reads back with another length";
        for (int i = 0; i < count; ++i) {
            SSelection a = {}, b = {};
            list_.GetSelection(i, a);
            again_.GetSelection(i, b);
            if (a.nCategory != b.nCategory || a.nUnit1 != b.nUnit1 || a.nUnit2 != b.nUnit2)
                return "the saved list reads back changed";
        }
        return std::string();
    }

private:
    CConvSelection list_;   // starts the component system for the run
    CConvSelection again_;
    std::wstring file_;
    std::wstring copy_;
};

}  // namespace

KETRA_FUZZ_PARSER(CConvSelectionsFuzz)
