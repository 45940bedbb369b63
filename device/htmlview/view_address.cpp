// Addresses and files: where an address leads, the page file's bytes (with
// the control's copy of the pages it read), and the page's pictures.
#include <algorithm>
#include <cwctype>
#include <list>
#include <mutex>

#include "html_limits.h"
#include "imgdecmp.h"
#include "view.h"

namespace {

// The control keeps the last pages it read, so that going back and forth
// does not read them again; NAVIGATEFLAG_NOCACHE reads anew.
const size_t kCachedPages = 8;
const size_t kCachedBytes = 8u * 1024 * 1024;
const size_t kMaxPictureBytes = 4u * 1024 * 1024;

struct CachedPage {
    std::wstring key;  // lower-case path
    std::string bytes;
    bool cut;
};
std::list<CachedPage> g_cache;  // most recent first
std::mutex g_cacheLock;

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix)
{
    size_t n = wcslen(prefix);
    return text.size() >= n && _wcsnicmp(text.c_str(), prefix, n) == 0;
}

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    c = static_cast<wchar_t>(towlower(c));
    return c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
}

// "%20" and the like in file addresses.
std::wstring Unescape(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out.push_back(static_cast<wchar_t>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// Joins and tidies a path: '/' becomes '\', "." and ".." segments go.
std::wstring NormalPath(const std::wstring& path)
{
    std::wstring p = path;
    std::replace(p.begin(), p.end(), L'/', L'\\');
    bool drive = p.size() >= 2 && p[1] == L':';
    std::wstring prefix = drive ? p.substr(0, 2) : L"";
    std::vector<std::wstring> parts;
    size_t start = drive ? 2 : 0;
    while (start <= p.size()) {
        size_t end = p.find(L'\\', start);
        if (end == std::wstring::npos)
            end = p.size();
        std::wstring part = p.substr(start, end - start);
        if (part == L"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::wstring out = prefix;
    for (const std::wstring& part : parts)
        out += L"\\" + part;
    return out.empty() ? L"\\" : out;
}

std::wstring Folder(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"\\" : path.substr(0, slash + 1);
}

bool IsRooted(const std::wstring& path)
{
    return (!path.empty() && (path[0] == L'\\' || path[0] == L'/')) || (path.size() >= 2 && path[1] == L':');
}

// Reads up to `limit` bytes of a file; *more says whether it is longer.
bool ReadFileBytes(const std::wstring& path, size_t limit, std::string* bytes, bool* more)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return false;
    }
    size_t take = static_cast<size_t>(std::min<LONGLONG>(size.QuadPart, static_cast<LONGLONG>(limit)));
    *more = static_cast<ULONGLONG>(size.QuadPart) > limit;
    bytes->assign(take, '\0');
    size_t done = 0;
    while (done < take) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(take - done, 1u << 20));
        if (!ReadFile(file, &(*bytes)[done], want, &got, nullptr) || got == 0)
            break;
        done += got;
    }
    bytes->resize(done);
    CloseHandle(file);
    return true;
}

struct PictureData {
    const std::string* bytes;
    size_t offset;
};

DWORD CALLBACK PicturePiece(LPSTR buffer, DWORD max, LPARAM param)
{
    auto* data = reinterpret_cast<PictureData*>(param);
    size_t left = data->bytes->size() - data->offset;
    DWORD n = static_cast<DWORD>(std::min<size_t>(left, max));
    memcpy(buffer, data->bytes->data() + data->offset, n);
    data->offset += n;
    return n;
}

}  // namespace

Destination ResolveAddress(const std::wstring& address, const std::wstring& currentPath)
{
    std::wstring a = address;
    while (!a.empty() && iswspace(a.back()))
        a.pop_back();
    size_t first = 0;
    while (first < a.size() && iswspace(a[first]))
        ++first;
    a.erase(0, first);

    Destination d;
    if (!a.empty() && a[0] == L'#') {
        d.kind = Destination::kAnchor;
        d.fragment = a.substr(1);
        d.path = currentPath;
        return d;
    }
    if (StartsWithNoCase(a, L"file:")) {
        a = a.substr(5);
        // "file://\x", "file:///x" and "file:\x" all name \x.
        if (a.compare(0, 2, L"//") == 0 && !(a.size() > 2 && a[2] != L'/' && a[2] != L'\\'))
            a = a.substr(2);
        else if (a.compare(0, 2, L"//") == 0)
            a = a.substr(1);
        a = Unescape(a);
    } else {
        size_t colon = a.find(L':');
        size_t slash = a.find_first_of(L"\\/");
        // A scheme ("http:", "mailto:") rather than a drive letter.
        if (colon != std::wstring::npos && colon > 1 && (slash == std::wstring::npos || colon < slash)) {
            d.kind = Destination::kWeb;
            d.path = a;
            return d;
        }
    }
    size_t hash = a.find(L'#');
    if (hash != std::wstring::npos) {
        d.fragment = a.substr(hash + 1);
        a.erase(hash);
    }
    size_t query = a.find(L'?');
    if (query != std::wstring::npos)
        a.erase(query);
    if (a.empty()) {
        d.kind = Destination::kAnchor;
        d.path = currentPath;
        return d;
    }
    if (!IsRooted(a))
        a = (currentPath.empty() ? std::wstring(L"\\") : Folder(currentPath)) + a;
    d.path = NormalPath(a);
    return d;
}

bool ReadPageFile(const std::wstring& path, bool reread, std::string* bytes, bool* cut)
{
    std::wstring key = path;
    std::transform(key.begin(), key.end(), key.begin(), towlower);
    std::lock_guard<std::mutex> lock(g_cacheLock);
    for (auto it = g_cache.begin(); it != g_cache.end(); ++it) {
        if (it->key != key)
            continue;
        if (reread) {
            g_cache.erase(it);
            break;
        }
        g_cache.splice(g_cache.begin(), g_cache, it);
        *bytes = g_cache.front().bytes;
        *cut = g_cache.front().cut;
        return true;
    }
    if (!ReadFileBytes(path, html::kMaxPageChars, bytes, cut))
        return false;
    if (bytes->size() <= kCachedBytes / 2) {
        g_cache.push_front({key, *bytes, *cut});
        size_t total = 0, count = 0;
        for (auto it = g_cache.begin(); it != g_cache.end();) {
            total += it->bytes.size();
            if (++count > kCachedPages || total > kCachedBytes)
                it = g_cache.erase(it);
            else
                ++it;
        }
    }
    return true;
}

HBITMAP LoadPagePicture(const std::wstring& src, const std::wstring& pagePath, COLORREF background)
{
    Destination d = ResolveAddress(src, pagePath);
    if (d.kind != Destination::kFile)
        return nullptr;  // the device is offline
    std::string bytes;
    bool more = false;
    if (!ReadFileBytes(d.path, kMaxPictureBytes, &bytes, &more) || more || bytes.empty())
        return nullptr;
    PictureData data = {&bytes, 0};
    HBITMAP bitmap = nullptr;
    DecompressImageInfo info = {};
    info.dwSize = sizeof(info);
    info.phBM = &bitmap;
    info.iBitDepth = 24;
    info.lParam = reinterpret_cast<LPARAM>(&data);
    info.pfnGetData = PicturePiece;
    info.crTransparentOverride = background;
    if (FAILED(DecompressImageIndirect(&info))) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}
