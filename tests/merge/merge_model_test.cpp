#include "../formats/formats_test_support.h"
#include "formats/file_spec.h"
#include "merge/attribute_block.h"
#include "merge/content_block.h"
#include "merge/element_block.h"
#include "merge/merged_text_with_gaps.h"
#include "merge/text_metrics.h"
#include "merge/view_notifications.h"
#include "merge_test_support.h"
#include "xml/element.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using MergeTest::COperation;

namespace {

// Left [a, b x=1, c "t", d], right [b x=2, c "u", d, e]: four differences in
// document order: a only on the left (kept), b's attribute x (open), c's
// text (open), e only on the right (kept).
COperation FourDifferences(bool merge) {
    return COperation(std::nullopt, "<r><a/><b x=\"1\"/><c>t</c><d/></r>",
                      "<r><b x=\"2\"/><c>u</c><d/><e/></r>", merge);
}

struct SStep {
    enum EMove { Next, Previous } move;
    bool conflicts;
    bool moved;
    int current;
};

void RunSteps(CMergeModel& model, const std::vector<SStep>& steps) {
    for (std::size_t index = 0; index < steps.size(); ++index) {
        const SStep& step = steps[index];
        const bool could = step.move == SStep::Next ? model.CanGoNext(step.conflicts)
                                                    : model.CanGoPrevious(step.conflicts);
        const bool moved = step.move == SStep::Next ? model.GoNext(step.conflicts)
                                                    : model.GoPrevious(step.conflicts);
        EXPECT_EQ(could, step.moved) << "step " << index;
        EXPECT_EQ(moved, step.moved) << "step " << index;
        EXPECT_EQ(model.CurrentIndex(), step.current) << "step " << index;
    }
}

TEST(MergeModel, StepsThroughDifferencesAndConflictsOfAMerge) {
    COperation operation = FourDifferences(true);
    EXPECT_EQ(operation.model.DifferenceCount(), 4u);
    EXPECT_EQ(operation.model.ConflictCount(), 2u);
    EXPECT_EQ(operation.model.CurrentDifference(), nullptr);
    RunSteps(operation.model, {
                                  {SStep::Previous, false, false, -1},
                                  {SStep::Next, false, true, 0},
                                  {SStep::Next, true, true, 1},
                                  {SStep::Next, true, true, 2},
                                  {SStep::Next, true, false, 2},
                                  {SStep::Next, false, true, 3},
                                  {SStep::Next, false, false, 3},
                                  {SStep::Previous, true, true, 2},
                                  {SStep::Previous, true, true, 1},
                                  {SStep::Previous, true, false, 1},
                                  {SStep::Previous, false, true, 0},
                                  {SStep::Previous, false, false, 0},
                              });
}

TEST(MergeModel, ConflictsCannotBeSteppedToInACompare) {
    COperation operation = FourDifferences(false);
    EXPECT_EQ(operation.model.ConflictCount(), 4u);
    RunSteps(operation.model, {
                                  {SStep::Next, true, false, -1},
                                  {SStep::Next, false, true, 0},
                                  {SStep::Next, true, false, 0},
                                  {SStep::Next, false, true, 1},
                                  {SStep::Previous, true, false, 1},
                              });
}

// Records what the model tells the view.
class CRecordingView final : public CViewNotifications {
public:
    void RepaintSelector(const CBlockSelector& selector) override {
        events.push_back("repaint " + std::to_string(model->IndexOf(&selector)));
    }
    void RefreshPanes() override { events.push_back("refresh"); }

