#include "compare_test_support.h"
#include "xml/subtree_hash.h"

#include <string>

using CompareTest::Dump;
using CompareTest::SOperation;

namespace {

struct SCase {
    const char* what;
    SOperation operation;
    const char* dump;
};

const SCase kCases[] = {
    // Ordered matching: nodes present on one side only come out before the
    // nodes that wait for a correspondent further ahead; ties go left.
    {"OrderedMatching.InsertionAgainstChangeLeftComesFirst",
     SOperation("<r>\n  <A/>\n  <B/>\n  <C/>\n</r>\n", "<r>\n  <A/>\n  <X/>\n  <C/>\n</r>\n"),
     "<r> [L R] same\n"
     "  <A> [L R] same\n"
     "  <B> [L -] open\n"
     "  <X> [- R] open\n"
     "  <C> [L R] same\n"},
    {"OrderedMatching.MovedElementBecomesDeletionAndAddition",
     SOperation("<r><B/><A/></r>", "<r><A/><B/></r>"),
     "<r> [L R] same\n"
     "  <B> [L -] open\n"
     "  <A> [L R] same\n"
     "  <B> [- R] open\n"},
    {"OrderedMatching.ThreeWayMergeKeepsDeletionAndAddition",
     SOperation("<r><a/><c/></r>", "<r><a/><b/><c/><d/></r>").Base("<r><a/><b/><c/></r>").Merge(),
     "<r> [L B R] same\n"
     "  <a> [L B R] same\n"
     "  <b> [- B R] pick left\n"
     "  <c> [L B R] same\n"
     "  <d> [- - R] pick right\n"},
    {"OrderedMatching.DocumentChildrenKeepTheirOrderWhateverTheRules",
     SOperation("<!--c--><r/>", "<r/><!--c-->").Rules("<element name='*' order='Random'/>"),
     "<!--c--> [L -] open\n"
     "<r> [L R] same\n"
     "<!--c--> [- R] open\n"},
    // Siblings that only their names tell apart are aligned on the unchanged
    // ones; between those, the most alike pair up.
    {"OrderedMatching.NameOnlySiblingsAlignOnUnchangedOnes",
     SOperation("<r><x n='a'/><x n='b'/></r>", "<r><x n='new'/><x n='a'/><x n='b' v='1'/></r>"),
     "<r> [L R] same\n"
     "  <x> [- R] open\n"
     "    @n=\"new\" [- R] open\n"
     "  <x> [L R] same\n"
     "    @n=\"a\" [L R] same\n"
     "  <x> [L R] same\n"
     "    @n=\"b\" [L R] same\n"
     "    @v=\"1\" [- R] open\n"},
    {"OrderedMatching.NameOnlySiblingsPairByLikeness",
     SOperation("<r><x n='a' k='1'/><x n='b' k='2'/></r>", "<r><x n='b' k='3'/></r>"),
     "<r> [L R] same\n"
     "  <x> [L -] open\n"
     "    @n=\"a\" [L -] open\n"
     "    @k=\"1\" [L -] open\n"
     "  <x> [L R] same\n"
     "    @n=\"b\" [L R] same\n"
     "    @k=\"2\" [L R] open\n"},
    {"OrderedMatching.CommentsAlignOnUnchangedOnes",
     SOperation("<r><!--a--><x/></r>", "<r><!--new--><!--a--><x/></r>"),
     "<r> [L R] same\n"
     "  <!--new--> [- R] open\n"
     "  <!--a--> [L R] same\n"
     "  <x> [L R] same\n"},
    // Unordered matching: children are joined by identity, in the order of the
    // left side; what only the right side has follows its predecessor there.
    {"UnorderedMatching.JoinsByIdentifyingAttribute",
     SOperation("<r>\n <x id='1'/>\n <x id='2'/>\n</r>", "<r>\n <x id='2'/>\n <x id='1'/>\n</r>")
         .Rules("<element name='r' order='Random'/>"
                "<element name='x'><attribute name='id'/></element>"),
     "<r> [L R] same\n"
     "  <x> [L R] same\n"
     "    @id=\"1\" [L R] same\n"
     "  <x> [L R] same\n"
     "    @id=\"2\" [L R] same\n"},
    {"UnorderedMatching.TextOtherThanWhitespaceForcesOrder",
     SOperation("<r><x id='1'/>t<x id='2'/></r>", "<r><x id='2'/>t<x id='1'/></r>")
         .Rules("<element name='r' order='Random'/>"
                "<element name='x'><attribute name='id'/></element>"),
     "<r> [L R] same\n"
     "  <x> [L -] open\n"
     "    @id=\"1\" [L -] open\n"
     "  \"t\" [L -] open\n"
     "  <x> [L R] same\n"
     "    @id=\"2\" [L R] same\n"
     "  \"t\" [- R] open\n"
     "  <x> [- R] open\n"
     "    @id=\"1\" [- R] open\n"},
    // A rule without child rules does not identify: the default rule does.
    {"UnorderedMatching.NamedRuleWithoutChildRulesFallsBackToDefault",
     SOperation("<r><x key='a' v='1'/></r>", "<r><x key='b'/><x key='a' v='2'/></r>")
         .Rules("<element name='*'><attribute name='key'/></element>"
                "<element name='x'/>"),
     "<r> [L R] same\n"
     "  <x> [- R] open\n"
     "    @key=\"b\" [- R] open\n"
     "  <x> [L R] same\n"
     "    @key=\"a\" [L R] same\n"
     "    @v=\"1\" [L R] open\n"},
    {"UnorderedMatching.CommentsJoinByText",
     SOperation("<r><!--a--><!--b--></r>", "<r><!--b--><!--c--></r>")
         .Rules("<element name='r' order='Random'/>"),
     "<r> [L R] same\n"
     "  <!--a--> [L -] open\n"
     "  <!--b--> [L R] same\n"
     "  <!--c--> [- R] open\n"},
    // An identifying child or text that is missing on both sides is alike:
    // such elements match each other, in order and unordered, and never an
    // element that has the child.
    {"UnorderedMatching.IdentifyingChildMissingOnBothSidesMatches",
     SOperation("<r><x><k>1</k></x><x/></r>", "<r><x/><x><k> 1 </k></x></r>")
         .Rules("<element name='r' order='Random'/>"
                "<element name='x'><element name='k'><content/></element></element>"),
     "<r> [L R] same\n"
     "  <x> [L R] same\n"
     "    <k> [L R] same\n"
     "      \"1\" [L R] open\n"
     "  <x> [L R] same\n"},
    {"OrderedMatching.ElementsWithoutIdentifyingTextMatch",
     SOperation("<r><m n='U'/><m n='F'/><m>x</m></r>",
                "<r><m n='U'/><m n='G'/><m>y</m><m>x</m></r>")
         .Rules("<element name='m'><content/></element>"),
     "<r> [L R] same\n"
     "  <m> [L R] same\n"
     "    @n=\"U\" [L R] same\n"
     "  <m> [L R] same\n"
     "    @n=\"F\" [L R] open\n"
     "  <m> [- R] open\n"
     "    \"y\" [- R] open\n"
     "  <m> [L R] same\n"
     "    \"x\" [L R] same\n"},
    {"AttributeMatching.RuleNamedAttributesComeFirst",
     SOperation("<x a='1' id='7'/>", "<x id='7' b='2' a='1'/>")
         .Rules("<element name='x'><attribute name='id'/></element>"),
     "<x> [L R] same\n"
     "  @id=\"7\" [L R] same\n"
     "  @a=\"1\" [L R] same\n"
     "  @b=\"2\" [- R] open\n"},
    {"DeclarationMatching.DeclarationsJoinByKindAndName",
     SOperation("<!DOCTYPE r [<!ELEMENT r ANY><!ELEMENT s ANY>]><r/>",
                "<!DOCTYPE r [\n<!ELEMENT s ANY>\n<!ELEMENT r EMPTY>\n]><r/>"),
     "<!DOCTYPE r> [L R] same\n"
     "  <!ELEMENT r> [L R] open\n"
     "  <!ELEMENT s> [L R] same\n"
     "<r> [L R] same\n"},
    // Elements of one identity that the order left on one side alone are
    // joined, unless a node pairs that identity already: then each side's
    // extra one is an addition of its own.
    {"SplitElements.APairedIdentityKeepsItsLoneNamesakesApart",
     SOperation("<r><x k='1'>b</x><y/><x k='1'>l</x></r>",
                "<r><x k='1'>r</x><z/><x k='1'>b</x></r>")
         .Base("<r><x k='1'>b</x></r>")
         .Rules("<element name='x'><attribute name='k'/></element>")
         .Merge(),
     "<r> [L B R] same\n"
     "  <x> [- - R] pick right\n"
     "    @k=\"1\" [- - R] pick right\n"
     "    \"r\" [- - R] pick right\n"
     "  <z> [- - R] pick right\n"
     "  <x> [L B R] same\n"
     "    @k=\"1\" [L B R] same\n"
     "    \"b\" [L B R] same\n"
     "  <y> [L - -] pick left\n"
     "  <x> [L - -] pick left\n"
     "    @k=\"1\" [L - -] pick left\n"
     "    \"l\" [L - -] pick left\n"},
    {"Matching.WhitespaceNeverMakesANode", SOperation("<r>\n\t<a/>\n</r>", "<r>  <a/>  </r>"),
     "<r> [L R] same\n"
     "  <a> [L R] same\n"},
};

TEST(Matching, MatchTrees) {
    for (const SCase& test : kCases)
        EXPECT_EQ(Dump(test.operation), test.dump) << test.what;
}

TEST(Matching, DeepDocumentsBuildWithoutRecursion) {
    constexpr int kDepth = 100000;
    std::string text;
    for (int i = 0; i < kDepth; ++i)
        text += "<e>";
    text += "x";
    for (int i = 0; i < kDepth; ++i)
        text += "</e>";
    const auto match = CompareTest::Match(SOperation(text, text));
    int depth = 0;
    const CDataNode* node = match->root.FirstChildNode();
    for (; node->FirstChildNode() != nullptr; node = node->FirstChildNode())
        ++depth;
    EXPECT_EQ(depth, kDepth);
    EXPECT_EQ(node->NodeOf(kSideLeft)->text.Text(), std::string("x"));
    EXPECT_NE(node->NodeOf(kSideRight), nullptr);
}

// Gives every node of `forged` the subtree hash of the node at its place in
// `model`, whose shape it must have: a collision at every node.
void ForgeHashes(const NXML::CNode& model, const NXML::CNode& forged) {
    NXML::SubtreeHash(model);
    const NXML::CNode* from = &model;
    const NXML::CNode* to = &forged;
    for (; from != nullptr; from = static_cast<const NXML::CNode*>(model.NextInSubtree(from)),
                            to = static_cast<const NXML::CNode*>(forged.NextInSubtree(to)))
        to->subtreeHash = from->subtreeHash;
}

// Subtrees whose hashes agree are paired by position without the usual
// matching; each node is still compared when matching reaches it, so
// colliding hashes neither hide a difference nor change the match: here
// the texts, the attributes and the element names differ. A match for a
// report only, which leaves out subtrees that are alike, compares them in
// full before it does.
TEST(Matching, CollidingSubtreeHashesChangeNothing) {
    const SOperation operations[] = {
        SOperation("<r><b k='1'>x</b><c/></r>", "<r><b k='1'>y</b><c/></r>"),
        SOperation("<r><b k='1'>x</b><c/></r>", "<r><b k='2'>x</b><c/></r>").ReportOnly(),
        SOperation("<r><b k='1'>x</b><c><d/></c></r>", "<r><b k='1'>x</b><c><e/></c></r>")
            .ReportOnly(),
        SOperation("<r><b k='1'>x</b><c/></r>", "<r><b k='1'>x</b><d/></r>")
            .Base("<r><b k='1'>x</b><c/></r>")
            .Merge(),
    };
    for (const SOperation& operation : operations) {
        const std::string honest = Dump(operation);
        ASSERT_TRUE(honest.find("open") != std::string::npos ||
                    honest.find("pick") != std::string::npos)
            << honest;
        auto forged = std::make_unique<CompareTest::SMatch>();
        forged->left = CompareTest::ParseDocument(operation.left);
        forged->right = CompareTest::ParseDocument(operation.right);
        ForgeHashes(*forged->left, *forged->right);
        if (operation.base) {
            forged->base = CompareTest::ParseDocument(*operation.base);
            ForgeHashes(*forged->left, *forged->base);
        }
        forged->context.order.Fill(operation.base.has_value());
        forged->context.merge = operation.merge;
        forged->context.reportOnly = operation.reportOnly;
        forged->root.Match(forged->base.get(), forged->left.get(), forged->right.get(),
                           forged->context);
        EXPECT_EQ(forged->Dump(), honest) << operation.left << " / " << operation.right;
    }
}

} // namespace

// Attributes pair by name however many an element has and in whatever order
// the sides write them: across the point where the name lookup switches from
// a scan to hashing, and beyond it.
TEST(AttributeMatching, NamesPairAtAnyCount) {
    for (const int count : {3, 16, 17, 40}) {
        const auto attribute = [count](int index) {
            return " a" + std::to_string(index) + (index == count - 1 ? "='1'" : "='0'");
        };
        std::string left = "<x";
        std::string right = "<x";
        std::string dump = "<x> [L R] same\n";
        for (int index = 0; index < count; ++index) {
            left += " a" + std::to_string(index) + "='0'";
            // The right side writes them in reverse order.
            right += attribute(count - 1 - index);
            dump += "  @a" + std::to_string(index) + "=\"0\" [L R] " +
                    (index == count - 1 ? "open\n" : "same\n");
        }
        EXPECT_EQ(Dump(SOperation(left + "/>", right + "/>")), dump) << count << " attributes";
    }
}
