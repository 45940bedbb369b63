// The interface identifiers this library answers to, defined once.
#include <windows.h>
#include <initguid.h>
#define USES_IID_IMAPISession
#define USES_IID_IMAPITable
#define USES_IID_IMAPIProp
#define USES_IID_IMAPIContainer
#define USES_IID_IMAPIFolder
#define USES_IID_IMsgStore
#define USES_IID_IMessage
#define USES_IID_IAddrBook
#include <mapiguid.h>
