#include "xml/attribute.h"

namespace NXML {

CAttribute* AttributeFrom(CNode* node) {
    while (node != nullptr && node->GetType() != kTypeAttribute)
        node = node->NextSibling();
    return static_cast<CAttribute*>(node);
}

CAttribute* CAttribute::NextAttribute() const {
    return AttributeFrom(NextSibling());
}

} // namespace NXML
