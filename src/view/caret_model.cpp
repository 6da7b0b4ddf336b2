#include "view/caret_model.h"

#include "text/char_classes.h"
#include "view/line_source.h"
#include "view/viewport.h"

#include <algorithm>
#include <string>

namespace {

using NString::IsSpaceChar;
using NString::IsWordChar;

bool IsHorizontal(int command) {
    return command == kCaretLeft || command == kCaretRight || command == kCaretLineStart ||
           command == kCaretLineEnd;
}

// The class a word selection spreads over: 1 word characters, 2 spaces, 0
// anything else (which stands alone).
int WordClass(char16_t unit) {
    if (IsWordChar(unit))
        return 1;
    return IsSpaceChar(unit) ? 2 : 0;
}

// The first and last whole lines of the page, held to the document.
struct SVisibleLines {
    int first;
    int last;
};

SVisibleLines VisibleLines(const IViewport& viewport, int lastLine) {
    const int height = std::max(1, viewport.LineHeight());
    const int top = viewport.VerticalPosition();
    const int first = std::clamp((top + height - 1) / height, 0, lastLine);
    const int last = std::clamp((top + viewport.PageHeight()) / height - 1, first, lastLine);
    return {first, last};
}

} // namespace

std::optional<STextRange> CCaretModel::Selection() const {
    if (!m_anchor.IsSet() || m_anchor == m_caret)
        return std::nullopt;
    return STextRange{std::min(m_anchor, m_caret), std::max(m_anchor, m_caret)};
}

STextPosition CCaretModel::SearchStart(bool upward) const {
    if (const auto selection = Selection())
        return upward ? selection->start : selection->end;
    return From();
}

void CCaretModel::Reset() {
    m_caret = m_anchor = {};
    m_rememberedX = 0;
    m_tracking = 0;
}

int CCaretModel::Clamp() {
    const STextPosition caret = m_caret;
    const STextPosition anchor = m_anchor;
    if (m_lines.LineCount() == 0) {
        Reset();
    } else {
        if (m_caret.IsSet())
            m_caret = Clamped(m_caret);
        if (m_anchor.IsSet())
            m_anchor = Clamped(m_anchor);
    }
    return caret == m_caret && anchor == m_anchor ? kCaretNothingToDo : kCaretActed;
}

int CCaretModel::Move(int command, bool shift, bool ctrl, IViewport& viewport) {
    if (m_lines.LineCount() == 0)
        return kCaretNothingToDo;
    const STextPosition from = From();
    const int top = viewport.VerticalPosition();
    const std::optional<STextPosition> to = Target(command, ctrl, from, viewport);
    if (!to || (*to == from && viewport.VerticalPosition() == top && m_caret == from))
        return kCaretNothingToDo;
    if (!shift)
        m_anchor = {};
    else if (!m_anchor.IsSet())
        m_anchor = from;
    if (IsHorizontal(command))
        PlaceCaret(*to);
    else
        m_caret = *to;
    return kCaretActed;
}

int CCaretModel::SelectAll() {
    if (m_lines.LineCount() == 0)
        return kCaretNothingToDo;
    const int last = LastLine();
    const STextPosition end{last, LineLength(last)};
    const STextPosition start{0, 0};
    return Select({end == start ? STextPosition{} : start, end});
}

int CCaretModel::Select(const STextRange& range) {
    if (m_lines.LineCount() == 0)
        return kCaretNothingToDo;
    const STextPosition anchor = range.start.IsSet() ? Clamped(range.start) : STextPosition{};
    const STextPosition caret = Clamped(range.end);
    if (anchor == m_anchor && caret == m_caret)
        return kCaretNothingToDo;
    m_anchor = anchor;
    PlaceCaret(caret);
    return kCaretActed;
}

int CCaretModel::Press(STextPosition at, bool shift, bool ctrl) {
    if (m_lines.LineCount() == 0)
        return kCaretNothingToDo;
    m_tracking = kButtonDown;
    const STextPosition from = From();
    const STextPosition point = Clamped(at);
    if (at.column < 0) {
        m_tracking |= kLineMode;
        if (!shift)
            m_anchor = {point.line, 0};
        else if (!m_anchor.IsSet())
            m_anchor = from;
        PlaceCaret(LineWiseCaret(point.line));
    } else if (shift) {
        if (!m_anchor.IsSet())
            m_anchor = from;
        PlaceCaret(point);
    } else if (ctrl) {
        return DoubleClick(point);
    } else {
        m_anchor = {};
        PlaceCaret(point);
    }
    return kCaretActed;
}

