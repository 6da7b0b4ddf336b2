#include "view/scroll_into_view.h"

#include <algorithm>

namespace {

constexpr int kRoom = 80;
constexpr int kNarrowRoom = 5;

int HorizontalPosition(const SCaretInView& caret) {
    const int room = caret.pageWidth >= kRoom ? kRoom : kNarrowRoom;
    const int x = caret.caretX + caret.textLeft;
    const int position = caret.position.horizontal;
    if (x < position + room)
        return std::max(0, x - room);
    if (x > position + caret.pageWidth - room)
        return std::max(0, x - (caret.pageWidth - room));
    return position;
}

int VerticalPosition(const SCaretInView& caret) {
    const int height = std::max(1, caret.lineHeight);
    const int top = caret.caretLine * height;
    const int position = caret.position.vertical;
    if (top < position)
        return top;
    const int lastWholeLine = (position + caret.pageHeight) / height - 1;
    if (caret.caretLine > lastWholeLine)
        return std::max(0, top + height - caret.pageHeight);
    return position;
}

} // namespace

SScrollPosition ScrollIntoView(const SCaretInView& caret) {
    return {HorizontalPosition(caret), VerticalPosition(caret)};
}

int CentredTopLine(int firstLine, int lineCount, int pageLines) {
    if (lineCount >= pageLines)
        return firstLine;
    return firstLine - (pageLines - lineCount) / 2;
}
