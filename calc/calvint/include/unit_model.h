// The unit-conversion model of the calculators.
//
// Classes in this file:
//   CUnit           one unit of measure and its two stored ratios
//   CCategory       a family of interchangeable units (at most 16)
//   CCategorySet    all categories of one converter (at most 16)
//   SSelection      one remembered conversion: category and two units
//   CConvSelection  the remembered conversions (at most 16) over a set,
//                   kept in an XML file
//
// Positions count from 0 in the order units and categories were added.
// Names and IDs are at most 31 characters; text getters copy into a
// caller's buffer of kUnitNameLength characters and give empty text (and 0)
// for a position out of range.  Adding beyond a limit returns 0 and
// leaves the container unchanged.
#pragma once

#include <windows.h>

#include <xmlaccess.h>

#include "calvint_api.h"

enum { kUnitNameLength = 32, kMaxUnits = 16, kMaxCategories = 16, kMaxSelections = 16 };

class CALVINT_API CUnit {
public:
    // The ratio to the category's base unit is multiplied into a value to
    // express it in the base unit; the ratio from base does the reverse.
    // Both are stored as given, not derived from each other.
    CUnit(const wchar_t* id, const wchar_t* fullName, double toBase = 1.0, double fromBase = 1.0);
    virtual ~CUnit();
    virtual double ConvertToBaseUnit(double value);
    virtual double ConvertFromBaseUnit(double value);

    void SetRatio(double toBase, double fromBase);
    const wchar_t* GetID() const { return m_szID; }
    const wchar_t* GetFullName() const { return m_szFullName; }

    wchar_t m_szID[kUnitNameLength];
    wchar_t m_szFullName[kUnitNameLength];
    double m_dToBase;
    double m_dFromBase;

private:
    CUnit(const CUnit&) = delete;
    CUnit& operator=(const CUnit&) = delete;
};

class CALVINT_API CCategory {
public:
    virtual ~CCategory();  // deletes the units
    // Creates the units (AddUnit for each); called once by Initialize.
    virtual void AddUnits() = 0;

    // Fills the category on its first call; 1.
    int Initialize();
    // Converts through the base unit; equal positions give the value as it
    // is.  0 for a position out of range.
    int Convert(int from, int to, double value, double& out);
    int GetName(wchar_t* out) const;
    int GetID(wchar_t* out) const;
    const wchar_t* GetName() const { return m_szName; }
    const wchar_t* GetID() const { return m_szID; }
    int GetUnitCount() const { return m_nUnitCount; }
    int GetUnitFullName(int unit, wchar_t* out) const;
    int GetUnitID(int unit, wchar_t* out) const;
    // The position of the unit with exactly this ID, or -1.
    int GetUnitOrderByID(const wchar_t* id) const;
    // Exact, case-sensitive comparison with the category's ID.
    int IsItsID(const wchar_t* id) const;

protected:
    CCategory(const wchar_t* id, const wchar_t* name);
    // Takes the unit (made with new) in every case: one refused because the
    // category is full is deleted.
    int AddUnit(CUnit* unit);

    int m_nUnitCount;
    wchar_t m_szName[kUnitNameLength];
    wchar_t m_szID[kUnitNameLength];
    CUnit* m_pUnits[kMaxUnits];

private:
    CCategory(const CCategory&) = delete;
    CCategory& operator=(const CCategory&) = delete;
};

class CALVINT_API CCategorySet {
public:
    CCategorySet();
    virtual ~CCategorySet();  // deletes the categories
    // Creates the categories (AddCategory for each); called once by Initialize.
    virtual void AddCategories() = 0;

    // Fills the set on its first call; 1.
    int Initialize();
    int GetCategoryCount() const { return m_nCount; }
    CCategory* GetCategory(int category) const;
    int GetCategoryName(int category, wchar_t* out) const;
    int GetCategoryID(int category, wchar_t* out) const;
    int GetUnitCount(int category) const;
    int GetUnitFullName(int category, int unit, wchar_t* out) const;
    int GetUnitID(int category, int unit, wchar_t* out) const;
    int Convert(int category, int from, int to, double value, double& out) const;
    // The first category with exactly this ID, or -1.
    int GetCategoryOrderByID(const wchar_t* id) const;
    // The unit's position in the category, or -1.
    int GetUnitOrderByID(int category, const wchar_t* id) const;

protected:
    // Takes the category (made with new) in every case and fills it; one
    // refused because the set is full is deleted.
    int AddCategory(CCategory* category);

    int m_nCount;
    CCategory* m_pCategories[kMaxCategories];

private:
    CCategorySet(const CCategorySet&) = delete;
    CCategorySet& operator=(const CCategorySet&) = delete;
};

struct SSelection {
    int nCategory;
    int nUnit1;
    int nUnit2;
};

class CALVINT_API CConvSelection {
public:
    // Starts the component system for this thread (the XML file needs it)
    // and stops it again on destruction.
    CConvSelection();
    ~CConvSelection();  // deletes the set

    // Empties the list and takes the set (made with new, filled).
    int SetCategorySet(CCategorySet* set);
    // Empties the list, resets the current index and deletes the set.
    int Initialize();
    void ResetSelection() { m_nCount = 0; }
    CCategorySet* GetCategorySet() const { return m_pSet; }

    // With replace, the first entry for the category takes the new units;
    // otherwise (or without one) the triple is appended.  0 for positions
    // that do not exist in the set, or for an append to a full list.
    int AddSelection(int category, int unit1, int unit2, int replace);
    int AddSelection(const SSelection& selection, int replace);
    // The same with IDs; 0 when any ID is not in the set.
    int AddSelection(const wchar_t* categoryID, const wchar_t* unit1ID, const wchar_t* unit2ID, int replace);
    // The units of the first entry for the category; 0 when there is none.
    int GetFirstSelection(int category, int& unit1, int& unit2) const;
    int GetSelectionCount() const { return m_nCount; }
    int GetSelection(int index, SSelection& out) const;

    // Convert with the entry at the current index, unit 1 to unit 2 and
    // back; 0 without an entry.
    int GetA2BValue(double value, double& out) const;
    int GetB2AValue(double value, double& out) const;

    int GetCategoryCount() const;
    int GetCategoryName(int category, wchar_t* out) const;
    int GetUnitCount(int category) const;
    int GetUnitFullName(int category, int unit, wchar_t* out) const;

    // Empties the list and reads the file's "/converters/converter"
    // entries; entries naming what the set does not hold are skipped.  1,
    // also for a missing or malformed file (the list is then empty).
    int LoadSelections(const wchar_t* path);
    // Writes the list (current first, when it is in the list) whole or not
    // at all; entries whose IDs cannot be looked up are left out.  The
    // result of the save.
    int SaveSelections(const wchar_t* path, const SSelection* current);

private:
    CConvSelection(const CConvSelection&) = delete;
    CConvSelection& operator=(const CConvSelection&) = delete;

    int IsValid(int category, int unit1, int unit2) const;

    CXmlComScope m_com;
    CCategorySet* m_pSet;
    SSelection m_entries[kMaxSelections];
    int m_nCount;
    int m_nCurrent;
};
