// CMapSS: a hash map from string to string.
//
// Keys match by exact, case-sensitive content. Associations come from blocks
// like list nodes; the bucket array is allocated on the first insertion and
// everything is freed when the map becomes empty. Iteration runs bucket by
// bucket, newest first within a bucket.
#pragma once

#include "cobject.h"
#include "corvane_api.h"
#include "cstring.h"
#include "oblist.h"

class CORVANE_API CMapSS : public CObject {
public:
    explicit CMapSS(int blockSize = 10);
    ~CMapSS() override;
    CMapSS(const CMapSS&) = delete;
    CMapSS& operator=(const CMapSS&) = delete;

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Sets the bucket count (0 keeps 17) and, if asked, allocates the
    // buckets now. Existing associations are moved into the new buckets.
    void InitHashTable(UINT hashSize, BOOL allocNow = TRUE);

    // 1 and the value when the key is present, else 0 (value untouched).
    BOOL Lookup(const wchar_t* key, CString& value) const;
    // The map's own copy of the key text, valid while the key stays in the map.
    BOOL LookupKey(const wchar_t* key, const wchar_t*& storedKey) const;
    // The value stored under the key; an absent key is added with an empty value.
    CString& operator[](const wchar_t* key);
    // Adds the pair when the key is absent; an existing key keeps its value.
    void SetAt(const wchar_t* key, const wchar_t* value);
    // The stored value text, or null when the key is absent.
    const wchar_t* GetAt(const wchar_t* key) const;
    BOOL RemoveKey(const wchar_t* key);
    void RemoveAll();

    // Non-null while associations remain; pass it to GetNextAssoc.
    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& position, CString& key, CString& value) const;

    // h = h * 33 + c over the UTF-16 code units, from 0, unsigned 32-bit.
    UINT HashKey(const wchar_t* key) const;

private:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue; // bucket index of the key
        CString key;
        CString value;
    };
    struct CBlock;

    CAssoc* NewAssoc();
    void FreeAssoc(CAssoc* assoc);
    CAssoc* GetAssocAt(const wchar_t* key, UINT& bucket) const;
    CAssoc* AddAssoc(const wchar_t* key, UINT bucket);

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    int m_nCount = 0;
    CAssoc* m_pFreeList = nullptr;
    CBlock* m_pBlocks = nullptr;
    int m_nBlockSize;
};
