// Writing theme files: the setup template with the record's colours and the
// record's files, packed as a plain cabinet.
#include <tessary.h>

#include <skinpackage.h>

#include <vector>

#include "setup_file.h"

namespace {

// A file read whole; empty when it is missing or empty.
struct WholeFile {
    ceReadFile reader;
    bool Read(const wchar_t* path) { return path && *path && reader.OpenFile(path) && reader.ReadFile(); }
    const BYTE* Bytes() const { return reader.GetBuffer(); }
    DWORD Size() const { return reader.GetSize(); }
};

} // namespace

int WriteTheme(const wchar_t* path, const CTskInfo* info)
{
    if (!path || !*path || !info)
        return 0;
    const bool animated = info->m_bAnimated != 0;
    WholeFile today, start, control, movie, page;
    if (!today.Read(info->m_szToday) || !start.Read(info->m_szStart))
        return 0;
    if (animated && (!control.Read(info->m_szAniControl) || !movie.Read(info->m_szAniMovie) ||
                     !page.Read(info->m_szAniPage)))
        return 0;

    std::vector<BYTE> setup = setupfile::Template(animated);
    for (int i = 0; i < CTskColor::kCount; ++i)
        setupfile::PatchColour(setup.data(), static_cast<DWORD>(setup.size()), i, info->m_color[i]);

    // The names' numbers are the file numbers of the setup file's records.
    CCabWrite cab;
    int ok = cab.AddFile("ZARQQV~1.000", setup.data(), static_cast<DWORD>(setup.size()));
    if (animated) {
        ok = ok && cab.AddFile("0000at2k.005", page.Bytes(), page.Size()) &&
             cab.AddFile("0000at2k.004", movie.Bytes(), movie.Size()) &&
             cab.AddFile("0000at2k.003", control.Bytes(), control.Size());
    }
    ok = ok && cab.AddFile("0stwater.002", start.Bytes(), start.Size()) &&
         cab.AddFile("tdywater.001", today.Bytes(), today.Size());
    return ok && cab.Write(path);
}