int CCaretModel::Drag(STextPosition at) {
    if (!ButtonDown() || m_lines.LineCount() == 0)
        return kCaretNothingToDo;
    const STextPosition point = Clamped(at);
    STextPosition to = point;
    if ((m_tracking & kLineMode) != 0) {
        to = LineWiseCaret(point.line);
    } else if ((m_tracking & kWordMode) != 0) {
        const STextRange word = WordAt(point);
        to = point < m_anchor ? word.start : word.end;
    }
    if (to == m_caret)
        return kCaretNothingToDo;
    PlaceCaret(to);
    return kCaretActed;
}

int CCaretModel::DoubleClick(STextPosition at) {
    if (m_lines.LineCount() == 0)
        return kCaretNothingToDo;
    const STextRange word = WordAt(Clamped(at));
    m_anchor = word.start;
    PlaceCaret(word.end);
    m_tracking = kButtonDown | kWordMode;
    return kCaretActed;
}

int CCaretModel::Release() {
    if (m_tracking == 0)
        return kCaretNothingToDo;
    m_tracking = 0;
    return kCaretActed;
}

int CCaretModel::ColumnFromX(int line, int x) const {
    // Columns never stand left of the ones before them, so the nearest is
    // found by halving: measuring every column of a long line is too slow.
    const auto columnX = [&](int column) { return m_lines.ColumnX(line, column); };
    int column = 0;
    for (int end = LineLength(line); column < end;) {
        const int middle = column + (end - column) / 2;
        if (columnX(middle) < x)
            column = middle + 1;
        else
            end = middle;
    }
    // `column` is the first at or right of x (or the line's end); the one
    // before it may be nearer, and wins when as near.
    if (column > 0 && x - columnX(column - 1) <= columnX(column) - x)
        --column;
    while (column > 0 && columnX(column - 1) == columnX(column))
        --column;
    return column;
}

int CCaretModel::LastLine() const {
    return m_lines.LineCount() - 1;
}

int CCaretModel::LineLength(int line) const {
    return static_cast<int>(m_lines.LineText(line).size());
}

STextPosition CCaretModel::Clamped(STextPosition position) const {
    const int line = std::clamp(position.line, 0, std::max(0, LastLine()));
    return {line, std::clamp(position.column, 0, LineLength(line))};
}

STextPosition CCaretModel::From() const {
    return Clamped(m_caret.IsSet() ? m_caret : STextPosition{0, 0});
}

std::optional<STextPosition> CCaretModel::Target(int command, bool ctrl, STextPosition from,
                                                 IViewport& viewport) const {
    switch (command) {
    case kCaretLeft:
        return ctrl ? WordLeft(from) : StepLeft(from);
    case kCaretRight:
        return ctrl ? WordRight(from) : StepRight(from);
    case kCaretUp:
        return ctrl ? ScrollByLine(from, -1, viewport) : LineStep(from, -1);
    case kCaretDown:
        return ctrl ? ScrollByLine(from, 1, viewport) : LineStep(from, 1);
    case kCaretPageUp:
        return Page(from, -1, viewport);
    case kCaretPageDown:
        return Page(from, 1, viewport);
    case kCaretLineStart:
        return ctrl ? STextPosition{0, 0} : Home(from);
    case kCaretLineEnd: {
        const int line = ctrl ? LastLine() : from.line;
        return STextPosition{line, LineLength(line)};
    }
    default:
        return std::nullopt;
    }
}

std::optional<STextPosition> CCaretModel::StepRight(STextPosition from) const {
    if (from.column < LineLength(from.line))
        return STextPosition{from.line, from.column + 1};
    if (from.line < LastLine())
        return STextPosition{from.line + 1, 0};
    return std::nullopt;
}

std::optional<STextPosition> CCaretModel::StepLeft(STextPosition from) const {
    if (from.column > 0)
        return STextPosition{from.line, from.column - 1};
    if (from.line > 0)
        return STextPosition{from.line - 1, LineLength(from.line - 1)};
    return std::nullopt;
}

