// The device's store files (call log, contacts) against mutated input: the
// table parser, and the time reader over every field, as the services use
// them.
#include <string>

#include "devtable.h"
#include "fuzz_parser.h"

namespace {

class StoreTableFuzz : public FuzzParser {
public:
    std::string Run(const FuzzInput& input) override
    {
        DevTable table;
        if (!DevParseTable(input.bytes, &table, nullptr, L"fuzz"))
            return table.rows.empty() ? "" : "rows without a header";
        for (size_t row = 0; row < table.rows.size(); ++row) {
            if (table.rows[row].size() > table.columns.size())
                return "a row with more fields than columns";
            for (const std::wstring& field : table.rows[row]) {
                SYSTEMTIME time;
                if (DevParseStoreTime(field, &time) && (time.wMonth < 1 || time.wMonth > 12 || time.wHour > 23))
                    return "an impossible time read";
                if (DevEscapeField(field).find_first_of(L"\t\r\n") != std::wstring::npos)
                    return "an escaped field with a tab or line end";
            }
        }
        return "";
    }
};

}  // namespace

KETRA_FUZZ_PARSER(StoreTableFuzz)
