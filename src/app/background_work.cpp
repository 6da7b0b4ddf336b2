#include "app/background_work.h"

#include "framework/job_manager.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>

namespace {

class CBackgroundJob final : public NSys::CJob {
public:
    CBackgroundJob(const std::function<void()>& work, QEventLoop& loop)
        : m_work(work), m_loop(&loop) {}

    void Execute() override {
        m_work();
        QMetaObject::invokeMethod(
            m_loop, [loop = m_loop] { loop->quit(); }, Qt::QueuedConnection);
    }

private:
    const std::function<void()>& m_work;
    QPointer<QEventLoop> m_loop;
};

} // namespace

bool RunInBackground(const std::function<void()>& work) {
    QEventLoop loop;
    const NPtr::THolder<NSys::CJob> job(new CBackgroundJob(work, loop));
    if (!NSys::QueueJob(job, 0))
        return false;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return true;
}
