#pragma once

#include "merge/undo_history.h"
#include "view/xml_view.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CBlockTreeLines;
class CCaretModel;
class CMergeModel;
struct STextEditOutcome;
struct SSearchOptions;

// Keeps the caret model, the document view and the merge model in step: the
// view's keys and mouse gestures move the caret and the selection, and the
// window's commands that reach the view (stepping through differences,
// select all, scrolling from outside the view, search, the context menu)
// come here.
class CViewController final : public QObject {
    Q_OBJECT

public:
    explicit CViewController(CXMLView& view);
    ~CViewController() override;

    // The model the view shows (null while none is, or while it is rebuilt).
    void SetModel(CMergeModel* model);

    // Moves to the previous or next difference or conflict and shows it.
    // False when there is none.
    bool Go(bool next, bool conflicts);
    // Scrolls so that the current difference stands in the middle of the page.
    void ShowCurrentDifference();
    // Selects everything and gives the view the focus.
    void SelectAll();
    // The keyboard scroll commands for keys typed outside the view.
    void Scroll(std::uint32_t command);
    // Selects the next match of `text` from the caret and shows it. False
    // when there is none.
    bool FindNext(const std::u16string& text, const SSearchOptions& options);
    // The lines under the caret changed (a resolution, a reload).
    void LinesChanged();

    // The changes made to the result since the load, for undo and redo.
    const CUndoHistory& History() const { return m_history; }
    // Undoes or redoes the last change (or the last one undone) and puts the
    // caret where it was. False when there was nothing to do.
    bool Undo();
    bool Redo();

    // The selection on the system clipboard as text or as the XML of its
    // whole blocks; in a merge its blocks also go to the XML clipboard.
    // False when there was nothing to copy.
    bool Copy(bool asXml);
    // Deletes the blocks the selection touches, for undo. False when nothing
    // was deleted.
    bool DeleteAsXml();
    // Copies the selection as text, then deletes its blocks.
    bool CutAsXml();
    // Inserts the XML clipboard's blocks at the selection or the caret.
    bool PasteXml();
    static bool HasClipboardText();

    // Text editing of the merged result, each one undoable action: typing
    // (the selection replaced), the Delete and Backspace keys, cutting and
    // pasting text. False when the result did not change.
    bool Type(const std::u16string& text);
    bool DeleteForward();
    bool DeleteBackward();
    bool CutText();
    bool PasteText();

signals:
    // The context menu's Properties item: the rule of elements named
    // `element` is to be shown.
    void propertiesRequested(const QString& element);
    // The context menu resolved the difference at the pointer.
    void resolvedFromMenu();
    // The result changed by undo or redo.
    void resultChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MoveByKey(const QKeyEvent& event);
    void OnMouse(CXMLView::EMouse gesture, Qt::KeyboardModifiers modifiers, STextPosition position);
    void ShowContextMenu(QPoint globalPosition, QPoint position);
    void ResolveAt(CBlockSelector& selector, int side);
    // Shows the caret model's caret and anchor in the view, and scrolls the
    // caret into view when asked.
    void Apply(bool scrollToCaret);
    void ShowLines(int firstLine, int lineCount);
    // After records were replayed: the tree laid out again and the caret and
    // anchor placed.
    void ShowReplayed(STextPoint caret, STextPoint anchor);
    // A whole-block change as a text edit (below) whose caret goes to the
    // start of the selection; `change` returns whether it changed the result.
    bool ChangeBlocks(const std::function<bool(STextPoint, STextPoint, CUndoStep*)>& change);
    // Runs `change` as one undoable action from the present caret and
    // selection; after a change the caret goes where the edit says and the
    // selection is dropped.
    bool
    ChangeText(const std::function<STextEditOutcome(STextPoint, STextPoint, CUndoStep*)>& change);
    // The result changed: the tree laid out again, the caret shown, the
    // window told.
    void ShowChange();
    bool TypeKey(const QKeyEvent& event);

    CXMLView& m_view;
    CMergeModel* m_model = nullptr;
    std::unique_ptr<CBlockTreeLines> m_lines;
    std::unique_ptr<CCaretModel> m_caret;
    CUndoHistory m_history;
};

// The view's positions and the block tree's points name the same places.
STextPoint ToTextPoint(STextPosition position);
STextPosition ToTextPosition(STextPoint point);
