// Reading theme files: the setup file's colours, then each member extracted
// to the temporary file of its kind.
#include <tessary.h>

#include <skinpackage.h>
#include <strsafe.h>
#include <wchar.h>

#include <string>
#include <vector>

#include "setup_file.h"
#include "tessary_private.h"

namespace {

const int kSetupMember = 0;
// An animated theme file holds the setup file and five members.
const int kAnimatedMembers = 5;

struct MemberKind {
    const char* nameHas;
    int slot;
};
// In the order the installed names are classified.
const MemberKind kKinds[] = {
    {"STWATER", kTskTempStart}, {"TDYWATER", kTskTempToday}, {"ATC", kTskTempControl},
    {"SWF", kTskTempMovie},     {"HTM", kTskTempPage},
};

wchar_t* SlotPath(CTskInfo* info, int slot)
{
    switch (slot) {
    case kTskTempStart: return info->m_szStart;
    case kTskTempToday: return info->m_szToday;
    case kTskTempControl: return info->m_szAniControl;
    case kTskTempMovie: return info->m_szAniMovie;
    default: return info->m_szAniPage;
    }
}

// The number after the dot of a member name ("0STWATER.002" -> 2); false
// without a dot or digits after it.
bool MemberNumber(const wchar_t* name, unsigned* number)
{
    const wchar_t* dot = wcsrchr(name, L'.');
    if (!dot || !dot[1])
        return false;
    unsigned value = 0;
    for (const wchar_t* p = dot + 1; *p; ++p) {
        if (*p < L'0' || *p > L'9' || value > 0xFFFF)
            return false;
        value = value * 10 + (*p - L'0');
    }
    *number = value;
    return true;
}

int ClassifyInstalledName(const std::string& name)
{
    for (const MemberKind& kind : kKinds)
        if (name.find(kind.nameHas) != std::string::npos)
            return kind.slot;
    return -1;
}

bool ReadSetupFile(CCabRead& cab, std::vector<BYTE>* setup)
{
    DWORD size = cab.GetFileSizeAt(kSetupMember);
    if (size == 0 || !cab.GetFileName(kSetupMember))
        return false;
    setup->assign(size, 0);
    return cab.ExtractFileAtToBuffer(kSetupMember, setup->data(), size) != 0;
}

int ReadThemeFile(const wchar_t* path, CTskInfo* info, const wchar_t* const tempPaths[kTskTempCount])
{
    CCabRead cab;
    std::vector<BYTE> setup;
    if (!cab.Load(path) || !ReadSetupFile(cab, &setup))
        return 0;
    for (int slot = 0; slot < kTskTempCount; ++slot)
        DeleteThemeFile(tempPaths[slot]);

    const DWORD setupSize = static_cast<DWORD>(setup.size());
    for (int i = 0; i < CTskColor::kCount; ++i)
        setupfile::ReadColour(setup.data(), setupSize, i, &info->m_color[i]);

    for (int member = kSetupMember + 1; member < cab.GetFileCount(); ++member) {
        const wchar_t* name = cab.GetFileName(member);  // upper case already
        unsigned number = 0;
        if (!name || !MemberNumber(name, &number))
            continue;
        // A member the setup file does not install, or installs under a
        // name of no known kind, is not part of the theme.
        int slot = ClassifyInstalledName(setupfile::InstalledName(setup.data(), setupSize, number));
        if (slot < 0)
            continue;
        if (!cab.ExtractFileAt(member, tempPaths[slot]))
            return 0;
        SetFileAttributesW(tempPaths[slot], FILE_ATTRIBUTE_NORMAL);
        StringCchCopyW(SlotPath(info, slot), MAX_PATH, tempPaths[slot]);  // fits: checked on entry
        if (slot == kTskTempMovie)
            info->m_bAnimated = 1;
    }
    return 1;
}

bool TempPathsUsable(const wchar_t* const tempPaths[kTskTempCount])
{
    if (!tempPaths)
        return false;
    for (int slot = 0; slot < kTskTempCount; ++slot)
        if (!tempPaths[slot] || !tempPaths[slot][0] || wcslen(tempPaths[slot]) >= MAX_PATH)
            return false;
    return true;
}

} // namespace

int ReadTheme(const wchar_t* path, CTskInfo* info, const wchar_t* const tempPaths[kTskTempCount])
{
    if (!path || !info || !TempPathsUsable(tempPaths))
        return 0;
    // Nothing of a theme read before may stay behind in the record.
    info->ClearFiles();
    if (_wcsicmp(path, TSK_DEFAULT_NAME) == 0)
        return ReadDefault(info, tempPaths[kTskTempStart]);
    if (_wcsicmp(path, TSK_CURRENT_NAME) == 0)
        return ReadCurrent(info, tempPaths);
    return ReadThemeFile(path, info, tempPaths);
}

extern "C" int IsAniTsk(const wchar_t* path)
{
    CCabRead cab;
    return path && cab.Load(path) && cab.GetFileCount() > kAnimatedMembers;
}
