#pragma once

#include "compare/side_order.h"
#include "compare/xml_file.h"
#include "framework/window/base_dialog.h"

#include <QString>
#include <QStringList>
#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QIcon;
class QPushButton;
class QRadioButton;

namespace NSettings {
class CFlags;
class CRecentFiles;
} // namespace NSettings

// The Open dialog: compare or merge, with or without a common base file, and
// the path of each file. It shows what the flags and the recent paths say and
// changes nothing itself; OK closes it only when every path names a file.
class COpenDialog final : public NWindows::CBaseDialog {
public:
    // The title gets the program's name when the dialog has no parent, which
    // is when it stands alone before the main window is shown.
    COpenDialog(const QIcon& programIcon, const NSettings::CFlags& flags,
                const NSettings::CRecentFiles& recentFiles, QWidget* parent = nullptr);

    // What was chosen; meaningful after OK.
    bool Merge() const;
    bool ThreeWay() const;
    // The path of `side` (kSideBase, kSideLeft or kSideRight) as typed.
    QString Path(int side) const;
    // Puts `path` in the side's field in place of the last one accepted.
    void SetPath(int side, const QString& path);

    // Checks the left, right and (when used) base paths in that order and
    // closes the dialog with OK when all name files; otherwise tells the user
    // about the first one that does not and puts the focus there.
    void accept() override;

private:
    // Puts the label, path field and "..." button of `side` in `row`.
    void AddFileRow(QGridLayout& grid, int row, int side, const QStringList& recent);
    // Enables the base row as the base check box says.
    void EnableBase();
    // Lets the user pick the file of `side` with the system's file dialog.
    void Browse(int side);
    // Whether the path of `side` names a file; if not, says so.
    bool CheckPath(int side);

    QRadioButton* m_compare;
    QRadioButton* m_merge;
    QCheckBox* m_useBase;
    std::array<QComboBox*, 3> m_paths{};
    std::array<QPushButton*, 3> m_browse{};
};

// Shows the Open dialog over `owner` (null at start-up, when the main window
// is still hidden: the title then gets " - " and "Misc.AppName"). On OK, with
// every check passed, it has set the pending path of the left and right
// records of `files` (indexed by side) and of the base when "Use a
// Common Base File" is checked (else the base's pending path is emptied), the
// merge and three-way bits and kFlagChosenInOpenDialog of `flags`, and the
// Recent\Left, Recent\Right (Recent\Base) values. On Cancel nothing at all has
// changed.
bool RunOpenDialog(QWidget* owner, const QIcon& programIcon, NSettings::CFlags& flags,
                   const NSettings::CRecentFiles& recentFiles, std::array<CXMLFile, 3>& files);
