// Deskel.exe, the desktop installer of Ketra's packs:
//
//   Deskel.exe [/device ROOT] [FOLDER]
//
// lists the packs of the catalogue in FOLDER (the setup cabinets and their
// "catalogue.txt"; by default "setup" beside the program) with their
// descriptions, sizes and applets.  "Install" writes a setup description of
// the ticked packs ("Deskel.ini" in FOLDER) and hands it to the desktop's
// device manager (DeskAppMgr.exe beside it, given ROOT when it was given).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct CataloguePack {
    std::wstring pack;         // the manifest's name: "calc"
    std::wstring title;        // "Calculators"
    std::wstring application;  // "Ketra Calculators"
    std::wstring cabinet;      // "calc.cab"
    ULONGLONG bytes = 0;
    std::wstring applets;      // "Unit Converter, Expression Calc"
    std::wstring description;
};

// The catalogue's packs: pack|title|application|cabinet|bytes|applets|description
// per line (8-bit text).  Lines that break the form are skipped; false
// (with a reason) when the file is missing, too large or lists no pack.
bool ReadCatalogue(const std::wstring& folder, std::vector<CataloguePack>* packs, std::wstring* why);

// Writes the setup description of these packs, whole or not at all.
bool WriteSetupDescription(const std::wstring& path, const std::vector<const CataloguePack*>& packs);

// Control ids: the packs' check boxes are IDC_DESKEL_PACK + their row.
#define IDC_DESKEL_PACK 1000
