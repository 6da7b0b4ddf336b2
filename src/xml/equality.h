#pragma once

namespace NXML {

class CNode;

// Whether two nodes are the same for the comparison engine: same kind and
// byte-equal `text`, and by kind also equal attribute names, equal flags and
// equal particles of content models, equal literals and quotes of document
// type declarations, equal namespaces of elements, equal content models and
// content kinds (EMPTY, ANY, mixed) of element declarations, equal attribute
// definitions of attribute-list declarations, and equal types, defaults and
// allowed values of attribute definitions. An element's
// attributes and children are not
// compared. Any depth of content model is safe.
bool IsEqual(const CNode& a, const CNode& b);

} // namespace NXML
