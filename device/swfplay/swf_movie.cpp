#include "swf_movie.h"

#include <cstdio>

namespace swf {

namespace {

// Bytes and bits of one tag (or the header), never read past `end`; a read
// past it sets `failed` and yields zeros.
class Reader {
public:
    Reader(const uint8_t* begin, const uint8_t* end) : p_(begin), end_(end) {}

    bool failed = false;

    void Align() { bitCount_ = 0; }
    uint32_t U8()
    {
        Align();
        if (p_ >= end_) {
            failed = true;
            return 0;
        }
        return *p_++;
    }
    uint32_t U16() { return U8() | (U8() << 8); }
    uint32_t U32() { return U16() | (U16() << 16); }
    COLORREF Rgb()
    {
        uint32_t r = U8(), g = U8(), b = U8();
        return RGB(r, g, b);
    }
    uint32_t Bits(int n)
    {
        uint32_t value = 0;
        for (int i = 0; i < n; ++i) {
            if (bitCount_ == 0) {
                if (p_ >= end_) {
                    failed = true;
                    return 0;
                }
                bits_ = *p_++;
                bitCount_ = 8;
            }
            --bitCount_;
            value = (value << 1) | ((bits_ >> bitCount_) & 1);
        }
        return value;
    }
    int32_t SignedBits(int n)
    {
        if (n <= 0)
            return 0;
        uint32_t value = Bits(n);
        if (n < 32 && (value & (1u << (n - 1))))
            value |= ~0u << n;
        return static_cast<int32_t>(value);
    }
    double Fixed16(int n) { return SignedBits(n) / 65536.0; }
    RECT Rect()
    {
        Align();
        int n = static_cast<int>(Bits(5));
        RECT r;
        r.left = SignedBits(n);
        r.right = SignedBits(n);
        r.top = SignedBits(n);
        r.bottom = SignedBits(n);
        Align();
        return r;
    }
    Matrix ReadMatrix()
    {
        Align();
        Matrix m;
        if (Bits(1)) {
            int n = static_cast<int>(Bits(5));
            m.a = Fixed16(n);
            m.d = Fixed16(n);
        }
        if (Bits(1)) {
            int n = static_cast<int>(Bits(5));
            m.b = Fixed16(n);
            m.c = Fixed16(n);
        }
        int n = static_cast<int>(Bits(5));
        m.tx = SignedBits(n);
        m.ty = SignedBits(n);
        Align();
        return m;
    }
    void SkipColourTransform()
    {
        Align();
        bool add = Bits(1) != 0, mult = Bits(1) != 0;
        int n = static_cast<int>(Bits(4));
        Bits(n * ((add ? 4 : 0) + (mult ? 4 : 0)));
        Align();
    }
    void SkipString()
    {
        while (!failed && U8() != 0) {
        }
    }
    size_t Left() const { return static_cast<size_t>(end_ - p_); }
    const uint8_t* Here() const { return p_; }

private:
    const uint8_t* p_;
    const uint8_t* end_;
    uint32_t bits_ = 0;
    int bitCount_ = 0;
};

struct Style {
    bool solid = false;
    COLORREF colour = 0;
    int width = 0;
};

bool ReadFillStyles(Reader& r, int version, std::vector<Style>* fills, std::string* reason)
{
    uint32_t count = r.U8();
    if (count == 0xFF && version >= 2)
        count = r.U16();
    for (uint32_t i = 0; i < count && !r.failed; ++i) {
        uint32_t type = r.U8();
        if (type != 0x00) {
            char text[48];
            snprintf(text, sizeof(text), "fill style 0x%02x is not supported", static_cast<unsigned>(type));
            *reason = text;
            return false;
        }
        Style s;
        s.solid = true;
        s.colour = r.Rgb();
        if (version >= 3)
            r.U8();  // alpha
        fills->push_back(s);
        if (fills->size() > 4096) {
            *reason = "too many fill styles";
            return false;
        }
    }
    return !r.failed;
}

bool ReadLineStyles(Reader& r, int version, std::vector<Style>* lines, std::string* reason)
{
    uint32_t count = r.U8();
    if (count == 0xFF && version >= 2)
        count = r.U16();
    for (uint32_t i = 0; i < count && !r.failed; ++i) {
        Style s;
        s.width = static_cast<int>(r.U16());
        s.colour = r.Rgb();
        if (version >= 3)
            r.U8();
        lines->push_back(s);
        if (lines->size() > 4096) {
            *reason = "too many line styles";
            return false;
        }
    }
    return !r.failed;
}

// The shape's edges become paths: a new path starts at every move and at
// every change of styles.  Each path is drawn with the one fill it has on
// either side (fill 1 when both are set), which paints the simple filled
// outlines movies are made of.
class ShapeBuilder {
public:
    ShapeBuilder(Shape* shape, size_t* pointBudget) : shape_(shape), budget_(pointBudget) {}

