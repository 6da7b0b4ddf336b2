#include "view/font_set.h"

#include "services/display_settings.h"
#include "services/settings_paths.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>

namespace {

QFont Doubled(QFont font) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(2 * font.pointSizeF());
    else
        font.setPixelSize(2 * font.pixelSize());
    return font;
}

} // namespace

CFontSet::CFontSet() {
    const QFont interface = QGuiApplication::font();
    m_interfaceBold = interface;
    m_interfaceBold.setWeight(QFont::Bold);
    m_bigBold = Doubled(m_interfaceBold);
    m_underlinedInterface = interface;
    m_underlinedInterface.setWeight(QFont::Normal);
    m_underlinedInterface.setUnderline(true);
    ReloadDocumentFont();
}

void CFontSet::ReloadDocumentFont() {
    m_document = DocumentFont(NSettings::ReadXmlFont());
}

QFont CFontSet::DocumentFont(const NSettings::SXmlFont& stored) {
    const QString family = QString::fromUtf16(stored.name.Text());
    QFont font = QFontDatabase::hasFamily(family)
                     ? QFont(family)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(AcceptedSize(stored.size));
    font.setWeight((stored.style & NSettings::kFontStyleBold) != 0 ? QFont::Bold : QFont::Normal);
    font.setItalic((stored.style & NSettings::kFontStyleItalic) != 0);
    return font;
}

int CFontSet::AcceptedSize(std::int64_t points) {
    return static_cast<int>(std::clamp<std::int64_t>(points, kMinimumPoints, kMaximumPoints));
}
