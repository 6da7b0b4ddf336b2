#include "framework/node.h"
#include "framework/result.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using NPtr::CNode;

namespace {

class CCountedNode : public CNode {
public:
    explicit CCountedNode(int& deleted) : m_deleted(deleted) {}
    ~CCountedNode() override { ++m_deleted; }

private:
    int& m_deleted;
};

// The children of `parent`, walked forwards; the backward walk must agree.
std::vector<CNode*> Children(const CNode& parent) {
    std::vector<CNode*> children;
    for (CNode* child = parent.ChildAt(0); child != nullptr; child = child->NextSibling())
        children.push_back(child);
    std::vector<CNode*> backwards;
    for (CNode* child = parent.LastChild(); child != nullptr; child = child->PreviousSibling())
        backwards.insert(backwards.begin(), child);
    EXPECT_EQ(backwards, children);
    return children;
}

class NodeFamily : public ::testing::Test {
protected:
    void SetUp() override {
        for (CNode& child : children)
            root.AddChild(&child);
    }
    void TearDown() override {
        // The nodes live on the stack here: unlink them so nobody deletes them.
        while (CNode* child = root.FirstChild())
            root.RemoveChild(child);
        while (CNode* child = loner.FirstChild())
            loner.RemoveChild(child);
    }

    CNode root;
    CNode children[3];
    CNode loner;
};

} // namespace

TEST_F(NodeFamily, ChildrenAreLinkedInOrderAndCounted) {
    CNode grandchild;
    children[1].AddChild(&grandchild);
    EXPECT_EQ(Children(root), (std::vector<CNode*>{&children[0], &children[1], &children[2]}));
    EXPECT_EQ(root.ChildCount(), 3u);
    EXPECT_EQ(root.ChildAt(2), &children[2]);
    EXPECT_EQ(root.ChildAt(3), nullptr);
    EXPECT_EQ(loner.ChildAt(0), nullptr);
    EXPECT_EQ(children[1].Parent(), &root);
    EXPECT_EQ(children[2].NextSibling(), nullptr);
    EXPECT_EQ(children[0].PreviousSibling(), nullptr);
    EXPECT_EQ(root.Depth(), 0u);
    EXPECT_EQ(grandchild.Depth(), 2u);
    EXPECT_EQ(root.ChildCount(true), 4u);
    children[1].RemoveChild(&grandchild);
}

TEST_F(NodeFamily, AddingBeforeAChildOrAppendingWhenItIsNone) {
    CNode first;
    CNode middle;
    CNode last;
    root.AddChild(&first, &children[0]);
    root.AddChild(&middle, &children[2]);
    root.AddChild(&last, &loner);
    EXPECT_EQ(Children(root), (std::vector<CNode*>{&first, &children[0], &children[1], &middle,
                                                   &children[2], &last}));
    for (CNode* added : {&first, &middle, &last})
        root.RemoveChild(added);
}

TEST_F(NodeFamily, AddingAChildOfAnotherParentMovesIt) {
    EXPECT_EQ(loner.AddChild(&children[0]), NResult::kOk);
    EXPECT_EQ(children[0].Parent(), &loner);
    EXPECT_EQ(Children(loner), (std::vector<CNode*>{&children[0]}));
    EXPECT_EQ(Children(root), (std::vector<CNode*>{&children[1], &children[2]}));
    // Moving within the same parent.
    root.AddChild(&children[2], &children[1]);
    EXPECT_EQ(Children(root), (std::vector<CNode*>{&children[2], &children[1]}));
}

TEST_F(NodeFamily, RefusesToMakeALoop) {
    loner.AddChild(&root);
    EXPECT_EQ(children[1].AddChild(&loner), NResult::kInvalidArgument);
    EXPECT_EQ(children[1].AddChild(&root), NResult::kInvalidArgument);
    EXPECT_EQ(root.AddChild(&root), NResult::kInvalidArgument);
    EXPECT_EQ(root.AddChild(nullptr), NResult::kInvalidArgument);
    EXPECT_EQ(root.Parent(), &loner);
    EXPECT_EQ(root.ChildCount(), 3u);
    loner.RemoveChild(&root);
}

TEST_F(NodeFamily, RemovingChildren) {
    EXPECT_EQ(loner.RemoveChild(&children[0]), NResult::kNotAChild);
    EXPECT_EQ(root.RemoveChild(nullptr), NResult::kNotAChild);

    children[0].AddChild(&loner);
    EXPECT_EQ(root.RemoveChild(&children[0]), NResult::kOk);
    EXPECT_EQ(loner.Parent(), &children[0]) << "a removed child keeps its own children";
    children[0].RemoveChild(&loner);
    EXPECT_EQ(root.FirstChild(), &children[1]);
    EXPECT_EQ(children[0].Parent(), nullptr);

    EXPECT_EQ(root.RemoveChild(&children[2]), NResult::kOk);
    EXPECT_EQ(Children(root), (std::vector<CNode*>{&children[1]}));
    EXPECT_EQ(root.RemoveChild(&children[1]), NResult::kOk);
    EXPECT_EQ(root.ChildCount(), 0u);
}