    bool Start(double x, double y, const Style* fill, const Style* line)
    {
        Finish();
        x_ = x;
        y_ = y;
        current_ = Path();
        current_.points.push_back({x, y});
        if (fill) {
            current_.filled = true;
            current_.fill = fill->colour;
        }
        if (line && line->width > 0) {
            current_.lineWidth = line->width;
            current_.line = line->colour;
        }
        return true;
    }
    bool LineTo(double x, double y)
    {
        if (*budget_ == 0)
            return false;
        --*budget_;
        current_.points.push_back({x, y});
        x_ = x;
        y_ = y;
        return true;
    }
    bool CurveTo(double cx, double cy, double ax, double ay)
    {
        double x0 = x_, y0 = y_;
        for (int i = 1; i <= kCurveSegments; ++i) {
            double t = static_cast<double>(i) / kCurveSegments, u = 1 - t;
            if (!LineTo(u * u * x0 + 2 * u * t * cx + t * t * ax, u * u * y0 + 2 * u * t * cy + t * t * ay))
                return false;
        }
        return true;
    }
    bool Finish()
    {
        if (current_.points.size() >= 2 && (current_.filled || current_.lineWidth > 0)) {
            if (shape_->paths.size() >= kMaxPathsPerShape)
                return false;
            shape_->paths.push_back(current_);
        }
        current_ = Path();
        return true;
    }
    double x_ = 0, y_ = 0;

private:
    Shape* shape_;
    size_t* budget_;
    Path current_;
};

bool ReadShape(Reader& r, int version, Shape* shape, size_t* pointBudget, std::string* reason)
{
    r.Rect();  // bounds
    std::vector<Style> fills, lines;
    if (!ReadFillStyles(r, version, &fills, reason) || !ReadLineStyles(r, version, &lines, reason))
        return reason->empty() ? (*reason = "truncated shape", false) : false;
    r.Align();
    int fillBits = static_cast<int>(r.Bits(4));
    int lineBits = static_cast<int>(r.Bits(4));
    ShapeBuilder builder(shape, pointBudget);
    uint32_t fill0 = 0, fill1 = 0, line = 0;
    auto styleAt = [](const std::vector<Style>& styles, uint32_t index) -> const Style* {
        return index >= 1 && index <= styles.size() ? &styles[index - 1] : nullptr;
    };
    auto restart = [&]() {
        const Style* fill = styleAt(fills, fill1);
        if (!fill)
            fill = styleAt(fills, fill0);
        return builder.Start(builder.x_, builder.y_, fill, styleAt(lines, line));
    };
    restart();
    for (;;) {
        if (r.failed) {
            *reason = "truncated shape";
            return false;
        }
        if (r.Bits(1) == 0) {
            uint32_t flags = r.Bits(5);
            if (flags == 0)
                break;  // end of shape
            double x = builder.x_, y = builder.y_;
            if (flags & 0x01) {
                int n = static_cast<int>(r.Bits(5));
                x = r.SignedBits(n);
                y = r.SignedBits(n);
            }
            if (flags & 0x02)
                fill0 = r.Bits(fillBits);
            if (flags & 0x04)
                fill1 = r.Bits(fillBits);
            if (flags & 0x08)
                line = r.Bits(lineBits);
            if (flags & 0x10) {
                if (version < 2) {
                    *reason = "new styles in a first-version shape";
                    return false;
                }
                fills.clear();
                lines.clear();
                if (!ReadFillStyles(r, version, &fills, reason) || !ReadLineStyles(r, version, &lines, reason))
                    return reason->empty() ? (*reason = "truncated shape", false) : false;
                r.Align();
                fillBits = static_cast<int>(r.Bits(4));
                lineBits = static_cast<int>(r.Bits(4));
            }
            builder.x_ = x;
            builder.y_ = y;
            if (!builder.Finish()) {
                *reason = "too many paths in a shape";
                return false;
            }
            restart();
            continue;
        }
        bool ok;
        if (r.Bits(1)) {
            int n = static_cast<int>(r.Bits(4)) + 2;
            double dx = 0, dy = 0;
            if (r.Bits(1)) {
                dx = r.SignedBits(n);
                dy = r.SignedBits(n);
            } else if (r.Bits(1)) {
                dy = r.SignedBits(n);
            } else {
                dx = r.SignedBits(n);
            }
            ok = builder.LineTo(builder.x_ + dx, builder.y_ + dy);
        } else {
            int n = static_cast<int>(r.Bits(4)) + 2;
            double cx = builder.x_ + r.SignedBits(n), cy = builder.y_ + r.SignedBits(n);
            double ax = cx + r.SignedBits(n), ay = cy + r.SignedBits(n);
            ok = builder.CurveTo(cx, cy, ax, ay);
        }
        if (!ok) {
            *reason = "too many points";
            return false;
        }
    }
    if (!builder.Finish()) {
        *reason = "too many paths in a shape";
        return false;
    }
    return true;
}

bool ReadPlace(Reader& r, Movie* movie, std::string* reason)
{
    uint32_t flags = r.U8();
    Op op = {};
    op.depth = static_cast<int>(r.U16());
    if (flags & 0x02)
        op.shape = static_cast<uint16_t>(r.U16());
    if (flags & 0x04) {
        op.hasMatrix = true;
        op.matrix = r.ReadMatrix();
    }
    if (r.failed) {
        *reason = "truncated placement";
        return false;
    }
    // Colour transforms, ratios, names and clipping follow; none changes
    // what a solid shape looks like here.
    if (op.depth < 1 || op.depth > kMaxDepth)
        return true;  // a depth no list keeps: the placement is dropped
    if (flags & 0x02) {
        op.kind = Op::kPlace;
        op.replace = (flags & 0x01) != 0;
    } else if (flags & 0x01)
        op.kind = Op::kMove;
    else
        return true;
    movie->frames.back().push_back(op);
    return true;
}

}  // namespace

bool ReadMovie(const uint8_t* bytes, size_t size, Movie* movie, std::string* reason)
{
    *movie = Movie();
    reason->clear();
    if (!bytes || size < 8 || !((bytes[0] == 'F' || bytes[0] == 'C' || bytes[0] == 'Z') && bytes[1] == 'W' &&
                                bytes[2] == 'S')) {
        *reason = "not a movie";
        return false;
    }
    if (bytes[0] != 'F') {
        *reason = "compressed movies are not supported";
        return false;
    }
    if (size > kMaxFileBytes) {
        *reason = "movie too large";
        return false;
    }
    uint32_t declared = bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (static_cast<uint32_t>(bytes[7]) << 24);
    // The length the header declares bounds what is read; a file longer
    // than that carries trailing bytes that are no part of the movie.
    if (declared < size)
        size = declared;
    Reader header(bytes + 8, bytes + size);
    movie->stage = header.Rect();
    uint32_t rate = header.U16();
    movie->declaredFrames = static_cast<uint16_t>(header.U16());
    if (header.failed) {
        *reason = "truncated header";
        return false;
    }
    movie->rate = rate / 256.0;
    if (movie->StageWidth() < 1 || movie->StageHeight() < 1 || movie->StageWidth() > 8192 ||
        movie->StageHeight() > 8192) {
        *reason = "bad stage size";
        return false;
    }
    const uint8_t* p = header.Here();
    const uint8_t* end = bytes + size;
    size_t pointBudget = kMaxPointsPerMovie;
    size_t ops = 0;
    int tagNumber = 0;
    movie->frames.emplace_back();
    bool ended = false;
    while (!ended) {
        ++tagNumber;
        char where[64];
        snprintf(where, sizeof(where), "truncated at tag %d", tagNumber);
        if (end - p < 2) {
            // A file that stops without its end tag still plays what it has.
            break;
        }
        uint32_t head = p[0] | (p[1] << 8);
        p += 2;
        uint32_t code = head >> 6;
        size_t length = head & 0x3F;
        if (length == 0x3F) {
            if (end - p < 4) {
                *reason = where;
                return false;
            }
            length = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<size_t>(p[3]) << 24);
            p += 4;
        }
        if (length > static_cast<size_t>(end - p)) {
            *reason = where;
            return false;
        }
        Reader r(p, p + length);
        p += length;
        switch (code) {
        case 0:
            ended = true;
            break;
        case 1:
            if (movie->frames.size() >= kMaxFrames) {
                *reason = "too many frames";
                return false;
            }
            movie->frames.emplace_back();
            break;
        case 9:
            movie->background = r.Rgb();
            movie->hasBackground = !r.failed;
            break;
        case 2:
        case 22: {
            uint16_t id = static_cast<uint16_t>(r.U16());
            if (movie->shapes.size() >= kMaxShapes && !movie->shapes.count(id)) {
                *reason = "too many shapes";
                return false;
            }
            Shape shape;
            if (!ReadShape(r, code == 2 ? 1 : 2, &shape, &pointBudget, reason))
                return false;
            movie->shapes[id] = shape;
            break;
        }
        case 26:
            if (!ReadPlace(r, movie, reason))
                return false;
            break;
        case 28: {
            Op op = {};
            op.kind = Op::kRemove;
            op.depth = static_cast<int>(r.U16());
            if (r.failed) {
                *reason = "truncated removal";
                return false;
            }
            movie->frames.back().push_back(op);
            break;
        }
        default:
            break;  // other tags are skipped by their length
        }
        if (code == 26 || code == 28) {
            if (++ops > kMaxOpsPerMovie) {
                *reason = "too many display changes";
                return false;
            }
        }
    }
    // Changes after the last shown frame are never shown.
    movie->frames.pop_back();
    if (movie->frames.empty()) {
        *reason = "no frames";
        return false;
    }
    return true;
}

int FramesPerSecond(double rate)
{
    if (!(rate >= 1))
        return 1;
    if (rate > 30)
        return 30;
    return static_cast<int>(rate + 0.5);
}

void ApplyFrame(const Movie& movie, size_t frame, DisplayList* list)
{
    if (frame >= movie.frames.size())
        return;
    for (const Op& op : movie.frames[frame]) {
        switch (op.kind) {
        case Op::kPlace: {
            auto it = list->find(op.depth);
            // Replacing what a depth shows keeps its place unless a new one is given.
            Matrix matrix = (op.replace && it != list->end()) ? it->second.matrix : Matrix();
            DisplayItem& item = (*list)[op.depth];
            item.shape = op.shape;
            item.matrix = op.hasMatrix ? op.matrix : matrix;
            break;
        }
        case Op::kMove: {
            auto it = list->find(op.depth);
            if (it != list->end() && op.hasMatrix)
                it->second.matrix = op.matrix;
            break;
        }
        case Op::kRemove:
            list->erase(op.depth);
            break;
        }
    }
}

}  // namespace swf