    const CMergeModel* model = nullptr;
    std::vector<std::string> events;
};

TEST(MergeModel, SetCurrentRepaintsTheFormerAndTheNewDifference) {
    COperation operation = FourDifferences(true);
    CRecordingView view;
    view.model = &operation.model;
    const CScopedViewNotifications installed(view);

    EXPECT_TRUE(operation.model.SetCurrent(&operation.Difference(1)));
    EXPECT_TRUE(operation.model.SetCurrent(&operation.Difference(3)));
    EXPECT_FALSE(operation.model.SetCurrent(&operation.Difference(3)));
    EXPECT_FALSE(operation.model.SetCurrent(nullptr));
    EXPECT_TRUE(operation.model.IsCurrent(&operation.Difference(3)));
    operation.model.ClearCurrent();
    EXPECT_EQ(view.events, (std::vector<std::string>{"repaint 1", "refresh", "repaint 1",
                                                     "repaint 3", "refresh", "repaint 3"}));
    EXPECT_EQ(operation.model.CurrentDifference(), nullptr);
}

TEST(MergeModel, CollectSelectorsKeepsTheCurrentDifference) {
    COperation operation = FourDifferences(true);
    CBlockSelector* text = &operation.Difference(2);
    operation.model.SetCurrent(text);

    delete &operation.Difference(0);
    operation.model.CollectSelectors();
    EXPECT_EQ(operation.model.DifferenceCount(), 3u);
    EXPECT_EQ(operation.model.CurrentDifference(), text);
    EXPECT_EQ(operation.model.CurrentIndex(), 1);

    delete text;
    operation.model.CollectSelectors();
    EXPECT_EQ(operation.model.DifferenceCount(), 2u);
    EXPECT_EQ(operation.model.CurrentDifference(), nullptr);
}

TEST(MergeModel, ResolvingToASideTheOperationLacksUnresolves) {
    COperation operation = FourDifferences(true);
    CBlockSelector& attribute = operation.Difference(1);
    operation.model.Resolve(attribute, kSideRight);
    EXPECT_EQ(attribute.resolution, 1);
    EXPECT_EQ(attribute.ChosenAlternative(), attribute.AlternativeOfSide(kSideRight));
    EXPECT_EQ(operation.model.ConflictCount(), 1u);
    operation.model.Resolve(attribute, kSideBase);
    EXPECT_EQ(attribute.resolution, -1);
    EXPECT_EQ(attribute.ChosenAlternative(), nullptr);
}

TEST(MergeModel, SelectorQueries) {
    COperation operation = FourDifferences(true);
    // Line 1 is the left alternative of "a", line 2 its right placeholder.
    const CBlockSelector& kept = operation.Difference(0);
    EXPECT_EQ(kept.FirstLine(), 1u);
    EXPECT_EQ(kept.LastLine(), 2u);
    EXPECT_TRUE(kept.IsAlternativeStart(1));
    EXPECT_TRUE(kept.IsAlternativeStart(2));
    EXPECT_FALSE(kept.IsAlternativeStart(3));
    EXPECT_EQ(kept.FirstAlternativeWithNode(), kept.AlternativeOfSide(kSideLeft));
    EXPECT_EQ(kept.AlternativeOfSide(kSideRight)->node, nullptr);
    EXPECT_EQ(kept.AlternativeOfSide(kSideBase), nullptr);

    const CBlockSelector& added = operation.Difference(3);
    EXPECT_EQ(added.FirstAlternativeWithNode(), added.AlternativeOfSide(kSideRight));
    EXPECT_EQ(static_cast<CBlockBase*>(added.AlternativeOfSide(kSideRight))->EnclosingSelector(),
              &added);
}

TEST(MergeModel, Colours) {
    COperation merge = FourDifferences(true);
    const CMergeModel& model = merge.model;
    EXPECT_EQ(model.SelectorBackground(merge.Difference(0)), 0xE8E8E8u);
    EXPECT_EQ(model.SelectorBackground(merge.Difference(1)), 0xF0F0FFu);
    EXPECT_EQ(model.SelectorBackground(merge.Difference(2)), 0xE0E0FFu);
    EXPECT_EQ(model.SelectorBackground(merge.Difference(3)), 0xF0F0F0u);

    // "a" is resolved to the left: its left line is the chosen one.
    EXPECT_EQ(model.AlternativeLineBackground(merge.Difference(0), 1), 0xE3C29Bu);
    EXPECT_EQ(model.AlternativeLineBackground(merge.Difference(0), 2), 0xF0FBF2u);
    EXPECT_EQ(model.AlternativeLineBackground(merge.Difference(0), 0), 0u);
    // The attribute is open: neither line is the chosen one.
    const TLine attributeLine = merge.Difference(1).FirstLine();
    EXPECT_EQ(model.AlternativeLineBackground(merge.Difference(1), attributeLine), 0xFCF8F3u);
    EXPECT_EQ(model.AlternativeLineBackground(merge.Difference(3), merge.Difference(3).LastLine()),
              0x6DD17Cu);

    COperation compare = FourDifferences(false);
    EXPECT_EQ(compare.model.SelectorBackground(compare.Difference(2)), 0xE8E8E8u);
    EXPECT_EQ(compare.model.SelectorBackground(compare.Difference(1)), 0xF0F0F0u);

    COperation threeWay("<r><t>1</t></r>", "<r><t>2</t></r>", "<r><t>1</t></r>", true);
    // Lines: <r>, <t>, then the text's alternatives left, base, right.
    EXPECT_EQ(threeWay.model.AlternativeLineBackground(threeWay.Difference(0), 3), 0xF1FDFEu);
}

TEST(MergeModel, RootLinesAndLookups) {
    COperation operation = FourDifferences(true);
    const CRootBlock& root = operation.model.Root();
    const TLine count = operation.model.LineCount();
    EXPECT_EQ(count, 15u);
    EXPECT_EQ(std::vector<TLine>(root.lines.begin(), root.lines.end()),
              (std::vector<TLine>{kNoLine, count}));
    EXPECT_EQ(root.FirstLine(), 0u);
    EXPECT_EQ(root.LastLine(), count - 1);
    EXPECT_EQ(root.FindLine(count), nullptr);
    EXPECT_NE(root.FindLine(count - 1), nullptr);

    NString::TStr<char16_t> text;
    EXPECT_EQ(root.GetLineText(text, count, nullptr), kSideNone);
    EXPECT_TRUE(text.IsEmpty());

    // The element's end tag, its attribute and its content are found where
    // they are numbered.
    const CBlockBase* b = root.FindLine(3);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->IsElementBlock());
    EXPECT_TRUE(root.FindLine(4)->IsAttributeBlock());
    EXPECT_EQ(root.FindLine(4)->EnclosingElement(), b);
    EXPECT_EQ(root.FindLine(6), b);
}

