// The device's Flash player: the movies tools/swf_writer.py makes read and
// drawn frame by frame, movies it must refuse, and the player embedded by
// the HTML view in a theme's page, playing, counted and stopped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "htmlctrl.h"
#include "swf_draw.h"
#include "swf_movie.h"
#include "swf_window.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

// The animated samples as tools/gen_themes.py makes them.
struct Sample {
    const wchar_t* name;
    int height;
    COLORREF background, mark, mover;
};
const Sample kSamples[] = {
    {L"Aurora", 60, RGB(0x10, 0x20, 0x40), RGB(0xF0, 0xF0, 0x60), RGB(0x40, 0xF0, 0xA0)},
    {L"Firefly", 40, RGB(0x30, 0x18, 0x08), RGB(0xFF, 0xFF, 0xFF), RGB(0xFF, 0xC0, 0x20)},
    {L"Lagoon", 80, RGB(0x08, 0x40, 0x48), RGB(0xFF, 0x60, 0x60), RGB(0xF0, 0xF0, 0xF0)},
};

std::wstring Fixture(const std::wstring& name)
{
    return FixturePath(L"themes\\" + name);
}

// "D:\Temp\x" as the device names it, "\Temp\x".
std::wstring DevicePath(const std::wstring& path)
{
    return path.size() > 2 && path[1] == L':' ? path.substr(2) : path;
}

bool Read(const std::wstring& name, swf::Movie* movie, std::string* reason)
{
    std::string bytes = ReadBytes(Fixture(name));
    return swf::ReadMovie(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), movie, reason);
}

void Draw(PixelSurface& surface, const swf::Movie& movie, size_t frames, COLORREF background)
{
    swf::DisplayList list;
    for (size_t f = 0; f < frames; ++f)
        swf::ApplyFrame(movie, f, &list);
    swf::DrawFrame(surface.dc(), surface.width(), surface.height(), movie, list, background);
}

}  // namespace

TEST(SwfMovie, SamplesReadWithTheirStageRateFramesAndColours)
{
    for (const Sample& s : kSamples) {
        swf::Movie movie;
        std::string reason;
        ASSERT_TRUE(Read(std::wstring(s.name) + L".swf", &movie, &reason)) << reason;
        EXPECT_EQ(240, movie.StageWidth()) << s.name;
        EXPECT_EQ(s.height, movie.StageHeight()) << s.name;
        EXPECT_EQ(24u, movie.frames.size()) << s.name;
        EXPECT_EQ(12, swf::FramesPerSecond(movie.rate)) << s.name;
        EXPECT_TRUE(movie.hasBackground);
        EXPECT_EQ(s.background, movie.background) << s.name;
        EXPECT_EQ(2u, movie.shapes.size()) << s.name;
    }
}

// The mark stays; the disc (drawn from curved edges) crosses the stage.
TEST(SwfMovie, FramesDrawTheStaticMarkAndTheMovingDisc)
{
    for (const Sample& s : kSamples) {
        swf::Movie movie;
        std::string reason;
        ASSERT_TRUE(Read(std::wstring(s.name) + L".swf", &movie, &reason)) << reason;
        const int middle = s.height / 2;
        PixelSurface first(240, s.height, RGB(1, 2, 3));
        Draw(first, movie, 1, movie.background);
        EXPECT_EQ(s.mark, first.At(10, 10)) << s.name;
        EXPECT_EQ(s.background, first.At(230, 3)) << s.name;
        EXPECT_EQ(s.mover, first.At(30, middle)) << s.name;
        EXPECT_EQ(s.mover, first.At(30, middle - s.height / 4 + 2)) << s.name << ": round, not a dot";
        EXPECT_EQ(s.background, first.At(200, middle)) << s.name;

        PixelSurface last(240, s.height, RGB(1, 2, 3));
        Draw(last, movie, movie.frames.size(), movie.background);
        EXPECT_EQ(s.mark, last.At(10, 10)) << s.name;
        EXPECT_EQ(s.background, last.At(30, middle)) << s.name;
        EXPECT_EQ(s.mover, last.At(209, middle)) << s.name;
    }
}

