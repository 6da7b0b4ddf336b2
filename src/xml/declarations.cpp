#include "xml/declarations.h"

namespace NXML {

const char* CContentParticle::GetClose() const {
    if (HasFlags(kOptional))
        return ")?";
    if (HasFlags(kOneOrMore))
        return ")+";
    if (HasFlags(kZeroOrMore))
        return ")*";
    return ")";
}

} // namespace NXML
