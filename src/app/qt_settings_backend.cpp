#include "app/qt_settings_backend.h"

#include "framework/result.h"
#include "services/settings_paths.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <limits>
#include <optional>
#include <type_traits>

using NSettings::CBytes;
using NSettings::CStoredValue;
using NSettings::SValuePath;

namespace {

constexpr QLatin1StringView kOrganisation("Velden");
constexpr QLatin1StringView kApplication("Quillmere");

// Marks text that would otherwise read as a word.
constexpr char16_t kTextMark = u'\'';

QString ToQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

std::u16string ToU16String(QStringView text) {
    return std::u16string(text.utf16(), static_cast<std::size_t>(text.size()));
}

// The QSettings group of a subkey, or nothing for a subkey outside the root.
std::optional<QString> GroupOf(std::u16string_view subkey) {
    const std::u16string_view root(NSettings::kRootPath);
    if (!subkey.starts_with(root))
        return std::nullopt;
    std::u16string_view below = subkey.substr(root.size());
    if (!below.empty()) {
        if (below.front() != u'\\')
            return std::nullopt;
        below.remove_prefix(1);
    }
    QString group = ToQString(below);
    group.replace(u'\\', u'/');
    return group;
}

bool IsStorableName(std::u16string_view name) {
    return !name.empty() && name.find(u'/') == std::u16string_view::npos;
}

QString KeyOf(const QString& group, std::u16string_view name) {
    return group.isEmpty() ? ToQString(name) : group + u'/' + ToQString(name);
}

// Whether `text` is how a word is written; the word when it is.
std::optional<std::uint32_t> AsWord(QStringView text) {
    constexpr qsizetype kMostDigits = 10;
    if (text.isEmpty() || text.size() > kMostDigits)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const qulonglong value = text.toULongLong();
    if (value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

QVariant Encode(const CStoredValue& value) {
    return std::visit(
        [](const auto& content) -> QVariant {
            using T = std::decay_t<decltype(content)>;
            if constexpr (std::is_same_v<T, std::uint32_t>) {
                return QString::number(content);
            } else if constexpr (std::is_same_v<T, std::u16string>) {
                QString text = ToQString(content);
                if (AsWord(text) || text.startsWith(kTextMark))
                    text.prepend(kTextMark);
                return text;
            } else {
                return QByteArray(reinterpret_cast<const char*>(content.data()),
                                  static_cast<qsizetype>(content.size()));
            }
        },
        value);
}

std::optional<CStoredValue> Decode(const QVariant& stored) {
    switch (stored.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray bytes = stored.toByteArray();
        return CBytes(bytes.begin(), bytes.end());
    }
    case QMetaType::QString: {
        const QString text = stored.toString();
        if (text.startsWith(kTextMark))
            return ToU16String(QStringView(text).sliced(1));
        if (const std::optional<std::uint32_t> word = AsWord(text))
            return *word;
        return ToU16String(text);
    }
    default:
        return std::nullopt;
    }
}

int StatusAfterSync(QSettings& settings) {
    settings.sync();
    return settings.status() == QSettings::NoError ? NResult::kOk : NSettings::kStoreFailed;
}

} // namespace

int CQtSettingsBackend::Read(const SValuePath& path, CStoredValue& value) {
    const std::optional<QString> group = GroupOf(path.subkey);
    if (!group)
        return NSettings::kKeyNotOpened;
    if (!IsStorableName(path.name))
        return NSettings::kValueUnreadable;
    const QSettings settings(kOrganisation, kApplication);
    std::optional<CStoredValue> decoded = Decode(settings.value(KeyOf(*group, path.name)));
    if (!decoded)
        return NSettings::kValueUnreadable;
    value = std::move(*decoded);
    return NResult::kOk;
}

int CQtSettingsBackend::Write(const SValuePath& path, const CStoredValue& value) {
    const std::optional<QString> group = GroupOf(path.subkey);
    if (!group)
        return NSettings::kKeyNotOpened;
    if (!IsStorableName(path.name))
        return NSettings::kStoreFailed;
    QSettings settings(kOrganisation, kApplication);
    settings.setValue(KeyOf(*group, path.name), Encode(value));
    return StatusAfterSync(settings);
}

int CQtSettingsBackend::DeleteKey(std::u16string_view subkey) {
    const std::optional<QString> group = GroupOf(subkey);
    if (!group)
        return NSettings::kKeyNotOpened;
    QSettings settings(kOrganisation, kApplication);
    if (group->isEmpty()) {
        settings.clear();
    } else {
        // Key by key: removing the group as a whole would also take a value
        // of the parent that happens to bear the group's name.
        settings.beginGroup(*group);
        const QStringList keys = settings.allKeys();
        for (const QString& key : keys)
            settings.remove(key);
        settings.endGroup();
    }
    return StatusAfterSync(settings);
}
