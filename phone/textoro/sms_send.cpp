#include "sms_send.h"

#include <sms.h>

namespace SmsSend {

bool IsValidNumber(const std::wstring& number)
{
    if (number.empty() || number.size() > kNumberChars)
        return false;
    for (wchar_t c : number)
        if (!((c >= L'0' && c <= L'9') || c == L' ' || c == L'(' || c == L')' || c == L'+' || c == L'-'))
            return false;
    return true;
}

HRESULT Send(const std::wstring& number, const std::wstring& text)
{
    if (!IsValidNumber(number))
        return E_INVALIDARG;
    SMS_HANDLE sms = 0;
    HRESULT hr = SmsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &sms, nullptr);
    if (FAILED(hr))
        return hr;

    SMS_ADDRESS centre = {};
    const bool haveCentre = SUCCEEDED(SmsGetSMSC(&centre));
    SMS_ADDRESS destination = {};
    destination.smsatAddressType = SMSAT_UNKNOWN;
    number.copy(destination.ptsAddress, SMS_MAX_ADDRESS_LENGTH - 1);
    TEXT_PROVIDER_SPECIFIC_DATA provider = {};
    provider.dwMessageOptions = PS_MESSAGE_OPTION_NONE;
    provider.psMessageClass = PS_MESSAGE_CLASS1;
    provider.psReplaceOption = PSRO_NONE;

    hr = SmsSendMessage(sms, haveCentre ? &centre : nullptr, &destination, nullptr, (const BYTE*)text.data(),
                        (DWORD)(text.size() * sizeof(wchar_t)), (const BYTE*)&provider, sizeof(provider),
                        SMSDE_OPTIMAL, SMS_OPTION_DELIVERY_NONE, nullptr);
    SmsClose(sms);
    return hr;
}

std::vector<std::wstring> WithNumberOnTop(const std::vector<std::wstring>& numbers, const std::wstring& number)
{
    std::vector<std::wstring> result{number};
    for (const std::wstring& other : numbers)
        if (other != number)
            result.push_back(other);
    return result;
}

}  // namespace SmsSend
