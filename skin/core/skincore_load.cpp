// Loading a skin file, or a skin package, into a skin window.
#include "skinwnd.h"

#include <skinpackage.h>
#include <strsafe.h>

#include <memory>

namespace {

const wchar_t kPackageFolder[] = L"SKIN";
const wchar_t kPackageSkinFile[] = L"SKIN.XML";

// The text of an attribute, or of the node at a relative path, into a fixed
// field; longer text is cut.  An absent or empty text leaves the field empty
// and gives 0.
int ReadAttributeText(const CXmlNodeReader& node, LPCWSTR name, wchar_t* field, size_t capacity)
{
    return node.GetAttributeText(name, field, capacity) && field[0];
}

int ReadChildText(const CXmlNodeReader& node, LPCWSTR path, wchar_t* field, size_t capacity)
{
    return node.GetChildNodeText(path, field, capacity) && field[0];
}

int ReadInt(const CXmlNodeReader& node, LPCWSTR name)
{
    int value = 0;
    node.GetAttributeInt(name, &value);  // 0 when missing
    return value;
}

// x, y, w, h of an element as a rectangle.
CRect ReadRect(const CXmlNodeReader& node)
{
    int x = ReadInt(node, L"x");
    int y = ReadInt(node, L"y");
    return CRect(x, y, x + ReadInt(node, L"w"), y + ReadInt(node, L"h"));
}

// A state child of a button (enable, pushed, disable) gives the top-left of
// that look; absent, the look sits at the button's own place.
CRect ReadLook(const CXmlNodeReader& button, LPCWSTR name, const CRect& position)
{
    CXmlNodeReader look;
    if (!button.GetNode(name, &look))
        return position;
    int x = ReadInt(look, L"x");
    int y = ReadInt(look, L"y");
    return CRect(x, y, x + position.Width(), y + position.Height());
}

int ColourPart(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

// Each button starts from a clean record: one without "id" has an empty
// name and one without "mask" matches no mask colour, rather than taking
// over the previous button's.
void ReadButton(const CXmlNodeReader& node, CButton* button)
{
    *button = CButton();
    wchar_t name[CButton::kNameLength];
    if (ReadAttributeText(node, L"id", name, CButton::kNameLength))
        button->SetCommand(name);
    button->m_rcPosition = ReadRect(node);
    button->m_rcEnable = ReadLook(node, L"enable", button->m_rcPosition);
    button->m_rcPushed = ReadLook(node, L"pushed", button->m_rcPosition);
    button->m_rcDisable = ReadLook(node, L"disable", button->m_rcPosition);
    CXmlNodeReader mask;
    if (node.GetNode(L"mask", &mask))
        button->m_crMask = RGB(ColourPart(ReadInt(mask, L"r")), ColourPart(ReadInt(mask, L"g")),
                               ColourPart(ReadInt(mask, L"b")));
}

void ReadCtrl(const CXmlNodeReader& node, CCtrl* ctrl)
{
    *ctrl = CCtrl();
    ReadAttributeText(node, L"type", ctrl->m_szType, CCtrl::kNameLength);
    ReadAttributeText(node, L"id", ctrl->m_szID, CCtrl::kNameLength);
    wchar_t align[CCtrl::kNameLength];
    ReadAttributeText(node, L"align", align, CCtrl::kNameLength);
    ctrl->m_nAlign = CCtrl::ParseAlign(align);
    ctrl->m_rect = ReadRect(node);
}

}  // namespace

LPCWSTR CSkinCore::ResolveImagePath(LPCWSTR skinPath, LPCWSTR name, wchar_t* out, size_t capacity) const
{
    const wchar_t* slash = skinPath ? wcsrchr(skinPath, L'\\') : nullptr;
    if (!slash || !name)
        return nullptr;
    size_t folderLength = static_cast<size_t>(slash - skinPath) + 1;
    if (FAILED(StringCchCopyNW(out, capacity, skinPath, folderLength)) ||
        FAILED(StringCchCatW(out, capacity, name)))
        return nullptr;
    return out;
}

int CSkinCore::LoadSkin(LPCWSTR path)
{
    if (!path || FAILED(StringCchCopyW(m_szXMLPath, MAX_PATH, path))) {
        m_szXMLPath[0] = L'\0';
        WriteLog(L"Couldn't open skin file [%ls]", path ? path : L"");
        return 0;
    }
    CXmlReader reader;
    if (!reader.Initialize() || !reader.LoadXmlFile(m_szXMLPath)) {
        WriteLog(L"Couldn't open skin file [%ls]", m_szXMLPath);
        return 0;
    }
    CXmlNodeListReader skins;
    reader.GetNodeList(L"/skins/skin", &skins);
    CXmlNodeReader first;
    if (skins.GetNode(0, &first))
        LoadSkin(m_szXMLPath, first);
    // The lists' address-of operator yields their interface pointer.
    OnLoadSkin(&reader, std::addressof(skins));
    if (!OnLoadSkinDone())
        return 0;
    SetWindowRect(*m_prcWindow);
    if (m_hWnd)
        Invalidate(FALSE);
    return 1;
}

int CSkinCore::LoadSkin(LPCWSTR path, const CXmlNodeReader& skinNode)
{
    if (skinNode.IsEmpty())
        return 0;
    const CXmlNodeReader* skin = &skinNode;
    CXmlNodeReader window;
    if (!skin->GetNode(L"window", &window))
        return 0;
    CRect windowRect = ReadRect(window);
    CRect movingRect = m_pSkinInfo->GetMovingRect();
    CXmlNodeReader move;
    if (skin->GetNode(L"move", &move))
        movingRect = ReadRect(move);

    wchar_t name[MAX_PATH];
    wchar_t file[MAX_PATH];
    ReadChildText(*skin, L"background", name, MAX_PATH);
    g_imgList.SetDC(m_pClientDC);
    CImage* background = nullptr;
    if (ResolveImagePath(path, name, file, MAX_PATH))
        background = g_imgList.GetImage(file);
    if (!background)
        return 0;

    // The skin applies only from here on, so a refused one changes nothing.
    CSkinInfo* info = m_pSkinInfo;
    ForgetBackdrop();
    info->m_rcWindow = windowRect;
    info->m_rcMoving = movingRect;
    info->SetBackground(background);
    CButtonList* buttons = info->GetBtnList();
    buttons->Init(m_pClientDC, background);
    // A skin without a mask picture is hit-tested by rectangles, whatever
    // skin was loaded here before.
    buttons->SetMask(nullptr);
    CXmlNodeReader backgroundNode;
    skin->GetNode(L"background", &backgroundNode);
    info->m_rcFixed.SetRect(0, ReadInt(backgroundNode, L"head"), 0, ReadInt(backgroundNode, L"foot"));

    if (ReadChildText(*skin, L"buttons/enable", name, MAX_PATH) && ResolveImagePath(path, name, file, MAX_PATH))
        buttons->LoadEnable(file);
    if (ReadChildText(*skin, L"buttons/pushed", name, MAX_PATH) && ResolveImagePath(path, name, file, MAX_PATH))
        buttons->LoadPushed(file);
    if (ReadChildText(*skin, L"buttons/mask", name, MAX_PATH) && ResolveImagePath(path, name, file, MAX_PATH))
        buttons->LoadMask(file);

    CXmlNodeListReader buttonNodes;
    skin->GetNodeList(L"buttons/button", &buttonNodes);
    CButton button;
    for (int i = 0, count = buttonNodes.GetCount(); i < count; ++i) {
        CXmlNodeReader node;
        if (!buttonNodes.GetNode(i, &node))
            continue;
        ReadButton(node, &button);
        buttons->AddButton(&button);
    }

    CCtrlList* ctrls = info->GetCtrlList();
    ctrls->RemoveAll();
    CXmlNodeListReader ctrlNodes;
    skin->GetNodeList(L"controls/control", &ctrlNodes);
    CCtrl ctrl;
    for (int i = 0, count = ctrlNodes.GetCount(); i < count; ++i) {
        CXmlNodeReader node;
        if (!ctrlNodes.GetNode(i, &node))
            continue;
        ReadCtrl(node, &ctrl);
        ctrls->AddCtrl(&ctrl);
    }
    return 1;
}

int CSkinCore::LoadSkinCAB(LPCWSTR path)
{
    const wchar_t* slash = path ? wcsrchr(path, L'\\') : nullptr;
    if (!slash)
        return 0;
    wchar_t folder[MAX_PATH];
    wchar_t skinFile[MAX_PATH];
    size_t folderLength = static_cast<size_t>(slash - path) + 1;
    if (FAILED(StringCchCopyNW(folder, MAX_PATH, path, folderLength)) ||
        FAILED(StringCchCatW(folder, MAX_PATH, kPackageFolder)) ||
        FAILED(StringCchPrintfW(skinFile, MAX_PATH, L"%ls\\%ls", folder, kPackageSkinFile)))
        return LoadSkin(path);

    CSknExtract extract;
    int unpacked = extract.ExtractFiles(path, folder);
    if (extract.GetChangedFileCount() > 0) {
        // The pictures of the folder were rewritten: images cached from an
        // earlier package there are stale.
        wchar_t prefix[MAX_PATH];
        if (SUCCEEDED(StringCchPrintfW(prefix, MAX_PATH, L"%ls\\", folder)))
            g_imgList.ForgetFolder(prefix);
    }
    return unpacked ? LoadSkin(skinFile) : LoadSkin(path);
}
