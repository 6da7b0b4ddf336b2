// Three-way merges of generated documents with random edits on each side,
// over a fixed range of seeds. Every merge must keep these properties:
// - base B, left L, right B gives L byte for byte, and B, B, R gives R,
//   also where L or R changed the layout of what they kept (R's children in
//   R's order, in unordered parents too);
// - X, X, X gives X;
// - a clean result holds every change of either side that the other side
//   did not also touch (and every change both sides made alike);
// - the result parses again and has at most one XML declaration, at its start.
// And a compare matched for a report only reports what the whole match does.
//
// Documents are generated from a small model, so that what each side changed
// can be told from the model alone: every element carries a unique id in its
// attribute "i", texts and comments are unique words, and an element holds
// either one text or elements and comments (never two texts side by side,
// which would read back as one).

#include "../formats/formats_test_support.h"
#include "merge/report.h"
#include "merge_test_support.h"
#include "xml/content.h"
#include "xml/element.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

struct SAttribute {
    std::string name;
    std::string value;
    char quote = '"';
    // The whitespace before the name; the "=" with the whitespace around it.
    std::string before = " ";
    std::string equals = "=";
};

struct SNode {
    bool comment = false;
    // An element's id, written as its attribute "i".
    int id = 0;
    std::string name;
    // In written order; "i" among them.
    std::vector<SAttribute> attributes;
    // A comment's text, or an element's only text ("" for none).
    std::string text;
    // Elements and comments; empty when `text` is not.
    std::vector<SNode> children;

    // Layout. The whitespace before the node among its parent's children;
    // by default a line break and two spaces of indentation a level.
    std::optional<std::string> before;
    // The whitespace before ">" or "/>", and in the end tag.
    std::string tagEnd;
    std::string inEndTag;
    // Without text and children: written with an end tag.
    bool endTag = false;
    // The whitespace before the end tag of an element without text; by
    // default a line break and the indentation after children, else none.
    std::optional<std::string> beforeEnd;

    bool TakesChildren() const { return !comment && text.empty(); }
};

struct SDocument {
    // The XML declaration, "" for none.
    std::string declaration;
    SNode root;
    // Between the declaration and the root, and after the root.
    std::string afterDeclaration = "\n";
    std::string trailing = "\n";
};

// ---- Writing ----

void WriteNode(const SNode& node, int depth, std::string& out) {
    if (node.comment) {
        out += "<!--" + node.text + "-->";
        return;
    }
    out += "<" + node.name;
    for (const SAttribute& attribute : node.attributes)
        out += attribute.before + attribute.name + attribute.equals + attribute.quote +
               attribute.value + attribute.quote;
    out += node.tagEnd;
    if (node.text.empty() && node.children.empty() && !node.endTag) {
        out += "/>";
        return;
    }
    out += ">" + node.text;
    for (const SNode& child : node.children) {
        out += child.before.value_or("\n" + std::string(std::size_t(depth) * 2 + 2, ' '));
        WriteNode(child, depth + 1, out);
    }
    if (node.text.empty())
        out += node.beforeEnd.value_or(
            node.children.empty() ? "" : "\n" + std::string(std::size_t(depth) * 2, ' '));
    out += "</" + node.name + node.inEndTag + ">";
}

std::string Written(const SDocument& document) {
    std::string out =
        document.declaration.empty() ? "" : document.declaration + document.afterDeclaration;
    WriteNode(document.root, 0, out);
    return out + document.trailing;
}

// ---- Generating and editing ----

const char* const kNames[] = {"a", "b", "c"};
const char* const kAttributeNames[] = {"k", "m", "n"};
const char* const kDeclarations[] = {"", "<?xml version=\"1.0\"?>",
                                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                                     "<?xml version='1.0' standalone='yes'?>"};

// Where a node sits: its parent (null for the root) and its index there.
struct SPlace {
    SNode* parent;
    std::size_t index;
    SNode* node;
};

void CollectPlaces(SNode& root, std::vector<SPlace>& places) {
    places.clear();
    places.push_back({nullptr, 0, &root});
    for (std::size_t next = 0; next < places.size(); ++next) {
        SNode* node = places[next].node;
        for (std::size_t index = 0; index < node->children.size(); ++index)
            places.push_back({node, index, &node->children[index]});
    }
}