TEST(MergeModel, LineColours) {
    COperation operation(std::nullopt, "<r a=\"1\"><!--c--></r>", "<r a=\"1\"><!--c--></r>", false);
    const CRootBlock& root = operation.model.Root();
    NString::TStr<char16_t> text;
    std::vector<COLORREF> colours;
    root.GetLineText(text, 0, &colours);
    EXPECT_EQ(colours, std::vector<COLORREF>(2, 0xA00000));
    root.GetLineText(text, 1, &colours);
    EXPECT_EQ(colours, std::vector<COLORREF>(1, 0x0000A0));
    root.GetLineText(text, 3, &colours);
    EXPECT_EQ(colours, std::vector<COLORREF>(8, 0x007000));
}

TEST(MergeModel, WidthsWithTheDefaultMetrics) {
    COperation operation(std::nullopt, "<r a=\"1\" b=\"x\"/>", "<r a=\"2\" b=\"x\" c='3'/>", true);
    CRootBlock& root = operation.model.Root();

    // The left alternative "a =\t"1"": its tab runs to the value column at
    // 112, where the right alternative's value starts too.
    std::vector<SCharPlacement> placements;
    root.FindLine(1)->MeasureLine(1, placements);
    ASSERT_EQ(placements.size(), 8u);
    EXPECT_EQ(placements[3].x, 56);
    EXPECT_EQ(placements[3].width, 56);
    EXPECT_EQ(placements[4].x, 112);
    EXPECT_EQ(placements[7].x, 136);
    EXPECT_EQ(placements[7].width, 0);
    EXPECT_EQ(root.FindLine(2)->GetIndent(), 112);

    EXPECT_EQ(root.GetWidth(), 136);
    CBlockSelector& attribute = operation.Difference(0);
    EXPECT_EQ(attribute.GetWidth(), 136);
    EXPECT_EQ(attribute.FrameLeft(), 122);
    EXPECT_EQ(attribute.FrameRight(), 197);

    const STabStops stops = root.FindLine(3)->GetTabStops();
    EXPECT_EQ(stops.At(0), 64);
    EXPECT_EQ(stops.At(99), 32 + 100 * 32);
    EXPECT_EQ(stops.At(149), 32 + 150 * 32);
}