// A box of another shape: the stage keeps its aspect, centred over the
// colour the page asked for.
TEST(SwfMovie, StageScalesIntoTheBoxKeepingItsAspect)
{
    swf::Movie movie;
    std::string reason;
    ASSERT_TRUE(Read(L"Aurora.swf", &movie, &reason)) << reason;
    PixelSurface box(120, 60, RGB(1, 2, 3));
    const COLORREF page = RGB(0xFF, 0x00, 0xFF);
    Draw(box, movie, 1, page);
    // Half size: the stage is 120 x 30 from y 15.
    EXPECT_EQ(page, box.At(60, 5)) << "above the stage";
    EXPECT_EQ(page, box.At(60, 55)) << "below it";
    EXPECT_EQ(RGB(0xF0, 0xF0, 0x60), box.At(5, 20)) << "the mark, halved";
    EXPECT_EQ(page, box.At(5, 14));
}

TEST(SwfMovie, MoviesOutsideTheSubsetAreRefusedWithAReason)
{
    const std::pair<const wchar_t*, const char*> bad[] = {
        {L"bad_compressed.swf", "compressed movies are not supported"},
        {L"bad_not_a_movie.swf", "not a movie"},
        {L"bad_empty.swf", "not a movie"},
        {L"bad_no_frames.swf", "no frames"},
        {L"bad_tag_length.swf", "truncated at tag"},
    };
    for (const auto& b : bad) {
        swf::Movie movie;
        std::string reason;
        EXPECT_FALSE(Read(b.first, &movie, &reason)) << b.first;
        EXPECT_EQ(0u, reason.find(b.second)) << b.first << ": " << reason;
    }
    // Cut off in the middle of a shape or at any other byte: never read past the end.
    std::string whole = ReadBytes(Fixture(L"Aurora.swf"));
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        swf::Movie movie;
        std::string reason;
        bool ok = swf::ReadMovie(reinterpret_cast<const uint8_t*>(whole.data()), cut, &movie, &reason);
        if (!ok)
            EXPECT_FALSE(reason.empty()) << cut;
        else
            EXPECT_LE(movie.frames.size(), 24u) << cut;
    }
}

// Unknown tags are skipped, a removal empties a depth, a fast movie is
// held to 30 frames a second.
TEST(SwfMovie, UnknownTagsRemovalsAndRateLimits)
{
    swf::Movie movie;
    std::string reason;
    ASSERT_TRUE(Read(L"odd_rate_and_tags.swf", &movie, &reason)) << reason;
    EXPECT_EQ(2u, movie.frames.size());
    EXPECT_EQ(30, swf::FramesPerSecond(movie.rate));
    EXPECT_EQ(1, swf::FramesPerSecond(0.25));
    swf::DisplayList list;
    swf::ApplyFrame(movie, 0, &list);
    EXPECT_EQ(1u, list.size());
    swf::ApplyFrame(movie, 1, &list);
    EXPECT_TRUE(list.empty());
}