class CGenerator {
public:
    explicit CGenerator(unsigned seed) : m_random(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, std::size_t N> const T& Pick(const T (&items)[N]) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(N)))];
    }

    SDocument Document() {
        SDocument document;
        document.declaration = Pick(kDeclarations);
        document.root = Element(3);
        document.root.name = "r";
        return document;
    }

    // `document` after up to five random edits.
    SDocument Edited(SDocument document) {
        const int edits = Below(6);
        for (int edit = 0; edit < edits; ++edit)
            Edit(document);
        return document;
    }

    // `document` after up to five random changes of layout alone.
    SDocument Relaid(SDocument document) {
        const int changes = Below(6);
        for (int change = 0; change < changes; ++change)
            Relay(document);
        return document;
    }

private:
    // A word used nowhere else in the operation.
    std::string Fresh(const char* prefix) { return prefix + std::to_string(++m_fresh); }

    SNode Element(int depth) {
        SNode element;
        element.id = m_nextId++;
        element.name = Pick(kNames);
        for (const char* name : kAttributeNames)
            if (Chance(40))
                element.attributes.push_back({name, Fresh("v"), Chance(50) ? '"' : '\''});
        const auto idAt = static_cast<std::ptrdiff_t>(Below(int(element.attributes.size()) + 1));
        element.attributes.insert(element.attributes.begin() + idAt,
                                  {"i", std::to_string(element.id), '"'});
        if (depth > 0 && Chance(70)) {
            const int children = Below(5);
            for (int child = 0; child < children; ++child)
                element.children.push_back(Chance(15) ? Comment() : Element(depth - 1));
        } else if (Chance(50)) {
            element.text = Fresh("t");
        }
        return element;
    }

    SNode Comment() {
        SNode comment;
        comment.comment = true;
        comment.text = Fresh("c");
        return comment;
    }

    void Edit(SDocument& document) {
        CollectPlaces(document.root, m_places);
        SPlace place = m_places[static_cast<std::size_t>(Below(int(m_places.size())))];
        SNode& node = *place.node;
        switch (Below(10)) {
        case 0: // set an attribute, new or changed
            if (!node.comment)
                SetAttribute(node, Pick(kAttributeNames), Fresh("v"));
            break;
        case 1: // delete an attribute
            if (!node.comment) {
                const std::string name = Pick(kAttributeNames);
                std::erase_if(node.attributes, [&](const SAttribute& a) { return a.name == name; });
            }
            break;
        case 2: // set a text, new or changed
            if (!node.comment && node.children.empty())
                node.text = Fresh("t");
            break;
        case 3: // delete a text
            if (!node.comment)
                node.text.clear();
            break;
        case 4: // insert an element
        case 5: // insert a comment
            if (node.TakesChildren())
                node.children.insert(node.children.begin() + Below(int(node.children.size()) + 1),
                                     Below(2) == 0 ? Element(1) : Comment());
            break;
        case 6: // delete a node
            if (place.parent != nullptr)
                place.parent->children.erase(place.parent->children.begin() +
                                             static_cast<std::ptrdiff_t>(place.index));
            break;
        case 7: // change a comment
            if (node.comment)
                node.text = Fresh("c");
            break;
        case 8: // move an element
            if (place.parent != nullptr && !node.comment)
                Move(document, place);
            break;
        default:
            if (Chance(30))
                document.declaration = Pick(kDeclarations);
            break;
        }
    }

    void Relay(SDocument& document) {
        static const char* const kTagSpaces[] = {"", " ", "  "};
        static const char* const kAttributeSpaces[] = {" ", "  ", "\n    ", "\t"};
        static const char* const kEquals[] = {"=", " = ", "= "};
        static const char* const kWhitespace[] = {"", " ", "\n", "\n\n  ", "\r\n\t", "\n    "};
        static const char* const kTrailing[] = {"", "\n", "\r\n", "\n\n"};
        CollectPlaces(document.root, m_places);
        const SPlace place = m_places[static_cast<std::size_t>(Below(int(m_places.size())))];
        SNode& node = *place.node;
        std::vector<SAttribute>& attributes = node.attributes;
        SAttribute* attribute =
            attributes.empty()
                ? nullptr
                : &attributes[static_cast<std::size_t>(Below(int(attributes.size())))];
        switch (Below(8)) {
        case 0: // quote marks
            if (attribute != nullptr)
                attribute->quote = attribute->quote == '"' ? '\'' : '"';
            break;
        case 1: // spaces around an attribute
            if (attribute != nullptr) {
                attribute->before = Pick(kAttributeSpaces);
                attribute->equals = Pick(kEquals);
            }
            break;
        case 2: // spaces at the ends of the tags
            node.tagEnd = Pick(kTagSpaces);
            node.inEndTag = Pick(kTagSpaces);
            break;
        case 3: // an empty element's form
            node.endTag = !node.endTag;
            break;
        case 4: // attribute order
            if (attribute != nullptr)
                std::swap(*attribute,
                          attributes[static_cast<std::size_t>(Below(int(attributes.size())))]);
            break;
        case 5: // whitespace before a node
            if (place.parent != nullptr)
                node.before = Pick(kWhitespace);
            break;
        case 6: // whitespace before an end tag
            node.beforeEnd = Pick(kWhitespace);
            break;
        default: // around the root
            document.afterDeclaration = Pick(kWhitespace);
            document.trailing = Pick(kTrailing);
            break;
        }
    }

    static void SetAttribute(SNode& element, const std::string& name, const std::string& value) {
        for (SAttribute& attribute : element.attributes)
            if (attribute.name == name) {
                attribute.value = value;
                return;
            }
        element.attributes.push_back({name, value, '"'});
    }

    // Takes the element out and puts it under another element (or the same
    // one) that takes children; its subtree is no longer there to choose.
    void Move(SDocument& document, const SPlace& place) {
        SNode moved = std::move(*place.node);
        place.parent->children.erase(place.parent->children.begin() +
                                     static_cast<std::ptrdiff_t>(place.index));
        CollectPlaces(document.root, m_places);
        std::vector<SNode*> targets;
        for (const SPlace& candidate : m_places)
            if (candidate.node->TakesChildren())
                targets.push_back(candidate.node);
        SNode& target = *targets[static_cast<std::size_t>(Below(int(targets.size())))];
        target.children.insert(target.children.begin() + Below(int(target.children.size()) + 1),
                               std::move(moved));
    }

    std::mt19937 m_random;
    int m_nextId = 0;
    int m_fresh = 0;
    std::vector<SPlace> m_places;
};