// Proportional metrics: every character as wide as its code's last digit
// plus one, so widths depend on the text.
class CDigitMetrics final : public CTextMetrics {
public:
    int LineHeight() const override { return 20; }
    int AverageCharWidth() const override { return 5; }
    bool IsFixedPitch() const override { return false; }
    void Advances(std::u16string_view line, std::vector<int>& advances) const override {
        advances.clear();
        for (const char16_t unit : line)
            advances.push_back(unit % 10 + 1);
    }
};

TEST(MergeModel, WidthsFollowTheInstalledMetrics) {
    const CDigitMetrics metrics;
    const CScopedTextMetrics installed(metrics);
    COperation operation(std::nullopt, "<r><x>ab</x><y/></r>", "<r><x>ab</x><y/></r>", false);
    CRootBlock& root = operation.model.Root();
    // "ab" at indent 2 * 20: 'a' (97) is 8 wide, 'b' (98) 9.
    std::vector<SCharPlacement> placements;
    root.FindLine(2)->MeasureLine(2, placements);
    ASSERT_EQ(placements.size(), 3u);
    EXPECT_EQ(placements[1].x, 48);
    EXPECT_EQ(placements[2].x, 57);
    EXPECT_EQ(root.GetWidth(), 57);

    // A cached width stays until it is invalidated upwards.
    auto* text = static_cast<CContentBlock*>(root.FindLine(2));
    text->textLines[0]->text = "abb";
    EXPECT_EQ(root.GetWidth(), 57);
    text->InvalidateWidthUp();
    EXPECT_EQ(root.GetWidth(), 66);
}

TEST(MergeModel, ElementPathsNameIdentifyingAttributes) {
    COperation operation(std::nullopt, "<r><item id=\"7\" key=\"k\"><sub/></item><item/></r>",
                         "<r><item id=\"7\" key=\"k\"><sub/></item><item/></r>", false);
    const auto spec = FormatsTest::ReadSpec("<file name='s' root='r'><element name='item'>"
                                            "<attribute name='id'/><attribute name='missing'/>"
                                            "<attribute name='key'/></element></file>");

    const CRootBlock& root = operation.model.Root();
    NString::TStr<char> path;
    root.FindLine(2)->GetPath(path, spec.get());
    EXPECT_STREQ(path.Text(), "r.item[7][k]");
    root.FindLine(5)->GetPath(path, spec.get());
    EXPECT_STREQ(path.Text(), "r.item[7][k].sub");
    root.FindLine(3)->GetPath(path, spec.get());
    EXPECT_STREQ(path.Text(), "r.item[7][k]");
    root.FindLine(7)->GetPath(path, nullptr);
    EXPECT_STREQ(path.Text(), "r.item");
}

TEST(MergeModel, ModelsAreIndependent) {
    COperation first = FourDifferences(true);
    COperation second(std::nullopt, "<r/>", "<r/>", false);
    first.model.GoNext(false);
    EXPECT_EQ(second.model.DifferenceCount(), 0u);
    EXPECT_EQ(second.model.CurrentIndex(), -1);
    EXPECT_EQ(first.model.CurrentIndex(), 0);
    EXPECT_FALSE(second.model.IsMerge());

    BuildModel(first.model, second.root, second.context);
    EXPECT_EQ(first.model.DifferenceCount(), 0u);
    EXPECT_EQ(first.model.CurrentIndex(), -1);
    EXPECT_EQ(RenderModel(first.model), "0 L 0 <r/>\n");
}

