#include "framework/array.h"

#include "framework/allocator.h"
#include "framework/result.h"

#include <algorithm>
#include <utility>

namespace NPtr {

CArray::CArray(CArray&& other) noexcept
    : m_items(std::exchange(other.m_items, nullptr)), m_count(std::exchange(other.m_count, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)) {}

CArray& CArray::operator=(CArray&& other) noexcept {
    if (this != &other) {
        NMem::Release(m_items);
        m_items = std::exchange(other.m_items, nullptr);
        m_count = std::exchange(other.m_count, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
    }
    return *this;
}

CArray::~CArray() {
    NMem::Release(m_items);
}

int CArray::Reserve(std::uint32_t capacity) {
    if (capacity == 0)
        capacity = kDefaultCapacity;
    if (capacity == m_capacity)
        return NResult::kOk;
    if (capacity <= m_count)
        return NResult::kNoMoreData;
    auto* items = static_cast<void**>(NMem::Allocate(std::size_t{capacity} * sizeof(void*)));
    if (items == nullptr)
        return NResult::kNoMemory;
    std::copy_n(m_items, m_count, items);
    NMem::Release(m_items);
    m_items = items;
    m_capacity = capacity;
    return NResult::kOk;
}

void CArray::Clear(bool free) {
    m_count = 0;
    if (free) {
        NMem::Release(m_items);
        m_items = nullptr;
        m_capacity = 0;
    }
}

bool CArray::EnsureRoomForOne() {
    if (m_items != nullptr && m_count < m_capacity)
        return true;
    // Doubling past 2^31 wraps to 0, which Reserve turns into 16 and refuses.
    return Reserve(m_capacity * 2) == NResult::kOk;
}

int CArray::Add(void* item) {
    if (!EnsureRoomForOne())
        return -1;
    m_items[m_count] = item;
    return static_cast<int>(m_count++);
}

int CArray::IndexOf(const void* item) const {
    const auto found = std::find(m_items, m_items + m_count, item);
    return found == m_items + m_count ? -1 : static_cast<int>(found - m_items);
}

bool CArray::Contains(const void* item) const {
    return IndexOf(item) >= 0;
}

void* CArray::Remove(const void* item) {
    const int index = IndexOf(item);
    return index < 0 ? nullptr : RemoveAt(static_cast<std::uint32_t>(index));
}

void* CArray::RemoveAt(std::uint32_t index) {
    if (index >= m_count)
        return nullptr;
    void* item = m_items[index];
    std::copy(m_items + index + 1, m_items + m_count, m_items + index);
    --m_count;
    return item;
}

void* CArray::PopBack() {
    return m_count == 0 ? nullptr : m_items[--m_count];
}

} // namespace NPtr
