// The device's Pocket Outlook object model (pimstore.dll), an in-process COM
// server of the application object (CLSID_Application).  Every interface is
// dual: its own methods follow IDispatch's seven slots in the order below,
// which is the platform's.
//
// Also the contacts add-in entry (CePimCommand) that the device's contacts
// program, and programs listing its add-ins, call in a library registered
// under HKLM "Software\Microsoft\PimApps\PimExtensions\Contacts\AddIns".
#pragma once
#include <windows.h>
#include <oaidl.h>

// Folder numbers of GetDefaultFolder.
enum {
    olFolderCalendar = 9,
    olFolderContacts = 10,
    olFolderTasks = 13,
};

// Item types of CreateItem.
enum {
    olAppointmentItem = 1,
    olContactItem = 2,
    olTaskItem = 3,
};

// Item types passed to an add-in's CePimCommand.
typedef enum {
    PT_CALENDAR = 0,
    PT_TASKS = 1,
    PT_CONTACT = 2,
} PIMTYPE;

// The add-in entry: the owner window, the item type, the number of items
// and their object ids, one HANDLE-sized element each.
typedef void(WINAPI* CEPIMCOMMAND)(HWND hWnd, PIMTYPE ptData, UINT uDataCount, HANDLE* rghData, void* pReserved);