// Thousands of strings, of which each side drops and changes some that the
// other changes too: differences and conflicts below one wide parent.
constexpr int kStrings = 6000;

std::string StringsDocument(int changeEvery, const char* value, int firstAdded) {
    std::string text = "<resources>\n";
    for (int index = 0; index < kStrings; ++index) {
        if (changeEvery != 0 && index % changeEvery == 0)
            continue; // dropped on this side
        const bool changed = changeEvery != 0 && index % changeEvery == 1;
        text += "  <string name=\"s" + std::to_string(index) + "\" q=\"" + (changed ? value : "v") +
                "\">t<b>" + std::to_string(index) + "</b></string>\n";
    }
    for (int added = firstAdded; added < firstAdded + 50; ++added)
        text += "  <string name=\"n" + std::to_string(added) + "\">new</string>\n";
    return text + "</resources>\n";
}

COperation ManyStrings(const CFileSpec& spec) {
    return COperation(StringsDocument(0, "v", 0), StringsDocument(7, "left", 0),
                      StringsDocument(5, "right", 25), true, &spec);
}

// Compared without gtest's diff, which would not end on texts this size.
void ExpectSameLongText(const std::string& shared, const std::string& alone) {
    const auto differ = std::mismatch(shared.begin(), shared.end(), alone.begin(), alone.end());
    EXPECT_TRUE(shared == alone) << "they part at byte " << (differ.first - shared.begin()) << ": "
                                 << alone.substr(0, 80);
}

// Below a parent of thousands of children the blocks are built by several
// threads: they must be the very blocks one thread builds, in the same order,
// differences and their alternatives included.
TEST(MergeModel, BlocksBuiltBySeveralThreadsAreTheBlocksOfOne) {
    const std::unique_ptr<CFileSpec> spec = FormatsTest::ReadSpec(MergeTest::kStringsSpec);
    COperation operation = ManyStrings(*spec);
    const auto built = [&](unsigned threads) {
        operation.context.threads = threads;
        CMergeModel model;
        BuildModel(model, operation.root, operation.context);
        NIO::TBuffer<0> indented;
        EXPECT_TRUE(model.Root().WriteIndented(indented, 0, ""));
        return std::to_string(model.DifferenceCount()) + " " +
               std::to_string(model.ConflictCount()) + "\n" + RenderModel(model) +
               MergeTest::StreamContent(indented);
    };
    const std::string alone = built(1);
    EXPECT_GT(alone.size(), std::size_t{kStrings} * 100);
    ExpectSameLongText(built(4), alone);
}

// The merged text of a parent of thousands of children is written by several
// threads in runs: joined, they must be the text one thread writes, with every
// gap at its place.
TEST(MergeModel, MergedTextWrittenBySeveralThreadsIsTheTextOfOne) {
    const std::unique_ptr<CFileSpec> spec = FormatsTest::ReadSpec(MergeTest::kStringsSpec);
    const COperation operation = ManyStrings(*spec);
    ASSERT_GT(operation.model.ConflictCount(), 100u);
    const auto written = [&](unsigned threads) {
        CMergedTextWithGaps text(threads);
        EXPECT_TRUE(operation.model.Root().WriteMerged(text));
        std::string gaps;
        for (const CMergedTextWithGaps::SGap& gap : text.Gaps())
            gaps += std::to_string(gap.offset) + " " + gap.sides[0] + "|" + gap.sides[1] + "|" +
                    gap.sides[2] + "\n";
        return std::string(text.Text()) + gaps;
    };
    const std::string alone = written(1);
    EXPECT_GT(alone.size(), std::size_t{kStrings} * 40);
    for (const unsigned threads : {2u, 3u, 8u})
        ExpectSameLongText(written(threads), alone);
}

} // namespace
