#include "app/progress_dialog.h"

#include "framework/job_manager.h"
#include "framework/window/base_dialog.h"
#include "framework/window/dialog_owner.h"
#include "merge/load_job.h"
#include "translation/translator.h"

#include <QMetaObject>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

constexpr int kProgressBar = 1028;
// The bar's width in pixels: room for a long load to show small steps.
constexpr int kBarWidth = 500;

} // namespace

CProgressDialog::CProgressDialog(QWidget* owner)
    : QDialog(NWindows::DialogOwner(owner)), m_bar(new QProgressBar(this)) {
    setWindowTitle(QString::fromUtf16(NString::NTranslator::Text("Progress.Title").Text()));
    m_bar->setObjectName(NWindows::ControlName(kProgressBar));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(kBarWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_bar);
}

bool CProgressDialog::Run(const NPtr::THolder<NSys::CJob>& job) {
    m_running = true;
    if (!NSys::QueueJob(job, 0)) {
        m_running = false;
        return false;
    }
    exec();
    return true;
}

void CProgressDialog::SetPosition(int percent) {
    QMetaObject::invokeMethod(
        this, [this, percent] { m_bar->setValue(percent); }, Qt::QueuedConnection);
}

void CProgressDialog::End() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_running = false;
            accept();
        },
        Qt::QueuedConnection);
}

void CProgressDialog::reject() {
    if (!m_running)
        QDialog::reject();
}

NPtr::THolder<CLoadJob> RunProgressDialog(COperation& operation, QWidget* mainWindow,
                                          ELoadInputs inputs) {
    CProgressDialog dialog(mainWindow);
    // The load's questions belong to the dialog; their owner is its QWidget.
    QWidget* owner = &dialog;
    NPtr::THolder<CLoadJob> job(new CLoadJob(operation, dialog, owner, inputs));
    if (!dialog.Run(job))
        return {};
    return job;
}
