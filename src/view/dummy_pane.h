#pragma once

#include <QWidget>

// What stands where the result pane will be until an operation is loaded:
// an empty area in the workspace colour (the palette's Dark role, the colour
// of a window's empty client area behind its documents).
class CDummyPane final : public QWidget {
public:
    explicit CDummyPane(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
