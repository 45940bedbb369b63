// The contacts applet's loader: one pass over the device's contacts on a
// thread of its own, filling the rows, the tabs and the list as it goes.
#include "contact_wnd.h"

#include <commctrl.h>
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
        ::PostMessageW(window->m_hWnd, WM_APP, 0, 0);  // the list takes the keys
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
        ::PostMessageW(window->m_hWnd, WM_APP + 1, 0, 0);  // the tabs as labelled
    }

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

            std::wstring name = row->name, shown = row->Shown();
            ::EnterCriticalSection(&window->m_lock);
            window->m_rows.push_back(std::move(row));
            ::LeaveCriticalSection(&window->m_lock);

            LVITEMW item = {};
            item.mask = LVIF_TEXT;
            item.iItem = index - 1;
            item.pszText = const_cast<wchar_t*>(name.c_str());
            int at = (int)::SendMessageW(window->m_list, LVM_INSERTITEMW, 0, (LPARAM)&item);
            if (at >= 0 && !shown.empty()) {
                item.iSubItem = 1;
                item.pszText = const_cast<wchar_t*>(shown.c_str());
                ::SendMessageW(window->m_list, LVM_SETITEMTEXTW, at, (LPARAM)&item);
            }
        }
    }
};

bool StartContactLoader(CContactWnd* window, HANDLE* thread)
{
    *thread = ::CreateThread(nullptr, 0, &CContactLoader::Run, window, 0, nullptr);
    return *thread != nullptr;
}
