#include "view_objects.h"

#include <string>

#include "devlog.h"
#include "htmlembed.h"

namespace {

const size_t kMaxObjects = 16;      // controls one page may place
const size_t kMaxParams = 64;

typedef HRESULT(STDAPICALLTYPE* GetClassObjectFn)(REFCLSID, REFIID, void**);

// "clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" (or with braces) as a CLSID.
bool ReadClassId(const std::wstring& value, CLSID* id, std::wstring* text)
{
    std::wstring v = value;
    if (v.size() >= 6 && _wcsnicmp(v.c_str(), L"clsid:", 6) == 0)
        v = v.substr(6);
    if (v.empty() || v.size() > 40)
        return false;
    if (v.front() != L'{')
        v = L"{" + v + L"}";
    if (FAILED(CLSIDFromString(v.c_str(), id)))
        return false;
    *text = v;
    return true;
}

// The library registered for the class, read straight from the registry.
bool ServerPath(const std::wstring& classText, std::wstring* path)
{
    std::wstring key = L"SOFTWARE\\Classes\\CLSID\\" + classText + L"\\InprocServer32";
    HKEY hkey;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &hkey) != ERROR_SUCCESS)
        return false;
    wchar_t buffer[MAX_PATH] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    LONG result = RegQueryValueExW(hkey, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(hkey);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || !buffer[0])
        return false;
    *path = buffer;
    return true;
}

// The object of a registered class, asked for IHtmlEmbed.  The library
// stays loaded for the life of the process, as COM keeps in-process
// servers.
IHtmlEmbed* CreateObject(const CLSID& id, const std::wstring& path)
{
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module)
        return nullptr;
    auto getClassObject = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    if (!getClassObject || FAILED(getClassObject(id, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
        !factory)
        return nullptr;
    IHtmlEmbed* object = nullptr;
    HRESULT hr = factory->CreateInstance(nullptr, IID_IHtmlEmbed, reinterpret_cast<void**>(&object));
    factory->Release();
    return SUCCEEDED(hr) ? object : nullptr;
}

}  // namespace

void EmbeddedObjects::Place(HWND view, html::Page& page, int scrollY)
{
    html::PageLayout& layout = page.layout();
    const html::Document& doc = page.document();
    size_t ordinal = 0;
    for (size_t i = 0; i < layout.items.size(); ++i) {
        html::Item& item = layout.items[i];
        if (item.kind != html::ItemKind::kObject)
            continue;
        RECT box = item.rect;
        OffsetRect(&box, 0, -scrollY);
        size_t n = ordinal++;
        if (placed_) {
            // Laid out again: the same boxes in the same order.
            for (Hosted& h : hosted_)
                if (h.item == n) {
                    item.variant = 1;
                    MoveWindow(h.window, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
                }
            continue;
        }
        const std::wstring* classValue = doc.Attr(item.node, L"classid");
        CLSID id;
        std::wstring classText, path;
        if (!classValue || !ReadClassId(*classValue, &id, &classText) || n >= kMaxObjects)
            continue;
        if (!ServerPath(classText, &path)) {
            DevLog(L"htmlview", L"object %ls is not registered", classText.c_str());
            continue;
        }
        IHtmlEmbed* object = CreateObject(id, path);
        if (!object) {
            DevLog(L"htmlview", L"object %ls from \"%ls\" could not be created", classText.c_str(), path.c_str());
            continue;
        }
        std::vector<LPCWSTR> names, values;
        for (int c = doc.nodes[item.node].firstChild; c >= 0 && names.size() < kMaxParams; c = doc.nodes[c].nextSibling) {
            if (doc.nodes[c].tag != html::Tag::kParam)
                continue;
            const std::wstring* name = doc.Attr(c, L"name");
            const std::wstring* value = doc.Attr(c, L"value");
            if (!name)
                continue;
            names.push_back(name->c_str());
            values.push_back(value ? value->c_str() : L"");
        }
        HWND window = nullptr;
        HRESULT hr = object->CreateEmbedWindow(view, &box, static_cast<UINT>(names.size()), names.data(),
                                               values.data(), &window);
        if (FAILED(hr) || !window || !IsWindow(window)) {
            object->Release();
            DevLog(L"htmlview", L"object %ls made no window", classText.c_str());
            continue;
        }
        DevLog(L"htmlview", L"object %ls from \"%ls\" with %u parameters", classText.c_str(), path.c_str(),
               static_cast<unsigned>(names.size()));
        item.variant = 1;
        hosted_.push_back({n, window, object});
    }
    placed_ = true;
}

void EmbeddedObjects::Clear()
{
    for (Hosted& h : hosted_) {
        if (IsWindow(h.window))
            DestroyWindow(h.window);
        h.object->Release();
    }
    hosted_.clear();
    placed_ = false;
}
