#pragma once

#include "view/text_range.h"

#include <optional>

class ILineSource;
class IViewport;

// What the caret's operations return, as the view's commands do: it acted,
// or there was nothing to do (an edge of the document, no change).
constexpr int kCaretActed = 1;
constexpr int kCaretNothingToDo = 12;

// The movement commands, numbered as the view's commands.
enum ECaretCommand : int {
    kCaretLeft = 0,
    kCaretRight = 1,
    kCaretUp = 2,
    kCaretDown = 3,
    kCaretPageUp = 4,
    kCaretPageDown = 5,
    kCaretLineStart = 6,
    kCaretLineEnd = 7,
};

// The caret, the selection anchor and the remembered x over the displayed
// lines, with the keyboard and mouse rules that move them. It never paints
// and never scrolls sideways: the view compares Caret() and Anchor() before
// and after an operation to repaint, and brings the caret into view with
// ScrollIntoView. The lines must outlive the model.
class CCaretModel {
public:
    explicit CCaretModel(const ILineSource& lines) : m_lines(lines) {}

    // Unset (-1, -1) until placed, and again in an empty document.
    STextPosition Caret() const { return m_caret; }
    // The other end of the selection; unset when there is none.
    STextPosition Anchor() const { return m_anchor; }
    // The caret's x from the text origin, kept while moving up and down so
    // that the caret comes back to its column after a shorter line.
    int RememberedX() const { return m_rememberedX; }
    // The selected stretch in document order, when the anchor is set and
    // differs from the caret.
    std::optional<STextRange> Selection() const;
    // Where a search begins: with a selection its start (upward) or end
    // (downward); else the caret; else the document's start.
    STextPosition SearchStart(bool upward) const;

    // Forgets everything: a new document is shown.
    void Reset();
    // Holds caret and anchor to the lines and columns that exist; the view
    // calls it after every change of the lines under them (an edit, a
    // resolution, a reload). Everything is unset in an empty document.
    int Clamp();

    // One of the movement commands. With `shift` the selection is extended
    // from the caret; without, it is dropped. `ctrl` gives word jumps (left,
    // right), scrolling instead of moving (up, down) and the document's ends
    // (home, end). Up and down with Ctrl and the page commands scroll
    // `viewport` vertically; nothing else here scrolls. At an edge of the
    // document nothing changes, the selection neither.
    int Move(int command, bool shift, bool ctrl, IViewport& viewport);
    int SelectAll();
    // Anchor to the range's start (none when it is unset), caret to its end,
    // both held to the lines.
    int Select(const STextRange& range);

    // The mouse, with points already held to the lines; column -1 is the
    // margin left of the text, where a press selects whole lines. Ctrl with a
    // press, and a double click, select the word under the point; a drag then
    // goes word by word, or line by line after a press in the margin.
    int Press(STextPosition at, bool shift, bool ctrl);
    int Drag(STextPosition at);
    int DoubleClick(STextPosition at);
    // The button is up, or the view lost the mouse.
    int Release();
    bool ButtonDown() const { return (m_tracking & kButtonDown) != 0; }

    // The column of `line` whose x is nearest to `x`, the first of equally
    // near ones; beyond the last character, the line's end.
    int ColumnFromX(int line, int x) const;

private:
    enum ETracking : unsigned {
        kButtonDown = 0x1,
        kLineMode = 0x2,
        kWordMode = 0x4,
    };

    int LastLine() const;
    int LineLength(int line) const;
    STextPosition Clamped(STextPosition position) const;
    // The caret, or the document's start while there is none.
    STextPosition From() const;
    std::optional<STextPosition> Target(int command, bool ctrl, STextPosition from,
                                        IViewport& viewport) const;
    std::optional<STextPosition> StepRight(STextPosition from) const;
    std::optional<STextPosition> StepLeft(STextPosition from) const;
    std::optional<STextPosition> WordRight(STextPosition from) const;
    std::optional<STextPosition> WordLeft(STextPosition from) const;
    std::optional<STextPosition> LineStep(STextPosition from, int lines) const;
    STextPosition ScrollByLine(STextPosition from, int direction, IViewport& viewport) const;
    std::optional<STextPosition> Page(STextPosition from, int direction, IViewport& viewport) const;
    STextPosition Home(STextPosition from) const;
    // Past the end of `line`: the next line's start, or the last line's end.
    STextPosition AfterLine(int line) const;
    // Where a line-wise selection from the anchor to `line` puts the caret.
    STextPosition LineWiseCaret(int line) const;
    // The word-character run, space run or single character at `at`.
    STextRange WordAt(STextPosition at) const;
    // Sets the caret and the remembered x from it.
    void PlaceCaret(STextPosition position);

    const ILineSource& m_lines;
    STextPosition m_caret;
    STextPosition m_anchor;
    int m_rememberedX = 0;
    unsigned m_tracking = 0;
};
