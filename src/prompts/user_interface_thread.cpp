#include "prompts/user_interface_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

void RunOnUserInterfaceThread(const std::function<void()>& work) {
    QCoreApplication* application = QCoreApplication::instance();
    Q_ASSERT(application != nullptr);
    // A blocking queued call to one's own thread would wait for itself.
    if (QThread::currentThread() == application->thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(application, work, Qt::BlockingQueuedConnection);
}
