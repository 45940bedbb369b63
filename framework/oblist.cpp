// CObList: node blocks, the free list, list editing and the stable sort.
#include "oblist.h"

#include <cstddef>
#include <new>

// A block of nodes; the nodes follow the header in the same allocation.
struct CObList::CBlock {
    CBlock* pNext;
    CNode* Nodes() { return reinterpret_cast<CNode*>(this + 1); }
};

// A position is the node's address under an opaque type.
POSITION CObList::ToPosition(CNode* node)
{
    return reinterpret_cast<POSITION>(node);
}

CObList::CNode* CObList::ToNode(POSITION position)
{
    return reinterpret_cast<CNode*>(position);
}

CObList::CObList(int blockSize) : m_nBlockSize(blockSize > 0 ? blockSize : 10) {}

CObList::~CObList()
{
    RemoveAll();
}

int CObList::Compare(CObject*, CObject*)
{
    return 0;
}

int CObList::Sort()
{
    CNode* end = m_pNodeTail;
    while (m_pNodeHead != end) {
        for (CNode* p = m_pNodeHead; p != end; p = p->pNext) {
            CNode* q = p->pNext;
            // Only a strictly greater pair moves, so equal elements keep their order.
            if (Compare(p->data, q->data) > 0) {
                CObject* held = p->data;
                p->data = q->data;
                q->data = held;
            }
        }
        end = end->pPrev;
    }
    return 1;
}

CObList::CNode* CObList::NewNode(CNode* prev, CNode* next)
{
    if (!m_pNodeFree) {
        size_t bytes = sizeof(CBlock) + sizeof(CNode) * static_cast<size_t>(m_nBlockSize);
        auto* block = static_cast<CBlock*>(::operator new(bytes));
        block->pNext = m_pBlocks;
        m_pBlocks = block;
        // Push the nodes so that the first one in memory is handed out first.
        CNode* nodes = block->Nodes();
        for (int i = m_nBlockSize - 1; i >= 0; --i) {
            nodes[i].pNext = m_pNodeFree;
            m_pNodeFree = &nodes[i];
        }
    }
    CNode* node = m_pNodeFree;
    m_pNodeFree = node->pNext;
    node->pPrev = prev;
    node->pNext = next;
    node->data = nullptr;
    ++m_nCount;
    return node;
}

void CObList::FreeNode(CNode* node)
{
    node->pNext = m_pNodeFree;
    m_pNodeFree = node;
    if (--m_nCount == 0)
        RemoveAll();
}

void CObList::FreeAllBlocks()
{
    while (m_pBlocks) {
        CBlock* next = m_pBlocks->pNext;
        ::operator delete(m_pBlocks);
        m_pBlocks = next;
    }
}

void CObList::RemoveAll()
{
    FreeAllBlocks();
    m_pNodeHead = nullptr;
    m_pNodeTail = nullptr;
    m_pNodeFree = nullptr;
    m_nCount = 0;
}

POSITION CObList::AddHead(CObject* element)
{
    CNode* node = NewNode(nullptr, m_pNodeHead);
    node->data = element;
    if (m_pNodeHead)
        m_pNodeHead->pPrev = node;
    else
        m_pNodeTail = node;
    m_pNodeHead = node;
    return ToPosition(node);
}

POSITION CObList::AddTail(CObject* element)
{
    CNode* node = NewNode(m_pNodeTail, nullptr);
    node->data = element;
    if (m_pNodeTail)
        m_pNodeTail->pNext = node;
    else
        m_pNodeHead = node;
    m_pNodeTail = node;
    return ToPosition(node);
}

// Both walk exactly the other list's element count, so adding a list to
// itself copies its elements once instead of chasing its own new tail.
void CObList::AddHead(CObList* other)
{
    if (!other)
        return;
    CNode* node = other->m_pNodeTail;
    for (int left = other->m_nCount; left > 0 && node; --left) {
        CNode* prev = node->pPrev;
        AddHead(node->data);
        node = prev;
    }
}

