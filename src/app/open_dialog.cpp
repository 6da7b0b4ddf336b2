#include "app/open_dialog.h"

#include "app/program_icon_label.h"
#include "framework/file_functions.h"
#include "framework/window/dialog_controls.h"
#include "framework/window/file_dialog_filter.h"
#include "framework/window/help_page.h"
#include "prompts/ok_cancel_buttons.h"
#include "services/flags.h"
#include "services/prompts.h"
#include "services/recent_files.h"
#include "services/registry.h"
#include "services/settings_paths.h"
#include "text/format.h"
#include "translation/translator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <string>
#include <vector>

namespace {

using NString::NTranslator::Text;
using NWindows::NewControl;

constexpr int kOperationLabel = 1053;
constexpr int kCompareRadio = 1050;
constexpr int kMergeRadio = 1051;
constexpr int kUseBaseBox = 1020;
constexpr int kHelpButton = 3;
// Wide enough for a usual path; longer ones scroll rather than widen the dialog.
constexpr int kPathFieldCharacters = 48;

constexpr NWindows::SControlText kTexts[] = {
    {NWindows::kDialogTitle, "Open.Title"},
    {kOperationLabel, "Open.Type"},
    {kCompareRadio, "Open.CompareType"},
    {kMergeRadio, "Open.MergeType"},
    {kUseBaseBox, "Open.UseBase"},
    {1023, "Open.BaseFile"},
    {1021, "Open.LeftFile"},
    {1022, "Open.RightFile"},
    {kHelpButton, "Misc.HelpBtn"},
    {1, "Misc.OKBtn"},
    {2, "Misc.CancelBtn"},
};

// The controls and settings of one file's row, indexed by side.
struct SSideRow {
    int label;
    int path;
    int browse;
    // The message when the path is empty.
    const char* emptyKey;
    // Where the last accepted path of this side is kept.
    const char16_t* recentPath;
};

constexpr SSideRow kRows[3] = {
    {1023, 1016, 1017, "Open.MsgSelectBase", NSettings::kRecentBaseFilePath},
    {1021, 1012, 1013, "Open.MsgSelectLeft", NSettings::kRecentLeftFilePath},
    {1022, 1014, 1015, "Open.MsgSelectRight", NSettings::kRecentRightFilePath},
};

// The order OK checks the sides in, and the grid's order of the rows.
constexpr int kCheckOrder[] = {kSideLeft, kSideRight, kSideBase};
constexpr int kRowOrder[] = {kSideBase, kSideLeft, kSideRight};

// The last path accepted for a side; empty when none is stored.
QString StoredPath(const char16_t* recentPath) {
    std::u16string path;
    NSettings::ReadString(recentPath, path);
    return QString::fromStdU16String(path);
}

QComboBox* NewPathField(QWidget& dialog, int side, const QStringList& recent) {
    auto* field = NewControl<QComboBox>(dialog, kRows[side].path);
    field->setEditable(true);
    // What the user types is a path, not a new entry of the list.
    field->setInsertPolicy(QComboBox::NoInsert);
    field->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    field->setMinimumContentsLength(kPathFieldCharacters);
    field->addItems(recent);
    field->setEditText(StoredPath(kRows[side].recentPath));
    return field;
}

QPushButton* NewBrowseButton(QWidget& dialog, int side) {
    auto* button = NewControl<QPushButton>(dialog, kRows[side].browse);
    button->setText(QStringLiteral("..."));
    // As narrow as its text allows: the path field gets the width.
    const QFontMetrics metrics = button->fontMetrics();
    button->setFixedWidth(
        std::max(button->sizeHint().height(),
                 metrics.horizontalAdvance(button->text()) + 2 * metrics.averageCharWidth()));
    // Enter in a path field means OK, not another look for a file.
    button->setAutoDefault(false);
    return button;
}

QStringList RecentList(const NSettings::CRecentFiles& recentFiles) {
    std::vector<std::u16string> entries;
    recentFiles.Fill(entries);
    QStringList list;
    for (const std::u16string& entry : entries)
        list.append(QString::fromStdU16String(entry));
    return list;
}

void Tell(QWidget& owner, const char16_t* text, NPrompts::EIcon icon) {
    NPrompts::CurrentPrompts().ShowMessage(&owner, text, Text("Misc.AppName").Text(), icon,
                                           NPrompts::EButtons::Ok);
}

} // namespace

