#pragma once

#include <QString>
#include <QUrl>

namespace NUpdate {

// A newer release found by a check; empty until one is found.
struct SUpdateOffer {
    QString newVersion;
    QString ownVersion;
    QUrl installerUrl;
};

} // namespace NUpdate
