#pragma once

#include <string>

// The displayed lines as the caret, the selection and search see them.
class ILineSource {
public:
    ILineSource() = default;
    ILineSource(const ILineSource&) = delete;
    ILineSource& operator=(const ILineSource&) = delete;
    virtual ~ILineSource() = default;

    virtual int LineCount() const = 0;
    // The text of `line`; empty for a line that does not exist.
    virtual std::u16string LineText(int line) const = 0;
    // The x in pixels, from the text origin, where `column` of `line` starts;
    // the line's length gives where the line ends. Columns past the end are
    // taken as the end.
    virtual int ColumnX(int line, int column) const = 0;
};
