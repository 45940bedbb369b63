// Theme files against mutated input: each case read as a theme (its
// pictures and animation files extracted to temporary files) and asked
// whether it is animated; a page it yields is read and turned into a
// preview.  Nothing may land outside the temporary files.
#include <tessary.h>
#include <wchar.h>

#include "fuzz_parser.h"

namespace {

const size_t kCabSizeField = 8;
const char kTokens[] = "ZARQQV~1.000|tdywater.001|0stwater.002|0000at2k.004|.255|.|\x01\x00\x00\x00\x06\x00" "4|"
                       "\x00\x01\x00\x00\x00\x00\x40|STWATER|TDYWATER|SWF|HTM|ATC|MSCF|MSCE|bgcolor|height";

enum Kind { kMutated = 0, kCutShort = 1 };

class CThemeFileFuzz : public FuzzParser {
public:
    bool SetUp(const FuzzContext& context, std::string* why) override
    {
        file_ = context.scratch + L"\\theme.tsk";
        preview_ = context.scratch + L"\\preview.htm";
        if (!temp_.Form((context.scratch + L"\\").c_str(), L"Slot.")) {
            *why = "the temporary names do not fit";
            return false;
        }
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
            input.bytes = Scramble(seed, random, kTokens);
            break;
        default:
            input.bytes = ExtremeValues(seed, random.OneIn(2) ? 260 : seed.size(), random);
            break;
        }
        // Mostly keep the size field true, so that the rest is what the
        // reader has to deal with.
        if (input.kind != kCutShort && input.bytes.size() >= 12 && !random.OneIn(4))
            PutLittleEndian(input.bytes, kCabSizeField, static_cast<uint32_t>(input.bytes.size()), 4);
        return input;
    }

    std::string Run(const FuzzInput& input) override
    {
        if (!FuzzWriteFile(file_, input.bytes))
            return "the scratch theme cannot be written";
        CTskInfo read;
        const int ok = ReadTheme(file_.c_str(), &read, temp_.Paths());
        const int animated = IsAniTsk(file_.c_str());
        if (animated != 0 && animated != 1)
            return "IsAniTsk answered neither 0 nor 1";
        if (ok && (input.kind & kCutShort))
            return "a cut-off theme file was read";
        if (!ok)
            return std::string();
        for (const wchar_t* path : {read.m_szStart, read.m_szToday, read.m_szAniControl, read.m_szAniMovie,
                                    read.m_szAniPage}) {
            if (*path && !IsSlot(path))
                return "a path outside the temporary files";
        }
        if (*read.m_szAniPage) {
            GetAniTskHeight(read.m_szAniPage);
            GetAniTskBackColor(read.m_szAniPage);
            SaveAniTskPreviewHtml(preview_.c_str(), &read, 76, 52);
        }
        return std::string();
    }

private:
    bool IsSlot(const wchar_t* path) const
    {
        for (int slot = 0; slot < kTskTempCount; ++slot)
            if (wcscmp(path, temp_.Path(slot)) == 0)
                return true;
        return false;
    }

    std::wstring file_;
    std::wstring preview_;
    CTskTempFiles temp_;
};

}  // namespace

KETRA_FUZZ_PARSER(CThemeFileFuzz)
