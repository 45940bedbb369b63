// A message of the Inbox: its properties and its body as a stream.
#include "cemapi_private.h"

#include <mapiguid.h>
#include <objbase.h>
#include <string.h>

SimMessage::SimMessage(MailDataRef data, DWORD index) : data_(std::move(data)), index_(index) {}

STDMETHODIMP SimMessage::QueryInterface(REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IMAPIProp && riid != IID_IMessage)
        return E_NOINTERFACE;
    *ppv = static_cast<IMessage*>(this);
    AddRef();
    return S_OK;
}

SimProps SimMessage::Props() const
{
    const MailMessage& message = data_->messages[index_];
    SimEntryId id = MakeEntryId(kEntryMessage, index_);
    SimProps props = {SimProp::Binary(PR_ENTRYID, &id, sizeof(id)),
                      SimProp::Long(PR_MESSAGE_FLAGS, message.read ? MSGFLAG_READ : 0)};
    // A message without a subject or sender has no such property.
    if (!message.subject.empty())
        props.push_back(SimProp::Text(PR_SUBJECT_W, message.subject));
    if (!message.from.empty())
        props.push_back(SimProp::Text(PR_SENDER_NAME_W, message.from));
    return props;
}

STDMETHODIMP SimMessage::GetProps(LPSPropTagArray tags, ULONG /*flags*/, ULONG* count, LPSPropValue* values)
{
    return GetPropsOf(Props(), tags, count, values);
}

STDMETHODIMP SimMessage::OpenProperty(ULONG tag, LPCIID iid, ULONG /*options*/, ULONG /*flags*/, LPUNKNOWN* unknown)
{
    if (!unknown)
        return MAPI_E_INVALID_PARAMETER;
    *unknown = nullptr;
    if (tag != PR_BODY_W || !iid || *iid != IID_IStream)
        return MAPI_E_NO_SUPPORT;
    const std::wstring& body = data_->messages[index_].body;
    if (body.empty())
        return MAPI_E_NOT_FOUND;
    // The text's characters, without a terminator.
    SIZE_T cb = body.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, cb);
    if (!memory)
        return MAPI_E_NOT_ENOUGH_MEMORY;
    memcpy(GlobalLock(memory), body.data(), cb);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return MAPI_E_NOT_ENOUGH_MEMORY;
    }
    // The stream's size is the allocation's, which may be rounded up.
    ULARGE_INTEGER size;
    size.QuadPart = cb;
    stream->SetSize(size);
    *unknown = stream;
    return S_OK;
}