void CObList::AddTail(CObList* other)
{
    if (!other)
        return;
    CNode* node = other->m_pNodeHead;
    for (int left = other->m_nCount; left > 0 && node; --left) {
        CNode* next = node->pNext;
        AddTail(node->data);
        node = next;
    }
}

CObject* CObList::RemoveHead()
{
    CNode* node = m_pNodeHead;
    if (!node)
        return nullptr;
    CObject* element = node->data;
    m_pNodeHead = node->pNext;
    if (m_pNodeHead)
        m_pNodeHead->pPrev = nullptr;
    else
        m_pNodeTail = nullptr;
    FreeNode(node);
    return element;
}

CObject* CObList::RemoveTail()
{
    CNode* node = m_pNodeTail;
    if (!node)
        return nullptr;
    CObject* element = node->data;
    m_pNodeTail = node->pPrev;
    if (m_pNodeTail)
        m_pNodeTail->pNext = nullptr;
    else
        m_pNodeHead = nullptr;
    FreeNode(node);
    return element;
}

POSITION CObList::InsertBefore(POSITION position, CObject* element)
{
    if (!position)
        return AddHead(element);
    CNode* old = ToNode(position);
    CNode* node = NewNode(old->pPrev, old);
    node->data = element;
    if (old->pPrev)
        old->pPrev->pNext = node;
    else
        m_pNodeHead = node;
    old->pPrev = node;
    return ToPosition(node);
}

POSITION CObList::InsertAfter(POSITION position, CObject* element)
{
    if (!position)
        return AddTail(element);
    CNode* old = ToNode(position);
    CNode* node = NewNode(old, old->pNext);
    node->data = element;
    if (old->pNext)
        old->pNext->pPrev = node;
    else
        m_pNodeTail = node;
    old->pNext = node;
    return ToPosition(node);
}

void CObList::RemoveAt(POSITION position)
{
    CNode* node = ToNode(position);
    if (!node)
        return;
    if (node == m_pNodeHead)
        m_pNodeHead = node->pNext;
    else
        node->pPrev->pNext = node->pNext;
    if (node == m_pNodeTail)
        m_pNodeTail = node->pPrev;
    else
        node->pNext->pPrev = node->pPrev;
    FreeNode(node);
}

CObject*& CObList::GetHead()
{
    return m_pNodeHead->data;
}

CObject* CObList::GetHead() const
{
    return m_pNodeHead->data;
}

CObject*& CObList::GetTail()
{
    return m_pNodeTail->data;
}

CObject* CObList::GetTail() const
{
    return m_pNodeTail->data;
}

POSITION CObList::GetHeadPosition() const
{
    return ToPosition(m_pNodeHead);
}

POSITION CObList::GetTailPosition() const
{
    return ToPosition(m_pNodeTail);
}

CObject*& CObList::GetNext(POSITION& position)
{
    CNode* node = ToNode(position);
    position = ToPosition(node->pNext);
    return node->data;
}

CObject* CObList::GetNext(POSITION& position) const
{
    CNode* node = ToNode(position);
    position = ToPosition(node->pNext);
    return node->data;
}

CObject*& CObList::GetPrev(POSITION& position)
{
    CNode* node = ToNode(position);
    position = ToPosition(node->pPrev);
    return node->data;
}

CObject* CObList::GetPrev(POSITION& position) const
{
    CNode* node = ToNode(position);
    position = ToPosition(node->pPrev);
    return node->data;
}

CObject*& CObList::GetAt(POSITION position)
{
    return ToNode(position)->data;
}

CObject* CObList::GetAt(POSITION position) const
{
    return ToNode(position)->data;
}

void CObList::SetAt(POSITION position, CObject* element)
{
    ToNode(position)->data = element;
}

POSITION CObList::FindIndex(int index) const
{
    if (index < 0 || index >= m_nCount)
        return nullptr;
    CNode* node = m_pNodeHead;
    while (index-- > 0)
        node = node->pNext;
    return ToPosition(node);
}

POSITION CObList::Find(CObject* element, POSITION start) const
{
    CNode* node = start ? ToNode(start)->pNext : m_pNodeHead;
    for (; node; node = node->pNext) {
        if (node->data == element)
            return ToPosition(node);
    }
    return nullptr;
}