// ---- What a document says, element by element ----

struct SElementState {
    const SNode* node;
    int parent;
};

struct SState {
    std::string declaration;
    std::map<int, std::vector<SElementState>> elements;
    // Comment text -> the ids of the elements that hold it.
    std::map<std::string, std::vector<int>> comments;
    // Owned apart, so that the pointers above survive a move of the state.
    std::unique_ptr<SNode> root;

    const SNode* Element(int id) const {
        const auto found = elements.find(id);
        return found == elements.end() || found->second.size() != 1 ? nullptr
                                                                    : found->second[0].node;
    }
    // The parent's id; -1 for none or for an element held more than once.
    int ParentOf(int id) const {
        const auto found = elements.find(id);
        return found == elements.end() || found->second.size() != 1 ? -1 : found->second[0].parent;
    }
};

std::optional<std::string> AttributeOf(const SNode& element, const std::string& name) {
    for (const SAttribute& attribute : element.attributes)
        if (attribute.name == name)
            return attribute.value;
    return std::nullopt;
}

// The ids and comment texts of the children, in order.
std::vector<std::string> ChildKeys(const SNode& element) {
    std::vector<std::string> keys;
    for (const SNode& child : element.children)
        keys.push_back(child.comment ? "c" + child.text : "e" + std::to_string(child.id));
    return keys;
}

SState StateOf(SNode root, std::string declaration) {
    SState state;
    state.declaration = std::move(declaration);
    state.root = std::make_unique<SNode>(std::move(root));
    std::vector<std::pair<const SNode*, int>> pending{{state.root.get(), -1}};
    while (!pending.empty()) {
        const auto [node, parent] = pending.back();
        pending.pop_back();
        if (node->comment) {
            state.comments[node->text].push_back(parent);
            continue;
        }
        state.elements[node->id].push_back({node, parent});
        for (const SNode& child : node->children)
            pending.emplace_back(&child, node->id);
    }
    return state;
}

