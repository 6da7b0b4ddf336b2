#include "app/program_icon_label.h"

#include <QIcon>
#include <QLabel>

namespace {

constexpr int kIconSize = 32;

} // namespace

QLabel* NewProgramIconLabel(QWidget& dialog, const QIcon& programIcon) {
    auto* icon = new QLabel(&dialog);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setFixedSize(kIconSize, kIconSize);
    if (!programIcon.isNull())
        icon->setPixmap(programIcon.pixmap(kIconSize, kIconSize));
    return icon;
}
