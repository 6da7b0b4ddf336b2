#include "app/update_dialog.h"
#include "main_window_fixture.h"
#include "services/registry.h"
#include "services/settings_paths.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

namespace {

const SUpdateOfferText kOffer{QStringLiteral("2.1.40"), QStringLiteral("1.0.1338")};

class UpdateOfferTest : public MainWindowTest {
protected:
    // Runs `steps` on the dialog that is open shortly after, if any, and
    // closes it; true when there was one.
    class CModalSteps {
    public:
        explicit CModalSteps(std::function<void(QDialog&)> steps) {
            m_timer.setSingleShot(true);
            QObject::connect(&m_timer, &QTimer::timeout, [this, steps = std::move(steps)] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (dialog == nullptr)
                    return;
                shown = true;
                steps(*dialog);
                if (dialog->isVisible())
                    dialog->reject();
            });
            m_timer.start(0);
        }
        bool shown = false;

    private:
        QTimer m_timer;
    };

    void Offer(CMainWnd& window) {
        window.OfferUpdate(
            kOffer, [this] { ++downloads; }, [this](int days) { postponedDays.push_back(days); });
    }

    int downloads = 0;
    std::vector<int> postponedDays;
};

TEST_F(UpdateOfferTest, AHiddenWindowOffersNothing) {
    const auto window = Loaded(false, false);
    ASSERT_FALSE(window->isVisible());
    CModalSteps steps([](QDialog& dialog) { Control<QPushButton>(dialog, 1101)->click(); });
    Offer(*window);
    QApplication::processEvents();
    EXPECT_FALSE(steps.shown);
    EXPECT_EQ(downloads, 0);
    EXPECT_TRUE(postponedDays.empty());
}

TEST_F(UpdateOfferTest, TheAnswerRunsDownloadOrPostpone) {
    const struct {
        int radio;  // 0: as preset
        int button; // 0: closed
        int downloads;
        std::vector<int> postponedDays;
    } kCases[] = {
        {0, 1101, 1, {}},
        {0, 1100, 0, {7}},
        {1107, 1100, 0, {30}},
        {1105, 0, 0, {}},
    };
    const auto window = Loaded(false, false);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    for (const auto& entry : kCases) {
        downloads = 0;
        postponedDays.clear();
        CModalSteps steps([&entry](QDialog& dialog) {
            if (entry.radio != 0)
                Control<QRadioButton>(dialog, entry.radio)->click();
            if (entry.button != 0)
                Control<QPushButton>(dialog, entry.button)->click();
        });
        Offer(*window);
        EXPECT_TRUE(steps.shown) << entry.button;
        EXPECT_EQ(downloads, entry.downloads) << entry.button;
        EXPECT_EQ(postponedDays, entry.postponedDays) << entry.button;
    }
}

TEST_F(UpdateOfferTest, TheWindowLendsTheUpdateActionsToItsDialogs) {
    int changeLogs = 0;
    std::vector<QWidget*> checkOwners;
    const auto window = Loaded(false, false);
    window->SetUpdateActions({{}, [&checkOwners](QWidget* owner) { checkOwners.push_back(owner); }},
                             [&changeLogs] { ++changeLogs; });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    CModalSteps offer([](QDialog& dialog) { Control<QPushButton>(dialog, 1091)->click(); });
    Offer(*window);
    EXPECT_EQ(changeLogs, 1);

    ASSERT_EQ(NSettings::WriteString(NSettings::kUpdateServerPath, u"https://updates.example.org"),
              NResult::kOk);
    QDialog* preferences = nullptr;
    CModalSteps check([&preferences](QDialog& dialog) {
        preferences = &dialog;
        Control<QPushButton>(dialog, 1097)->click();
    });
    window->OpenPreferences(QStringLiteral("Updates"));
    EXPECT_EQ(checkOwners, std::vector<QWidget*>{preferences});
}

} // namespace
