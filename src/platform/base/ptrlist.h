// A doubly linked list of pointers walked by POSITION, the way the tree-list
// control keeps its children and roots. The list owns its nodes, never the
// pointers it holds. A POSITION is an opaque handle of one node; it stays
// valid until that node is removed.
#pragma once

#include <cstddef>

namespace platform {

struct PositionTag;
using POSITION = PositionTag*;

template <typename T> class PtrList {
  public:
    PtrList() = default;
    PtrList(const PtrList&) = delete;
    PtrList& operator=(const PtrList&) = delete;
    ~PtrList() { RemoveAll(); }

    int GetCount() const { return count_; }
    int GetSize() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    // Head and tail of an empty list: nullptr (never dereferenced).
    T* GetHead() const { return head_ ? head_->value : nullptr; }
    T* GetTail() const { return tail_ ? tail_->value : nullptr; }
    POSITION GetHeadPosition() const { return ToPos(head_); }
    POSITION GetTailPosition() const { return ToPos(tail_); }

    // Returns the element at pos and moves pos on (nullptr after the last).
    T* GetNext(POSITION& pos) const {
        Node* n = FromPos(pos);
        pos = ToPos(n->next);
        return n->value;
    }
    T* GetPrev(POSITION& pos) const {
        Node* n = FromPos(pos);
        pos = ToPos(n->prev);
        return n->value;
    }
    T* GetAt(POSITION pos) const { return FromPos(pos)->value; }
    void SetAt(POSITION pos, T* value) { FromPos(pos)->value = value; }

    POSITION AddHead(T* value) { return InsertBefore(GetHeadPosition(), value); }
    POSITION AddTail(T* value) { return InsertAfter(GetTailPosition(), value); }

    // Inserting before or after a null position adds at the head or the tail.
    POSITION InsertBefore(POSITION pos, T* value) {
        Node* at = FromPos(pos);
        if (!at) at = head_;
        Node* n = new Node{value, at ? at->prev : nullptr, at};
        Link(n);
        return ToPos(n);
    }
    POSITION InsertAfter(POSITION pos, T* value) {
        Node* at = FromPos(pos);
        if (!at) at = tail_;
        Node* n = new Node{value, at, at ? at->next : nullptr};
        Link(n);
        return ToPos(n);
    }

    // Removing from an empty list returns nullptr and changes nothing.
    T* RemoveHead() { return head_ ? Unlink(head_) : nullptr; }
    T* RemoveTail() { return tail_ ? Unlink(tail_) : nullptr; }
    void RemoveAt(POSITION pos) {
        if (pos) Unlink(FromPos(pos));
    }
    void RemoveAll() {
        while (head_)
            Unlink(head_);
    }

    // The first node holding value, searching after start (or from the head);
    // nullptr when there is none.
    POSITION Find(const T* value, POSITION startAfter = nullptr) const {
        Node* n = startAfter ? FromPos(startAfter)->next : head_;
        for (; n; n = n->next)
            if (n->value == value) return ToPos(n);
        return nullptr;
    }
    // The node at a zero-based index; nullptr when out of range.
    POSITION FindIndex(int index) const {
        if (index < 0 || index >= count_) return nullptr;
        Node* n = head_;
        while (index-- > 0)
            n = n->next;
        return ToPos(n);
    }

  private:
    struct Node {
        T* value;
        Node* prev;
        Node* next;
    };

    static POSITION ToPos(Node* n) { return reinterpret_cast<POSITION>(n); }
    static Node* FromPos(POSITION p) { return reinterpret_cast<Node*>(p); }

    void Link(Node* n) {
        if (n->prev)
            n->prev->next = n;
        else
            head_ = n;
        if (n->next)
            n->next->prev = n;
        else
            tail_ = n;
        ++count_;
    }
    T* Unlink(Node* n) {
        if (n->prev)
            n->prev->next = n->next;
        else
            head_ = n->next;
        if (n->next)
            n->next->prev = n->prev;
        else
            tail_ = n->prev;
        T* value = n->value;
        delete n;
        --count_;
        return value;
    }

    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    int count_ = 0;
};

} // namespace platform
