#include "framework/window/file_dialog_filter.h"

#include "framework/str.h"
#include "translation/translator.h"

#include <QRegularExpression>
#include <QStringList>
#include <string>

namespace NWindows {

namespace {

// The parts of a filter text, up to the empty part that ends it.
QStringList FilterParts(const char16_t* translated) {
    NString::TStr<char16_t> text(translated);
    const char16_t* const end = text.Text() + text.Length();
    NString::NTranslator::UnescapeNul(text);
    QStringList parts;
    for (const char16_t* part = text.Text(); part < end && *part != 0;
         part += std::char_traits<char16_t>::length(part) + 1)
        parts.append(QString::fromUtf16(part));
    return parts;
}

QStringList Patterns(const QString& patterns) {
    return patterns.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
}

QString QtPatterns(const QString& patterns) {
    QStringList converted = Patterns(patterns);
    for (QString& pattern : converted)
        if (pattern == u"*.*")
            pattern = QStringLiteral("*");
    return converted.join(u' ');
}

// `description` without a closing "(patterns)" that repeats `patterns`.
QString WithoutPatterns(const QString& description, const QString& patterns) {
    const QString trimmed = description.trimmed();
    const qsizetype open = trimmed.lastIndexOf(u'(');
    if (open < 0 || !trimmed.endsWith(u')'))
        return trimmed;
    const QString shown = trimmed.sliced(open + 1, trimmed.size() - open - 2);
    return Patterns(shown) == Patterns(patterns) ? trimmed.first(open).trimmed() : trimmed;
}

} // namespace

QString FileDialogFilter(const char16_t* translated) {
    const QStringList parts = FilterParts(translated);
    QStringList filters;
    for (qsizetype pair = 0; pair + 1 < parts.size(); pair += 2) {
        const QString& patterns = parts[pair + 1];
        filters.append(WithoutPatterns(parts[pair], patterns) + QStringLiteral(" (") +
                       QtPatterns(patterns) + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace NWindows
