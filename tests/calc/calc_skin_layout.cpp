#include "calc_skin_layout.h"

#include <ketra_testkit.h>
#include <xmlaccess.h>

namespace {

int Attribute(const CXmlNodeReader& node, const wchar_t* name)
{
    int value = 0;
    node.GetAttributeInt(name, &value);
    return value;
}

}  // namespace

std::map<std::wstring, RECT> ReadSkinButtons(const std::wstring& skinFile)
{
    std::map<std::wstring, RECT> buttons;
    CXmlComScope com;
    CXmlReader reader;
    if (!reader.Initialize() || !reader.LoadXmlFile(skinFile.c_str()))
        return buttons;
    CXmlNodeListReader nodes;
    reader.GetNodeList(L"/skins/skin/buttons/button", &nodes);
    for (int i = 0; i < nodes.GetCount(); ++i) {
        CXmlNodeReader node;
        BSTR id = nullptr;
        if (nodes.GetNode(i, &node) && node.GetAttributeText(L"id", &id) && id) {
            const int x = Attribute(node, L"x"), y = Attribute(node, L"y");
            buttons[id] = RECT{x, y, x + Attribute(node, L"w"), y + Attribute(node, L"h")};
        }
        SysFreeString(id);
    }
    return buttons;
}

std::wstring BoxText(HWND box)
{
    wchar_t text[300] = L"";
    if (testkit::SendWaiting(box, WM_GETTEXT, 300, (LPARAM)text) < 0)
        return L"(no answer)";
    return text;
}

bool TapListItem(HWND combo, const std::wstring& text)
{
    using namespace testkit;
    const int index = RemoteComboBox(combo).Find(text);
    if (index < 0 || !TapWindow(combo))
        return false;
    HWND list = nullptr;
    if (!PumpUntil([&] { return (list = VisibleWindow(L"ComboLBox")) != nullptr; }, 3000))
        return false;
    const int top = (int)SendWaiting(list, LB_GETTOPINDEX, 0, 0);
    const int height = (int)SendWaiting(list, LB_GETITEMHEIGHT, 0, 0);
    const RECT drop = WindowRect(list);
    if (top < 0 || height <= 0 || index < top || drop.top + 1 + (index - top + 1) * height > drop.bottom)
        return false;  // not in view
    return Tap(drop.left + 20, drop.top + 1 + (index - top) * height + height / 2);
}
