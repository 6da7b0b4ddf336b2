#pragma once

namespace NXML {

class CNode;

// Whether two nodes are the same for the comparison engine: same kind and
// byte-equal `text`, and by kind also equal attribute names, equal flags and
// equal particles of content models, equal literals and quotes of document
// type declarations, equal namespaces of elements, and equal content models
// of element declarations. An element's attributes and children are not
// compared. Any depth of content model is safe.
bool IsEqual(const CNode& a, const CNode& b);

} // namespace NXML