// A parsed result read back into the model.
SNode ModelOf(const NXML::CNode& element) {
    SNode node;
    node.name = element.text.Text();
    const auto& xmlElement = static_cast<const NXML::CElement&>(element);
    for (const NXML::CAttribute* a = xmlElement.FirstAttribute(); a != nullptr;
         a = a->NextAttribute())
        node.attributes.push_back({a->name.Text(), a->text.Text(), a->quote});
    node.id = std::stoi(xmlElement.AttributeValue("i"));
    for (const NXML::CNode* child = element.FirstChild(); child != nullptr;
         child = child->NextSibling()) {
        if (child->GetType() == NXML::kTypeElement) {
            node.children.push_back(ModelOf(*child));
        } else if (child->GetType() == NXML::kTypeComment) {
            SNode comment;
            comment.comment = true;
            comment.text = child->text.Text();
            node.children.push_back(std::move(comment));
        } else {
            // Texts are words; what surrounds them is layout from either side.
            const std::string text = child->text.Text();
            const std::size_t first = text.find_first_not_of(" \n");
            if (first != std::string::npos)
                node.text += text.substr(first, text.find_last_not_of(" \n") + 1 - first);
        }
    }
    return node;
}

// ---- Changes: what one side made different from the base ----

struct SChange {
    enum EKind { Attribute, Text, Parent, Gone, CommentIn, CommentGone, Declaration } kind;
    // The element; the holding element for comments.
    int id = 0;
    // The attribute's name or the comment's text.
    std::string name;
    // The attribute's value or text afterwards; none when gone.
    std::optional<std::string> value;
    // Where the element is afterwards.
    int parent = -1;
};

std::string Describe(const SChange& change) {
    static const char* const kKinds[] = {"attribute",  "text",         "parent",     "gone",
                                         "comment in", "comment gone", "declaration"};
    return std::string(kKinds[change.kind]) + " id " + std::to_string(change.id) + " '" +
           change.name + "' = '" + change.value.value_or("<none>") + "' parent " +
           std::to_string(change.parent);
}

std::vector<std::string> Described(const std::vector<SChange>& changes) {
    std::vector<std::string> described;
    for (const SChange& change : changes)
        described.push_back(Describe(change));
    return described;
}

bool Holds(const SChange& change, const SState& state) {
    switch (change.kind) {
    case SChange::Attribute: {
        const SNode* element = state.Element(change.id);
        return element != nullptr && AttributeOf(*element, change.name) == change.value;
    }
    case SChange::Text: {
        const SNode* element = state.Element(change.id);
        return element != nullptr && element->text == change.value.value_or("");
    }
    case SChange::Parent:
        return state.ParentOf(change.id) == change.parent;
    case SChange::Gone:
        return !state.elements.contains(change.id);
    case SChange::CommentIn: {
        const auto found = state.comments.find(change.name);
        return found != state.comments.end() && found->second == std::vector<int>{change.id};
    }
    case SChange::CommentGone:
        return !state.comments.contains(change.name);
    case SChange::Declaration:
        return state.declaration == change.name;
    }
    return false;
}

// The changes of `side` against `base`.
std::vector<SChange> ChangesOf(const SState& base, const SState& side) {
    std::vector<SChange> changes;
    if (side.declaration != base.declaration)
        changes.push_back({SChange::Declaration, 0, side.declaration, {}, -1});
    for (const auto& [id, states] : side.elements) {
        const SNode& node = *states[0].node;
        const SNode* before = base.Element(id);
        if (before == nullptr) {
            if (base.elements.contains(states[0].parent))
                changes.push_back({SChange::Parent, id, "", {}, states[0].parent});
            continue;
        }
        for (const char* name : kAttributeNames)
            if (AttributeOf(node, name) != AttributeOf(*before, name))
                changes.push_back({SChange::Attribute, id, name, AttributeOf(node, name), -1});
        if (node.text != before->text)
            changes.push_back({SChange::Text, id, "", node.text, -1});
        if (states[0].parent != base.ParentOf(id))
            changes.push_back({SChange::Parent, id, "", {}, states[0].parent});
    }
    for (const auto& [id, states] : base.elements)
        if (!side.elements.contains(id) && side.elements.contains(states[0].parent))
            changes.push_back({SChange::Gone, id, "", {}, -1});
    for (const auto& [text, parents] : side.comments)
        if (!base.comments.contains(text) && base.elements.contains(parents[0]))
            changes.push_back({SChange::CommentIn, parents[0], text, {}, -1});
    for (const auto& [text, parents] : base.comments)
        if (!side.comments.contains(text) && side.elements.contains(parents[0]))
            changes.push_back({SChange::CommentGone, parents[0], text, {}, -1});
    return changes;
}

