#include "app/preference_panel.h"

#include "framework/window/dialog_controls.h"
#include "services/prompts.h"
#include "translation/translator.h"

#include <QLabel>
#include <QVBoxLayout>

CPreferencePanel::CPreferencePanel(std::span<const NWindows::SControlText> texts, QWidget* parent)
    : QWidget(parent), m_texts(texts) {}

void CPreferencePanel::Load(CSpecBase* item) {
    m_loaded = true;
    LoadItem(item);
}

bool CPreferencePanel::Apply() {
    return !m_loaded || ApplyShown();
}

void CPreferencePanel::Refuse(const char16_t* text) {
    NPrompts::CurrentPrompts().ShowMessage(window(), text,
                                           NString::NTranslator::Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Error, NPrompts::EButtons::Ok);
}

CMessagePanel::CMessagePanel(std::span<const NWindows::SControlText> texts, int labelControl,
                             QWidget* parent)
    : CPreferencePanel(texts, parent) {
    auto* label = NWindows::NewControl<QLabel>(*this, labelControl);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addStretch();
}
