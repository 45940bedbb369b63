// The end-of-program check that a test program leaves the device as it
// found it (see failure_report.h).
#include "failure_report.h"

#include <gtest/gtest.h>

#include <memory>

#include "files.h"
#include "programs.h"
#include "registry.h"
#include "side_bar.h"
#include "window_find.h"

namespace testkit {

namespace {

class LeftoverCheck : public ::testing::Environment {
public:
    void SetUp() override { system_ = std::make_unique<RegistrySandbox>(std::initializer_list<std::wstring>{kSystemKey}); }

    void TearDown() override
    {
        // Programs first: the bar writes its settings as it ends.
        if (FindWindowW(kSettingsClass, nullptr) || CountProcesses(L"Option.exe")) {
            ADD_FAILURE() << "a settings program is left running";
            EndSettingsPrograms();
        }
        if (KetraFindBar()) {
            ADD_FAILURE() << "a side bar is left running";
            CloseBar();
        }
        if (!system_->Saved())
            return;
        const std::vector<std::wstring> changed = system_->Differences();
        if (changed.empty())
            return;
        std::string list;
        for (const std::wstring& path : changed)
            list += "\n  HKLM\\" + ToUtf8(path);
        ADD_FAILURE() << "the program left HKLM\\SOFTWARE\\ZARQ changed (now put back):" << list;
        system_->Restore();
    }

private:
    std::unique_ptr<RegistrySandbox> system_;
};

}  // namespace

void InstallLeftoverCheck()
{
    ::testing::AddGlobalTestEnvironment(new LeftoverCheck);
}

}  // namespace testkit
