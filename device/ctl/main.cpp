// devctl entry point: picks the command handler by its word.
#include "devctl.h"

#include <stdio.h>
#include <wchar.h>

namespace {

struct Command {
    const wchar_t* word;
    int (*handler)(const Args&);
};

const Command kCommands[] = {
    {L"windows", CmdWindows},
    {L"send", CmdSend},
    {L"post", CmdPost},
    {L"tap", CmdTap},
    {L"hold", CmdHold},
    {L"drag", CmdDrag},
    {L"key", CmdKey},
    {L"reg", CmdReg},
    {L"boxes", CmdBoxes},
    {L"dismiss", CmdDismiss},
    {L"log", CmdLog},
    {L"shot", CmdShot},
    {L"wait", CmdWait},
    {L"exec", CmdExec},
    {L"close-all", CmdCloseAll},
};

const wchar_t kUsage[] =
    L"usage: devctl COMMAND [ARGS]\n"
    L"  windows                          list top-level windows, top of the z-order first\n"
    L"  send CLASS MSG WPARAM LPARAM     send to the first window of CLASS, print the result\n"
    L"  post CLASS MSG WPARAM LPARAM     post to the first window of CLASS\n"
    L"  tap X Y                          stylus tap at a screen point\n"
    L"  hold X Y [MS]                    stylus press held for MS (default 800)\n"
    L"  drag X1 Y1 X2 Y2                 stylus drag from one point to another\n"
    L"  key VK [down|up]                 key press and release, or only one of them\n"
    L"  reg get ROOT\\KEY VALUE           print a value (ROOT is HKLM or HKCU, \"\" = default)\n"
    L"  reg set ROOT\\KEY VALUE sz|dword DATA\n"
    L"  reg del ROOT\\KEY [VALUE]         delete a value, or the whole key\n"
    L"  boxes                            list open message boxes: \"caption\" \"text\"\n"
    L"  dismiss [ok|cancel|yes|no]       press a button of the first message box\n"
    L"  log                              print the device log\n"
    L"  shot FILE.png                    save the device screen as PNG\n"
    L"  wait CLASS [MS]                  wait for a window of CLASS (default 10000 ms)\n"
    L"  exec PATH [ARGS]                 start a program or open a document on the device\n"
    L"  close-all [MS]                   close all programs, then the shell (default 5000 ms)\n"
    L"Numbers are decimal or 0x hexadecimal. Exit codes: 0 done, 1 failed or not found,\n"
    L"2 bad arguments.";

void PrintUsage()
{
    ErrLine(kUsage);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int code = kExitUsage;
    if (argc >= 2) {
        Args args(argv + 2, argv + argc);
        for (const Command& command : kCommands) {
            if (wcscmp(argv[1], command.word) == 0) {
                code = command.handler(args);
                break;
            }
        }
    }
    if (code == kExitUsage)
        PrintUsage();
    fflush(stdout);
    fflush(stderr);
    return code;
}