namespace {

const wchar_t kParentClass[] = L"SwfPlayTestParent";

// A page with the Flash object in a view of the test's own.
class FlashPage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InitHTMLControl(GetModuleHandleW(nullptr))); }

    void Show(const std::wstring& movie, int width, int height, const char* bgcolor = "#ff00ff")
    {
        std::string page = "<body bgcolor='#ffffff' topmargin='0' leftmargin='0'>"
                           "<object classid='clsid:D27CDB6E-AE6D-11cf-96B8-444553540000' width='" +
                           std::to_string(width) + "' height='" + std::to_string(height) +
                           "'><param name='bgcolor' value='" + bgcolor + "'/><param name='movie' value='" +
                           ToUtf8(movie) + "'/><param name='quality' value='high'/></object></body>";
        ASSERT_TRUE(WriteBytes(folder_ / L"page.htm", page));
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kParentClass;
        RegisterClassW(&wc);
        parent_ = CreateWindowExW(WS_EX_TOPMOST, kParentClass, L"flash host", WS_POPUP | WS_VISIBLE, 0, 26, 240, 200,
                                  nullptr, nullptr, wc.hInstance, nullptr);
        view_ = CreateWindowExW(0, DISPLAYCLASS, L"view", WS_CHILD | WS_VISIBLE, 0, 0, 240, 200, parent_, nullptr,
                                wc.hInstance, nullptr);
        SendMessageW(view_, DTM_NAVIGATE, NAVIGATEFLAG_NOCACHE,
                     reinterpret_cast<LPARAM>((L"file://" + DevicePath(folder_ / L"page.htm")).c_str()));
        UpdateWindow(view_);
        PumpMessages(50);
        player_ = FindChild(view_, SWF_PLAYER_CLASS);
    }
    void TearDown() override
    {
        if (parent_)
            DestroyWindow(parent_);
    }
    COLORREF Pixel(int x, int y) const
    {
        UpdateWindow(player_);
        HDC dc = GetDC(view_);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(view_, dc);
        return c;
    }

    ScratchFolder folder_{L"swfplay"};
    HWND parent_ = nullptr, view_ = nullptr, player_ = nullptr;
};

}  // namespace

TEST_F(FlashPage, ThePlayerPlaysTheMovieInItsBoxAndCountsFrames)
{
    DeviceLog log;
    Show(Fixture(L"Aurora.swf"), 240, 60);
    ASSERT_NE(nullptr, player_);
    EXPECT_EQ((RECT{0, 26, 240, 86}), WindowRect(player_));
    EXPECT_TRUE(log.HasLine(L"flash: play \"" + Fixture(L"Aurora.swf") + L"\" 240x60, 24 frames at 12 fps"));
    EXPECT_EQ(RGB(0xF0, 0xF0, 0x60), Pixel(10, 10)) << "the mark";
    EXPECT_EQ(RGB(0xFF, 0x00, 0xFF), Pixel(230, 3)) << "the page's bgcolor over the movie's";
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), Pixel(120, 100)) << "the page below the box";

    COLORREF before = Pixel(30, 30);
    LRESULT shown = SendMessageW(player_, SWF_GET_FRAMES_SHOWN, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(player_, SWF_GET_FRAMES_SHOWN, 0, 0) >= shown + 4; }, 3000));
    EXPECT_NE(before, Pixel(30, 30)) << "the disc moved on";

    DestroyWindow(parent_);
    parent_ = nullptr;
    EXPECT_EQ(1, log.Count(L"flash: stop \"" + Fixture(L"Aurora.swf") + L"\" after "));
}

TEST_F(FlashPage, AMovieThatCannotPlayFillsItsBoxAndSaysWhy)
{
    DeviceLog log;
    Show(Fixture(L"bad_compressed.swf"), 100, 40, "#00ff00");
    ASSERT_NE(nullptr, player_);
    EXPECT_TRUE(log.HasLine(L"flash: cannot play \"" + Fixture(L"bad_compressed.swf") +
                            L"\": compressed movies are not supported"));
    EXPECT_EQ(RGB(0x00, 0xFF, 0x00), Pixel(50, 20));
    EXPECT_EQ(0, SendMessageW(player_, SWF_GET_FRAMES_SHOWN, 0, 0));
    DestroyWindow(parent_);
    parent_ = nullptr;
    Show(folder_ / L"missing.swf", 100, 40);
    EXPECT_TRUE(log.HasLine(L"flash: cannot play \"" + (folder_ / L"missing.swf") + L"\": cannot open the file"));
    EXPECT_EQ(0, log.Count(L"flash: stop"));
}
