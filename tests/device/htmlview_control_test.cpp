// The HTML view control on the device: pages drawn into its window,
// notifications to its parent, scrolling, the pages shown for addresses
// that fail, and the switch that takes the view away.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "devlog.h"
#include "htmlctrl.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kFolder[] = L"\\My Documents\\htmlview_test";
const wchar_t kParentClass[] = L"HtmlViewTestParent";
const RECT kViewArea = {0, 26, 240, 294};

std::wstring PagePath(const wchar_t* name)
{
    return std::wstring(kFolder) + L"\\" + name;
}

void WritePage(const wchar_t* name, const std::string& bytes)
{
    CreateDirectoryW(kFolder, nullptr);
    std::ofstream(PagePath(name).c_str(), std::ios::binary) << bytes;
}

// A top-most window holding one view, answering the view's notifications
// as told and keeping them.
class ViewHost {
public:
    ViewHost()
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = kParentClass;
            registered = RegisterClassW(&wc) != 0;
        }
        parent_ = CreateWindowExW(WS_EX_TOPMOST, kParentClass, L"view host", WS_POPUP | WS_VISIBLE, kViewArea.left,
                                  kViewArea.top, kViewArea.right - kViewArea.left, kViewArea.bottom - kViewArea.top,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
        view_ = CreateWindowExW(0, DISPLAYCLASS, L"view", WS_CHILD | WS_VISIBLE, 0, 0,
                                kViewArea.right - kViewArea.left, kViewArea.bottom - kViewArea.top, parent_,
                                reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
    }
    ~ViewHost() { DestroyWindow(parent_); }

    HWND view() const { return view_; }
    void Navigate(const std::wstring& address, DWORD flags = 0)
    {
        SendMessageW(view_, DTM_NAVIGATE, flags, reinterpret_cast<LPARAM>(address.c_str()));
        Settle();
    }
    void Push(const std::vector<std::wstring>& pieces)
    {
        SendMessageW(view_, DTM_CLEAR, 0, 0);
        for (const std::wstring& piece : pieces)
            SendMessageW(view_, DTM_ADDTEXTW, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
        SendMessageW(view_, DTM_ENDOFSOURCE, 0, 0);
        Settle();
    }
    // Lets the view paint what it was given.
    void Settle() const
    {
        UpdateWindow(view_);
        PumpMessages(50);
        UpdateWindow(view_);
    }
    COLORREF Pixel(int x, int y) const
    {
        HDC dc = GetDC(view_);
        COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(view_, dc);
        return color;
    }
    // Every pixel of the view's client area, row by row.
    std::vector<COLORREF> Pixels() const
    {
        RECT client;
        GetClientRect(view_, &client);
        std::vector<COLORREF> out;
        HDC dc = GetDC(view_);
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                out.push_back(GetPixel(dc, x, y));
        ReleaseDC(view_, dc);
        return out;
    }
    // Columns of row band [top, bottom) holding a pixel other than `background`.
    int InkWidth(int top, int bottom, COLORREF background) const
    {
        int left = INT_MAX, right = -1;
        HDC dc = GetDC(view_);
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 240; ++x)
                if (GetPixel(dc, x, y) != background) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        ReleaseDC(view_, dc);
        return right < 0 ? 0 : right - left + 1;
    }
    int ScrollPosition() const { return GetScrollPos(view_, SB_VERT); }
    void Tap(int x, int y) const
    {
        SendMessageW(view_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(view_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    LRESULT hotspotAnswer = 0;
    std::vector<std::pair<UINT, std::wstring>> notifications;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* host = reinterpret_cast<ViewHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_NOTIFY && host) {
            auto* nm = reinterpret_cast<NM_HTMLVIEWW*>(lParam);
            host->notifications.emplace_back(nm->hdr.code, nm->szTarget ? nm->szTarget : L"");
            return nm->hdr.code == NM_HOTSPOT ? host->hotspotAnswer : 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    HWND parent_ = nullptr;
    HWND view_ = nullptr;
};

class HtmlViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InitHTMLControl(GetModuleHandleW(nullptr))); }
};

}  // namespace

