#include "app/update_dialog.h"
#include "services/flags.h"
#include "widget_test.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

using namespace NSettings;

constexpr int kOfferText = 1018;
constexpr int kTomorrow = 1105;
constexpr int kNextWeek = 1106;
constexpr int kNextMonth = 1107;
constexpr int kChangeLog = 1091;
constexpr int kPostpone = 1100;
constexpr int kDownload = 1101;

const SUpdateOfferText kOffer{QStringLiteral("2.1.40"), QStringLiteral("1.0.1338")};

class UpdateDialogTest : public CWidgetTest {
protected:
    static std::unique_ptr<CUpdateDialog> Offer(std::uint32_t flags,
                                                std::function<void()> showChangeLog = {},
                                                const SUpdateOfferText& offer = kOffer) {
        return std::make_unique<CUpdateDialog>(offer, flags, std::move(showChangeLog));
    }
};

TEST_F(UpdateDialogTest, TheReminderStartsAtTheCheckFrequency) {
    const struct {
        std::uint32_t frequency;
        int preset;
    } kCases[] = {
        {kUpdateNever, kNextWeek},
        {kUpdateDaily, kTomorrow},
        {kUpdateWeekly, kNextWeek},
        {kUpdateMonthly, kNextMonth},
    };
    for (const auto& entry : kCases) {
        // The other bits of the flags word do not count.
        const auto dialog = Offer(kFlagToolbar | kFlagOverviewPane | entry.frequency);
        for (const int radio : {kTomorrow, kNextWeek, kNextMonth})
            EXPECT_EQ(Control<QRadioButton>(*dialog, radio)->isChecked(), radio == entry.preset)
                << entry.frequency << " " << radio;
    }
}

TEST_F(UpdateDialogTest, TheTextNamesBothVersionsThenSaysWhatTheButtonsDo) {
    const auto dialog = Offer(kDefaultFlags);
    const QString text = Control<QLabel>(*dialog, kOfferText)->text();
    const QString offerLine = text.section(QStringLiteral("\n\n"), 0, 0);
    const QString offerFormat = Translated("Update.Text");
    EXPECT_TRUE(
        offerLine.startsWith(offerFormat.section(QStringLiteral("{0s}"), 0, 0) + kOffer.newVersion))
        << offerLine.toStdString();
    EXPECT_TRUE(offerLine.contains(kOffer.ownVersion)) << offerLine.toStdString();
    EXPECT_GT(offerLine.indexOf(kOffer.ownVersion), offerLine.indexOf(kOffer.newVersion));
    EXPECT_EQ(text.section(QStringLiteral("\n\n"), 1), Translated("Update.When"));
    EXPECT_EQ(dialog->windowTitle(), Translated("Update.Title"));
}

TEST_F(UpdateDialogTest, EachButtonGivesItsAnswerAndPostponeTheChosenDays) {
    const struct {
        int radio;
        int button; // 0: closed without a button
        EUpdateChoice choice;
        int days;
    } kCases[] = {
        {kTomorrow, kPostpone, EUpdateChoice::Postpone, 1},
        {kNextWeek, kPostpone, EUpdateChoice::Postpone, 7},
        {kNextMonth, kPostpone, EUpdateChoice::Postpone, 30},
        {kNextMonth, kDownload, EUpdateChoice::Download, 0},
        {kNextMonth, 0, EUpdateChoice::Closed, 0},
    };
    for (const auto& entry : kCases) {
        const auto dialog = Offer(kDefaultFlags);
        Control<QRadioButton>(*dialog, entry.radio)->click();
        if (entry.button != 0)
            Control<QPushButton>(*dialog, entry.button)->click();
        else
            dialog->reject();
        const SUpdateAnswer answer = dialog->Answer();
        EXPECT_EQ(answer.choice, entry.choice) << entry.radio << " " << entry.button;
        EXPECT_EQ(answer.reminderDays, entry.days) << entry.radio << " " << entry.button;
    }
}

TEST_F(UpdateDialogTest, ChangeLogIsOfferedOnlyWithAPageToShow) {
    int shown = 0;
    const struct {
        std::function<void()> showChangeLog;
        bool offered;
    } kCases[] = {{[&shown] { ++shown; }, true}, {{}, false}};
    for (const auto& entry : kCases) {
        shown = 0;
        const auto dialog = Offer(kDefaultFlags, entry.showChangeLog);
        auto* button = Control<QPushButton>(*dialog, kChangeLog);
        EXPECT_EQ(button->isVisibleTo(dialog.get()), entry.offered);
        if (entry.offered) {
            button->click();
            EXPECT_EQ(shown, 1);
            EXPECT_EQ(dialog->Answer().choice, EUpdateChoice::Closed) << "the offer stays";
        }
    }
}

// The dialog is as tall as its text: every line shows, none is added.
TEST_F(UpdateDialogTest, TheDialogHeightFitsItsText) {
    const SUpdateOfferText kOffers[] = {
        kOffer,
        {QStringLiteral("2.1.40 (a release with a long description of what it brings, which "
                        "the server may give in place of a bare number, and more besides, so "
                        "that the text needs many lines)"),
         QStringLiteral("1.0.1338 (the one installed from the distribution's packages)")},
    };
    for (const SUpdateOfferText& offer : kOffers) {
        const auto dialog = Offer(kDefaultFlags, {}, offer);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        auto* label = Control<QLabel>(*dialog, kOfferText);
        const int needed = label->heightForWidth(label->width());
        EXPECT_GE(needed, 3 * label->fontMetrics().lineSpacing()) << "wrapped";
        EXPECT_GE(label->height(), needed) << offer.newVersion.size();
        EXPECT_LT(label->height(), needed + label->fontMetrics().lineSpacing())
            << offer.newVersion.size();
        EXPECT_LE(label->geometry().bottom(), dialog->height());
    }
}

} // namespace
