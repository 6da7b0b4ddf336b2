#pragma once

#include "framework/array.h"
#include "framework/str.h"

#include <memory>
#include <new>
#include <utility>

namespace NString {

// A pointer array that owns its strings (`TStr<char>` or `TStr<char16_t>`,
// each in a heap object of its own): clearing or destroying the array deletes
// every string still in it. A string taken out with Remove or PopBack passes
// to the caller; a string given to Add passes to the array unless the call
// returns -1.
template <class S> class TStrArray : public NPtr::TArray<S> {
public:
    TStrArray() = default;
    TStrArray(TStrArray&&) noexcept = default;
    TStrArray& operator=(TStrArray&& other) noexcept {
        if (this != &other) {
            this->DeleteAll();
            NPtr::TArray<S>::operator=(std::move(other));
        }
        return *this;
    }
    ~TStrArray() override { this->DeleteAll(); }

    void Clear(bool free) override {
        this->DeleteAll();
        NPtr::TArray<S>::Clear(free);
    }

    // Appends a copy of `text`; its index, or -1 when memory ran out.
    int AddCopy(const typename S::Char* text) {
        std::unique_ptr<S> copy(new (std::nothrow) S);
        if (copy == nullptr || copy->Assign(text) == 0)
            return -1;
        const int index = this->Add(copy.get());
        if (index >= 0)
            copy.release();
        return index;
    }
};

} // namespace NString
