#pragma once

#include <QObject>
#include <QUrl>
#include <vector>

// Takes, while it lives, the addresses that would go to the browser, so that
// a test sees what help or web page the program opens and nothing opens.
class CUrlRecorder final : public QObject {
    Q_OBJECT
public:
    CUrlRecorder();
    ~CUrlRecorder() override;

    std::vector<QUrl> opened;

public slots:
    void Open(const QUrl& url);
};
