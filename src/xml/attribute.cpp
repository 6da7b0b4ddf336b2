#include "xml/attribute.h"

#include "xml/scan.h"

#include <array>
#include <memory>
#include <new>

namespace NXML {

namespace {

constexpr std::size_t kSlotCount = 2;
constexpr std::string_view kUsualBeforeName = " ";
constexpr std::string_view kUsualAroundEquals = "=";

using TSlots = std::array<NString::TStr<char>, kSlotCount>;

const TSlots& UsualSlots() {
    static const TSlots slots{NString::TStr<char>(kUsualBeforeName.data()),
                              NString::TStr<char>(kUsualAroundEquals.data())};
    return slots;
}

const TSlots& EmptySlots() {
    static const TSlots slots;
    return slots;
}

} // namespace

CAttribute::~CAttribute() {
    if (m_ownSlots == nullptr)
        return;
    std::destroy_n(m_ownSlots, kSlotCount);
    NMem::Release(m_ownSlots);
}

std::span<NString::TStr<char>> CAttribute::SpaceSlots() {
    if (m_ownSlots == nullptr) {
        void* memory = NMem::Allocate(kSlotCount * sizeof(NString::TStr<char>));
        if (memory == nullptr)
            throw std::bad_alloc();
        auto* slots = static_cast<NString::TStr<char>*>(memory);
        const TSlots& initial = m_usualSpacing ? UsualSlots() : EmptySlots();
        for (std::size_t slot = 0; slot < kSlotCount; ++slot)
            new (slots + slot) NString::TStr<char>(initial[slot]);
        m_ownSlots = slots;
        m_usualSpacing = false;
    }
    return {m_ownSlots, kSlotCount};
}

std::span<const NString::TStr<char>> CAttribute::SpaceSlots() const {
    if (m_ownSlots != nullptr)
        return {m_ownSlots, kSlotCount};
    return m_usualSpacing ? UsualSlots() : EmptySlots();
}

void CAttribute::SetSpaces(std::string_view beforeName, std::string_view aroundEquals) {
    if (m_ownSlots == nullptr && beforeName == kUsualBeforeName &&
        aroundEquals == kUsualAroundEquals) {
        m_usualSpacing = true;
        return;
    }
    const std::span<NString::TStr<char>> slots = SpaceSlots();
    NScan::CopyRange(slots[kSpaceBeforeName], beforeName.data(),
                     beforeName.data() + beforeName.size());
    NScan::CopyRange(slots[kSpaceAroundEquals], aroundEquals.data(),
                     aroundEquals.data() + aroundEquals.size());
}

CAttribute* AttributeFrom(CNode* node) {
    while (node != nullptr && node->GetType() != kTypeAttribute)
        node = node->NextSibling();
    return static_cast<CAttribute*>(node);
}

CAttribute* CAttribute::NextAttribute() const {
    return AttributeFrom(NextSibling());
}

const CAttribute* CAttribute::FirstOfItsList() const {
    // The list head is a bare NPtr::CNode, not an XML node.
    const NPtr::CNode* list = NPtr::CNode::Parent();
    return list != nullptr ? AttributeFrom(static_cast<CNode*>(list->FirstChild())) : this;
}

} // namespace NXML
