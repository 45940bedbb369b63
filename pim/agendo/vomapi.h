// The summary's access to the device's messaging store: a logged-on
// session, its default store, the store's Inbox and the address book
// (VOMAPI), and one message of it (VOMAPIMessage).
//
// Failures are written to the trace log ("CEMAPI: FAILED(%x) at %hs:%d"),
// never shown: the summary reloads every five minutes, and a box would stop
// the bar each time.
#pragma once

#include <windows.h>

#include <mapidefs.h>
#include <mapix.h>

#include <string>
#include <vector>

class VOMAPI {
public:
    VOMAPI() = default;
    ~VOMAPI();
    VOMAPI(const VOMAPI&) = delete;
    VOMAPI& operator=(const VOMAPI&) = delete;

    // Starts the messaging library (once).
    bool Initialize();
    // Logs on and opens the address book, the default store and its Inbox,
    // each only when it is not open yet, so a call after a failure retries
    // what failed.  True when the Inbox is open.
    bool Open();
    // Releases the folder, the store, the address book, logs off, releases
    // the session and ends the messaging library.
    void Close();

    // The entry identifiers of the Inbox's unread messages in table order;
    // false (and nothing) when the contents could not be read.
    bool UnreadMessages(std::vector<std::vector<BYTE>>* entries);

    IMsgStore* Store() const { return m_pStore; }

private:
    bool OpenDefaultStore();
    bool OpenInbox();

    bool m_bInitialized = false;
    IMAPISession* m_pSession = nullptr;
    IAddrBook* m_pAddressBook = nullptr;
    IMsgStore* m_pStore = nullptr;
    IMAPIFolder* m_pInbox = nullptr;
};

class VOMAPIMessage {
public:
    VOMAPIMessage() = default;
    ~VOMAPIMessage();
    VOMAPIMessage(const VOMAPIMessage&) = delete;
    VOMAPIMessage& operator=(const VOMAPIMessage&) = delete;

    bool Open(VOMAPI* mapi, const std::vector<BYTE>& entry);
    // Empty when the message has none.
    std::wstring Subject();
    // The body's first 255 characters (one read of at most 510 bytes).
    std::wstring Body();

private:
    IMessage* m_pMessage = nullptr;
};

// Writes the trace line of a failed call; returns the result unchanged.
HRESULT VOMAPITrace(HRESULT result, const char* file, int line);
#define VOMAPI_CALL(expression) VOMAPITrace((expression), __FILE_NAME__, __LINE__)
