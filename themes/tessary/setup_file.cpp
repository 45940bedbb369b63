// The device setup file of a theme file: the templates and the searches.
#include "setup_file.h"

#include <cstring>

#include <tessary.h>

namespace setupfile {

namespace {

const DWORD kHeaderSize = 100;
const DWORD kProcessor = 2577;
const DWORD kInstallFlags = 0x40000000;
const WORD kRootLocalMachine = 3;
const DWORD kBinaryType = 1;
const DWORD kNameStartInMatch = 9;  // from the file record's folder high byte
const DWORD kMaxInstalledName = MAX_PATH - 1;

struct FileRecord {
    WORD number;
    const char* name;
};

struct ValueRecord {
    const char* name;
    BYTE data[4];
};

// Registry values of the templates in file order, with the templates' data.
const ValueRecord kStillValues[] = {
    {"5", {0xBF, 0x00, 0x00, 0x00}},  {"8", {0x80, 0x00, 0x00, 0x00}},  {"9", {0xFF, 0xFF, 0xFF, 0x00}},
    {"4", {0xFF, 0xFF, 0xFF, 0x00}},  {"6", {0xBF, 0x00, 0x00, 0x00}},  {"7", {0xC0, 0xC0, 0xC0, 0x00}},
    {"10", {0x80, 0x00, 0x00, 0x00}}, {"11", {0x80, 0x00, 0x00, 0x00}}, {"12", {0x80, 0x00, 0x00, 0x00}},
    {"13", {0xBF, 0x00, 0x00, 0x00}}, {"14", {0xBF, 0x00, 0x00, 0x00}}, {"25", {0xFF, 0x00, 0x00, 0x00}},
    {"26", {0xBF, 0x00, 0x00, 0x00}},
};
const ValueRecord kAnimatedValues[] = {
    {"5", {0x00, 0x00, 0x00, 0x00}},  {"8", {0x00, 0x00, 0x00, 0x00}},  {"9", {0xFF, 0xFF, 0xFF, 0x00}},
    {"4", {0xFF, 0xFF, 0xFF, 0x00}},  {"6", {0x00, 0x00, 0x00, 0x00}},  {"7", {0x80, 0x80, 0x80, 0x00}},
    {"10", {0xFF, 0x00, 0x00, 0x00}}, {"11", {0xC0, 0xC0, 0xC0, 0x00}}, {"12", {0x80, 0x80, 0x80, 0x00}},
    {"13", {0xFF, 0x00, 0x00, 0x00}}, {"14", {0xFF, 0x00, 0x00, 0x00}}, {"25", {0xFF, 0x00, 0x00, 0x00}},
    {"26", {0xFF, 0x00, 0x00, 0x00}}, {"42", {0x6D, 0x73, 0x66, 0x74}},
};
const FileRecord kStillFiles[] = {{1, "tdywater.gif"}, {2, "stwater.gif"}};
const FileRecord kAnimatedFiles[] = {
    {1, "tdywater.gif"}, {2, "stwater.gif"}, {3, "at2k.atc"}, {4, "at2k.swf"}, {5, "at2k.htm"},
};
const char* const kStrings[] = {"%CE2%", "%CE2%", "Software", "Microsoft", "Color"};
// Every file goes to folder 2 ("%CE2%", the device's \Windows).
const WORD kFileFolder = 2;

class Writer {
public:
    explicit Writer(std::vector<BYTE>& out) : m_out(out) {}
    void Word(WORD value)
    {
        m_out.push_back(static_cast<BYTE>(value));
        m_out.push_back(static_cast<BYTE>(value >> 8));
    }
    void Dword(DWORD value)
    {
        Word(static_cast<WORD>(value));
        Word(static_cast<WORD>(value >> 16));
    }
    void Text(const char* text) { m_out.insert(m_out.end(), text, text + strlen(text) + 1); }
    void Bytes(const BYTE* bytes, size_t count) { m_out.insert(m_out.end(), bytes, bytes + count); }
    DWORD Size() const { return static_cast<DWORD>(m_out.size()); }
    void PutWord(DWORD at, WORD value)
    {
        m_out[at] = static_cast<BYTE>(value);
        m_out[at + 1] = static_cast<BYTE>(value >> 8);
    }
    void PutDword(DWORD at, DWORD value)
    {
        PutWord(at, static_cast<WORD>(value));
        PutWord(at + 2, static_cast<WORD>(value >> 16));
    }

private:
    std::vector<BYTE>& m_out;
};

WORD TextBytes(const char* text)
{
    return static_cast<WORD>(strlen(text) + 1);
}

// The search pattern of a colour's value: type 1, the record length and the
// name without its terminator.
std::string ColourPattern(const char* name)
{
    std::string pattern("\x01\x00\x00\x00", 4);
    WORD length = static_cast<WORD>(strlen(name) + 1 + 4);
    pattern.push_back(static_cast<char>(length & 0xFF));
    pattern.push_back(static_cast<char>(length >> 8));
    pattern += name;
    return pattern;
}

long Find(const BYTE* data, DWORD size, const std::string& pattern)
{
    if (!data || pattern.size() > size)
        return -1;
    const DWORD last = size - static_cast<DWORD>(pattern.size());
    for (DWORD at = 0; at <= last; ++at)
        if (memcmp(data + at, pattern.data(), pattern.size()) == 0)
            return static_cast<long>(at);
    return -1;
}

} // namespace

std::vector<BYTE> Template(bool animated)
{
    const FileRecord* files = animated ? kAnimatedFiles : kStillFiles;
    const size_t fileCount = animated ? 5 : 2;
    const ValueRecord* values = animated ? kAnimatedValues : kStillValues;
    const size_t valueCount = animated ? 14 : 13;
    const WORD folderCount = animated ? 1 : 2;
    const char* appName = animated ? "ZARQ  COM" : "ZARQ COM";
    const char* provider = "Windows";
    const BYTE unsupported[] = {'H', 'P', 'C', 0, 'J', 'U', 'P', 'I', 'T', 'E', 'R', 0, 0};

    std::vector<BYTE> bytes;
    Writer out(bytes);
    out.Bytes(reinterpret_cast<const BYTE*>("MSCE"), 4);
    out.Dword(0);
    out.Dword(0);  // length, set below
    out.Dword(0);
    out.Dword(1);
    out.Dword(kProcessor);
    out.Dword(3);  // minimum system version 3.0
    out.Dword(0);
    out.Dword(100);  // maximum 100.0
    out.Dword(0);
    out.Dword(0);  // builds
    out.Dword(0);
    out.Word(static_cast<WORD>(sizeof kStrings / sizeof kStrings[0]));
    out.Word(folderCount);
    out.Word(static_cast<WORD>(fileCount));
    out.Word(1);  // registry roots
    out.Word(static_cast<WORD>(valueCount));
    out.Word(0);  // shortcuts
    const DWORD offsetsAt = out.Size();
    for (int i = 0; i < 6; ++i)
        out.Dword(0);
    const DWORD namesAt = out.Size();
    for (int i = 0; i < 6; ++i)
        out.Word(0);
    out.Word(0);
    out.Word(0);

    out.PutDword(offsetsAt, out.Size());
    for (size_t i = 0; i < sizeof kStrings / sizeof kStrings[0]; ++i) {
        out.Word(static_cast<WORD>(i + 1));
        out.Word(TextBytes(kStrings[i]));
        out.Text(kStrings[i]);
    }
    out.PutDword(offsetsAt + 4, out.Size());
    // Folder 2 is the string "%CE2%" (id 2); the still template also names
    // folder 1 (string 1).
    for (WORD folder = 2; folder > 2 - folderCount; --folder) {
        out.Word(folder);
        out.Word(4);
        out.Word(folder);
        out.Word(0);
    }
    out.PutDword(offsetsAt + 8, out.Size());
    for (size_t i = 0; i < fileCount; ++i) {
        out.Word(files[i].number);
        out.Word(kFileFolder);
        out.Word(files[i].number);
        out.Dword(kInstallFlags);
        out.Word(TextBytes(files[i].name));
        out.Text(files[i].name);
    }
    out.PutDword(offsetsAt + 12, out.Size());
    out.Word(1);
    out.Word(kRootLocalMachine);
    out.Word(0);
    out.Word(8);
    for (WORD id : {3, 4, 5, 0})
        out.Word(id);
    out.PutDword(offsetsAt + 16, out.Size());
    for (size_t i = 0; i < valueCount; ++i) {
        out.Word(static_cast<WORD>(i + 1));
        out.Word(1);  // root 1
        out.Word(0);
        out.Dword(kBinaryType);
        out.Word(static_cast<WORD>(TextBytes(values[i].name) + 4));
        out.Text(values[i].name);
        out.Bytes(values[i].data, 4);
    }
    // offsetsAt + 20: no shortcuts.

    const WORD appAt = static_cast<WORD>(out.Size());
    out.Text(appName);
    const WORD providerAt = static_cast<WORD>(out.Size());
    out.Text(provider);
    const WORD unsupportedAt = static_cast<WORD>(out.Size());
    out.Bytes(unsupported, sizeof unsupported);
    out.PutWord(namesAt, appAt);
    out.PutWord(namesAt + 2, TextBytes(appName));
    out.PutWord(namesAt + 4, providerAt);
    out.PutWord(namesAt + 6, TextBytes(provider));
    out.PutWord(namesAt + 8, unsupportedAt);
    out.PutWord(namesAt + 10, static_cast<WORD>(sizeof unsupported));
    out.PutDword(8, out.Size());
    return bytes;
}

long ColourOffset(const BYTE* setup, DWORD size, int index)
{
    const wchar_t* wide = CTskColor::ValueName(index);
    if (!wide)
        return -1;
    char name[4] = {};
    for (int i = 0; i < 3 && wide[i]; ++i)
        name[i] = static_cast<char>(wide[i]);
    std::string pattern = ColourPattern(name);
    long at = Find(setup, size, pattern);
    if (at < 0)
        return -1;
    // The data follows the name's terminator.
    DWORD data = static_cast<DWORD>(at) + static_cast<DWORD>(pattern.size()) + 1;
    if (data > size || size - data < 4)
        return -1;
    return static_cast<long>(data);
}

bool PatchColour(BYTE* setup, DWORD size, int index, COLORREF colour)
{
    long at = ColourOffset(setup, size, index);
    if (at < 0)
        return false;
    for (int i = 0; i < 4; ++i)
        setup[at + i] = static_cast<BYTE>(colour >> (8 * i));
    return true;
}

bool ReadColour(const BYTE* setup, DWORD size, int index, COLORREF* colour)
{
    long at = ColourOffset(setup, size, index);
    if (at < 0)
        return false;
    *colour = static_cast<COLORREF>(setup[at]) | (static_cast<COLORREF>(setup[at + 1]) << 8) |
              (static_cast<COLORREF>(setup[at + 2]) << 16) | (static_cast<COLORREF>(setup[at + 3]) << 24);
    return true;
}

std::string InstalledName(const BYTE* setup, DWORD size, unsigned number)
{
    if (number > 0xFF)
        return std::string();
    // The end of a file record numbered `number`, then its flags.
    const char bytes[] = {0x00, static_cast<char>(number), 0x00, 0x00, 0x00, 0x00, 0x40};
    long at = Find(setup, size, std::string(bytes, sizeof bytes));
    if (at < 0)
        return std::string();
    DWORD start = static_cast<DWORD>(at) + kNameStartInMatch;
    std::string name;
    for (DWORD i = start; i < size && setup[i] != 0 && name.size() < kMaxInstalledName; ++i)
        name.push_back(static_cast<char>(setup[i]));
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

} // namespace setupfile
