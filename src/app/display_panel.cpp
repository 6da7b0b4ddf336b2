#include "app/display_panel.h"

#include "app/preferences_target.h"
#include "framework/window/dialog_controls.h"
#include "services/display_settings.h"
#include "services/flags.h"
#include "services/settings_paths.h"
#include "translation/translator.h"
#include "view/font_set.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

namespace {

using NWindows::NewControl;
namespace NTranslator = NString::NTranslator;

constexpr int kLanguageLabel = 1041;
constexpr int kLanguageList = 1044;
constexpr int kFontLabel = 1045;
constexpr int kFontList = 1042;
constexpr int kStyleLabel = 1077;
constexpr int kBoldBox = 1072;
constexpr int kItalicBox = 1073;
constexpr int kSizeLabel = 1078;
constexpr int kSizeField = 1075;
constexpr int kOverviewBox = 1043;
constexpr int kToolbarBox = 1047;

constexpr NWindows::SControlText kTexts[] = {
    {kLanguageLabel, "Prefs.Display.Language"}, {kFontLabel, "Prefs.Display.FontName"},
    {kStyleLabel, "Prefs.Display.FontStyle"},   {kBoldBox, "Prefs.Display.Bold"},
    {kItalicBox, "Prefs.Display.Italic"},       {kSizeLabel, "Prefs.Display.FontSize"},
    {kOverviewBox, "Prefs.Display.Overview"},   {kToolbarBox, "Prefs.Display.Toolbar"},
};

// Any number can be typed, so that a size out of range is refused with a
// word rather than silently changed; the arrows stay within the sizes the
// view accepts.
class CFontSizeBox final : public QSpinBox {
public:
    explicit CFontSizeBox(QWidget* parent) : QSpinBox(parent) {
        setRange(0, 999);
        setObjectName(NWindows::ControlName(kSizeField));
    }
    void stepBy(int steps) override {
        setValue(std::clamp(value() + steps, CFontSet::kMinimumPoints, CFontSet::kMaximumPoints));
    }

protected:
    StepEnabled stepEnabled() const override {
        StepEnabled enabled = StepNone;
        if (value() < CFontSet::kMaximumPoints)
            enabled |= StepUpEnabled;
        if (value() > CFontSet::kMinimumPoints)
            enabled |= StepDownEnabled;
        return enabled;
    }
};

template <int N> QString ToQString(const NString::TStr<char16_t, N>& text) {
    return QString::fromUtf16(text.Text());
}

} // namespace

