#pragma once

#include <span>

class CElementSpec;
namespace NXML {
class CDoc;
}

// Gives element rules that identify nothing an attribute rule, when the
// documents show that an attribute tells elements of the rule's name apart:
// every such element in every document has it with a value that is not
// empty, no two such elements under one parent share its value, and at least
// one parent holds two of them (a name that never has a same-named sibling
// shows nothing about identity). Of several such attributes the first of a
// fixed list of names that documents use for identity wins ("id", "name",
// "android:id", "x:Name", "Include", ...), then the first whose name ends in
// "id", "name" or "key" in any letter case, then the first in document order.
// Rules that already have child rules are left alone. Null documents are
// skipped. The number of rules that got an attribute rule.
int InferIdentityRules(std::span<CElementSpec* const> rules,
                       std::span<const NXML::CDoc* const> documents);
