// Pulling the image data through the caller's callback.
#include "imgdecmp_private.h"

namespace {

const DWORD kChunk = 64 * 1024;
// Larger files are not images a handheld shows.
const size_t kMaxImageBytes = 64 * 1024 * 1024;

} // namespace

bool PullImageData(GETIMAGEDATA getData, LPARAM lParam, std::vector<BYTE>& data)
{
    data.clear();
    if (!getData)
        return false;
    std::vector<BYTE> chunk(kChunk);
    for (;;) {
        DWORD got = getData(reinterpret_cast<LPSTR>(chunk.data()), kChunk, lParam);
        if (got == 0)
            break;
        if (got > kChunk || data.size() + got > kMaxImageBytes)
            return false;
        data.insert(data.end(), chunk.begin(), chunk.begin() + got);
    }
    return !data.empty();
}
