#pragma once

#include <cstdint>

namespace NPtr {

// A growable array of untyped pointers. It owns its storage, not the objects
// the pointers lead to. Not locked: one thread at a time.
class CArray {
public:
    static constexpr std::uint32_t kDefaultCapacity = 16;

    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    CArray(CArray&& other) noexcept;
    CArray& operator=(CArray&& other) noexcept;
    virtual ~CArray();

    // Moves the elements to storage of `capacity` slots (0 means 16).
    // NResult::kOk, kNoMoreData when `capacity` is not above the count, or
    // kNoMemory.
    virtual int Reserve(std::uint32_t capacity);
    // Empties the array; with `free` set also gives the storage back.
    virtual void Clear(bool free);

    // Appends `item`, doubling the storage when full; its index, or -1 when
    // the storage could not grow.
    int Add(void* item);
    // Removes the first occurrence of `item`; the item, or null when absent.
    void* Remove(const void* item);
    // The element at `index`, taken out; null when out of range.
    void* RemoveAt(std::uint32_t index);
    void* PopBack();
    bool Contains(const void* item) const;
    // Position of the first occurrence of `item`, or -1.
    int IndexOf(const void* item) const;

    std::uint32_t Count() const { return m_count; }
    std::uint32_t Capacity() const { return m_capacity; }
    bool IsEmpty() const { return m_count == 0; }
    void* At(std::uint32_t index) const { return m_items[index]; }
    void** Data() const { return m_items; }

private:
    // Makes room for one more element.
    bool EnsureRoomForOne();

    void** m_items = nullptr;
    std::uint32_t m_count = 0;
    std::uint32_t m_capacity = 0;
};

// CArray of `T*`. The array never deletes its elements unless told to with
// DeleteAll.
template <class T> class TArray : public CArray {
public:
    int Add(T* item) { return CArray::Add(item); }
    T* Remove(const T* item) { return static_cast<T*>(CArray::Remove(item)); }
    T* PopBack() { return static_cast<T*>(CArray::PopBack()); }

    T* At(std::uint32_t index) const { return static_cast<T*>(CArray::At(index)); }
    T* operator[](std::uint32_t index) const { return At(index); }

    class Iterator {
    public:
        explicit Iterator(void* const* position) : m_position(position) {}
        T* operator*() const { return static_cast<T*>(*m_position); }
        Iterator& operator++() {
            ++m_position;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

    private:
        void* const* m_position;
    };
    Iterator begin() const { return Iterator(Data()); }
    Iterator end() const { return Iterator(Data() + Count()); }

    // For arrays that own their elements: deletes each, last first.
    void DeleteAll() {
        while (!IsEmpty())
            delete PopBack();
    }
};

} // namespace NPtr
