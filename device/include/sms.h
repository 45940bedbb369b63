// The device's text-message service (sms.dll): open a provider, ask for the
// service centre, send, close.  Only the text provider and sending are
// supported.
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef SMS_API
#define SMS_API __declspec(dllimport)
#endif

typedef DWORD SMS_HANDLE;
typedef DWORD SMS_MESSAGE_ID;

#define SMS_MSGTYPE_TEXT L"Microsoft Text SMS Protocol"

#define SMS_MODE_RECEIVE 1
#define SMS_MODE_SEND    2

#define SMS_MAX_ADDRESS_LENGTH 256

typedef enum sms_address_type_tag {
    SMSAT_UNKNOWN = 0,
    SMSAT_INTERNATIONAL,
    SMSAT_NATIONAL,
    SMSAT_NETWORKSPECIFIC,
    SMSAT_SUBSCRIBER,
    SMSAT_ALPHANUMERIC,
    SMSAT_ABBREVIATED
} SMS_ADDRESS_TYPE;

typedef struct sms_address_tag {
    SMS_ADDRESS_TYPE smsatAddressType;
    WCHAR ptsAddress[SMS_MAX_ADDRESS_LENGTH];
} SMS_ADDRESS, *LPSMS_ADDRESS;

typedef enum sms_data_encoding_tag {
    SMSDE_OPTIMAL = 0,
    SMSDE_GSM,
    SMSDE_UCS2
} SMS_DATA_ENCODING;

#define SMS_OPTION_DELIVERY_NONE   0x00000000
#define SMS_OPTION_DELIVERY_NO_RETRY 0x00000001

// The text provider's data: the first three fields of every version.
typedef enum provider_specific_message_class_tag {
    PS_MESSAGE_CLASS0 = 0,
    PS_MESSAGE_CLASS1,
    PS_MESSAGE_CLASS2,
    PS_MESSAGE_CLASS3
} PROVIDER_SPECIFIC_MESSAGE_CLASS;

typedef enum provider_specific_replace_option_tag {
    PSRO_NONE = 0,
    PSRO_REPLACE_TYPE1,
    PSRO_REPLACE_TYPE2,
    PSRO_REPLACE_TYPE3,
    PSRO_REPLACE_TYPE4,
    PSRO_REPLACE_TYPE5,
    PSRO_REPLACE_TYPE6,
    PSRO_REPLACE_TYPE7,
    PSRO_RETURN_CALL,
    PSRO_DEPERSONALIZATION
} PROVIDER_SPECIFIC_REPLACE_OPTION;

#define PS_MESSAGE_OPTION_NONE 0x00000000

typedef struct text_provider_specific_data_tag {
    DWORD dwMessageOptions;
    PROVIDER_SPECIFIC_MESSAGE_CLASS psMessageClass;
    PROVIDER_SPECIFIC_REPLACE_OPTION psReplaceOption;
} TEXT_PROVIDER_SPECIFIC_DATA;

// Failures of the service.
#define SMS_E_INVALIDPROTOCOL  ((HRESULT)0x82000005L)
#define SMS_E_INVALIDDATA      ((HRESULT)0x82000006L)
#define SMS_E_NOSMSC           ((HRESULT)0x82000008L)
#define SMS_E_MISC             ((HRESULT)0x82000001L)

SMS_API HRESULT WINAPI SmsOpen(LPCWSTR ptsMessageProtocol, DWORD dwMessageModes, SMS_HANDLE* psmshHandle,
                               HANDLE* phMessageAvailableEvent);
SMS_API HRESULT WINAPI SmsClose(SMS_HANDLE smshHandle);
SMS_API HRESULT WINAPI SmsGetSMSC(SMS_ADDRESS* psmsaSMSCAddress);
SMS_API HRESULT WINAPI SmsSendMessage(SMS_HANDLE smshHandle, const SMS_ADDRESS* psmsaSMSCAddress,
                                      const SMS_ADDRESS* psmsaDestinationAddress,
                                      const SYSTEMTIME* pstValidityPeriod, const BYTE* pbData, DWORD dwDataSize,
                                      const BYTE* pbProviderSpecificData, DWORD dwProviderSpecificDataSize,
                                      SMS_DATA_ENCODING smsdeDataEncoding, DWORD dwOptions,
                                      SMS_MESSAGE_ID* psmsmidMessageID);

#ifdef __cplusplus
}
#endif