// What one side touched, in terms of the base: attributes, texts, lists of
// children, and the elements it moved or deleted with everything below them.
struct STouched {
    std::set<std::pair<int, std::string>> attributes;
    std::set<int> texts;
    std::set<int> childLists;
    std::set<int> displaced;
    bool declaration = false;

    // Whether anything in the base subtree of `id` was touched.
    bool AnythingBelow(int id, const SState& base) const {
        std::vector<const SNode*> pending{base.Element(id)};
        while (!pending.empty()) {
            const SNode* node = pending.back();
            pending.pop_back();
            if (node->comment)
                continue;
            if (texts.contains(node->id) || childLists.contains(node->id) ||
                displaced.contains(node->id))
                return true;
            for (const char* name : kAttributeNames)
                if (attributes.contains({node->id, name}))
                    return true;
            for (const SNode& child : node->children)
                pending.push_back(&child);
        }
        return false;
    }
};

// The keys of `keys` that `other` holds as well, in the order of `keys`.
std::vector<std::string> Kept(const std::vector<std::string>& keys,
                              const std::vector<std::string>& other) {
    std::vector<std::string> kept;
    for (const std::string& key : keys)
        if (std::find(other.begin(), other.end(), key) != other.end())
            kept.push_back(key);
    return kept;
}

STouched TouchedBy(const SState& base, const SState& side) {
    STouched touched;
    touched.declaration = side.declaration != base.declaration;
    std::vector<const SNode*> displacedRoots;
    for (const auto& [id, states] : base.elements) {
        const SNode& before = *states[0].node;
        const SNode* after = side.Element(id);
        if (after == nullptr || side.ParentOf(id) != states[0].parent) {
            displacedRoots.push_back(&before);
            if (after == nullptr)
                continue;
        }
        for (const char* name : kAttributeNames)
            if (AttributeOf(*after, name) != AttributeOf(before, name))
                touched.attributes.insert({id, name});
        if (after->text != before.text)
            touched.texts.insert(id);
        if (ChildKeys(*after) != ChildKeys(before))
            touched.childLists.insert(id);
        // Children that stayed but in another order count as moved: matched
        // in order, a move is a deletion and an addition.
        if (Kept(ChildKeys(before), ChildKeys(*after)) !=
            Kept(ChildKeys(*after), ChildKeys(before)))
            for (const SNode& child : before.children)
                displacedRoots.push_back(&child);
    }
    while (!displacedRoots.empty()) {
        const SNode* node = displacedRoots.back();
        displacedRoots.pop_back();
        if (node->comment)
            continue;
        touched.displaced.insert(node->id);
        for (const SNode& child : node->children)
            displacedRoots.push_back(&child);
    }
    return touched;
}

// Whether the other side's edits came near `change`: then the merge may
// resolve either way, or leave a conflict.
bool Overlaps(const SChange& change, const SState& base, const STouched& other) {
    switch (change.kind) {
    case SChange::Attribute:
        return other.attributes.contains({change.id, change.name}) ||
               other.displaced.contains(change.id);
    case SChange::Text:
        return other.texts.contains(change.id) || other.displaced.contains(change.id);
    case SChange::Parent:
        return other.displaced.contains(change.parent) ||
               (base.elements.contains(change.id) && other.AnythingBelow(change.id, base));
    case SChange::Gone:
        return other.AnythingBelow(change.id, base);
    case SChange::CommentIn:
    case SChange::CommentGone:
        return other.displaced.contains(change.id) || other.childLists.contains(change.id);
    case SChange::Declaration:
        return other.declaration;
    }
    return true;
}

// ---- Merging ----

struct SMerged {
    bool clean = false;
    std::string text;
};

SMerged Merge(const std::string& base, const std::string& left, const std::string& right,
              const CFileSpec* spec) {
    const MergeTest::COperation operation(base, left, right, true, spec);
    SMerged merged;
    merged.clean = operation.model.ConflictCount() == 0;
    if (merged.clean)
        merged.text = operation.Merged();
    return merged;
}