TEST(Node, DeletingAChildUnlinksItFromItsParent) {
    int deleted = 0;
    auto* root = new CCountedNode(deleted);
    auto* first = new CCountedNode(deleted);
    auto* second = new CCountedNode(deleted);
    root->AddChild(first);
    root->AddChild(second);
    first->AddChild(new CCountedNode(deleted));
    delete first;
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(root->FirstChild(), second);
    EXPECT_EQ(root->ChildCount(), 1u);
    root->DeleteChildren();
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(root->FirstChild(), nullptr);
    delete root;
    EXPECT_EQ(deleted, 4);
}

// Each node records its name as it goes, and whether it was still linked.
class CNamedNode : public CNode {
public:
    CNamedNode(char name, std::string& log) : m_name(name), m_log(log) {}
    ~CNamedNode() override {
        m_log += m_name;
        if (Parent() != nullptr || FirstChild() != nullptr)
            m_log += '!';
    }

private:
    char m_name;
    std::string& m_log;
};

TEST(Node, SubtreeIsWalkedAndDeletedInDocumentOrderEachNodeAlreadyDetached) {
    std::string log;
    CNode root;
    std::vector<CNode*> made; // in document order
    auto add = [&log, &made](CNode& parent, char name) -> CNode& {
        made.push_back(new CNamedNode(name, log));
        parent.AddChild(made.back());
        return *made.back();
    };
    CNode& a = add(root, 'a');
    add(a, 'b');
    add(add(a, 'c'), 'd');
    add(add(add(root, 'e'), 'f'), 'g');
    add(root, 'h');
    std::vector<CNode*> walked;
    for (CNode* node = root.NextInSubtree(&root); node != nullptr; node = root.NextInSubtree(node))
        walked.push_back(node);
    EXPECT_EQ(walked, made);
    walked.clear();
    for (CNode* node = a.NextInSubtree(&a); node != nullptr; node = a.NextInSubtree(node))
        walked.push_back(node);
    EXPECT_EQ(walked, std::vector<CNode*>(made.begin() + 1, made.begin() + 4))
        << "the walk stays inside the subtree";
    root.DeleteChildren();
    EXPECT_EQ(log, "abcdefgh");
    EXPECT_EQ(root.FirstChild(), nullptr);
}

TEST(Node, MillionDeepChainIsWalkedAndDestroyedWithoutRecursion) {
    constexpr std::uint32_t kDepth = 1000000;
    int deleted = 0;
    auto* root = new CCountedNode(deleted);
    CNode* deepest = root;
    for (std::uint32_t i = 1; i < kDepth; ++i) {
        auto* child = new CCountedNode(deleted);
        deepest->AddChild(child);
        deepest = child;
    }
    EXPECT_EQ(root->ChildCount(true), kDepth - 1);
    EXPECT_EQ(deepest->Depth(), kDepth - 1);

    delete root;
    EXPECT_EQ(deleted, static_cast<int>(kDepth));
}

// Counts how often its children changed.
class CWatchingNode : public CNode {
public:
    int changes = 0;

protected:
    void ChildrenChanged() override { ++changes; }
};

// Each change of the child list is told to the parent it concerns, and a
// refused change is not.
TEST(Node, ParentsHearOfEveryChangeOfTheirChildren) {
    CWatchingNode from, to;
    auto* child = new CNode;
    auto* other = new CNode;
    struct SStep {
        const char* what;
        std::function<void()> change;
        int fromChanges;
        int toChanges;
    };
    const std::vector<SStep> steps = {
        {"append", [&] { from.AddChild(child); }, 1, 0},
        {"insert before", [&] { from.AddChild(other, child); }, 2, 0},
        {"move to another parent", [&] { to.AddChild(child); }, 3, 1},
        {"refused: a loop", [&] { to.AddChild(&to); }, 3, 1},
        {"refused: not a child", [&] { to.RemoveChild(other); }, 3, 1},
        {"remove", [&] { from.RemoveChild(other); }, 4, 1},
        {"delete a child", [&] { delete child; }, 4, 2},
        {"delete the children",
         [&] {
             from.AddChild(other);
             from.DeleteChildren();
         },
         6, 2},
        {"delete no children", [&] { to.DeleteChildren(); }, 6, 2},
    };
    for (const SStep& step : steps) {
        step.change();
        EXPECT_EQ(from.changes, step.fromChanges) << step.what;
        EXPECT_EQ(to.changes, step.toChanges) << step.what;
    }
}
