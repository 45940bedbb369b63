// CSH: what the device says about itself: the OEM string and the model it
// names, the owner's name and the power-on password type.
#include <cedevice.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "registry.h"
#include "shell.h"
#include "shell_text.h"

namespace {

const wchar_t kOwnerKey[] = L"ControlPanel\\Owner";
// Only the first 32 characters of the OEM string are split into tokens, and
// the owner's name is the first 64 bytes of its record.
const size_t kOEMChars = 32;
const size_t kOwnerNameMaxChars = 32;
const int kOEMReadChars = 256;

// The whole binary value `name` of the owner key; empty when unreadable.
std::vector<BYTE> ReadOwnerValue(const wchar_t* name)
{
    CRegistry key;
    if (!key.Open(HKEY_CURRENT_USER, kOwnerKey, TRUE))
        return {};
    DWORD size = 0;
    if (!key.ReadBlob(name, nullptr, &size) || size == 0)
        return {};
    std::vector<BYTE> data(size);
    if (!key.ReadBlob(name, data.data(), &size))
        return {};
    data.resize(size);
    return data;
}

bool IsOEMSeparator(wchar_t c)
{
    return c == L',' || c == L' ';
}

}  // namespace

BOOL CSH::GetOEMInfo(LPWSTR buffer, int cch)
{
    if (!buffer || cch <= 0)
        return FALSE;
    BOOL ok = ::SystemParametersInfoW(SPI_GETOEMINFO, static_cast<UINT>(cch) * sizeof(wchar_t), buffer, 0);
    buffer[cch - 1] = L'\0';
    if (!ok)
        buffer[0] = L'\0';
    return ok ? TRUE : FALSE;
}

BOOL CSH::GetOEMInfo(LPWSTR first, LPWSTR second, LPWSTR third, int cchEach)
{
    LPWSTR outputs[3] = {first, second, third};
    for (LPWSTR out : outputs)
        if (out && cchEach > 0)
            out[0] = L'\0';

    wchar_t oem[kOEMReadChars];
    if (!GetOEMInfo(oem, kOEMReadChars))
        return FALSE;
    if (wcslen(oem) > kOEMChars)
        oem[kOEMChars] = L'\0';

    // Tokens are runs of characters between separators; separators in a row
    // make no empty token.
    const wchar_t* p = oem;
    for (LPWSTR out : outputs) {
        while (IsOEMSeparator(*p))
            ++p;
        const wchar_t* start = p;
        while (*p && !IsOEMSeparator(*p))
            ++p;
        if (out && cchEach > 0)
            CopyBounded(out, static_cast<size_t>(cchEach), start, static_cast<size_t>(p - start));
    }
    return TRUE;
}

int CSH::GetDeviceModel()
{
    wchar_t first[kOEMTokenChars], second[kOEMTokenChars], third[kOEMTokenChars];
    if (!GetOEMInfo(first, second, third, kOEMTokenChars))
        return ModelOther;
    if (wcscmp(third, L"H3800") == 0)
        return ModelH3800;
    if (wcscmp(third, L"H3900") == 0)
        return ModelH3900;
    if (wcscmp(second, L"Jornada") == 0)
        return ModelJornada;
    return ModelOther;
}

// The stored record may be longer than the name (the platform keeps more
// owner data after it) and need not hold a terminator within the name's 64
// bytes: read it whole, take at most the name's characters, terminate.
BOOL CSH::GetOwnerName(LPWSTR out, int cchOut)
{
    if (!out || cchOut <= 0)
        return FALSE;
    out[0] = L'\0';
    std::vector<BYTE> record = ReadOwnerValue(L"Owner");
    size_t chars = record.size() / sizeof(wchar_t);
    if (chars > kOwnerNameMaxChars)
        chars = kOwnerNameMaxChars;
    std::vector<wchar_t> name(chars + 1, L'\0');
    if (chars)
        memcpy(name.data(), record.data(), chars * sizeof(wchar_t));
    CopyBounded(out, static_cast<size_t>(cchOut), name.data());
    return TRUE;
}

DWORD CSH::GetPasswordType()
{
    std::vector<BYTE> record = ReadOwnerValue(L"PowrPass");
    DWORD type = 0;
    if (record.size() >= sizeof(type))
        memcpy(&type, record.data(), sizeof(type));
    return type;
}