COpenDialog::COpenDialog(const QIcon& programIcon, const NSettings::CFlags& flags,
                         const NSettings::CRecentFiles& recentFiles, QWidget* parent)
    : CBaseDialog(kTexts, QString::fromUtf16(NWindows::kOpenDialogHelpPage), parent),
      m_compare(NewControl<QRadioButton>(*this, kCompareRadio)),
      m_merge(NewControl<QRadioButton>(*this, kMergeRadio)),
      m_useBase(NewControl<QCheckBox>(*this, kUseBaseBox)) {
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    grid->addWidget(NewControl<QLabel>(*this, kOperationLabel), 0, 0);
    grid->addWidget(m_compare, 0, 1);
    grid->addWidget(m_merge, 1, 1);
    grid->addWidget(NewProgramIconLabel(*this, programIcon), 0, 2, 2, 1,
                    Qt::AlignRight | Qt::AlignTop);
    grid->setRowMinimumHeight(2, fontMetrics().height() / 2);
    grid->addWidget(m_useBase, 3, 1);

    const QStringList recent = RecentList(recentFiles);
    int row = 4;
    for (const int side : kRowOrder)
        AddFileRow(*grid, row++, side, recent);

    QDialogButtonBox* buttons = MakeOkCancelButtons(*this);
    QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
    help->setObjectName(NWindows::ControlName(kHelpButton));
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CBaseDialog::ShowHelp);
    grid->addWidget(NWindows::NewSeparator(*this), row++, 0, 1, 3);
    grid->addWidget(buttons, row, 0, 1, 3);

    (flags.Has(NSettings::kFlagMerge) ? m_merge : m_compare)->setChecked(true);
    m_useBase->setChecked(flags.Has(NSettings::kFlagThreeWay));
    EnableBase();
    connect(m_useBase, &QCheckBox::toggled, this, &COpenDialog::EnableBase);

    ApplyTexts();
    if (parent == nullptr)
        setWindowTitle(windowTitle() + QStringLiteral(" - ") +
                       NWindows::TranslatedText("Misc.AppName"));
}

void COpenDialog::AddFileRow(QGridLayout& grid, int row, int side, const QStringList& recent) {
    m_paths[side] = NewPathField(*this, side, recent);
    m_browse[side] = NewBrowseButton(*this, side);
    connect(m_browse[side], &QPushButton::clicked, this, [this, side] { Browse(side); });
    auto* label = NewControl<QLabel>(*this, kRows[side].label);
    label->setBuddy(m_paths[side]);
    grid.addWidget(label, row, 0);
    grid.addWidget(m_paths[side], row, 1);
    grid.addWidget(m_browse[side], row, 2);
}

bool COpenDialog::Merge() const {
    return m_merge->isChecked();
}

bool COpenDialog::ThreeWay() const {
    return m_useBase->isChecked();
}

void COpenDialog::SetPath(int side, const QString& path) {
    m_paths[side]->setEditText(path);
}

QString COpenDialog::Path(int side) const {
    return m_paths[side]->currentText();
}

void COpenDialog::EnableBase() {
    m_paths[kSideBase]->setEnabled(ThreeWay());
    m_browse[kSideBase]->setEnabled(ThreeWay());
}

void COpenDialog::Browse(int side) {
    const QString current = Path(side);
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString chosen =
        QFileDialog::getOpenFileName(this, NWindows::TranslatedText("Open.FileTitle"), folder,
                                     NWindows::FileDialogFilter(Text("Open.Filter").Text()));
    if (!chosen.isEmpty())
        m_paths[side]->setEditText(chosen);
}

bool COpenDialog::CheckPath(int side) {
    const std::u16string path = Path(side).toStdU16String();
    if (path.empty()) {
        Tell(*this, Text(kRows[side].emptyKey).Text(), NPrompts::EIcon::Warning);
    } else if (!NIO::FileExists(path.c_str())) {
        NString::TStr<char16_t> text;
        NString::Format(text, Text("Open.MsgFileNotFound").Text(), path.c_str());
        Tell(*this, text.Text(), NPrompts::EIcon::Error);
    } else {
        return true;
    }
    m_paths[side]->setFocus();
    m_paths[side]->lineEdit()->selectAll();
    return false;
}

void COpenDialog::accept() {
    for (const int side : kCheckOrder)
        if ((side != kSideBase || ThreeWay()) && !CheckPath(side))
            return;
    CBaseDialog::accept();
}

namespace {

// Makes the dialog's choice the next operation's: every field at once, after
// the dialog has accepted all of it.
void Commit(const COpenDialog& dialog, NSettings::CFlags& flags, std::array<CXMLFile, 3>& files) {
    for (const int side : kCheckOrder) {
        if (side == kSideBase && !dialog.ThreeWay()) {
            files[side].ClearPendingPath();
            continue;
        }
        const std::u16string path = dialog.Path(side).toStdU16String();
        files[side].SetPendingPath(path.c_str());
        NSettings::WriteString(kRows[side].recentPath, path.c_str());
    }
    std::uint32_t chosen = NSettings::kFlagChosenInOpenDialog;
    if (dialog.ThreeWay())
        chosen |= NSettings::kFlagThreeWay;
    if (dialog.Merge())
        chosen |= NSettings::kFlagMerge;
    flags.Assign(NSettings::kFlagChosenInOpenDialog | NSettings::kFlagThreeWay |
                     NSettings::kFlagMerge,
                 chosen);
}

} // namespace

bool RunOpenDialog(QWidget* owner, const QIcon& programIcon, NSettings::CFlags& flags,
                   const NSettings::CRecentFiles& recentFiles, std::array<CXMLFile, 3>& files) {
    COpenDialog dialog(programIcon, flags, recentFiles, owner);
    // A file named already (on the command line, or the one shown) is the
    // one to start from, as when a file manager opens a file with the program.
    for (std::size_t side = 0; side < files.size(); ++side)
        if (!files[side].path.IsEmpty())
            dialog.SetPath(static_cast<int>(side), QString::fromUtf16(files[side].path.Text()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Commit(dialog, flags, files);
    return true;
}
