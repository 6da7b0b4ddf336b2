#pragma once

#include "framework/node.h"

namespace NPtr {

// A tree node that carries a name, for trees looked up by name.
template <class TName> class TNamedNode : public CNode {
public:
    TName name;
};

} // namespace NPtr
