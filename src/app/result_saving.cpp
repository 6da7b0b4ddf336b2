#include "app/result_saving.h"

#include "app/background_work.h"
#include "app/operation_report.h"
#include "framework/buffer.h"
#include "framework/target_file.h"
#include "framework/window/base_dialog.h"
#include "framework/window/file_dialog_filter.h"
#include "merge/operation.h"
#include "merge/result_file.h"
#include "merge/write_failure.h"
#include "services/flags.h"
#include "services/prompts.h"
#include "translation/translator.h"

#include <QFileDialog>

namespace {

using NPrompts::EAnswer;
using NPrompts::EButtons;
using NPrompts::EIcon;
using NString::NTranslator::Text;

EAnswer Ask(QWidget& window, const char* key, EIcon icon, EButtons buttons) {
    return NPrompts::CurrentPrompts().ShowMessage(&window, Text(key).Text(),
                                                  Text("Misc.AppName").Text(), icon, buttons);
}

// The path chosen in the save dialog, starting at `path`; empty when the
// user cancelled.
QString AskForSavePath(QWidget& window, const char* titleKey, const char* filterKey,
                       const NString::TStr<char16_t>& path) {
    return QFileDialog::getSaveFileName(&window, NWindows::TranslatedText(titleKey),
                                        QString::fromUtf16(path.Text()),
                                        NWindows::FileDialogFilter(Text(filterKey).Text()));
}

void Assign(NString::TStr<char16_t>& path, const QString& chosen) {
    path = reinterpret_cast<const char16_t*>(chosen.utf16());
}

} // namespace

CResultSaving::CResultSaving(QWidget& window, COperation& operation, CPath& resultPath,
                             CPath& reportPath, const bool& resultShown)
    : m_window(window), m_operation(operation), m_resultPath(resultPath), m_reportPath(reportPath),
      m_resultShown(resultShown) {}

bool CResultSaving::RefuseWhileConflicts() const {
    if (m_operation.model.ConflictCount() == 0)
        return false;
    Ask(m_window, "Msg.MustResolve", EIcon::Warning, EButtons::Ok);
    return true;
}

bool CResultSaving::Save() {
    if (RefuseWhileConflicts())
        return false;
    if (m_resultPath.IsEmpty())
        return SaveAs();
    return WriteResult();
}

bool CResultSaving::SaveAs() {
    if (RefuseWhileConflicts() || !m_resultShown)
        return false;
    const QString chosen = AskForSavePath(m_window, "Misc.SaveTitle", "Open.Filter", m_resultPath);
    if (chosen.isEmpty())
        return false;
    Assign(m_resultPath, chosen);
    return WriteResult();
}

bool CResultSaving::WriteResult() {
    ESaveResult saved = ESaveResult::Failed;
    const bool ran = RunInBackground([&] {
        saved = SaveMergedResult(m_operation.model, m_operation.files[kSideLeft],
                                 m_operation.LargestInputSize(), m_resultPath.Text());
    });
    if (!ran || saved != ESaveResult::Saved)
        return false;
    m_operation.flags.Clear(NSettings::kFlagResultUnsaved);
    return true;
}

bool CResultSaving::SaveReport() {
    if (!m_resultShown)
        return false;
    const QString chosen =
        AskForSavePath(m_window, "Misc.ReportTitle", "Open.ReportFilter", m_reportPath);
    if (chosen.isEmpty())
        return false;
    Assign(m_reportPath, chosen);
    bool made = false;
    int error = 0;
    const bool ran = RunInBackground([&] {
        NIO::TBuffer<0> report;
        made = WriteOperationReport(report, m_operation);
        if (made)
            error = NIO::WriteBufferToTarget(m_reportPath.Text(), report);
        if (error != 0)
            ShowWriteFailure(m_reportPath.Text(), error);
    });
    if (ran && !made)
        Ask(m_window, "Msg.ReportNotMade", EIcon::Error, EButtons::Ok);
    return ran && made && error == 0;
}

bool CResultSaving::HasUnsavedChanges() const {
    return m_resultShown && m_operation.flags.Has(NSettings::kFlagResultUnsaved);
}

bool CResultSaving::MayDiscardChanges() {
    if (!HasUnsavedChanges())
        return true;
    switch (Ask(m_window, "Msg.UnsavedChanges", EIcon::Question, EButtons::YesNoCancel)) {
    case EAnswer::Yes:
        return Save();
    case EAnswer::No:
        return true;
    default:
        return false;
    }
}

bool CResultSaving::MayClose() {
    if (HasUnsavedChanges() && m_operation.flags.Has(NSettings::kFlagMerge) &&
        m_operation.model.ConflictCount() != 0)
        return Ask(m_window, "Msg.UnsavedConflicts", EIcon::Warning, EButtons::YesNo) ==
               EAnswer::Yes;
    return MayDiscardChanges();
}
