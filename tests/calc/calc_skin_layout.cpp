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


CalcOnBar::CalcOnBar(const std::wstring& name, const std::wstring& skinFile)
    : keys_(ReadSkinButtons(std::wstring(testkit::kInstallFolder) + skinFile)),
      bar_(std::make_unique<testkit::AppletOnBar>(name))
{
}

bool CalcOnBar::Press(std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names) {
        auto key = keys_.find(name);
        if (key == keys_.end())
            return false;
        const RECT& r = key->second;
        if (!bar_->Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2))
            return false;
    }
    testkit::PumpMessages(50);
    return true;
}

std::wstring CalcOnBar::WaitText(int id, const std::wstring& text, DWORD ms) const
{
    testkit::PumpUntil([&] { return Text(id) == text; }, ms);
    return Text(id);
}
