#pragma once

#include "view/line_source.h"
#include "view/viewport.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ViewTest {

// Lines held in memory, every character 8 pixels wide but combining marks,
// which take no room. Tests change `lines` as a model change would; `reads`
// counts LineText calls per line, `measured` ColumnX calls.
class CFakeLines final : public ILineSource {
public:
    static constexpr int kCharWidth = 8;

    explicit CFakeLines(std::vector<std::u16string> text) : lines(std::move(text)) {}

    int LineCount() const override { return static_cast<int>(lines.size()); }
    std::u16string LineText(int line) const override {
        ++reads[line];
        return Exists(line) ? lines[line] : std::u16string();
    }
    int ColumnX(int line, int column) const override {
        ++measured;
        if (!Exists(line))
            return 0;
        const std::u16string& text = lines[line];
        const auto end = text.begin() + std::clamp<std::ptrdiff_t>(column, 0, text.size());
        return kCharWidth * static_cast<int>(std::count_if(text.begin(), end, TakesRoom));
    }

    std::vector<std::u16string> lines;
    mutable std::map<int, int> reads;
    mutable int measured = 0;

private:
    static bool TakesRoom(char16_t unit) { return unit < 0x0300 || unit > 0x036F; }
    bool Exists(int line) const { return line >= 0 && line < LineCount(); }
};

// A page of `pageLines` lines of 16 pixels over `lineCount` lines, scrolled
// within the content's height.
class CFakeViewport final : public IViewport {
public:
    static constexpr int kLineHeight = 16;

    CFakeViewport(int lineCount, int pageLines, int top = 0)
        : m_lineCount(lineCount), m_pageLines(pageLines), m_position(top * kLineHeight) {}

    int LineHeight() const override { return kLineHeight; }
    int VerticalPosition() const override { return m_position; }
    int PageHeight() const override { return m_pageLines * kLineHeight; }
    void ScrollToY(int y) override {
        m_position = std::clamp(y, 0, std::max(0, (m_lineCount - m_pageLines) * kLineHeight));
    }

private:
    int m_lineCount;
    int m_pageLines;
    int m_position;
};

} // namespace ViewTest
