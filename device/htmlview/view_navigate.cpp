// The view's pages: navigation to files and addresses, the pages shown when
// that fails, text pushed in pieces, anchors and links.

#include "devlog.h"
#include "html_limits.h"
#include "html_parser.h"
#include "html_text.h"
#include "htmlctrl.h"
#include "view.h"

namespace {

const wchar_t kCannotDisplay[] = L"The page cannot be displayed.";
const wchar_t kNoNetwork[] = L"The device has no network connection.";
const wchar_t kCannotFind[] = L"The page cannot be found.";

std::wstring Escaped(const std::wstring& text)
{
    return html::PlainTextAsHtml(text.c_str(), text.size());
}

std::wstring CutReasons(unsigned cuts)
{
    std::wstring out;
    auto add = [&](unsigned bit, const wchar_t* what) {
        if (cuts & bit)
            out += (out.empty() ? L"" : L", ") + std::wstring(what);
    };
    add(html::kCutSize, L"over 4 MB");
    add(html::kCutDepth, L"nested deeper than 64");
    add(html::kCutNodes, L"too many elements");
    add(html::kCutRows, L"a table over 2000 rows");
    add(html::kCutColumns, L"a table over 64 columns");
    add(html::kCutHeight, L"too tall");
    return out;
}

}  // namespace

void HtmlView::Navigate(const std::wstring& address, DWORD flags)
{
    DevLog(L"htmlview", L"navigate \"%ls\" flags 0x%lx", address.c_str(), static_cast<unsigned long>(flags));
    Destination d = ResolveAddress(address, pagePath_);
    if (d.kind == Destination::kAnchor) {
        JumpToAnchor(d.fragment);
        return;
    }
    if (d.kind == Destination::kWeb) {
        DevLog(L"htmlview", L"no network for \"%ls\"", address.c_str());
        ShowMessagePage(kCannotDisplay, kNoNetwork, address);
        NotifyLoaded();
        return;
    }
    std::string bytes;
    bool readCut = false;
    bool reread = (flags & (NAVIGATEFLAG_NOCACHE | NAVIGATEFLAG_REFRESH | NAVIGATEFLAG_RELOAD)) != 0;
    if (!ReadPageFile(d.path, reread, &bytes, &readCut)) {
        DevLog(L"htmlview", L"not found \"%ls\"", d.path.c_str());
        ShowMessagePage(kCannotFind, d.path, L"file://" + d.path);
        NotifyLoaded();
        return;
    }
    bool decodeCut = false;
    std::wstring source = html::DecodePageBytes(bytes.data(), bytes.size(), html::kMaxPageChars, &decodeCut);
    bytes = std::string();
    std::wstring shown = L"file://" + d.path;
    ShowPage(source, shown, d.path);
    LogCuts(shown, (readCut || decodeCut) ? static_cast<unsigned>(html::kCutSize) : 0u);
    if (!d.fragment.empty())
        JumpToAnchor(d.fragment);
    NotifyLoaded();
}

void HtmlView::ShowPage(const std::wstring& source, const std::wstring& address, const std::wstring& path)
{
    objects_.Clear();
    pushed_.clear();
    pushedChanged_ = false;
    pushedCut_ = false;
    address_ = address;
    pagePath_ = path;
    page_.Load(source);
    scrollY_ = 0;
    Relayout();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// Tells the parent the page's title and that it is complete.  The parent
// may navigate again or destroy the view meanwhile, so this comes last and
// touches the view only while it still exists.
void HtmlView::NotifyLoaded()
{
    HWND hwnd = hwnd_;
    std::wstring title = page_.document().title;
    std::wstring address = address_;
    if (!title.empty() && (Notify(NM_TITLE, title), !IsWindow(hwnd)))
        return;
    Notify(NM_DOCUMENTCOMPLETE, address);
}

void HtmlView::ShowMessagePage(const std::wstring& heading, const std::wstring& detail, const std::wstring& address)
{
    std::wstring source = L"<body bgcolor=#ffffff><h4>" + Escaped(heading) + L"</h4><p>" + Escaped(detail) +
                          L"</p></body>";
    // Relative links of an error page still resolve against the address that failed.
    Destination d = ResolveAddress(address, pagePath_);
    ShowPage(source, address, d.kind == Destination::kFile ? d.path : std::wstring());
}

void HtmlView::LogCuts(const std::wstring& address, unsigned extra)
{
    unsigned cuts = page_.Cuts() | extra;
    if (cuts)
        DevLog(L"htmlview", L"page \"%ls\" cut: %ls", address.c_str(), CutReasons(cuts).c_str());
}

void HtmlView::AddText(std::wstring text, bool plain)
{
    if (plain)
        text = html::PlainTextAsHtml(text.c_str(), text.size());
    if (pushed_.size() + text.size() > html::kMaxPageChars) {
        text.resize(html::kMaxPageChars - std::min(pushed_.size(), html::kMaxPageChars));
        if (!pushedCut_)
            DevLog(L"htmlview", L"page \"%ls\" cut: over 4 MB", address_.c_str());
        pushedCut_ = true;
    }
    if (text.empty())
        return;
    if (pushed_.empty() && !pushedChanged_) {
        // The first piece starts a new page.
        objects_.Clear();
        address_.clear();
        pagePath_.clear();
        scrollY_ = 0;
    }
    pushed_ += text;
    pushedChanged_ = true;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// Pieces pushed so far become the page shown (at the end of the source, or
// when the view paints before it).
void HtmlView::EndOfSource()
{
    if (!pushedChanged_)
        return;
    pushedChanged_ = false;
    objects_.Clear();
    page_.Load(pushed_);
    Relayout();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void HtmlView::Clear()
{
    objects_.Clear();
    pushed_.clear();
    pushedChanged_ = false;
    pushedCut_ = false;
    address_.clear();
    pagePath_.clear();
    page_.Clear();
    scrollY_ = 0;
    Relayout();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

bool HtmlView::JumpToAnchor(const std::wstring& name)
{
    int y = 0;
    if (name.empty())
        y = 0;
    else if (!page_.AnchorY(name, &y))
        return false;
    ScrollTo(y);
    return true;
}

void HtmlView::FollowLink(const std::wstring& href)
{
    HWND hwnd = hwnd_;
    std::wstring target = href;
    if (Notify(NM_HOTSPOT, target) != 0 || !IsWindow(hwnd))
        return;  // the parent took it (or closed the view)
    Navigate(target, 0);
}

LRESULT HtmlView::Notify(UINT code, const std::wstring& target)
{
    HWND parent = GetParent(hwnd_);
    if (!parent)
        return 0;
    NM_HTMLVIEWW nm = {};
    nm.hdr.hwndFrom = hwnd_;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    nm.hdr.code = code;
    nm.szTarget = target.c_str();
    nm.szData = L"";
    nm.szExInfo = L"";
    return SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}