CDisplayPanel::CDisplayPanel(NSettings::CFlags& flags, IPreferencesTarget& target, QWidget* parent)
    : CPreferencePanel(kTexts, parent), m_flags(flags), m_target(target),
      m_language(NewControl<QComboBox>(*this, kLanguageList)),
      m_font(NewControl<QComboBox>(*this, kFontList)),
      m_bold(NewControl<QCheckBox>(*this, kBoldBox)),
      m_italic(NewControl<QCheckBox>(*this, kItalicBox)), m_size(new CFontSizeBox(this)),
      m_overview(NewControl<QCheckBox>(*this, kOverviewBox)),
      m_toolbar(NewControl<QCheckBox>(*this, kToolbarBox)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto addRow = [this, layout](int labelControl, QWidget* field) {
        const int row = layout->rowCount();
        auto* label = NewControl<QLabel>(*this, labelControl);
        label->setBuddy(field);
        layout->addWidget(label, row, 0);
        layout->addWidget(field, row, 1);
    };
    addRow(kLanguageLabel, m_language);
    layout->setRowMinimumHeight(layout->rowCount(), 8);
    addRow(kFontLabel, m_font);
    auto* style = new QWidget(this);
    auto* styleLayout = new QHBoxLayout(style);
    styleLayout->setContentsMargins(0, 0, 0, 0);
    styleLayout->addWidget(m_bold);
    styleLayout->addWidget(m_italic);
    styleLayout->addStretch();
    addRow(kStyleLabel, style);
    m_size->setMaximumWidth(m_size->sizeHint().width() * 3 / 2);
    addRow(kSizeLabel, m_size);
    layout->setRowMinimumHeight(layout->rowCount(), 8);
    layout->addWidget(m_overview, layout->rowCount(), 0, 1, 2);
    layout->addWidget(m_toolbar, layout->rowCount(), 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(layout->rowCount(), 1);
    connect(m_language, &QComboBox::activated, this, &CDisplayPanel::ChooseLanguage);
}

void CDisplayPanel::LoadItem(CSpecBase* /*item*/) {
    LoadLanguages();
    LoadFonts();
    const NSettings::SXmlFont font = NSettings::ReadXmlFont();
    m_bold->setChecked((font.style & NSettings::kFontStyleBold) != 0);
    m_italic->setChecked((font.style & NSettings::kFontStyleItalic) != 0);
    m_size->setValue(static_cast<int>(std::min<std::uint32_t>(font.size, 999)));
    m_overview->setChecked(m_flags.Has(NSettings::kFlagOverviewPane));
    m_toolbar->setChecked(m_flags.Has(NSettings::kFlagToolbar));
}

void CDisplayPanel::LoadLanguages() {
    const QSignalBlocker blocker(m_language);
    m_language->clear();
    const QString shown = ToQString(NTranslator::Text("Lang.Name"));
    for (std::uint32_t index = 0; index < NTranslator::LanguageCount(); ++index) {
        m_language->addItem(ToQString(NTranslator::LanguageName(index)));
        if (m_language->itemText(static_cast<int>(index)) == shown)
            m_language->setCurrentIndex(static_cast<int>(index));
    }
    m_languageShown = m_language->currentIndex();
}

// Every family the font system offers, sorted; a stored family the machine
// lacks stays at the top so that keeping the other settings keeps it too.
void CDisplayPanel::LoadFonts() {
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    families.removeDuplicates();
    const QString stored = ToQString(NSettings::ReadXmlFont().name);
    if (!stored.isEmpty() && !families.contains(stored))
        families.prepend(stored);
    m_font->clear();
    m_font->addItems(families);
    const QString shown = QFontDatabase::hasFamily(stored)
                              ? stored
                              : CFontSet::DocumentFont(NSettings::ReadXmlFont()).family();
    m_font->setCurrentIndex(std::max(0, static_cast<int>(m_font->findText(shown))));
}

void CDisplayPanel::ChooseLanguage(int index) {
    if (index == m_languageShown)
        return;
    const NString::TStr<char16_t> fileName =
        NTranslator::LanguageFileName(static_cast<std::uint32_t>(index));
    if (!m_target.ChooseLanguage(fileName.Text())) {
        const QSignalBlocker blocker(m_language);
        m_language->setCurrentIndex(m_languageShown);
        return;
    }
    m_languageShown = index;
    if (onLanguageChanged)
        onLanguageChanged();
}

bool CDisplayPanel::ApplyShown() {
    const int size = m_size->value();
    if (size < CFontSet::kMinimumPoints || size > CFontSet::kMaximumPoints) {
        Refuse(NTranslator::Text("Prefs.Display.FontSizeMsg").Text());
        return false;
    }
    NSettings::SXmlFont font{};
    font.name = m_font->currentText().toStdU16String().c_str();
    font.size = static_cast<std::uint32_t>(size);
    font.style = (m_bold->isChecked() ? NSettings::kFontStyleBold : 0) |
                 (m_italic->isChecked() ? NSettings::kFontStyleItalic : 0);
    NSettings::WriteXmlFont(font);
    m_flags.Change(NSettings::kFlagOverviewPane, m_overview->isChecked());
    m_flags.Change(NSettings::kFlagToolbar, m_toolbar->isChecked());
    m_target.DisplayChanged();
    return true;
}
