// CString: shared, reference-counted string blocks with copy-on-write.
//
// Block capacities come in size classes (64, 128, 256, 512 characters, then
// exact) so that strings growing a character at a time rarely reallocate.
#include "cstring.h"

#include <cstring>
#include <cwchar>
#include <new>

namespace {

// The block every empty string points at: never counted, never freed.
// Its count of -1 makes copies of it take the copying path, which for zero
// characters simply attaches this block again.
struct EmptyStringBlock {
    CStringData header;
    wchar_t terminator;
};
EmptyStringBlock g_emptyBlock = {{-1, 0, 0}, L'\0'};

bool IsEmptyBlock(const CStringData* data)
{
    return data == &g_emptyBlock.header;
}

int RoundToSizeClass(int length)
{
    if (length <= 64)
        return 64;
    if (length <= 128)
        return 128;
    if (length <= 256)
        return 256;
    if (length <= 512)
        return 512;
    return length;
}

CStringData* NewBlock(int length, int capacity)
{
    size_t bytes = sizeof(CStringData) + (static_cast<size_t>(capacity) + 1) * sizeof(wchar_t);
    auto* data = static_cast<CStringData*>(::operator new(bytes));
    data->nRefs = 1;
    data->nDataLength = length;
    data->nAllocLength = capacity;
    data->data()[length] = L'\0';
    data->data()[capacity] = L'\0';
    return data;
}

// Drops one reference; the last one frees the block. A locked block (-1)
// belongs to one string only, so releasing it frees it as well.
void ReleaseData(CStringData* data)
{
    if (IsEmptyBlock(data))
        return;
    if (InterlockedDecrement(&data->nRefs) <= 0)
        ::operator delete(data);
}

} // namespace

CString::CString()
{
    Init();
}

CString::CString(const CString& src)
{
    CStringData* srcData = src.GetData();
    if (srcData->nRefs > 0) {
        InterlockedIncrement(&srcData->nRefs);
        m_pchData = src.m_pchData;
    } else {
        // Locked (or empty): the copy gets a block of its own.
        Init();
        AssignCopy(srcData->nDataLength, src.m_pchData);
    }
}

CString::CString(const wchar_t* text)
{
    Init();
    int length = SafeStrlen(text);
    if (length > 0) {
        AllocBuffer(length);
        std::memcpy(m_pchData, text, length * sizeof(wchar_t));
    }
}

CString::~CString()
{
    Release();
}

void CString::Init()
{
    m_pchData = g_emptyBlock.header.data();
}

void CString::AllocBuffer(int length)
{
    if (length <= 0)
        Init();
    else
        m_pchData = NewBlock(length, RoundToSizeClass(length))->data();
}

void CString::AllocExact(int length)
{
    if (length <= 0)
        Init();
    else
        m_pchData = NewBlock(length, length)->data();
}

void CString::Release()
{
    ReleaseData(GetData());
    Init();
}

bool CString::IsLockedBlock() const
{
    const CStringData* data = GetData();
    return data->nRefs < 0 && !IsEmptyBlock(data);
}

// Replaces the text. The current block is kept when nobody else shares it
// and it is large enough; otherwise the old block is released only after the
// copy, so text taken from this string's own buffer stays readable.
void CString::AssignCopy(int length, const wchar_t* text)
{
    CStringData* data = GetData();
    if (IsEmptyBlock(data) ? length == 0 : (data->nRefs <= 1 && length <= data->nAllocLength)) {
        if (!IsEmptyBlock(data)) {
            if (length > 0)
                std::memmove(m_pchData, text, length * sizeof(wchar_t));
            data->nDataLength = length;
            m_pchData[length] = L'\0';
        }
        return;
    }
    AllocBuffer(length);
    if (length > 0)
        std::memcpy(m_pchData, text, length * sizeof(wchar_t));
    ReleaseData(data);
}

// Fills a string that holds no block of its own (fresh or just released).
void CString::ConcatCopy(int length1, const wchar_t* text1, int length2, const wchar_t* text2)
{
    int total = length1 + length2;
    AllocBuffer(total);
    if (length1 > 0)
        std::memcpy(m_pchData, text1, length1 * sizeof(wchar_t));
    if (length2 > 0)
        std::memcpy(m_pchData + length1, text2, length2 * sizeof(wchar_t));
}

void CString::ConcatInPlace(int length, const wchar_t* text)
{
    if (length <= 0)
        return;
    CStringData* data = GetData();
    int oldLength = data->nDataLength;
    if (IsEmptyBlock(data) || data->nRefs > 1 || oldLength + length > data->nAllocLength) {
        // The old block stays alive until both parts are copied: the text may point into it.
        ConcatCopy(oldLength, data->data(), length, text);
        ReleaseData(data);
        return;
    }
    std::memmove(m_pchData + oldLength, text, length * sizeof(wchar_t));
    data->nDataLength = oldLength + length;
    m_pchData[data->nDataLength] = L'\0';
}

