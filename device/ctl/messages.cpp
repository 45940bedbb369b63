// `send` and `post`: a window message to the first top-level window of a class.
#include "devctl.h"

namespace {

// Long enough for any honest handler; a hung program must not hang devctl.
const UINT kSendTimeoutMs = 30000;

struct MessageArgs {
    HWND target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Parses CLASS MSG WPARAM LPARAM and finds the window.  Returns an exit code:
// kExitOk with the fields filled in, or the reason it cannot go on.
int ReadMessageArgs(const Args& args, MessageArgs* out)
{
    DWORD message;
    unsigned long long wParam;
    long long lParam;
    if (args.size() != 4 || args[0].empty() || !ParseUInt32(args[1], &message) ||
        !ParseUInt64(args[2], &wParam) || !ParseInt64(args[3], &lParam))
        return kExitUsage;
    out->target = FindTopLevelByClass(args[0]);
    if (!out->target) {
        ErrLine(Format(L"devctl: no window of class %ls", args[0].c_str()));
        return kExitFailed;
    }
    out->message = message;
    out->wParam = (WPARAM)wParam;
    out->lParam = (LPARAM)lParam;
    return kExitOk;
}

} // namespace

int CmdSend(const Args& args)
{
    MessageArgs m;
    int code = ReadMessageArgs(args, &m);
    if (code != kExitOk)
        return code;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(m.target, m.message, m.wParam, m.lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) {
        DWORD error = GetLastError();
        ErrLine(Format(L"devctl: sending to %ls failed: %ls", args[0].c_str(),
                       error == ERROR_TIMEOUT || error == 0 ? L"no answer in time" : ErrorText(error).c_str()));
        return kExitFailed;
    }
    OutLine(Format(L"%lld", (long long)(LRESULT)result));
    return kExitOk;
}

int CmdPost(const Args& args)
{
    MessageArgs m;
    int code = ReadMessageArgs(args, &m);
    if (code != kExitOk)
        return code;
    if (!PostMessageW(m.target, m.message, m.wParam, m.lParam)) {
        ErrLine(Format(L"devctl: posting to %ls failed: %ls", args[0].c_str(), ErrorText(GetLastError()).c_str()));
        return kExitFailed;
    }
    return kExitOk;
}
