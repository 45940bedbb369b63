// Animation pages against mutated input, as the HTML viewer Today item reads
// them for their height: the value after the last "height" token, kept
// within the screen.
#include <string>

#include "fuzz_parser.h"
#include "webbia.h"

namespace {

class PageHeightFuzz : public FuzzParser {
public:
    bool SetUp(const FuzzContext& context, std::string*) override
    {
        file_ = context.scratch + L"\\at2k.htm";
        return true;
    }

    std::string Run(const FuzzInput& input) override
    {
        if (!FuzzWriteFile(file_, input.bytes))
            return "";
        int height = PageHeight(file_.c_str());
        if (height < 0 || height > kWebbiaMaxHeight)
            return "a height off the screen";
        std::string lower = input.bytes;
        for (char& c : lower)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower.find("height") == std::string::npos && height != 0)
            return "a height from a page without one";
        return "";
    }

private:
    std::wstring file_;
};

}  // namespace

KETRA_FUZZ_PARSER(PageHeightFuzz)
