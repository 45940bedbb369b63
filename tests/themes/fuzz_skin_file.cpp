// The media player's skin files against mutated input, as the skin browser
// reads them: a ".skn" for its background picture and "default.skn" for the
// current skin, each into a field of MAX_PATH characters.
#include <string>

#include "fuzz_parser.h"
#include "skin_file.h"

namespace {

class SkinFileFuzz : public FuzzParser {
public:
    bool SetUp(const FuzzContext& context, std::string*) override
    {
        file_ = context.scratch + L"\\skin.skn";
        return true;
    }

    std::string Run(const FuzzInput& input) override
    {
        if (!FuzzWriteFile(file_, input.bytes))
            return "";
        wchar_t background[MAX_PATH], current[MAX_PATH];
        background[MAX_PATH - 1] = current[MAX_PATH - 1] = L'\x7777';
        bool named = ReadSkinBackground(file_.c_str(), background, MAX_PATH);
        bool remembered = ReadCurrentSkinFrom(file_.c_str(), current, MAX_PATH);
        if (named && (wcsnlen(background, MAX_PATH) == MAX_PATH || !background[0]))
            return "a background name without its end or empty";
        if (remembered && (wcsnlen(current, MAX_PATH) == MAX_PATH || !current[0]))
            return "a current skin without its end or empty";
        if (input.bytes.size() > 16 * 1024 && named)
            return "a skin file over its limit read";
        return "";
    }

private:
    std::wstring file_;
};

}  // namespace

KETRA_FUZZ_PARSER(SkinFileFuzz)