// Empty when the text is a sound document, else what is wrong with it.
std::string DocumentFault(const std::string& text, std::unique_ptr<NXML::CDoc>& doc) {
    const std::size_t declaration = text.find("<?xml");
    if (declaration != std::string::npos &&
        (declaration != 0 || text.find("<?xml", declaration + 1) != std::string::npos))
        return "an XML declaration elsewhere than at the start, or more than one";
    doc = std::make_unique<NXML::CDoc>();
    if (MergeTest::ParseBytes(*doc, text) != NResult::kOk || doc->FirstChildElement() == nullptr)
        return "does not parse";
    return "";
}

SState StateOfText(const std::string& text, const NXML::CDoc& doc) {
    const std::size_t end = text.find("?>");
    std::string declaration = text.starts_with("<?xml") ? text.substr(0, end + 2) : "";
    return StateOf(ModelOf(*doc.FirstChildElement()), std::move(declaration));
}

// The rules that identify every element by its id, in order or not.
std::unique_ptr<CFileSpec> IdentifyingSpec(bool sequenced) {
    return FormatsTest::ReadSpec(
        std::string("<file name='test' root='r'><element name='*' order='") +
        (sequenced ? "Sequenced" : "Random") + "'><attribute name='i'/></element></file>");
}

constexpr unsigned kFirstSeed = 1;
constexpr unsigned kSeeds = 5000;

TEST(MergeProperties, HoldOnGeneratedDocumentsAndEdits) {
    int cleanMerges = 0;
    int changesChecked = 0;
    for (unsigned seed = kFirstSeed; seed < kFirstSeed + kSeeds; ++seed) {
        CGenerator generator(seed);
        const SDocument baseModel = generator.Document();
        const SDocument leftModel = generator.Edited(baseModel);
        const SDocument rightModel = generator.Edited(baseModel);
        const std::string base = Written(baseModel);
        const std::string left = Written(leftModel);
        const std::string right = Written(rightModel);
        // Without rules (one operation in three) elements are known by
        // their names only: the alignment of siblings must still keep each
        // change on its element.
        const int rules = generator.Below(3);
        const auto spec = rules == 0 ? nullptr : IdentifyingSpec(rules == 1);
        const std::string trace = "seed " + std::to_string(seed) + " rules " +
                                  std::to_string(rules) + "\nbase:\n" + base + "left:\n" + left +
                                  "right:\n" + right;

        for (const std::string& document : {base, left}) {
            const SMerged same = Merge(document, document, document, spec.get());
            ASSERT_TRUE(same.clean) << trace;
            ASSERT_EQ(same.text, document) << trace;
        }
        const SMerged leftOnly = Merge(base, left, base, spec.get());
        ASSERT_TRUE(leftOnly.clean) << trace;
        ASSERT_EQ(leftOnly.text, left) << trace;
        const SState baseState = StateOf(baseModel.root, baseModel.declaration);
        const SState leftState = StateOf(leftModel.root, leftModel.declaration);
        const SState rightState = StateOf(rightModel.root, rightModel.declaration);
        // The right's changes, read back as content (its bytes are checked
        // with layout changes in the test below).
        const SMerged rightOnly = Merge(base, base, right, spec.get());
        ASSERT_TRUE(rightOnly.clean) << trace;
        std::unique_ptr<NXML::CDoc> rightOnlyDoc;
        ASSERT_EQ(DocumentFault(rightOnly.text, rightOnlyDoc), "") << trace;
        const SState rightOnlyState = StateOfText(rightOnly.text, *rightOnlyDoc);
        ASSERT_EQ(Described(ChangesOf(baseState, rightOnlyState)),
                  Described(ChangesOf(baseState, rightState)))
            << trace << "merged:\n"
            << rightOnly.text;
        // In the right's order too: what the right inserted or moved stands
        // where the right put it, in unordered parents as in ordered ones.
        for (const auto& [id, states] : rightState.elements) {
            const SNode* merged = rightOnlyState.Element(id);
            ASSERT_NE(merged, nullptr) << trace << "merged:\n" << rightOnly.text;
            ASSERT_EQ(ChildKeys(*merged), ChildKeys(*states[0].node))
                << "children of " << id << "\n"
                << trace << "merged:\n"
                << rightOnly.text;
        }

        const SMerged merged = Merge(base, left, right, spec.get());
        if (!merged.clean)
            continue;
        ++cleanMerges;
        std::unique_ptr<NXML::CDoc> doc;
        const std::string fault = DocumentFault(merged.text, doc);
        ASSERT_EQ(fault, "") << trace << "merged:\n" << merged.text;
        const SState result = StateOfText(merged.text, *doc);
        const auto checkSide = [&](const SState& side, const SState& other, const char* name) {
            const STouched touched = TouchedBy(baseState, other);
            for (const SChange& change : ChangesOf(baseState, side)) {
                if (!Holds(change, other) && Overlaps(change, baseState, touched))
                    continue;
                ++changesChecked;
                EXPECT_TRUE(Holds(change, result))
                    << name << " change lost: " << Describe(change) << "\n"
                    << trace << "merged:\n"
                    << merged.text;
            }
        };
        checkSide(leftState, rightState, "left");
        checkSide(rightState, leftState, "right");
        if (HasFailure())
            return;
    }
    // The seeds must give enough clean merges with changes to check.
    EXPECT_GT(cleanMerges, int(kSeeds) / 5);
    EXPECT_GT(changesChecked, int(kSeeds));
}