// The application object and its interfaces (C++17 inline constants: no
// translation unit has to define them).
inline const GUID CLSID_Application = {0x05058F23, 0x20BE, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
inline const GUID IID_IPOutlookApp = {0x05058F22, 0x20BE, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
inline const GUID IID_IFolder = {0x05058F20, 0x20BE, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
inline const GUID IID_IPOutlookItemCollection = {0xF06748C0, 0x21A5, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
inline const GUID IID_IContact = {0x7F804E40, 0x2010, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
inline const GUID IID_IAppointment = {0x5B43F691, 0x202C, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
inline const GUID IID_ITask = {0x37C78CE0, 0x202C, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};

struct IFolder;
struct IPOutlookItemCollection;
struct ITimeZone;

struct IPOutlookApp : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Logon(long hWnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE Logoff() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Version(BSTR* pVersion) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultFolder(int olFolder, IFolder** ppIFolder) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateItem(int olItem, IDispatch** ppPOutlookItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetItemFromOid(long oid, IDispatch** ppPOutlookItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HomeCity(IDispatch** ppHomeCity) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HomeCity(IDispatch* pHomeCity) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_VisitingCity(IDispatch** ppVisitingCity) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_VisitingCity(IDispatch* pVisitingCity) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentCityIndex(long* pIndex) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CurrentCityIndex(long index) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReceiveFromInfrared() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OutlookCompatible(VARIANT_BOOL* pfCompat) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTimeZoneFromIndex(int cTimezone, ITimeZone** ppTz) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTimeZoneInformationFromIndex(int cTimezone, TIME_ZONE_INFORMATION* pTzInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** ppPOutlookApp) = 0;
    virtual HRESULT STDMETHODCALLTYPE SysFreeString(BSTR bstr) = 0;
    virtual HRESULT STDMETHODCALLTYPE VariantTimeToSystemTime(DATE date, SYSTEMTIME* pst) = 0;
    virtual HRESULT STDMETHODCALLTYPE SystemTimeToVariantTime(SYSTEMTIME* pst, DATE* pdate) = 0;
};

struct IFolder : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Items(IPOutlookItemCollection** ppolItems) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DefaultItemType(int* polItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** ppPOutlookApp) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddItemToInfraredFolder(int olItem, IDispatch* polItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE SendToInfrared() = 0;
    virtual HRESULT STDMETHODCALLTYPE ReceiveFromInfrared(IPOutlookItemCollection** ppItems) = 0;
};

struct IPOutlookItemCollection : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Add(IDispatch** ppPOutlookItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Count(int* pnCount) = 0;
    virtual HRESULT STDMETHODCALLTYPE Find(BSTR pwszRestriction, IDispatch** ppItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindNext(IDispatch** ppItem) = 0;
    // Items are numbered from 1.
    virtual HRESULT STDMETHODCALLTYPE Item(int iIndex, IDispatch** ppPOutlookItem) = 0;
    virtual HRESULT STDMETHODCALLTYPE Remove(int iIndex) = 0;
    virtual HRESULT STDMETHODCALLTYPE Restrict(BSTR pwszRestriction, IPOutlookItemCollection** ppolItems) = 0;
    virtual HRESULT STDMETHODCALLTYPE Sort(BSTR pwszProperty, VARIANT_BOOL fDescending) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IncludeRecurrences(VARIANT_BOOL* pfIncludeRecurrences) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IncludeRecurrences(VARIANT_BOOL fIncludeRecurrences) = 0;
    virtual HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** ppEnumerator) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** ppPOutlookApp) = 0;
};

// The contact's properties in the platform's order: DATE(name) for the two
// dates, TEXT(name) for the strings.  Getters come first, then the setters
// in the same order.
#define PIM_CONTACT_PROPERTIES(DATE_PROPERTY, TEXT_PROPERTY)                                                  \
    DATE_PROPERTY(Birthday) DATE_PROPERTY(Anniversary) TEXT_PROPERTY(BusinessFaxNumber)                       \
    TEXT_PROPERTY(CompanyName) TEXT_PROPERTY(Department) TEXT_PROPERTY(Email1Address)                         \
    TEXT_PROPERTY(MobileTelephoneNumber) TEXT_PROPERTY(OfficeLocation) TEXT_PROPERTY(PagerNumber)             \
    TEXT_PROPERTY(BusinessTelephoneNumber) TEXT_PROPERTY(JobTitle) TEXT_PROPERTY(HomeTelephoneNumber)         \
    TEXT_PROPERTY(Email2Address) TEXT_PROPERTY(Spouse) TEXT_PROPERTY(Email3Address)                           \
    TEXT_PROPERTY(Home2TelephoneNumber) TEXT_PROPERTY(HomeFaxNumber) TEXT_PROPERTY(CarTelephoneNumber)        \
    TEXT_PROPERTY(AssistantName) TEXT_PROPERTY(AssistantTelephoneNumber) TEXT_PROPERTY(Children)              \
    TEXT_PROPERTY(Categories) TEXT_PROPERTY(WebPage) TEXT_PROPERTY(Business2TelephoneNumber)                  \
    TEXT_PROPERTY(Title) TEXT_PROPERTY(FirstName) TEXT_PROPERTY(MiddleName) TEXT_PROPERTY(LastName)           \
    TEXT_PROPERTY(Suffix) TEXT_PROPERTY(HomeAddressStreet) TEXT_PROPERTY(HomeAddressCity)                     \
    TEXT_PROPERTY(HomeAddressState) TEXT_PROPERTY(HomeAddressPostalCode) TEXT_PROPERTY(HomeAddressCountry)    \
    TEXT_PROPERTY(OtherAddressStreet) TEXT_PROPERTY(OtherAddressCity) TEXT_PROPERTY(OtherAddressState)        \
    TEXT_PROPERTY(OtherAddressPostalCode) TEXT_PROPERTY(OtherAddressCountry)                                  \
    TEXT_PROPERTY(BusinessAddressStreet) TEXT_PROPERTY(BusinessAddressCity)                                   \
    TEXT_PROPERTY(BusinessAddressState) TEXT_PROPERTY(BusinessAddressPostalCode)                              \
    TEXT_PROPERTY(BusinessAddressCountry) TEXT_PROPERTY(RadioTelephoneNumber) TEXT_PROPERTY(FileAs)           \
    TEXT_PROPERTY(Body) TEXT_PROPERTY(YomiCompanyName) TEXT_PROPERTY(YomiFirstName)                           \
    TEXT_PROPERTY(YomiLastName)

#define PIM_DECLARE_DATE_GETTER(name) virtual HRESULT STDMETHODCALLTYPE get_##name(DATE* pValue) = 0;
#define PIM_DECLARE_TEXT_GETTER(name) virtual HRESULT STDMETHODCALLTYPE get_##name(BSTR* pValue) = 0;
#define PIM_DECLARE_DATE_SETTER(name) virtual HRESULT STDMETHODCALLTYPE put_##name(DATE value) = 0;
#define PIM_DECLARE_TEXT_SETTER(name) virtual HRESULT STDMETHODCALLTYPE put_##name(BSTR value) = 0;

struct IContact : public IDispatch {
    PIM_CONTACT_PROPERTIES(PIM_DECLARE_DATE_GETTER, PIM_DECLARE_TEXT_GETTER)
    PIM_CONTACT_PROPERTIES(PIM_DECLARE_DATE_SETTER, PIM_DECLARE_TEXT_SETTER)
    virtual HRESULT STDMETHODCALLTYPE Save() = 0;
    virtual HRESULT STDMETHODCALLTYPE Delete() = 0;
    virtual HRESULT STDMETHODCALLTYPE Copy(IContact** ppContact) = 0;
    virtual HRESULT STDMETHODCALLTYPE Display() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Oid(long* poid) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BodyInk(BSTR bodyInk) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BodyInk(BSTR* pBodyInk) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** ppPOutlookApp) = 0;
};

struct IRecurrencePattern;
struct IRecipients;
struct CEBLOB;

// An appointment of the calendar (folder 9).
struct IAppointment : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE ClearRecurrencePattern() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRecurrencePattern(IRecurrencePattern** ppRecPattern) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsRecurring(VARIANT_BOOL* pfIsRecurring) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Subject(BSTR* pbstrSubject) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Location(BSTR* pbstrLocation) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Categories(BSTR* pbstrCategories) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Start(DATE* pdateStart) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Duration(long* plDuration) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_End(DATE* pdateEnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AllDayEvent(VARIANT_BOOL* pfAllDay) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BusyStatus(long* plBusyStatus) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Sensitivity(long* plSensitivity) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Body(BSTR* pbstrBody) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Recipients(IRecipients** ppRecipients) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MeetingStatus(long* plMeetingStatus) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReminderSet(VARIANT_BOOL* pfReminderSet) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReminderSoundFile(BSTR* pbstrSoundFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReminderMinutesBeforeStart(long* plMinutes) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReminderOptions(long* plOptions) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Subject(BSTR bstrSubject) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Location(BSTR bstrLocation) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Categories(BSTR bstrCategories) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Start(DATE dateStart) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Duration(long lDuration) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_End(DATE dateEnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AllDayEvent(VARIANT_BOOL fAllDay) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BusyStatus(long lBusyStatus) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Sensitivity(long lSensitivity) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Body(BSTR bstrBody) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ReminderSet(VARIANT_BOOL fReminderSet) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ReminderSoundFile(BSTR bstrSoundFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ReminderMinutesBeforeStart(long lMinutes) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ReminderOptions(long lOptions) = 0;
    virtual HRESULT STDMETHODCALLTYPE Save() = 0;
    virtual HRESULT STDMETHODCALLTYPE Send() = 0;
    virtual HRESULT STDMETHODCALLTYPE Delete() = 0;
    virtual HRESULT STDMETHODCALLTYPE Cancel() = 0;
    virtual HRESULT STDMETHODCALLTYPE Copy(IAppointment** ppAppointment) = 0;
    virtual HRESULT STDMETHODCALLTYPE Display() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Oid(long* poid) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BodyInk(CEBLOB* pBodyInk) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BodyInk(CEBLOB* pBodyInk) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** ppPOutlookApp) = 0;
};

// A task (folder 13).
struct ITask : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE ClearRecurrencePattern() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRecurrencePattern(IRecurrencePattern** ppRecPattern) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsRecurring(VARIANT_BOOL* pfIsRecurring) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Subject(BSTR* pbstrSubject) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Categories(BSTR* pbstrCategories) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_StartDate(DATE* pdateStart) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DueDate(DATE* pdateDue) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DateCompleted(DATE* pdateCompleted) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Importance(long* plImportance) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Complete(VARIANT_BOOL* pfComplete) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Sensitivity(long* plSensitivity) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TeamTask(VARIANT_BOOL* pfTeamTask) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Body(BSTR* pbstrBody) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReminderSet(VARIANT_BOOL* pfReminderSet) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReminderSoundFile(BSTR* pbstrSoundFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReminderTime(DATE* pdateReminder) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReminderOptions(long* plOptions) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Subject(BSTR bstrSubject) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Categories(BSTR bstrCategories) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_StartDate(DATE dateStart) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DueDate(DATE dateDue) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Importance(long lImportance) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Complete(VARIANT_BOOL fComplete) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Sensitivity(long lSensitivity) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TeamTask(VARIANT_BOOL fTeamTask) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Body(BSTR bstrBody) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ReminderSet(VARIANT_BOOL fReminderSet) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ReminderSoundFile(BSTR bstrSoundFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ReminderTime(DATE dateReminder) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ReminderOptions(long lOptions) = 0;
    virtual HRESULT STDMETHODCALLTYPE Save() = 0;
    virtual HRESULT STDMETHODCALLTYPE Delete() = 0;
    virtual HRESULT STDMETHODCALLTYPE SkipRecurrence() = 0;
    virtual HRESULT STDMETHODCALLTYPE Copy(ITask** ppTask) = 0;
    virtual HRESULT STDMETHODCALLTYPE Display() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Oid(long* poid) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BodyInk(CEBLOB* pBodyInk) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BodyInk(CEBLOB* pBodyInk) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** ppPOutlookApp) = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IPOutlookApp, 0x05058F22, 0x20BE, 0x11D2, 0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35)
__CRT_UUID_DECL(IFolder, 0x05058F20, 0x20BE, 0x11D2, 0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35)
__CRT_UUID_DECL(IPOutlookItemCollection, 0xF06748C0, 0x21A5, 0x11D2, 0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35)
__CRT_UUID_DECL(IContact, 0x7F804E40, 0x2010, 0x11D2, 0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35)
__CRT_UUID_DECL(IAppointment, 0x5B43F691, 0x202C, 0x11D2, 0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35)
__CRT_UUID_DECL(ITask, 0x37C78CE0, 0x202C, 0x11D2, 0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35)
#endif
