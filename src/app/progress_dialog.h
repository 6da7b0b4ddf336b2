#pragma once

#include "compare/load_progress.h"
#include "framework/target.h"
#include "merge/load_job.h"

#include <QDialog>

class CLoadJob;
class COperation;
class QProgressBar;

namespace NSys {
class CJob;
}

// The modal dialog that a load runs behind: a progress bar from 0 to 100 that
// the job moves from its thread. The job's calls come over as queued calls,
// so the dialog keeps repainting and moving while the job works, and the job
// never touches a widget. It cannot be closed while the job runs: the load
// rebuilds the operation, which nothing may look at until it has ended.
class CProgressDialog final : public QDialog, public CLoadProgress {
public:
    // Belongs to `owner` when that is shown; at start-up, with the main
    // window still hidden, the dialog stands alone with a taskbar entry.
    explicit CProgressDialog(QWidget* owner);

    // Queues `job`, which reports to this dialog, on the normal job queue
    // and shows the dialog until the job ends it. False when the job could
    // not be queued.
    bool Run(const NPtr::THolder<NSys::CJob>& job);

    // Called on the job's thread.
    void SetPosition(int percent) override;
    void End() override;

    // Esc and the window's close button end the dialog only once the job
    // has ended.
    void reject() override;

private:
    QProgressBar* m_bar;
    bool m_running = false;
};

// Loads `operation` anew behind the progress dialog, with the dialog as the
// owner of the load's questions. The ended job, whose FailedSide and
// FailedResult say what failed; an empty holder when it could not be queued.
NPtr::THolder<CLoadJob> RunProgressDialog(COperation& operation, QWidget* mainWindow,
                                          ELoadInputs inputs = ELoadInputs::Read);
