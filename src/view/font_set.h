#pragma once

#include <QFont>
#include <cstdint>

namespace NSettings {
struct SXmlFont;
}

// The fonts of the document view and its panes: the interface font in bold,
// the same twice as high, the document font of the settings, and the
// interface font underlined.
class CFontSet {
public:
    // The document font sizes in points that the program accepts.
    static constexpr int kMinimumPoints = 1;
    static constexpr int kMaximumPoints = 100;

    // Reads the document font from the settings.
    CFontSet();

    // Reads the document font from the settings again.
    void ReloadDocumentFont();

    const QFont& InterfaceBold() const { return m_interfaceBold; }
    const QFont& BigBold() const { return m_bigBold; }
    const QFont& Document() const { return m_document; }
    const QFont& UnderlinedInterface() const { return m_underlinedInterface; }

    // The font a stored choice gives. A family this machine lacks is replaced
    // by the system's fixed-pitch font at the stored size and style; the
    // stored choice itself is left as it is, so that it still applies where
    // the family exists.
    static QFont DocumentFont(const NSettings::SXmlFont& stored);
    // `points` held to the accepted sizes.
    static int AcceptedSize(std::int64_t points);

private:
    QFont m_interfaceBold;
    QFont m_bigBold;
    QFont m_document;
    QFont m_underlinedInterface;
};
