// CObList: a doubly linked list of CObject pointers, and POSITION.
//
// The list never owns or deletes its elements. Nodes come from blocks of
// nodes and go back to a free list; when the list becomes empty every block
// is freed at once. A POSITION names one node and stays valid until that
// node is removed; a null POSITION means "none" (before the head or after
// the tail).
#pragma once

#include <windows.h>

#include "cobject.h"
#include "corvane_api.h"

struct __POSITION;
typedef __POSITION* POSITION;

class CORVANE_API CObList : public CObject {
public:
    explicit CObList(int blockSize = 10);
    ~CObList() override;
    CObList(const CObList&) = delete;
    CObList& operator=(const CObList&) = delete;

    // Orders two elements: negative, zero or positive. The base class treats
    // every pair as equal, so Sort leaves its order unchanged.
    virtual int Compare(CObject* a, CObject* b);
    // Stable bubble sort that moves element pointers between nodes; positions
    // keep naming the same nodes. Returns 1.
    virtual int Sort();

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    POSITION AddHead(CObject* element);
    POSITION AddTail(CObject* element);
    // Add every element of the other list, keeping its order.
    void AddHead(CObList* other);
    void AddTail(CObList* other);
    // The list must not be empty; an empty list gives a null pointer.
    CObject* RemoveHead();
    CObject* RemoveTail();
    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, CObject* element);
    POSITION InsertAfter(POSITION position, CObject* element);
    void RemoveAt(POSITION position);
    void RemoveAll();

    // The list must not be empty.
    CObject*& GetHead();
    CObject* GetHead() const;
    CObject*& GetTail();
    CObject* GetTail() const;

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    // Return the element at the position and move the position on; it
    // becomes null after the last (first) node.
    CObject*& GetNext(POSITION& position);
    CObject* GetNext(POSITION& position) const;
    CObject*& GetPrev(POSITION& position);
    CObject* GetPrev(POSITION& position) const;
    CObject*& GetAt(POSITION position);
    CObject* GetAt(POSITION position) const;
    void SetAt(POSITION position, CObject* element);

    // Position of the index-th element (zero-based), or null when out of range.
    POSITION FindIndex(int index) const;
    // First node after start (from the head when start is null) holding the element.
    POSITION Find(CObject* element, POSITION start = nullptr) const;

private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        CObject* data;
    };
    struct CBlock;

    static POSITION ToPosition(CNode* node);
    static CNode* ToNode(POSITION position);
    CNode* NewNode(CNode* prev, CNode* next);
    void FreeNode(CNode* node);
    void FreeAllBlocks();

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    int m_nCount = 0;
    CNode* m_pNodeFree = nullptr;
    CBlock* m_pBlocks = nullptr;
    int m_nBlockSize;
};
