#pragma once

#include "view/line_source.h"

class CMergeModel;

// The lines of a merge model's block tree as the caret and search see them.
class CBlockTreeLines final : public ILineSource {
public:
    explicit CBlockTreeLines(const CMergeModel& model) : m_model(model) {}

    int LineCount() const override;
    std::u16string LineText(int line) const override;
    int ColumnX(int line, int column) const override;

private:
    const CMergeModel& m_model;
};
