// The contacts applet's loader: one pass over the device's contacts on a
// thread of its own, filling the rows and the tabs as it goes (the window
// puts the rows into its list).
#include "contact_wnd.h"

#include <pimstore.h>

namespace {

// The eleven telephone properties in the order a row collects them.
struct NumberSlot {
    HRESULT (STDMETHODCALLTYPE IContact::*getter)(BSTR*);
    int category;
};
const NumberSlot kSlots[] = {
    {&IContact::get_MobileTelephoneNumber, kMobile},   {&IContact::get_CarTelephoneNumber, kMobile},
    {&IContact::get_PagerNumber, kMobile},             {&IContact::get_BusinessTelephoneNumber, kWork},
    {&IContact::get_Business2TelephoneNumber, kWork},  {&IContact::get_BusinessFaxNumber, kWork},
    {&IContact::get_HomeTelephoneNumber, kHome},       {&IContact::get_Home2TelephoneNumber, kHome},
    {&IContact::get_AssistantTelephoneNumber, kOther}, {&IContact::get_RadioTelephoneNumber, kOther},
    {&IContact::get_HomeFaxNumber, kOther},
};

std::wstring Text(IContact* contact, HRESULT (STDMETHODCALLTYPE IContact::*getter)(BSTR*))
{
    BSTR text = nullptr;
    std::wstring copy;
    if (SUCCEEDED((contact->*getter)(&text)) && text)
        copy = text;
    SysFreeString(text);
    return copy;
}

IContact* ContactAt(IPOutlookItemCollection* items, int index)
{
    IDispatch* item = nullptr;
    if (FAILED(items->Item(index, &item)) || !item)
        return nullptr;
    IContact* contact = nullptr;
    item->QueryInterface(IID_IContact, (void**)&contact);
    item->Release();
    return contact;
}

std::wstring FileAsAt(IPOutlookItemCollection* items, int index)
{
    IContact* contact = ContactAt(items, index);
    if (!contact)
        return std::wstring();
    std::wstring fileAs = Text(contact, &IContact::get_FileAs);
    contact->Release();
    return fileAs;
}

}  // namespace

class CContactLoader {
public:
    static DWORD WINAPI Run(LPVOID parameter)
    {
        auto* window = static_cast<CContactWnd*>(parameter);
        HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IPOutlookApp* app = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                                       (void**)&app))) {
            if (SUCCEEDED(app->Logon(0))) {
                Load(window, app);
                app->Logoff();
            }
            app->Release();
        }
        if (SUCCEEDED(com))
            CoUninitialize();
        return 0;
    }

private:
    static void Load(CContactWnd* window, IPOutlookApp* app)
    {
        IFolder* folder = nullptr;
        IPOutlookItemCollection* items = nullptr;
        int count = 0;
        if (SUCCEEDED(app->GetDefaultFolder(olFolderContacts, &folder)) && SUCCEEDED(folder->get_Items(&items)) &&
            SUCCEEDED(items->get_Count(&count))) {
            LabelTabs(window, items, count);
            FillRows(window, items, count);
        }
        if (items)
            items->Release();
        if (folder)
            folder->Release();
        ::PostMessageW(window->m_hWnd, CContactWnd::kLoaderDone, 0, 0);  // the last rows listed, the keys taken
    }

    static void LabelTabs(CContactWnd* window, IPOutlookItemCollection* items, int count)
    {
        TabBuckets buckets = TabBuckets::For(count);
        ::EnterCriticalSection(&window->m_lock);
        window->m_buckets = buckets;
        ::LeaveCriticalSection(&window->m_lock);
        for (int i = 0; i < buckets.count && !window->m_cancel; ++i) {
            bool one = buckets.boundary[i] + 1 == buckets.boundary[i + 1];
            std::wstring first = FileAsAt(items, buckets.boundary[i] + 1);
            std::wstring last = one ? first : FileAsAt(items, buckets.boundary[i + 1]);
            std::wstring label = TabLabel(first, last, one);
            ::SetWindowTextW(window->m_tabs[i], label.c_str());
        }
        ::PostMessageW(window->m_hWnd, CContactWnd::kTabsLabelled, 0, 0);
    }

    // Each row is handed to the window's thread, which lists new rows a batch
    // at a time: a row sent across threads costs more than reading it, and a
    // visible list updates its scroll bar at every insert.  The first batch
    // is about a page, so the first rows show at once.
    static void FillRows(CContactWnd* window, IPOutlookItemCollection* items, int count)
    {
        for (int index = 1; index <= count && !window->m_cancel; ++index) {
            IContact* contact = ContactAt(items, index);
            if (!contact)
                return;
            auto row = std::make_unique<ContactRow>();
            for (const NumberSlot& slot : kSlots)
                row->AddNumber(Text(contact, slot.getter), slot.category);
            row->name = Text(contact, &IContact::get_FileAs).substr(0, ContactRow::kNameChars);
            long oid = 0;
            contact->get_Oid(&oid);
            row->oid = oid;
            contact->Release();

            ::EnterCriticalSection(&window->m_lock);
            window->m_rows.push_back(std::move(row));
            ::LeaveCriticalSection(&window->m_lock);
            if (index == kFirstBatch || index % kBatch == 0)
                ::PostMessageW(window->m_hWnd, CContactWnd::kRowsLoaded, 0, 0);
        }
    }

    static constexpr int kFirstBatch = 10;
    static constexpr int kBatch = 100;
};

bool StartContactLoader(CContactWnd* window, HANDLE* thread)
{
    *thread = ::CreateThread(nullptr, 0, &CContactLoader::Run, window, 0, nullptr);
    return *thread != nullptr;
}