TEST_F(HtmlViewTest, DrawsTheBodyColourBoldHeadingsAndTableBorders)
{
    WritePage(L"look.htm",
              "<body bgcolor=#336699 text=#ffffff topmargin=0 leftmargin=0>"
              "<h3>Heading words</h3><p>Heading words</p>"
              "<table border=2 cellspacing=0 bgcolor=#ffffff><tr><td>cell</td></tr></table></body>");
    ViewHost host;
    ASSERT_NE(nullptr, host.view());
    host.Navigate(L"file://" + PagePath(L"look.htm"));
    const COLORREF blue = RGB(0x33, 0x66, 0x99);
    EXPECT_EQ(blue, host.Pixel(235, 260)) << "the body colour fills the view below the page too";
    EXPECT_EQ(blue, host.Pixel(200, 2));
    int heading = host.InkWidth(0, 20, blue);
    int plain = host.InkWidth(26, 42, blue);
    EXPECT_GT(plain, 40);
    EXPECT_GT(heading, plain * 11 / 10) << "bold and larger";
    int tableTop = -1;
    for (int y = 40; y < 120 && tableTop < 0; ++y)
        if (host.Pixel(0, y) != blue)
            tableTop = y;
    ASSERT_GT(tableTop, 0);
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), host.Pixel(0, tableTop + 1)) << "a 2-pixel border";
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), host.Pixel(3, tableTop + 3)) << "inside, the table's colour";
}

TEST_F(HtmlViewTest, APageSentInPiecesLooksLikeTheSamePageNavigated)
{
    const std::string page = "<html><body><h4>Pieces</h4><p>A paragraph with <b>bold</b> words &amp; an "
                             "entity.</p><ul><li>one<li>two</ul><table border=1><tr><td>1</td><td>22</td></tr>"
                             "</table></body></html>";
    WritePage(L"pieces.htm", page);
    ViewHost host;
    host.Navigate(PagePath(L"pieces.htm"));
    std::vector<COLORREF> navigated = host.Pixels();
    std::wstring wide(page.begin(), page.end());
    // Cut inside a tag, inside an entity and inside a word.
    host.Push({wide.substr(0, 20), wide.substr(20, 41), wide.substr(61, 13), wide.substr(74)});
    EXPECT_TRUE(host.Pixels() == navigated);
    host.Push({wide.substr(0, 30)});
    EXPECT_FALSE(host.Pixels() == navigated);
}

TEST_F(HtmlViewTest, ALinkTapTellsTheParentAndIsFollowedWhenTheParentLeavesIt)
{
    WritePage(L"first.htm", "<body topmargin=0 leftmargin=0><a href=\"second.htm\">second page</a></body>");
    WritePage(L"second.htm", "<title>Second</title><body>arrived</body>");
    ViewHost host;
    host.Navigate(L"file://" + PagePath(L"first.htm"));
    host.notifications.clear();

    host.hotspotAnswer = 1;  // handled: the view stays
    DeviceLog log;
    host.Tap(10, 6);
    ASSERT_EQ(1u, host.notifications.size());
    EXPECT_EQ(static_cast<UINT>(NM_HOTSPOT), host.notifications[0].first);
    EXPECT_EQ(L"second.htm", host.notifications[0].second);
    EXPECT_TRUE(log.Lines(L"htmlview: navigate").empty());

    host.hotspotAnswer = 0;  // left to the view: it goes there itself
    host.notifications.clear();
    host.Tap(10, 6);
    EXPECT_TRUE(log.HasLine(L"htmlview: navigate \"second.htm\" flags 0x0"));
    ASSERT_EQ(3u, host.notifications.size());
    EXPECT_EQ(static_cast<UINT>(NM_TITLE), host.notifications[1].first);
    EXPECT_EQ(L"Second", host.notifications[1].second);
    EXPECT_EQ(static_cast<UINT>(NM_DOCUMENTCOMPLETE), host.notifications[2].first);
    EXPECT_EQ(L"file://" + PagePath(L"second.htm"), host.notifications[2].second);

    // A drag over a link scrolls (or not) but follows nothing.
    host.notifications.clear();
    host.Navigate(PagePath(L"first.htm"));
    host.notifications.clear();
    SendMessageW(host.view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 6));
    SendMessageW(host.view(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 40));
    SendMessageW(host.view(), WM_LBUTTONUP, 0, MAKELPARAM(10, 40));
    EXPECT_TRUE(host.notifications.empty());
}