// Layout changes (quote marks, spaces in tags, the empty-element form,
// attribute order, whitespace between nodes, the final line end) next to
// edits: what one side alone changed comes out byte for byte.
TEST(MergeProperties, OneSidesChangesWithLayoutComeOutByteForByte) {
    for (unsigned seed = kFirstSeed; seed < kFirstSeed + kSeeds; ++seed) {
        CGenerator generator(seed);
        const SDocument baseModel = generator.Relaid(generator.Document());
        const std::string base = Written(baseModel);
        const int rules = generator.Below(3);
        const auto spec = rules == 0 ? nullptr : IdentifyingSpec(rules == 1);
        // Where a node inserted or moved among unordered siblings goes is a
        // matter of their order, not of layout: under those rules the side
        // changes its layout alone.
        const std::string changed =
            Written(generator.Relaid(rules == 2 ? baseModel : generator.Edited(baseModel)));
        const std::string trace = "seed " + std::to_string(seed) + " rules " +
                                  std::to_string(rules) + "\nbase:\n" + base + "changed:\n" +
                                  changed;
        for (const bool onTheLeft : {false, true}) {
            const SMerged merged = onTheLeft ? Merge(base, changed, base, spec.get())
                                             : Merge(base, base, changed, spec.get());
            ASSERT_TRUE(merged.clean) << trace;
            ASSERT_EQ(merged.text, changed) << (onTheLeft ? "left " : "right ") << trace;
        }
    }
}

std::string ReportOf(const MergeTest::COperation& operation) {
    NIO::TBuffer<0> out;
    if (!WriteReport(out, operation.model, {}, std::tm{}))
        return "<failed>";
    return MergeTest::StreamContent(out);
}

// A silent compare matches, and makes blocks, only where the sides differ or
// a difference encloses them: what it leaves out must be nothing a report
// shows, with layout changes and edits on either side.
TEST(MergeProperties, ACompareMatchedForAReportOnlyReportsTheSame) {
    int smallerTrees = 0;
    for (unsigned seed = kFirstSeed; seed < kFirstSeed + kSeeds / 5; ++seed) {
        CGenerator generator(seed);
        const SDocument baseModel = generator.Document();
        const std::string base = Written(generator.Relaid(baseModel));
        const std::string left = Written(generator.Relaid(generator.Edited(baseModel)));
        const std::string right = Written(generator.Edited(baseModel));
        const int rules = generator.Below(3);
        const auto spec = rules == 0 ? nullptr : IdentifyingSpec(rules == 1);
        for (const bool threeWay : {false, true}) {
            const std::optional<std::string_view> withBase =
                threeWay ? std::optional<std::string_view>(base) : std::nullopt;
            const MergeTest::COperation whole(withBase, left, right, false, spec.get());
            const MergeTest::COperation reportOnly(withBase, left, right, false, spec.get(), true);
            ASSERT_EQ(ReportOf(reportOnly), ReportOf(whole))
                << "seed " << seed << (threeWay ? " three-way" : " two-way") << " rules " << rules
                << "\nbase:\n"
                << base << "left:\n"
                << left << "right:\n"
                << right;
            smallerTrees += reportOnly.root.ChildCount(true) < whole.root.ChildCount(true);
        }
    }
    // Enough operations must leave something out to show it is left out well.
    EXPECT_GT(smallerTrees, int(kSeeds) / 10);
}

} // namespace