// Gives this string a block of its own before its text changes.
void CString::CopyBeforeWrite()
{
    CStringData* data = GetData();
    if (data->nRefs <= 1)
        return;
    AllocBuffer(data->nDataLength);
    std::memcpy(m_pchData, data->data(), (data->nDataLength + 1) * sizeof(wchar_t));
    ReleaseData(data);
}

CString& CString::operator=(const CString& src)
{
    if (m_pchData == src.m_pchData)
        return *this;
    CStringData* srcData = src.GetData();
    if (IsLockedBlock() || srcData->nRefs < 0) {
        AssignCopy(srcData->nDataLength, src.m_pchData);
    } else {
        InterlockedIncrement(&srcData->nRefs);
        Release();
        m_pchData = src.m_pchData;
    }
    return *this;
}

CString& CString::operator=(const wchar_t* text)
{
    AssignCopy(SafeStrlen(text), text);
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    ConcatInPlace(text.GetLength(), text.m_pchData);
    return *this;
}

CString& CString::operator+=(const wchar_t* text)
{
    ConcatInPlace(SafeStrlen(text), text);
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

void CString::Empty()
{
    if (IsEmptyBlock(GetData()))
        return;
    // A locked buffer must stay where it is: empty it in place.
    if (IsLockedBlock())
        AssignCopy(0, L"");
    else
        Release();
}

CString::operator wchar_t*()
{
    CopyBeforeWrite();
    return m_pchData;
}

int CString::Compare(const wchar_t* text) const
{
    return std::wcscmp(m_pchData, text ? text : L"");
}

int CString::CompareNoCase(const wchar_t* text) const
{
    // CompareStringOrdinal answers 1, 2 or 3 for less, equal and greater.
    return CompareStringOrdinal(m_pchData, -1, text ? text : L"", -1, TRUE) - CSTR_EQUAL;
}

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength < 0)
        minLength = 0;
    CStringData* data = GetData();
    if (data->nRefs > 1 || minLength > data->nAllocLength) {
        int length = data->nDataLength;
        AllocBuffer(minLength > length ? minLength : length);
        if (!IsEmptyBlock(GetData())) {
            std::memcpy(m_pchData, data->data(), length * sizeof(wchar_t));
            GetData()->nDataLength = length;
            m_pchData[length] = L'\0';
        }
        ReleaseData(data);
    }
    return m_pchData;
}

void CString::ReleaseBuffer(int newLength)
{
    CopyBeforeWrite();
    CStringData* data = GetData();
    if (IsEmptyBlock(data))
        return;
    // The length never runs past the block, whatever the caller claims.
    if (newLength < 0)
        newLength = static_cast<int>(wcsnlen(m_pchData, data->nAllocLength));
    if (newLength > data->nAllocLength)
        newLength = data->nAllocLength;
    data->nDataLength = newLength;
    m_pchData[newLength] = L'\0';
}

wchar_t* CString::GetBufferSetLength(int newLength)
{
    if (newLength < 0)
        newLength = 0;
    GetBuffer(newLength);
    CStringData* data = GetData();
    if (!IsEmptyBlock(data)) {
        data->nDataLength = newLength;
        m_pchData[newLength] = L'\0';
    }
    return m_pchData;
}

void CString::FreeExtra()
{
    CStringData* data = GetData();
    // A locked buffer is promised to stay put, so it keeps its size.
    if (IsEmptyBlock(data) || data->nRefs < 0 || data->nDataLength == data->nAllocLength)
        return;
    AllocExact(data->nDataLength);
    if (!IsEmptyBlock(GetData()))
        std::memcpy(m_pchData, data->data(), (data->nDataLength + 1) * sizeof(wchar_t));
    ReleaseData(data);
}

wchar_t* CString::LockBuffer()
{
    wchar_t* buffer = GetBuffer(0);
    CStringData* data = GetData();
    if (!IsEmptyBlock(data))
        data->nRefs = -1;
    return buffer;
}

void CString::UnlockBuffer()
{
    // Only a locked block goes back to one owner; resetting the count of a
    // shared block would free it while other strings still use it.
    if (IsLockedBlock())
        GetData()->nRefs = 1;
}

int CString::SafeStrlen(const wchar_t* text)
{
    return text ? static_cast<int>(std::wcslen(text)) : 0;
}

CString operator+(const CString& a, const CString& b)
{
    CString result;
    result.ConcatCopy(a.GetLength(), a.m_pchData, b.GetLength(), b.m_pchData);
    return result;
}

CString operator+(const CString& a, const wchar_t* b)
{
    CString result;
    result.ConcatCopy(a.GetLength(), a.m_pchData, CString::SafeStrlen(b), b);
    return result;
}

CString operator+(const wchar_t* a, const CString& b)
{
    CString result;
    result.ConcatCopy(CString::SafeStrlen(a), a, b.GetLength(), b.m_pchData);
    return result;
}
