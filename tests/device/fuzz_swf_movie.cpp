// Movies against mutated input: the Flash player's reader takes each one,
// and a movie it accepts is played through all its frames and drawn into
// boxes of the sizes pages give it.
#include <string>

#include "fuzz_parser.h"
#include "swf_draw.h"
#include "swf_movie.h"

namespace {

class SwfMovieFuzz : public FuzzParser {
public:
    bool SetUp(const FuzzContext&, std::string* why) override
    {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(dc_, 240, 320);
        if (!dc_ || !bitmap_) {
            *why = "no drawing surface";
            return false;
        }
        SelectObject(dc_, bitmap_);
        return true;
    }

    std::string Run(const FuzzInput& input) override
    {
        swf::Movie movie;
        std::string reason;
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(input.bytes.data());
        if (!swf::ReadMovie(bytes, input.bytes.size(), &movie, &reason))
            return reason.empty() ? "a refused movie without a reason" : "";
        if (movie.frames.empty() || movie.frames.size() > swf::kMaxFrames)
            return "an accepted movie with a frame count out of bounds";
        if (movie.shapes.size() > swf::kMaxShapes)
            return "more shapes than the limit";
        int fps = swf::FramesPerSecond(movie.rate);
        if (fps < 1 || fps > 30)
            return "a frame rate out of bounds";
        swf::DisplayList list;
        for (size_t frame = 0; frame < movie.frames.size(); ++frame) {
            swf::ApplyFrame(movie, frame, &list);
            if (list.size() > static_cast<size_t>(swf::kMaxDepth))
                return "a display list past its depths";
            if (frame % 7 == 0 || frame + 1 == movie.frames.size()) {
                swf::DrawFrame(dc_, 240, 60, movie, list, RGB(0, 0, 0));
                swf::DrawFrame(dc_, 37, 200, movie, list, RGB(0, 0, 0));
            }
        }
        return "";
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

}  // namespace

KETRA_FUZZ_PARSER(SwfMovieFuzz)
