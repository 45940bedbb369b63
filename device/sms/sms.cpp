// sms.dll: the device's text-message service.  The simulated device has no
// radio: a sent message becomes one record of the outbox,
// "\Windows\Phone\outbox.txt" (a store file, see devtable.h), and a line
// "sms: sent to <address>" in the device log.
//
// Device state (HKLM "Software\SimDevice"):
//   "SmsServiceCentre" SZ     the service centre's number
//   "SmsFail"          DWORD  1 fails SmsOpen, 2 SmsGetSMSC, 3 SmsSendMessage
#define SMS_API
#include <sms.h>

#include <mutex>
#include <set>
#include <string>

#include "devlog.h"
#include "devtable.h"

namespace {

const wchar_t kOutboxFolder[] = L"D:\\Windows\\Phone";
const wchar_t kOutboxPath[] = L"D:\\Windows\\Phone\\outbox.txt";
const char kOutboxHeader[] = "Centre\tCentreType\tAddress\tAddressType\tClass\tReplace\tEncoding\tOptions\tBody\r\n";

enum FailStage { kFailOpen = 1, kFailCentre = 2, kFailSend = 3 };

std::mutex g_lock;
std::set<SMS_HANDLE> g_open;
SMS_HANDLE g_next = 1;

bool Failing(FailStage stage)
{
    return DevStateGetDword(L"SmsFail", 0) == (DWORD)stage;
}

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string out((size_t)(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], n, nullptr, nullptr);
    return out;
}

// An address's text up to its terminator, never past the field.
std::wstring AddressText(const SMS_ADDRESS& address)
{
    size_t n = 0;
    while (n < SMS_MAX_ADDRESS_LENGTH && address.ptsAddress[n])
        ++n;
    return std::wstring(address.ptsAddress, n);
}

bool AppendToOutbox(const std::wstring& record)
{
    CreateDirectoryW(kOutboxFolder, nullptr);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"SimDeviceOutboxMutex");
    if (mutex)
        WaitForSingleObject(mutex, 5000);
    bool ok = false;
    HANDLE file = CreateFileW(kOutboxPath, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER size = {};
        GetFileSizeEx(file, &size);
        std::string bytes = size.QuadPart == 0 ? kOutboxHeader : "";
        bytes += ToUtf8(record) + "\r\n";
        DWORD written = 0;
        ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
        CloseHandle(file);
    }
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    return ok;
}

} // namespace

extern "C" HRESULT WINAPI SmsOpen(LPCWSTR protocol, DWORD modes, SMS_HANDLE* handle, HANDLE* messageEvent)
{
    if (handle)
        *handle = 0;
    if (messageEvent)
        *messageEvent = nullptr;
    if (!protocol || !handle || modes == 0)
        return E_INVALIDARG;
    if (wcscmp(protocol, SMS_MSGTYPE_TEXT) != 0)
        return SMS_E_INVALIDPROTOCOL;
    // Nothing ever arrives on the simulated device: receiving is not offered.
    if (modes != SMS_MODE_SEND)
        return E_NOTIMPL;
    if (Failing(kFailOpen)) {
        DevLog(L"sms", L"open failed");
        return SMS_E_MISC;
    }
    std::lock_guard<std::mutex> hold(g_lock);
    *handle = g_next++;
    g_open.insert(*handle);
    return S_OK;
}

extern "C" HRESULT WINAPI SmsClose(SMS_HANDLE handle)
{
    std::lock_guard<std::mutex> hold(g_lock);
    return g_open.erase(handle) ? S_OK : E_HANDLE;
}

extern "C" HRESULT WINAPI SmsGetSMSC(SMS_ADDRESS* centre)
{
    if (!centre)
        return E_INVALIDARG;
    ZeroMemory(centre, sizeof(*centre));
    if (Failing(kFailCentre))
        return SMS_E_NOSMSC;
    if (!DevStateGetString(L"SmsServiceCentre", centre->ptsAddress, SMS_MAX_ADDRESS_LENGTH) ||
        !centre->ptsAddress[0])
        return SMS_E_NOSMSC;
    centre->smsatAddressType = centre->ptsAddress[0] == L'+' ? SMSAT_INTERNATIONAL : SMSAT_UNKNOWN;
    return S_OK;
}

extern "C" HRESULT WINAPI SmsSendMessage(SMS_HANDLE handle, const SMS_ADDRESS* centre, const SMS_ADDRESS* destination,
                                         const SYSTEMTIME* /*validity*/, const BYTE* data, DWORD dataSize,
                                         const BYTE* providerData, DWORD providerDataSize,
                                         SMS_DATA_ENCODING encoding, DWORD options, SMS_MESSAGE_ID* messageId)
{
    if (messageId)
        *messageId = 0;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        if (!g_open.count(handle))
            return E_HANDLE;
    }
    if (!destination || (dataSize && !data) || dataSize % sizeof(WCHAR) != 0 || dataSize > 64 * 1024)
        return E_INVALIDARG;
    if (!providerData || providerDataSize < sizeof(TEXT_PROVIDER_SPECIFIC_DATA))
        return SMS_E_INVALIDDATA;
    std::wstring address = AddressText(*destination);
    if (address.empty())
        return E_INVALIDARG;
    if (Failing(kFailSend)) {
        DevLog(L"sms", L"send to %ls failed", address.c_str());
        return SMS_E_MISC;
    }
    // The provider data may be unaligned: copy it out.
    TEXT_PROVIDER_SPECIFIC_DATA provider;
    memcpy(&provider, providerData, sizeof(provider));
    std::wstring body(dataSize / sizeof(WCHAR), L'\0');
    if (dataSize)
        memcpy(&body[0], data, dataSize);
    // No centre given: the device's own.
    SMS_ADDRESS ownCentre = {};
    if (!centre && SUCCEEDED(SmsGetSMSC(&ownCentre)))
        centre = &ownCentre;
    std::wstring record = DevEscapeField(centre ? AddressText(*centre) : L"") + L"\t" +
                          std::to_wstring(centre ? (int)centre->smsatAddressType : 0) + L"\t" +
                          DevEscapeField(address) + L"\t" + std::to_wstring((int)destination->smsatAddressType) +
                          L"\t" + std::to_wstring((int)provider.psMessageClass) + L"\t" +
                          std::to_wstring((int)provider.psReplaceOption) + L"\t" + std::to_wstring((int)encoding) +
                          L"\t" + std::to_wstring(options) + L"\t" + DevEscapeField(body);
    if (!AppendToOutbox(record))
        return E_FAIL;
    static LONG s_id = 0;
    if (messageId)
        *messageId = (SMS_MESSAGE_ID)InterlockedIncrement(&s_id);
    DevLog(L"sms", L"sent to %ls", address.c_str());
    return S_OK;
}
