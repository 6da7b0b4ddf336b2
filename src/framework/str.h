#pragma once

#include "framework/allocator.h"
#include "framework/string_functions.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace NString {

// Capacity of a string that points at borrowed memory.
constexpr std::int32_t kBorrowed = -1;

// A zero-terminated UTF-8 (`char`) or UTF-16 (`char16_t`) string with a small
// inline buffer, heap blocks from the small-block allocator, and a borrowed
// mode in which it points at someone else's text.
//
// N is the inline size in characters; 0 selects the 4-character buffer of
// strings held in objects. A borrowed string never frees its text and never
// writes into it: every change first moves it onto memory of its own.
// Character counts (`count`) are in code points; `offset` is in bytes or units.
template <typename T, int N = 0> class TStr {
    static_assert(std::is_same_v<T, char> || std::is_same_v<T, char16_t>,
                  "TStr holds UTF-8 (char) or UTF-16 (char16_t) text");
    static_assert(N >= 0, "inline size cannot be negative");

public:
    using Char = T;
    using Other = std::conditional_t<std::is_same_v<T, char>, char16_t, char>;
    static constexpr std::int32_t kInlineSize = N == 0 ? 4 : N;

    TStr() { ResetToInline(); }
    explicit TStr(const T* text) : TStr() { Assign(text); }
    TStr(const T* text, int count) : TStr() { Assign(text, count); }
    explicit TStr(const Other* text) : TStr() { Assign(text); }
    TStr(const TStr& other) : TStr() { Assign(other.Text()); }
    template <int M> explicit TStr(const TStr<T, M>& other) : TStr() { Assign(other.Text()); }
    TStr(TStr&& other) noexcept { TakeFrom(other); }
    ~TStr() { ReleaseBlock(); }

    TStr& operator=(const TStr& other) {
        Assign(other.Text());
        return *this;
    }
    template <int M> TStr& operator=(const TStr<T, M>& other) {
        Assign(other.Text());
        return *this;
    }
    TStr& operator=(TStr&& other) noexcept {
        if (this != &other) {
            ReleaseBlock();
            TakeFrom(other);
        }
        return *this;
    }
    TStr& operator=(const T* text) {
        Assign(text);
        return *this;
    }
    TStr& operator=(const Other* text) {
        Assign(text);
        return *this;
    }

    // Copies the first `count` characters of `text` (null is empty). 1, or 0
    // when memory ran out, which leaves the string empty.
    int Assign(const T* text, int count = kAllCharacters) {
        if (text == nullptr) {
            Clear();
            return 1;
        }
        const int units = PrefixLength(text, count);
        if (Reserve(units) == 0)
            return 0;
        std::memmove(text_, text, static_cast<std::size_t>(units) * sizeof(T));
        text_[units] = 0;
        return 1;
    }

    // Converts from the other encoding, code point by code point.
    int Assign(const Other* text) {
        if (Reserve(ConvertedLength(text)) == 0)
            return 0;
        Convert(text_, text);
        return 1;
    }

    // Points at `text` (null is empty) without copying it.
    void Borrow(const T* text) {
        ReleaseBlock();
        if (text == nullptr)
            return;
        text_ = const_cast<T*>(text);
        capacity_ = kBorrowed;
    }

    // Makes room for `count` units plus a terminator. When there is room
    // already nothing changes; otherwise the content is dropped and a fresh
    // block is allocated. 1, or 0 when memory ran out (the string is then empty).
    int Reserve(int count) {
        if (count < 0)
            count = 0;
        if (capacity_ != kBorrowed && capacity_ > count)
            return 1;
        ReleaseBlock();
        if (count > kLongestText)
            return 0;
        T* block = AllocateChars((count + 4) & ~3);
        if (block == nullptr)
            return 0;
        block[0] = 0;
        text_ = block;
        capacity_ = count + 1;
        return 1;
    }

    // Appends the first `count` characters of `text`, keeping the content.
    // 1, or 0 when memory ran out (the content is then unchanged).
    int Append(const T* text, int count = kAllCharacters) {
        const int units = PrefixLength(text, count);
        if (units == 0)
            return 1;
        const int oldLength = Length();
        if (units > kLongestText - oldLength)
            return 0;
        const int newLength = oldLength + units;
        if (capacity_ != kBorrowed && capacity_ > newLength) {
            std::memmove(text_ + oldLength, text, static_cast<std::size_t>(units) * sizeof(T));
            text_[newLength] = 0;
            return 1;
        }
        const int blockSize = (newLength + 4) & ~3;
        T* block = AllocateChars(blockSize);
        if (block == nullptr)
            return 0;
        std::memcpy(block, text_, static_cast<std::size_t>(oldLength) * sizeof(T));
        // `text` may lie in the old block, so that block goes only after this copy.
        std::memcpy(block + oldLength, text, static_cast<std::size_t>(units) * sizeof(T));
        block[newLength] = 0;
        ReleaseBlock();
        text_ = block;
        capacity_ = blockSize;
        return 1;
    }

    // Empties the string. With `release` (and always for borrowed text) it
    // returns to its inline buffer; otherwise it keeps its block.
    void Clear(bool release = false) {
        if (release || capacity_ == kBorrowed)
            ReleaseBlock();
        else
            text_[0] = 0;
    }

    const T* Text(int offset = 0) const { return text_ + offset; }
    // Writable text of an owned string, for filling after `Reserve`. Writing
    // through it into a borrowed string writes the lender's memory.
    T* Text(int offset = 0) { return text_ + offset; }

    int Length() const { return NString::Length(text_); }
    bool IsEmpty() const { return text_[0] == 0; }
    std::int32_t Capacity() const { return capacity_; }
    bool IsBorrowed() const { return capacity_ == kBorrowed; }

private:
    static constexpr int kLongestText = 0x7FFFFFFF - 4;

    static T* AllocateChars(int count) {
        return static_cast<T*>(NMem::Allocate(static_cast<std::size_t>(count) * sizeof(T)));
    }

    static int ConvertedLength(const char16_t* text) { return Utf8Length(text); }
    static int ConvertedLength(const char* text) { return Utf16Length(text); }

    bool HasHeapBlock() const { return text_ != inline_ && capacity_ != kBorrowed; }

    void ResetToInline() {
        inline_[0] = 0;
        text_ = inline_;
        capacity_ = kInlineSize;
    }

    void ReleaseBlock() {
        if (HasHeapBlock())
            NMem::Release(text_);
        ResetToInline();
    }

    // Moves `other`'s text here and leaves `other` empty; only called when
    // this string holds no block.
    void TakeFrom(TStr& other) {
        if (other.text_ == other.inline_) {
            std::memcpy(inline_, other.inline_, sizeof(inline_));
            text_ = inline_;
            capacity_ = kInlineSize;
        } else {
            text_ = other.text_;
            capacity_ = other.capacity_;
        }
        other.ResetToInline();
    }

    T* text_;
    std::int32_t capacity_;
    T inline_[kInlineSize];
};

// The form for local working strings (file names, messages): values of
// ordinary length never need a heap block.
template <typename T> using TWorkStr = TStr<T, 1028>;

} // namespace NString
