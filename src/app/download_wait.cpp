#include "app/download_wait.h"

#include "framework/window/base_dialog.h"
#include "framework/window/dialog_controls.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

using NWindows::NewControl;

constexpr int kWaitText = 1018;
constexpr int kCancelButton = 2;
constexpr int kPollMilliseconds = 200;

constexpr NWindows::SControlText kTexts[] = {
    {NWindows::kDialogTitle, "Misc.AppName"},
    {kWaitText, "Update.Waiting"},
    {kCancelButton, "Misc.CancelBtn"},
};

// Ends by itself, accepted, once the download no longer runs; Cancel and
// Esc reject it.
class CDownloadWaitDialog final : public NWindows::CBaseDialog {
public:
    CDownloadWaitDialog(std::function<bool()> isRunning, QWidget* parent)
        : CBaseDialog(kTexts, QString{}, parent), m_isRunning(std::move(isRunning)) {
        auto* busy = new QProgressBar(this);
        busy->setRange(0, 0);
        busy->setTextVisible(false);
        auto* buttons = new QDialogButtonBox(this);
        buttons->addButton(QString(), QDialogButtonBox::RejectRole)
            ->setObjectName(NWindows::ControlName(kCancelButton));
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        layout->addWidget(NewControl<QLabel>(*this, kWaitText));
        layout->addWidget(busy);
        layout->addWidget(buttons);
        ApplyTexts();
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this] {
            if (!m_isRunning())
                accept();
        });
        poll->start(kPollMilliseconds);
    }

private:
    std::function<bool()> m_isRunning;
};

} // namespace

bool WaitForDownload(QWidget* owner, std::function<bool()> isRunning) {
    if (!isRunning())
        return true;
    CDownloadWaitDialog dialog(std::move(isRunning), owner);
    return dialog.exec() == QDialog::Accepted;
}
