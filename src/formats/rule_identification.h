#pragma once

#include <string>
#include <vector>

class CElementSpec;
class CFileSpec;

// How an element rule tells its elements apart among their siblings, as the
// preferences edit it: by nothing, by attribute values, by child elements or
// by the text content. The rule's child rules carry the choice.
enum class EIdentification { Nothing, Attributes, ChildElements, Content };

// The kind of the rule's child rules: of its first child rule, Nothing when
// it has none.
EIdentification IdentificationOf(const CElementSpec& rule);

// Makes `rule` identify by `kind`: child rules of any other kind go; Content
// leaves exactly one content rule.
void SetIdentification(CElementSpec& rule, EIdentification kind);

// The names of the attribute or child-element rules that identify by `kind`.
std::vector<std::string> IdentifyingNames(const CElementSpec& rule, EIdentification kind);

// Makes the identifying child rules of `rule` the attribute rules (or child
// element rules) named `names`, in that order. A child element rule that
// stays keeps its own rules.
void SetIdentifyingNames(CElementSpec& rule, EIdentification kind,
                         const std::vector<std::string>& names);

// The names a user may pick from for `kind`, sorted and each once:
// attributes, the known attributes of the specification's rule for the
// element's name; child elements, the names of the specification's element
// rules without "*". Names the rule uses already are always offered, so that
// no identification is lost by showing it.
std::vector<std::string> OfferedNames(const CFileSpec& spec, const CElementSpec& rule,
                                      EIdentification kind);

// The child order an element rule sets.
enum class EChildOrder { Default, Sequenced, Random };
EChildOrder ChildOrderOf(const CElementSpec& rule);
void SetChildOrder(CElementSpec& rule, EChildOrder order);
