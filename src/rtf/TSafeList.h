#pragma once
// Owning, ordered, doubly linked list: elements are appended at the tail and
// read from the head; clearing or destroying the list frees the elements.
#include <cstddef>
#include <iterator>
#include <memory>

template <typename T>
struct TNode {
    TNode* next = nullptr;
    TNode* previous = nullptr;
    T* element = nullptr;
};

template <typename T>
class TSafeList {
public:
    TSafeList() = default;
    TSafeList(const TSafeList&) = delete;
    TSafeList& operator=(const TSafeList&) = delete;
    virtual ~TSafeList() { Clear(); }

    // Takes ownership; a null element is refused.
    bool Append(T* element) {
        if (!element) return false;
        auto* node = new TNode<T>;
        node->element = element;
        node->previous = tail_;
        if (tail_) tail_->next = node;
        else head_ = node;
        tail_ = node;
        ++count_;
        return true;
    }
    bool Append(std::unique_ptr<T> element) { return Append(element.release()); }

    void Clear() {
        TNode<T>* node = head_;
        while (node) {
            TNode<T>* next = node->next;
            delete node->element;
            delete node;
            node = next;
        }
        head_ = tail_ = nullptr;
        count_ = 0;
    }

    size_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    T* First() const { return head_ ? head_->element : nullptr; }
    T* Last() const { return tail_ ? tail_->element : nullptr; }
    // The element at a position (insertion order), or none past the end.
    T* At(size_t position) const {
        for (TNode<T>* n = head_; n; n = n->next)
            if (position-- == 0) return n->element;
        return nullptr;
    }

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T**;
        using reference = T*;
        explicit Iterator(TNode<T>* n) : node_(n) {}
        T* operator*() const { return node_->element; }
        Iterator& operator++() {
            node_ = node_->next;
            return *this;
        }
        bool operator==(const Iterator& o) const { return node_ == o.node_; }

    private:
        TNode<T>* node_;
    };
    Iterator begin() const { return Iterator(head_); }
    Iterator end() const { return Iterator(nullptr); }

private:
    TNode<T>* head_ = nullptr;
    TNode<T>* tail_ = nullptr;
    size_t count_ = 0;
};
