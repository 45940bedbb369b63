// CString: a reference-counted, copy-on-write UTF-16 string.
//
// The only member is a pointer to the first character of a CStringData block;
// copies share the block until one of them is modified. All empty strings
// share one static block. A block whose reference count is -1 is "locked":
// it belongs to one string and is never shared (see LockBuffer).
#pragma once

#include <windows.h>

#include "cobject.h"
#include "corvane_api.h"

// Header of a string block; capacity + 1 characters follow it.
struct CStringData {
    LONG nRefs;        // -1: locked (or the shared empty block)
    LONG nDataLength;  // characters, without the terminator
    LONG nAllocLength; // capacity in characters, without the terminator
    wchar_t* data() { return reinterpret_cast<wchar_t*>(this + 1); }
};

class CORVANE_API CString : public CObject {
public:
    CString();
    CString(const CString& src);
    CString(const wchar_t* text); // null gives the empty string
    ~CString() override;

    CString& operator=(const CString& src);
    CString& operator=(const wchar_t* text);
    CString& operator+=(const CString& text);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t ch);

    int GetLength() const { return GetData()->nDataLength; }
    int GetAllocLength() const { return GetData()->nAllocLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    // No range check: the index must lie within 0..GetLength().
    wchar_t GetAt(int index) const { return m_pchData[index]; }
    wchar_t operator[](int index) const { return m_pchData[index]; }

    operator const wchar_t*() const { return m_pchData; }
    // Explicit so that passing a string where text is read never takes a
    // writable pointer. Unshares the block first; writers that change the
    // length should use GetBuffer/ReleaseBuffer instead.
    explicit operator wchar_t*();

    // Ordinal comparison of the UTF-16 code units; negative, zero or positive.
    // A null pointer compares as the empty text.
    int Compare(const wchar_t* text) const;
    // The platform's case-insensitive comparison.
    int CompareNoCase(const wchar_t* text) const;

    // A private buffer of at least max(minLength, GetLength()) characters
    // holding the current text.
    wchar_t* GetBuffer(int minLength);
    // Sets the length (-1: up to the first zero), bounded by the capacity.
    void ReleaseBuffer(int newLength = -1);
    wchar_t* GetBufferSetLength(int newLength);
    // Shrinks the block to exactly the current length.
    void FreeExtra();
    // A private buffer that copies never share until UnlockBuffer.
    wchar_t* LockBuffer();
    void UnlockBuffer();

    static int SafeStrlen(const wchar_t* text);

    friend CORVANE_API CString operator+(const CString& a, const CString& b);
    friend CORVANE_API CString operator+(const CString& a, const wchar_t* b);
    friend CORVANE_API CString operator+(const wchar_t* a, const CString& b);

    // Content comparisons, so that comparing a string with text never
    // compares pointers by accident.
    bool operator==(const CString& other) const { return Compare(other) == 0; }
    bool operator!=(const CString& other) const { return Compare(other) != 0; }
    bool operator==(const wchar_t* text) const { return Compare(text) == 0; }
    bool operator!=(const wchar_t* text) const { return Compare(text) != 0; }

private:
    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void Init();
    void AllocBuffer(int length);
    void AllocExact(int length);
    void Release();
    void AssignCopy(int length, const wchar_t* text);
    void ConcatCopy(int length1, const wchar_t* text1, int length2, const wchar_t* text2);
    void ConcatInPlace(int length, const wchar_t* text);
    void CopyBeforeWrite();
    bool IsLockedBlock() const;

    wchar_t* m_pchData;
};

CORVANE_API CString operator+(const CString& a, const CString& b);
CORVANE_API CString operator+(const CString& a, const wchar_t* b);
CORVANE_API CString operator+(const wchar_t* a, const CString& b);
inline bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const wchar_t* a, const CString& b) { return b.Compare(a) != 0; }
