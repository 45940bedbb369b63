// CMapSS: string-to-string hash map with block-allocated associations.
#include "mapss.h"

#include <cstdint>
#include <new>

// A block of association slots; the slots follow the header and hold
// constructed associations only while they are in use.
struct CMapSS::CBlock {
    CBlock* pNext;
    CAssoc* Slots() { return reinterpret_cast<CAssoc*>(this + 1); }
};

namespace {

// The start position: "before the first association".
const POSITION kBeforeStart = reinterpret_cast<POSITION>(static_cast<intptr_t>(-1));

} // namespace

CMapSS::CMapSS(int blockSize) : m_nBlockSize(blockSize > 0 ? blockSize : 10) {}

CMapSS::~CMapSS()
{
    RemoveAll();
}

UINT CMapSS::HashKey(const wchar_t* key) const
{
    UINT hash = 0;
    if (key) {
        for (; *key; ++key)
            hash = hash * 33 + static_cast<UINT>(*key);
    }
    return hash;
}

void CMapSS::InitHashTable(UINT hashSize, BOOL allocNow)
{
    if (hashSize == 0)
        hashSize = 17; // a bucket count of 0 would leave no bucket to hash into
    if (m_nCount > 0) {
        // Rehash rather than drop the associations the old buckets hold.
        auto** table = new CAssoc*[hashSize]();
        for (UINT bucket = 0; bucket < m_nHashTableSize; ++bucket) {
            CAssoc* assoc = m_pHashTable[bucket];
            while (assoc) {
                CAssoc* next = assoc->pNext;
                assoc->nHashValue = HashKey(assoc->key) % hashSize;
                assoc->pNext = table[assoc->nHashValue];
                table[assoc->nHashValue] = assoc;
                assoc = next;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = table;
        m_nHashTableSize = hashSize;
        return;
    }
    delete[] m_pHashTable;
    m_pHashTable = allocNow ? new CAssoc*[hashSize]() : nullptr;
    m_nHashTableSize = hashSize;
}

CMapSS::CAssoc* CMapSS::NewAssoc()
{
    if (!m_pFreeList) {
        size_t bytes = sizeof(CBlock) + sizeof(CAssoc) * static_cast<size_t>(m_nBlockSize);
        auto* block = static_cast<CBlock*>(::operator new(bytes));
        block->pNext = m_pBlocks;
        m_pBlocks = block;
        CAssoc* slots = block->Slots();
        for (int i = m_nBlockSize - 1; i >= 0; --i) {
            slots[i].pNext = m_pFreeList;
            m_pFreeList = &slots[i];
        }
    }
    CAssoc* slot = m_pFreeList;
    m_pFreeList = slot->pNext;
    ++m_nCount;
    return new (slot) CAssoc();
}

void CMapSS::FreeAssoc(CAssoc* assoc)
{
    assoc->~CAssoc();
    assoc->pNext = m_pFreeList;
    m_pFreeList = assoc;
    if (--m_nCount == 0)
        RemoveAll();
}

CMapSS::CAssoc* CMapSS::GetAssocAt(const wchar_t* key, UINT& bucket) const
{
    bucket = HashKey(key) % m_nHashTableSize;
    if (!m_pHashTable)
        return nullptr;
    for (CAssoc* assoc = m_pHashTable[bucket]; assoc; assoc = assoc->pNext) {
        if (assoc->key.Compare(key) == 0)
            return assoc;
    }
    return nullptr;
}

CMapSS::CAssoc* CMapSS::AddAssoc(const wchar_t* key, UINT bucket)
{
    if (!m_pHashTable)
        m_pHashTable = new CAssoc*[m_nHashTableSize]();
    CAssoc* assoc = NewAssoc();
    assoc->nHashValue = bucket;
    assoc->key = key;
    assoc->pNext = m_pHashTable[bucket];
    m_pHashTable[bucket] = assoc;
    return assoc;
}

BOOL CMapSS::Lookup(const wchar_t* key, CString& value) const
{
    UINT bucket;
    CAssoc* assoc = GetAssocAt(key, bucket);
    if (!assoc)
        return FALSE;
    value = assoc->value;
    return TRUE;
}

BOOL CMapSS::LookupKey(const wchar_t* key, const wchar_t*& storedKey) const
{
    UINT bucket;
    CAssoc* assoc = GetAssocAt(key, bucket);
    if (!assoc)
        return FALSE;
    storedKey = assoc->key;
    return TRUE;
}

CString& CMapSS::operator[](const wchar_t* key)
{
    UINT bucket;
    CAssoc* assoc = GetAssocAt(key, bucket);
    if (!assoc)
        assoc = AddAssoc(key, bucket);
    return assoc->value;
}

void CMapSS::SetAt(const wchar_t* key, const wchar_t* value)
{
    UINT bucket;
    if (GetAssocAt(key, bucket))
        return;
    AddAssoc(key, bucket)->value = value;
}

const wchar_t* CMapSS::GetAt(const wchar_t* key) const
{
    UINT bucket;
    CAssoc* assoc = GetAssocAt(key, bucket);
    return assoc ? static_cast<const wchar_t*>(assoc->value) : nullptr;
}

BOOL CMapSS::RemoveKey(const wchar_t* key)
{
    if (!m_pHashTable)
        return FALSE;
    CAssoc** link = &m_pHashTable[HashKey(key) % m_nHashTableSize];
    for (CAssoc* assoc = *link; assoc; link = &assoc->pNext, assoc = *link) {
        if (assoc->key.Compare(key) == 0) {
            *link = assoc->pNext;
            FreeAssoc(assoc);
            return TRUE;
        }
    }
    return FALSE;
}

void CMapSS::RemoveAll()
{
    if (m_pHashTable) {
        for (UINT bucket = 0; bucket < m_nHashTableSize; ++bucket) {
            for (CAssoc* assoc = m_pHashTable[bucket]; assoc; assoc = assoc->pNext)
                assoc->~CAssoc();
        }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    while (m_pBlocks) {
        CBlock* next = m_pBlocks->pNext;
        ::operator delete(m_pBlocks);
        m_pBlocks = next;
    }
    m_nCount = 0;
    m_pFreeList = nullptr;
}

POSITION CMapSS::GetStartPosition() const
{
    return m_nCount > 0 ? kBeforeStart : nullptr;
}

void CMapSS::GetNextAssoc(POSITION& position, CString& key, CString& value) const
{
    CAssoc* assoc = reinterpret_cast<CAssoc*>(position);
    if (!assoc || !m_pHashTable) {
        position = nullptr;
        return;
    }
    if (position == kBeforeStart) {
        assoc = nullptr;
        for (UINT bucket = 0; bucket < m_nHashTableSize && !assoc; ++bucket)
            assoc = m_pHashTable[bucket];
        if (!assoc) {
            position = nullptr;
            return;
        }
    }
    key = assoc->key;
    value = assoc->value;

    CAssoc* next = assoc->pNext;
    for (UINT bucket = assoc->nHashValue + 1; !next && bucket < m_nHashTableSize; ++bucket)
        next = m_pHashTable[bucket];
    position = reinterpret_cast<POSITION>(next);
}
