#pragma once

#include "framework/array.h"
#include "framework/flag_word.h"
#include "framework/node.h"
#include "framework/str.h"

#include <cstdint>

namespace NIO {
class CBase;
}
namespace NXML {
class CElement;
}

class CFileSpec;

// Spec type codes, as GetType reports them.
enum : int {
    kSpecTypeBase = 0,
    kSpecTypeFile = 1,
    kSpecTypeElement = 2,
    kSpecTypeAttribute = 3,
    kSpecTypeContent = 4,
};

// A rule record of a format specification. Rules form a tree: a file
// specification at the root, element rules below it and, below each element
// rule, the rules that identify such an element among its siblings. A rule
// owns its child rules; every child of a rule is a rule.
class CSpecBase : public NPtr::CNode, public NPtr::CFlagWord {
public:
    // The specification must be written to its file.
    static constexpr std::uint32_t kModified = 0x1;
    // Element rules: the children keep a fixed order, or none.
    static constexpr std::uint32_t kSequenced = 0x100;
    static constexpr std::uint32_t kRandom = 0x200;
    static constexpr std::uint32_t kOrderMask = kSequenced | kRandom;
    // File specifications: chosen for the current operation.
    static constexpr std::uint32_t kInUse = 0x80000000;

    // Rules nested deeper than this in a file are not read, so that no file
    // can exhaust the stack of the recursive walks over a specification.
    static constexpr int kDeepestRule = 200;

    CSpecBase() = default;
    CSpecBase& operator=(const CSpecBase&) = delete;

    virtual int GetType() const { return kSpecTypeBase; }
    // A deep copy: name, flags, the type's own fields and every child rule,
    // each copied by its own type.
    virtual CSpecBase* Clone() const { return new CSpecBase(*this); }
    // Fills the record from an element of a specification file; by default
    // it reads the child rules. `depth` is the rule's nesting level.
    virtual void Read(const NXML::CElement& element, int depth);
    // Writes the record and its children, `indent` tabs deep; by default only
    // the children, one tab deeper. NResult::kOk or the first stream failure.
    virtual int Write(NIO::CBase& out, int indent) const;
    // The first file specification in this subtree that is in use, or null.
    virtual CFileSpec* FindInUse();

    CSpecBase* FirstRule() const { return static_cast<CSpecBase*>(FirstChild()); }
    CSpecBase* NextRule() const { return static_cast<CSpecBase*>(NextSibling()); }
    // Appends `rule` to the children (taking ownership).
    void AddRule(CSpecBase* rule) { AddChild(rule); }

    // The first child rule named `name`, byte for byte; null when none is.
    CSpecBase* FindChildRule(const char* name) const;
    // The rule reached by names separated by "." (a child, then its child and
    // so on); null when a part is not found.
    CSpecBase* FindRule(const char* path) const;
    // The `n`-th child rule (from 0) of `type`; null when there is none.
    CSpecBase* FindRuleOfType(int type, int n) const;
    // The identifier the user interface knows a rule by: the parent rule's
    // identifier, or "Formats" at the top, then "#" and the name.
    NString::TStr<char> SpecPath() const;

    // The element, attribute or specification name (UTF-8).
    NString::TStr<char> name;

protected:
    CSpecBase(const CSpecBase& other);

    // Reads the child elements "file", "element", "attribute" and "content"
    // as child rules, in document order; others are skipped.
    void ReadChildRules(const NXML::CElement& element, int depth);
};
