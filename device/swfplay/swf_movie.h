// The movies the device's Flash stand-in plays: uncompressed files ("FWS")
// of background colour, solid-filled shapes of straight and curved edges
// (curves flattened to lines), objects placed, moved and removed on a
// display list, and frames.  Tags outside that set are skipped by their
// length.
//
// Reading never trusts the file: every field is read within the bytes
// given, and sizes are capped (kMax... below) so a movie can neither run the
// reader past its end nor make a frame cost more than a small budget.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace swf {

const size_t kMaxFileBytes = 1 << 20;   // larger files are refused
const size_t kMaxShapes = 256;
const size_t kMaxPathsPerShape = 256;
const size_t kMaxPointsPerMovie = 1 << 16;  // all shapes' outline points together
const size_t kMaxFrames = 4096;
const size_t kMaxOpsPerMovie = 1 << 14;     // display-list changes of all frames
const int kMaxDepth = 1024;                 // display-list depths 1..kMaxDepth
const int kCurveSegments = 6;               // lines per flattened curve

// An affine transform in twips: x' = a x + c y + tx, y' = b x + d y + ty.
struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
};

struct Point {
    double x, y;  // twips
};

// A run of connected edges, filled with its fill's colour (even-odd) and,
// when it has a line, stroked.
struct Path {
    std::vector<Point> points;
    bool filled = false;
    COLORREF fill = 0;
    int lineWidth = 0;  // twips, 0 for no line
    COLORREF line = 0;
};

struct Shape {
    std::vector<Path> paths;
};

// One change to the display list.
struct Op {
    enum Kind { kPlace, kMove, kRemove } kind;
    int depth;
    uint16_t shape;      // kPlace
    bool replace;        // kPlace over a depth in use
    bool hasMatrix;
    Matrix matrix;
};

struct Movie {
    RECT stage = {};         // twips
    double rate = 12;        // frames per second as the file says
    uint16_t declaredFrames = 0;
    bool hasBackground = false;
    COLORREF background = RGB(255, 255, 255);
    std::map<uint16_t, Shape> shapes;
    std::vector<std::vector<Op>> frames;  // the changes before each frame is shown
    int StageWidth() const { return (stage.right - stage.left) / 20; }
    int StageHeight() const { return (stage.bottom - stage.top) / 20; }
};

// Reads a movie; false with a short reason ("not a movie", "compressed
// movies are not supported", "truncated at tag 12", ...) when it cannot be
// played.  A movie that plays has a stage of at least 1 x 1 pixel and at
// least one frame.
bool ReadMovie(const uint8_t* bytes, size_t size, Movie* movie, std::string* reason);

// What is on the stage at one frame: shapes by depth with their transform.
struct DisplayItem {
    uint16_t shape;
    Matrix matrix;
};
typedef std::map<int, DisplayItem> DisplayList;

// The frame rate the player keeps: the movie's, rounded, within 1..30.
int FramesPerSecond(double rate);

// Applies the changes of one frame to the list.
void ApplyFrame(const Movie& movie, size_t frame, DisplayList* list);

}  // namespace swf
