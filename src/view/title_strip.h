#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <vector>

// The strip above the document view that names the compared files in their
// side colours: left, base and right in a three-way operation, left and
// right in a two-way one, in columns that stand above the view's text (the
// strip's right end, as wide as the view's vertical scroll bar, is left
// plain).
class CTitleStrip final : public QWidget {
public:
    // One column as it is painted.
    struct SColumn {
        int side;
        QRect area;
        // The title or the path, shortened to fit.
        QString text;
    };

    explicit CTitleStrip(QWidget* parent = nullptr);

    // What names each side, indexed by kSideBase, kSideLeft and kSideRight:
    // the title where one is given, the file's path otherwise. The base is
    // shown only in a three-way operation.
    void SetFiles(const std::array<QString, 3>& titles, const std::array<QString, 3>& paths,
                  bool threeWay);

    // The height the strip is held at: its bold font's height and a margin.
    int FixedHeight() const;
    // The columns for the present size and files, left to right.
    std::vector<SColumn> Columns() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The sunken panel: everything left of the scroll bar's place.
    QRect PanelArea() const;
    QString TextOf(int side, int width) const;

    std::array<QString, 3> m_titles;
    std::array<QString, 3> m_paths;
    bool m_threeWay = false;
};