TEST_F(HtmlViewTest, TallPagesScrollByKeysDragAndAnchors)
{
    std::string tall = "<body>";
    for (int i = 0; i < 80; ++i)
        tall += "<p>Paragraph " + std::to_string(i) + " wraps when narrow</p>";
    tall += "<a name=end>The end</a></body>";
    WritePage(L"tall.htm", tall);
    ViewHost host;
    host.Navigate(PagePath(L"tall.htm"));
    LONG style = GetWindowLongW(host.view(), GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL) << "a scroll bar for a page taller than the view";
    int pageHeight = static_cast<int>(SendMessageW(host.view(), DTM_LAYOUTHEIGHT, 0, 0));
    EXPECT_GT(pageHeight, 1000);
    std::vector<COLORREF> top = host.Pixels();

    SendMessageW(host.view(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(host.view(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(32, host.ScrollPosition());
    host.Settle();
    EXPECT_FALSE(host.Pixels() == top);
    SendMessageW(host.view(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(16, host.ScrollPosition());

    SendMessageW(host.view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 200));
    SendMessageW(host.view(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 100));
    SendMessageW(host.view(), WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    EXPECT_EQ(116, host.ScrollPosition()) << "the page follows the stylus";

    EXPECT_TRUE(SendMessageW(host.view(), DTM_ANCHORW, 0, reinterpret_cast<LPARAM>(L"end")));
    EXPECT_EQ(pageHeight - (kViewArea.bottom - kViewArea.top), host.ScrollPosition()) << "as far as the page goes";
    host.Navigate(L"#");
    EXPECT_EQ(0, host.ScrollPosition());
    host.Settle();
    EXPECT_TRUE(host.Pixels() == top) << "back at the top, from the bands drawn before";

    // The page lays out again at a new size, and the scroll bar goes when
    // everything fits.
    MoveWindow(host.view(), 0, 0, 120, 268, TRUE);
    EXPECT_GT(SendMessageW(host.view(), DTM_LAYOUTHEIGHT, 0, 0), pageHeight);
    host.Push({L"<p>short</p>"});
    EXPECT_FALSE(GetWindowLongW(host.view(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(HtmlViewTest, FailedAddressesShowTheirPagesAndNeverGoOnline)
{
    ViewHost host;
    DeviceLog log;
    host.Navigate(L"http://www.example.invalid/page.htm");
    host.Navigate(L"https://secure.example.invalid/");
    EXPECT_TRUE(log.HasLine(L"htmlview: no network for \"http://www.example.invalid/page.htm\""));
    EXPECT_TRUE(log.HasLine(L"htmlview: no network for \"https://secure.example.invalid/\""));
    ASSERT_FALSE(host.notifications.empty());
    EXPECT_EQ(L"https://secure.example.invalid/", host.notifications.back().second);
    const COLORREF white = RGB(0xFF, 0xFF, 0xFF);
    int noNetwork = host.InkWidth(0, 40, white);
    EXPECT_GT(noNetwork, 100) << "the page says so";

    host.Navigate(L"\\My Documents\\no such page.htm");
    EXPECT_TRUE(log.HasLine(L"htmlview: not found \"\\My Documents\\no such page.htm\""));
    EXPECT_EQ(L"file://\\My Documents\\no such page.htm", host.notifications.back().second);
    EXPECT_NE(noNetwork, host.InkWidth(0, 40, white));
}

TEST_F(HtmlViewTest, NoCacheReadsAChangedFileAgain)
{
    WritePage(L"cached.htm", "<p>first</p>");
    ViewHost host;
    host.Navigate(PagePath(L"cached.htm"));
    LRESULT shortPage = SendMessageW(host.view(), DTM_LAYOUTHEIGHT, 0, 0);
    WritePage(L"cached.htm", "<p>second</p><p>and</p><p>longer</p>");
    host.Navigate(PagePath(L"cached.htm"));
    EXPECT_EQ(shortPage, SendMessageW(host.view(), DTM_LAYOUTHEIGHT, 0, 0)) << "the copy the view kept";
    DeviceLog log;
    host.Navigate(PagePath(L"cached.htm"), NAVIGATEFLAG_NOCACHE);
    EXPECT_GT(SendMessageW(host.view(), DTM_LAYOUTHEIGHT, 0, 0), shortPage);
    EXPECT_TRUE(log.HasLine(L"htmlview: navigate \"" + PagePath(L"cached.htm") + L"\" flags 0x1000"));
}

TEST_F(HtmlViewTest, ObjectBoxesHostRegisteredControlsWithTheirParameters)
{
    const wchar_t key[] = L"SOFTWARE\\Classes\\CLSID\\{C9E1042B-2D92-4B7E-8106-2C24CEE0CBDD}\\InprocServer32";
    wchar_t library[MAX_PATH];
    GetModuleFileNameW(nullptr, library, MAX_PATH);
    std::wstring path = library;
    path = path.substr(0, path.find_last_of(L'\\') + 1) + L"htmltestobject.dll";
    HKEY hkey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &hkey,
                                             nullptr));
    RegSetValueExW(hkey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(hkey);

    WritePage(L"object.htm",
              "<BODY BGCOLOR='#ffffff' TOPMARGIN='0' LEFTMARGIN='0'>"
              "<OBJECT classid='clsid:C9E1042B-2D92-4B7E-8106-2C24CEE0CBDD' WIDTH='100' HEIGHT='50'>"
              "<PARAM NAME='movie' VALUE='\\Windows\\x.swf'/><PARAM NAME='quality' VALUE='high'/></OBJECT>"
              "<OBJECT classid='clsid:1B2C3D4E-0000-4000-8000-000000000001' WIDTH='60' HEIGHT='30'></OBJECT>"
              "</BODY>");
    DeviceLog log;
    {
        ViewHost host;
        host.Navigate(PagePath(L"object.htm"));
        EXPECT_TRUE(log.HasLine(L"testobject: window 100x50 params movie=\\Windows\\x.swf;quality=high;"));
        EXPECT_TRUE(log.HasLine(L"htmlview: object {1B2C3D4E-0000-4000-8000-000000000001} is not registered"));
        EXPECT_EQ(RGB(0, 0, 0), host.Pixel(50, 25)) << "the control's window in its box";
        EXPECT_EQ(RGB(0x80, 0x80, 0x80), host.Pixel(100, 35)) << "an empty frame for the other";
        EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), host.Pixel(130, 35));
    }
    EXPECT_TRUE(log.HasLine(L"testobject: released"));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);
}

TEST_F(HtmlViewTest, AddressesResolveAgainstThePageShown)
{
    WritePage(L"first.htm", "<p>first</p>");
    ViewHost host;
    DeviceLog log;
    host.Navigate(L"file:///My Documents/htmlview_test/first.htm");
    ASSERT_FALSE(host.notifications.empty());
    EXPECT_EQ(L"file://" + PagePath(L"first.htm"), host.notifications.back().second);
    host.Navigate(L"sub/../missing.htm#part");
    host.Navigate(L"file:\\My Documents\\two%20words.htm");
    host.Navigate(L"mailto:someone@example.invalid");
    EXPECT_TRUE(log.Contains(L"htmlview: not found \"" + PagePath(L"missing.htm") + L"\""));
    EXPECT_TRUE(log.Contains(L"htmlview: not found \"\\My Documents\\two words.htm\""));
    EXPECT_TRUE(log.Contains(L"htmlview: no network for \"mailto:someone@example.invalid\""));
}

TEST_F(HtmlViewTest, PicturesAreDecodedFromDeviceFilesAndMissingOnesFramed)
{
    CreateDirectoryW(kFolder, nullptr);
    ASSERT_TRUE(WriteBmp(PagePath(L"red.bmp"), 2, 2, Plain(RGB(0xFF, 0, 0))));
    WritePage(L"pictures.htm", "<body topmargin=0 leftmargin=0><img src=\"red.bmp\" width=40 height=20>"
                               "<img src=\"none.gif\" width=30 height=20></body>");
    ViewHost host;
    host.Navigate(PagePath(L"pictures.htm"));
    EXPECT_EQ(RGB(0xFF, 0, 0), host.Pixel(20, 10)) << "stretched to its box";
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), host.Pixel(40, 10)) << "the frame of the missing one";
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), host.Pixel(55, 10));
}

TEST_F(HtmlViewTest, PlainTextPiecesShowAsWrittenAndOversizedPagesAreCut)
{
    ViewHost host;
    SendMessageW(host.view(), DTM_CLEAR, 0, 0);
    SendMessageW(host.view(), DTM_ADDTEXTW, TRUE, reinterpret_cast<LPARAM>(L"<b>one</b>"));
    SendMessageW(host.view(), DTM_ENDOFSOURCE, 0, 0);
    LRESULT oneLine = SendMessageW(host.view(), DTM_LAYOUTHEIGHT, 0, 0);
    SendMessageW(host.view(), DTM_CLEAR, 0, 0);
    SendMessageW(host.view(), DTM_ADDTEXTW, TRUE, reinterpret_cast<LPARAM>(L"<b>one</b>\r\ntwo"));
    SendMessageW(host.view(), DTM_ENDOFSOURCE, 0, 0);
    EXPECT_GT(SendMessageW(host.view(), DTM_LAYOUTHEIGHT, 0, 0), oneLine) << "line ends kept";

    std::string big = "<p>start of a big page</p>";
    big.reserve(5u << 20);
    while (big.size() < (5u << 20))
        big += "<p>" + std::string(1000, 'w') + " more words</p>";
    WritePage(L"big.htm", big);
    DeviceLog log;
    host.Navigate(PagePath(L"big.htm"));
    EXPECT_TRUE(log.HasLine(L"htmlview: page \"file://" + PagePath(L"big.htm") + L"\" cut: over 4 MB"));
    EXPECT_GT(SendMessageW(host.view(), DTM_LAYOUTHEIGHT, 0, 0), 10000);
    DeleteFileW(PagePath(L"big.htm").c_str());
}

TEST(HtmlViewSwitch, InitFailsWhenTheDeviceHasNoView)
{
    DevStateSetDword(L"HtmlView", 0);
    BOOL off = InitHTMLControl(GetModuleHandleW(nullptr));
    DevStateDelete(L"HtmlView");
    EXPECT_FALSE(off);
    EXPECT_TRUE(InitHTMLControl(GetModuleHandleW(nullptr)));
    EXPECT_TRUE(InitHTMLControl(nullptr)) << "later calls succeed too";
}
