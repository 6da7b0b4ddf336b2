#include "../formats/scripted_prompts.h"
#include "app/update_panel.h"
#include "services/flags.h"
#include "services/registry.h"
#include "services/settings_backend.h"
#include "services/settings_paths.h"
#include "widget_test.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

namespace {

using namespace NSettings;

constexpr int kNever = 1105;
constexpr int kDaily = 1106;
constexpr int kWeekly = 1107;
constexpr int kMonthly = 1108;
constexpr int kServerField = 1111;
constexpr int kCheckNow = 1097;
constexpr int kNoServerNote = 1112;

constexpr char kRefusal[] = "Only https addresses are used.";

class UpdatePanelTest : public CWidgetTest {
protected:
    void SetUp() override {
        m_flags.Load(kDefaultFlags);
        m_actions.validateServer = [this](const QString& address) {
            validated << address;
            return address.startsWith(QLatin1String("https://")) ? QString()
                                                                 : QString::fromUtf8(kRefusal);
        };
        m_actions.checkNow = [this](QWidget* owner) { checkOwners.push_back(owner); };
    }

    // A panel shown as the dialog shows it: filled from the settings.
    std::unique_ptr<CUpdatePanel> Loaded() {
        auto panel = std::make_unique<CUpdatePanel>(m_flags, m_actions, nullptr);
        panel->ApplyTexts();
        panel->Load(nullptr);
        return panel;
    }

    static void StoreServer(const char16_t* address) {
        ASSERT_EQ(WriteString(kUpdateServerPath, address), NResult::kOk);
    }

    static QString StoredServer() {
        std::u16string address;
        ReadString(kUpdateServerPath, address);
        return QString::fromStdU16String(address);
    }

    CMemoryBackend m_settings;
    CScopedBackend m_backend{m_settings};
    FormatsTest::CScriptedPrompts m_prompts;
    CFlags m_flags;
    SUpdatePanelActions m_actions;
    QStringList validated;
    std::vector<QWidget*> checkOwners;
};

TEST_F(UpdatePanelTest, EachFrequencyIsShownAndAppliedAndSaved) {
    const struct {
        std::uint32_t stored;
        int shown;
        int chosen;
        std::uint32_t applied;
    } kCases[] = {
        {kUpdateNever, kNever, kDaily, kUpdateDaily},
        {kUpdateDaily, kDaily, kWeekly, kUpdateWeekly},
        {kUpdateWeekly, kWeekly, kMonthly, kUpdateMonthly},
        {kUpdateMonthly, kMonthly, kNever, kUpdateNever},
    };
    for (const auto& entry : kCases) {
        m_flags.Assign(kUpdateFrequencyMask, entry.stored);
        const auto panel = Loaded();
        for (const int radio : {kNever, kDaily, kWeekly, kMonthly})
            EXPECT_EQ(Control<QRadioButton>(*panel, radio)->isChecked(), radio == entry.shown)
                << entry.stored << " " << radio;
        Control<QRadioButton>(*panel, entry.chosen)->click();
        ASSERT_TRUE(panel->Apply()) << entry.chosen;
        EXPECT_EQ(m_flags.Value() & kUpdateFrequencyMask, entry.applied) << entry.chosen;
        EXPECT_EQ(ReadDword(kFlagsPath, 0) & kUpdateFrequencyMask, entry.applied)
            << "saved: " << entry.chosen;
        EXPECT_TRUE(m_flags.Has(kFlagToolbar | kFlagOverviewPane)) << "other bits stay";
    }
}

TEST_F(UpdatePanelTest, ARefusedAddressKeepsTheStoredSettingsAndSaysWhy) {
    const struct {
        const char* typed;
        bool accepted;
        const char* stored;
        bool validated;
    } kCases[] = {
        {"http://updates.example.org", false, "https://old.example.org", true},
        {"updates.example.org", false, "https://old.example.org", true},
        {"  https://updates.example.org/  ", true, "https://updates.example.org/", true},
        // Unchanged: nothing to ask.
        {"https://old.example.org", true, "https://old.example.org", false},
        // No server at all is always allowed: it turns the checks off.
        {"", true, "", false},
    };
    for (const auto& entry : kCases) {
        StoreServer(u"https://old.example.org");
        m_flags.Assign(kUpdateFrequencyMask, kUpdateWeekly);
        m_prompts.messages.clear();
        validated.clear();
        const auto panel = Loaded();
        Control<QRadioButton>(*panel, kDaily)->click();
        Control<QLineEdit>(*panel, kServerField)->setText(QString::fromUtf8(entry.typed));
        EXPECT_EQ(panel->Apply(), entry.accepted) << entry.typed;
        EXPECT_EQ(StoredServer(), QString::fromUtf8(entry.stored)) << entry.typed;
        EXPECT_EQ(validated.size(), entry.validated ? 1 : 0) << entry.typed;
        EXPECT_EQ(m_flags.Value() & kUpdateFrequencyMask,
                  entry.accepted ? kUpdateDaily : kUpdateWeekly)
            << entry.typed;
        if (entry.accepted) {
            EXPECT_TRUE(m_prompts.messages.empty()) << entry.typed;
        } else {
            ASSERT_EQ(m_prompts.messages.size(), 1u) << entry.typed;
            EXPECT_EQ(QString::fromStdU16String(m_prompts.messages[0].text),
                      QString::fromUtf8(kRefusal));
            EXPECT_EQ(m_prompts.messages[0].icon, NPrompts::EIcon::Error);
        }
    }
}

TEST_F(UpdatePanelTest, CheckNowWaitsForAStoredServer) {
    const struct {
        const char16_t* stored;
        bool hasCheck;
        bool offered;
        bool works;
    } kCases[] = {
        {u"", true, true, false},
        {u"https://updates.example.org", true, true, true},
        {u"https://updates.example.org", false, false, false},
    };
    for (const auto& entry : kCases) {
        StoreServer(entry.stored);
        if (!entry.hasCheck)
            m_actions.checkNow = nullptr;
        checkOwners.clear();
        const auto panel = Loaded();
        auto* checkNow = Control<QPushButton>(*panel, kCheckNow);
        EXPECT_EQ(checkNow->isVisibleTo(panel.get()), entry.offered);
        if (!entry.offered)
            continue;
        EXPECT_EQ(checkNow->isEnabled(), entry.works);
        EXPECT_EQ(Control<QLabel>(*panel, kNoServerNote)->isVisibleTo(panel.get()), !entry.works);
        checkNow->click();
        EXPECT_EQ(checkOwners,
                  entry.works ? std::vector<QWidget*>{panel->window()} : std::vector<QWidget*>{});
    }
}

TEST_F(UpdatePanelTest, AnAppliedAddressEnablesCheckNow) {
    const auto panel = Loaded();
    auto* checkNow = Control<QPushButton>(*panel, kCheckNow);
    auto* field = Control<QLineEdit>(*panel, kServerField);
    ASSERT_FALSE(checkNow->isEnabled());
    field->setText(QStringLiteral("https://updates.example.org"));
    EXPECT_FALSE(checkNow->isEnabled()) << "typed is not yet stored";
    ASSERT_TRUE(panel->Apply());
    EXPECT_TRUE(checkNow->isEnabled());
    field->clear();
    ASSERT_TRUE(panel->Apply());
    EXPECT_FALSE(checkNow->isEnabled());
    EXPECT_TRUE(Control<QLabel>(*panel, kNoServerNote)->isVisibleTo(panel.get()));
}

} // namespace
