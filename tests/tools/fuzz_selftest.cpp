// A harness with planted faults, for the fuzz driver's own tests. The
// environment variable KETRA_FUZZ_SELFTEST names the fault; it strikes on
// every case made with kind 0 (about one case in forty):
//   crash     writes through a null pointer
//   hang      sleeps three seconds, every time
//   slowonce  sleeps three seconds the first time in a scratch folder only
//   overrun   writes one byte past a heap block
//   check     reports a failure
//   quit      ends the process as if all went well
// Anything else (or nothing) runs clean.
#include <cstdlib>
#include <cwchar>
#include <string>

#include "fuzz_parser.h"

namespace {

class CSelfTestFuzz : public FuzzParser {
public:
    bool SetUp(const FuzzContext& context, std::string* /*why*/) override
    {
        wchar_t fault[32] = {};
        GetEnvironmentVariableW(L"KETRA_FUZZ_SELFTEST", fault, 32);
        fault_ = std::string(fault, fault + wcslen(fault));
        marker_ = context.scratch + L"\\..\\slow-once.marker";
        return true;
    }

    FuzzInput Make(const std::vector<std::string>& seeds, FuzzRandom& random) override
    {
        FuzzInput input;
        input.kind = static_cast<int>(random.Below(40));
        input.bytes = Scramble(seeds[0], random, nullptr);
        return input;
    }

    std::string Run(const FuzzInput& input) override
    {
        if (input.kind != 0)
            return std::string();
        if (fault_ == "crash")
            *static_cast<volatile int*>(nullptr) = 1;
        if (fault_ == "hang")
            Sleep(3000);
        if (fault_ == "slowonce" && GetFileAttributesW(marker_.c_str()) == INVALID_FILE_ATTRIBUTES) {
            FuzzWriteFile(marker_, "slow");
            Sleep(3000);
        }
        if (fault_ == "overrun") {
            g_block = static_cast<char*>(malloc(20));
            g_block[g_past] = 0x5A;  // one past the end
        }
        if (fault_ == "check")
            return "a planted failure";
        if (fault_ == "quit")
            ExitProcess(0);
        return std::string();
    }

private:
    static char* volatile g_block;
    static volatile size_t g_past;
    std::string fault_;
    std::wstring marker_;
};

char* volatile CSelfTestFuzz::g_block = nullptr;
volatile size_t CSelfTestFuzz::g_past = 20;

}  // namespace

KETRA_FUZZ_PARSER(CSelfTestFuzz)