std::optional<STextPosition> CCaretModel::WordRight(STextPosition from) const {
    std::optional<STextPosition> to = from;
    const std::u16string text = m_lines.LineText(from.line);
    const auto length = static_cast<int>(text.size());
    if (from.column < length && IsWordChar(text[from.column])) {
        while (to->column < length && IsWordChar(text[to->column]))
            ++to->column;
    } else if (!(to = StepRight(from))) {
        return std::nullopt;
    }
    const std::u16string landing = to->line == from.line ? text : m_lines.LineText(to->line);
    while (to->column < static_cast<int>(landing.size()) && IsSpaceChar(landing[to->column]))
        ++to->column;
    return to;
}

std::optional<STextPosition> CCaretModel::WordLeft(STextPosition from) const {
    // Back over what WordRight steps over: the spaces, then the word or one
    // character.
    STextPosition to = from;
    const std::u16string text = m_lines.LineText(from.line);
    while (to.column > 0 && IsSpaceChar(text[to.column - 1]))
        --to.column;
    if (to.column > 0 && IsWordChar(text[to.column - 1])) {
        while (to.column > 0 && IsWordChar(text[to.column - 1]))
            --to.column;
        return to;
    }
    if (const auto step = StepLeft(to))
        return step;
    return to == from ? std::nullopt : std::optional(to);
}

std::optional<STextPosition> CCaretModel::LineStep(STextPosition from, int lines) const {
    const int line = from.line + lines;
    if (line < 0 || line > LastLine())
        return std::nullopt;
    return STextPosition{line, ColumnFromX(line, m_rememberedX)};
}

STextPosition CCaretModel::ScrollByLine(STextPosition from, int direction,
                                        IViewport& viewport) const {
    viewport.ScrollToY(viewport.VerticalPosition() + direction * viewport.LineHeight());
    const SVisibleLines visible = VisibleLines(viewport, LastLine());
    const int line = std::clamp(from.line, visible.first, visible.last);
    if (line == from.line)
        return from;
    return {line, ColumnFromX(line, m_rememberedX)};
}

std::optional<STextPosition> CCaretModel::Page(STextPosition from, int direction,
                                               IViewport& viewport) const {
    if (from.line == (direction < 0 ? 0 : LastLine()))
        return std::nullopt;
    const int pageLines = std::max(1, viewport.PageHeight() / std::max(1, viewport.LineHeight()));
    const int line = std::clamp(from.line + direction * pageLines, 0, LastLine());
    viewport.ScrollToY(viewport.VerticalPosition() + direction * viewport.PageHeight());
    return STextPosition{line, ColumnFromX(line, m_rememberedX)};
}

STextPosition CCaretModel::Home(STextPosition from) const {
    const std::u16string text = m_lines.LineText(from.line);
    const auto firstText = std::ranges::find_if_not(text, IsSpaceChar);
    const auto indent = static_cast<int>(firstText - text.begin());
    return {from.line, from.column == indent ? 0 : indent};
}

STextPosition CCaretModel::AfterLine(int line) const {
    if (line < LastLine())
        return {line + 1, 0};
    return {line, LineLength(line)};
}

STextPosition CCaretModel::LineWiseCaret(int line) const {
    if (line >= m_anchor.line)
        return AfterLine(line);
    return {line, 0};
}

STextRange CCaretModel::WordAt(STextPosition at) const {
    const std::u16string text = m_lines.LineText(at.line);
    const auto length = static_cast<int>(text.size());
    if (length == 0)
        return {at, at};
    // At the line's end, the character before it.
    const int column = std::min(at.column, length - 1);
    const int wordClass = WordClass(text[column]);
    int start = column;
    int end = column + 1;
    if (wordClass != 0) {
        while (start > 0 && WordClass(text[start - 1]) == wordClass)
            --start;
        while (end < length && WordClass(text[end]) == wordClass)
            ++end;
    }
    return {{at.line, start}, {at.line, end}};
}

void CCaretModel::PlaceCaret(STextPosition position) {
    m_caret = position;
    m_rememberedX = m_lines.ColumnX(position.line, position.column);
}
