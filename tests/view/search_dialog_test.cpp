#include "../app/widget_test.h"
#include "../formats/scripted_prompts.h"
#include "services/flags.h"
#include "services/registry.h"
#include "services/settings_backend.h"
#include "services/settings_paths.h"
#include "view/search_dialog.h"
#include "view/search_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using NSettings::kFlagMatchCase;
using NSettings::kFlagMatchWholeWords;

// Everything the Search dialog may change.
struct SState {
    std::uint32_t flags;
    std::uint32_t storedFlags;
    std::u16string text;
    std::vector<std::u16string> history;
    bool operator==(const SState&) const = default;
};

class SearchDialogTest : public CWidgetTest {
protected:
    void SetUp() override {
        CurrentSearchState().Reset();
        m_flags.Load(NSettings::kDefaultFlags);
    }
    void TearDown() override { CurrentSearchState().Reset(); }

    SState State() const {
        const CSearchState& search = CurrentSearchState();
        return {m_flags.Value(), NSettings::ReadDword(NSettings::kFlagsPath, 0), search.Text(),
                search.History()};
    }

    // Runs the dialog as the program does; `drive` works it while it is open
    // and should end it.
    bool Run(const std::function<void(CSearchDialog&)>& drive) {
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<CSearchDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                ADD_FAILURE() << "no Search dialog";
                QApplication::activeModalWidget()->close();
                return;
            }
            drive(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
        return RunSearchDialog(nullptr, m_flags);
    }

    template <typename TWidget> static TWidget& Control(const QWidget& dialog, int control) {
        return *dialog.findChild<TWidget*>(NWindows::ControlName(control));
    }
    static void Fill(const QWidget& dialog, const QString& text, bool matchCase, bool wholeWords) {
        Control<QComboBox>(dialog, 1018).setEditText(text);
        Control<QCheckBox>(dialog, 1019).setChecked(matchCase);
        Control<QCheckBox>(dialog, 1020).setChecked(wholeWords);
    }
    static void Click(const QWidget& dialog, int button) {
        QTest::mouseClick(&Control<QPushButton>(dialog, button), Qt::LeftButton);
    }

    NSettings::CMemoryBackend m_backend;
    NSettings::CScopedBackend m_scopedBackend{m_backend};
    FormatsTest::CScriptedPrompts m_prompts;
    NSettings::CFlags m_flags;
};

TEST_F(SearchDialogTest, ShowsTheTextsTheHistoryAndTheFlags) {
    CSearchState& search = CurrentSearchState();
    for (const char16_t* text : {u"one", u"two", u"three", u"two"})
        search.Remember(text);
    const std::uint32_t flagCases[] = {0, kFlagMatchCase, kFlagMatchWholeWords,
                                       kFlagMatchCase | kFlagMatchWholeWords};
    for (const std::uint32_t flags : flagCases) {
        m_flags.Assign(kFlagMatchCase | kFlagMatchWholeWords, flags);
        const CSearchDialog dialog(m_flags, search);
        // The boxes the flags are read from carry their own labels.
        EXPECT_EQ(Control<QCheckBox>(dialog, 1019).text(), Translated("Search.MatchCase"));
        EXPECT_EQ(Control<QCheckBox>(dialog, 1020).text(), Translated("Search.MatchWords"));
        const auto& field = Control<QComboBox>(dialog, 1018);
        ASSERT_EQ(field.count(), 3);
        EXPECT_EQ(field.itemText(0), u"one");
        EXPECT_EQ(field.itemText(2), u"two");
        EXPECT_EQ(field.currentIndex(), 2);
        EXPECT_EQ(field.currentText(), u"two");
        EXPECT_EQ(dialog.MatchCase(), (flags & kFlagMatchCase) != 0) << flags;
        EXPECT_EQ(dialog.WholeWords(), (flags & kFlagMatchWholeWords) != 0) << flags;
    }
}

TEST_F(SearchDialogTest, RefusesAnEmptyTextAndChangesNothing) {
    CurrentSearchState().Remember(u"kept");
    const SState before = State();
    bool stayedOpen = false;
    EXPECT_FALSE(Run([&](CSearchDialog& dialog) {
        Fill(dialog, QString(), true, true);
        Click(dialog, 1);
        stayedOpen = dialog.isVisible();
        Click(dialog, 2);
    }));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    const auto& message = m_prompts.messages.front();
    EXPECT_EQ(QString::fromStdU16String(message.text), Translated("Search.MsgEnterText"));
    EXPECT_EQ(QString::fromStdU16String(message.caption), Translated("Misc.AppName"));
    EXPECT_EQ(message.icon, NPrompts::EIcon::Information);
    EXPECT_EQ(State(), before);
}

TEST_F(SearchDialogTest, OkKeepsTheFlagsTheTextAndAHistoryWithoutRepeats) {
    struct SCase {
        std::u16string typed;
        bool matchCase;
        bool wholeWords;
        bool ok;
        std::vector<std::u16string> history;
    };
    // Far beyond the length of a usual field: kept whole.
    const std::u16string longText(3000, u'l');
    // Each case runs on what the ones before it left.
    const SCase cases[] = {
        {u"alpha", true, false, true, {u"alpha"}},
        {u"beta", false, true, true, {u"alpha", u"beta"}},
        {u"Alpha", true, true, true, {u"alpha", u"beta", u"Alpha"}},
        {u"alpha", false, false, true, {u"beta", u"Alpha", u"alpha"}},
        {u"gamma", true, true, false, {u"beta", u"Alpha", u"alpha"}},
        {longText, false, false, true, {u"beta", u"Alpha", u"alpha", longText}},
    };
    for (const SCase& test : cases) {
        SState expected = State();
        const QString typed = QString::fromStdU16String(test.typed);
        EXPECT_EQ(Run([&](CSearchDialog& dialog) {
                      Fill(dialog, typed, test.matchCase, test.wholeWords);
                      Click(dialog, test.ok ? 1 : 2);
                  }),
                  test.ok);
        if (test.ok) {
            expected.flags &= ~(kFlagMatchCase | kFlagMatchWholeWords);
            expected.flags |= (test.matchCase ? kFlagMatchCase : 0) |
                              (test.wholeWords ? kFlagMatchWholeWords : 0);
            expected.storedFlags = expected.flags & NSettings::kPersistedFlagMask;
            expected.text = test.typed;
            expected.history = test.history;
        }
        EXPECT_EQ(State(), expected) << typed.left(20).toStdString();
        EXPECT_TRUE(m_prompts.messages.empty());
    }
}

} // namespace
