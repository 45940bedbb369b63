// CSI::LaunchCPL: the device's control-panel pages by number.
#include "shell.h"

namespace {

const wchar_t kControlPanel[] = L"ctlpnl.exe";

// Arguments of each page for the control panel (index = page number).
// Pages 0 and 1 differ on the models with the maker's own settings library.
const wchar_t* const kPageArguments[CSI::kCplPageCount] = {
    L"cplmain.cpl 3,0",   // 0 Battery Settings
    L"cplmain.cpl 6,2",   // 1 Backlight
    L"cplmain.cpl 9,0",   // 2 Sound/Notification
    L"cplmain.cpl 16,0",  // 3 Clock
    L"cplmain.cpl 4,0",   // 4 Memory
    L"cplmain.cpl 4,1",   // 5 Storage Card
    L"cplmain.cpl 12,0",  // 6 Buttons
    L"cplmain.cpl 8,0",   // 7 Input
    L"cplmain.cpl 11,0",  // 8 Menus
    L"cplmain.cpl 2,0",   // 9 Owner Information
    L"cplmain.cpl 1,0",   // 10 Password
    L"cplmain.cpl 13,0",  // 11 Today Settings
    L"cplmain.cpl 5,0",   // 12 About
    L"cplmain.cpl 18,0",  // 13 Region Settings
    L"cplmain.cpl 10,0",  // 14 Remove Programs
    L"cplmain.cpl 7,0",   // 15 Screen
    L"cplmain.cpl 15,0",  // 16 Beam Settings
    L"cplmain.cpl 19,0",  // 17 Connections
    L"cplmain.cpl 17,0",  // 18 Network Adapters
};

const wchar_t kModelBatteryArguments[] = L"mycpl.cpl 5,0";    // page 0 on the H3900
const wchar_t kModelBacklightArguments[] = L"mycpl.cpl 2,0";  // page 1 on the H3800 and H3900

}  // namespace

BOOL CSI::LaunchCPL(int index)
{
    if (index < 0 || index >= kCplPageCount)
        return FALSE;
    const wchar_t* arguments = kPageArguments[index];
    if (index == 0 || index == 1) {
        int model = CSH::GetDeviceModel();
        if (index == 0 && model == CSH::ModelH3900)
            arguments = kModelBatteryArguments;
        else if (index == 1 && (model == CSH::ModelH3800 || model == CSH::ModelH3900))
            arguments = kModelBacklightArguments;
    }
    return CSH::Execute(kControlPanel, arguments);
}
