#pragma once

#include "framework/str.h"

class COperation;
class QWidget;

// What the main window does with the merged result and the report: saving
// (with the save dialog when no path is known), writing the report, and the
// questions before unsaved work would be lost. Messages belong to `window`.
class CResultSaving {
public:
    using CPath = NString::TStr<char16_t>;

    // `resultShown` says whether a loaded operation is shown; every path and
    // flag is read when needed.
    CResultSaving(QWidget& window, COperation& operation, CPath& resultPath, CPath& reportPath,
                  const bool& resultShown);

    // Writes the merged result to the result path, or asks for one first.
    // Refuses while conflicts remain. True when everything was written; the
    // unsaved flag is cleared only then.
    bool Save();
    // Asks for the result path, then saves there.
    bool SaveAs();
    // Asks for the report path, then writes the report there. True when
    // written.
    bool SaveReport();

    // Before unsaved changes would be thrown away: saves them, lets them go
    // or stops. True to go on.
    bool MayDiscardChanges();
    // Whether the window may close: unsaved changes of a merge that still
    // has conflicts are only confirmed, since they cannot be saved.
    bool MayClose();

private:
    bool HasUnsavedChanges() const;
    bool RefuseWhileConflicts() const;
    bool WriteResult();

    QWidget& m_window;
    COperation& m_operation;
    CPath& m_resultPath;
    CPath& m_reportPath;
    const bool& m_resultShown;
};
