// `wait CLASS [MS]`: waits until a top-level window of the class exists.
#include "devctl.h"

namespace {

const DWORD kDefaultWaitMs = 10000;
const DWORD kPollMs = 50;

} // namespace

int CmdWait(const Args& args)
{
    if (args.empty() || args.size() > 2 || args[0].empty())
        return kExitUsage;
    DWORD timeoutMs = kDefaultWaitMs;
    if (args.size() == 2 && !ParseUInt32(args[1], &timeoutMs))
        return kExitUsage;

    ULONGLONG start = GetTickCount64();
    for (;;) {
        if (FindTopLevelByClass(args[0]))
            return kExitOk;
        if (GetTickCount64() - start >= timeoutMs)
            break;
        Sleep(kPollMs);
    }
    ErrLine(Format(L"devctl: no window of class %ls after %lu ms", args[0].c_str(), (unsigned long)timeoutMs));
    return kExitFailed;
}
