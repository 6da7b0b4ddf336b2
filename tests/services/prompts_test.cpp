#include "framework/buffer.h"
#include "services/prompts.h"
#include "translation/embedded_language.h"
#include "translation/translator.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using NPrompts::CHeadlessPrompts;
using NPrompts::EAnswer;
using NPrompts::EButtons;
using NPrompts::EIcon;
using NPrompts::SNewSpec;
using NPrompts::SSpecChoice;
using NPrompts::SSpecRequest;

namespace {

// What the headless prompts add to a question comes from the language file.
class HeadlessPrompts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadEnglish(); }
    static void TearDownTestSuite() { LoadEnglish(); }
    static void LoadEnglish() {
        ASSERT_EQ(NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource,
                                                   true, u"/nonexistent/quillmere/Text"),
                  1);
    }
};

using CurrentPrompts = HeadlessPrompts;

} // namespace

TEST_F(HeadlessPrompts, MessagesAreWrittenAsUtf8AndAnsweredWithTheFirstButton) {
    struct SCase {
        const char16_t* text;
        EIcon icon;
        EButtons buttons;
        EAnswer answer;
        const char* written;
    };
    const SCase cases[] = {
        {u"Disk full", EIcon::Error, EButtons::Ok, EAnswer::Ok, "App: Disk full\n"},
        {u"Go on?", EIcon::Question, EButtons::YesNo, EAnswer::Yes,
         "App: Go on?\n(answered Yes)\n"},
        {u"Save?", EIcon::Question, EButtons::YesNoCancel, EAnswer::Yes,
         "App: Save?\n(answered Yes)\n"},
        {u"Try again?", EIcon::Warning, EButtons::OkCancel, EAnswer::Ok,
         "App: Try again?\n(answered OK)\n"},
        {u"Gr\u00FC\u00DFe \U0001F600", EIcon::Information, EButtons::Ok, EAnswer::Ok,
         "App: Gr\xC3\xBC\xC3\x9F"
         "e \xF0\x9F\x98\x80\n"},
    };
    for (const SCase& c : cases) {
        std::ostringstream out;
        CHeadlessPrompts prompts(out);
        EXPECT_EQ(prompts.ShowMessage(nullptr, c.text, u"App", c.icon, c.buttons), c.answer);
        EXPECT_EQ(out.str(), c.written);
    }
}

// Without a usable suggestion the name that sorts first, ignoring case, is
// chosen; equal names keep the earlier candidate.
TEST_F(HeadlessPrompts, ChoiceTakesTheSuggestionOrTheNameThatSortsFirst) {
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    const char* names[] = {"orders", "Archive", "billing"};
    EXPECT_EQ(prompts.ChooseFileSpec(nullptr, SSpecChoice{u"Pick one", names}), 1);
    EXPECT_EQ(out.str(), "Pick one\n  orders\n  Archive\n  billing\n(chose \"Archive\")\n");

    const char* tied[] = {"b", "C", "A", "a"};
    const struct {
        int suggested;
        int chosen;
    } kCases[] = {{1, 1}, {0, 0}, {-1, 2}, {4, 2}};
    for (const auto& choice : kCases)
        EXPECT_EQ(prompts.ChooseFileSpec(nullptr, SSpecChoice{u"?", tied, choice.suggested}),
                  choice.chosen)
            << choice.suggested;
    EXPECT_EQ(prompts.ChooseFileSpec(nullptr, SSpecChoice{u"Nothing", {}}), -1);
}

TEST(PromptAnswers, EscapeCancelsOrSaysNoAndADialogWithOneButtonOnlyAcknowledges) {
    const struct {
        EButtons buttons;
        EAnswer byDefault;
        EAnswer onEscape;
    } kCases[] = {
        {EButtons::Ok, EAnswer::Ok, EAnswer::Ok},
        {EButtons::OkCancel, EAnswer::Ok, EAnswer::Cancel},
        {EButtons::YesNo, EAnswer::Yes, EAnswer::No},
        {EButtons::YesNoCancel, EAnswer::Yes, EAnswer::Cancel},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(NPrompts::DefaultAnswer(c.buttons), c.byDefault) << static_cast<int>(c.buttons);
        EXPECT_EQ(NPrompts::EscapeAnswer(c.buttons), c.onEscape) << static_cast<int>(c.buttons);
    }
}

TEST(PromptAnswers, NamesAreOrderedIgnoringCaseWithTiesInTheirOrder) {
    const struct {
        std::vector<const char*> names;
        std::vector<int> order;
    } kCases[] = {
        {{}, {}},
        {{"orders"}, {0}},
        {{"orders", "Archive", "billing"}, {1, 2, 0}},
        {{"b", "C", "A", "a"}, {2, 3, 0, 1}},
        {{"x", "X", "x"}, {0, 1, 2}},
        {{"\xC3\xA9t\xC3\xA9", "Zeta", "alpha"}, {2, 1, 0}},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(NPrompts::NameOrder(c.names), c.order) << c.names.size();
}

TEST_F(HeadlessPrompts, CreationTakesTheSuggestedNameOrTheRootAndTheLeftExtension) {
    struct SCase {
        SSpecRequest request;
        const char* name;
        const char* wildcards;
    };
    // The dot in a folder name is not the file's extension.
    const SCase cases[] = {
        {{"orders", u"in.xml", u"f/", "orders-2"}, "orders-2", "*.xml"},
        {{"orders", u"/home/u/in.2/Orders.Xml", u"f/"}, "orders", "*.Xml"},
        {{"r", u"C:\\a.b\\config", u"f/"}, "r", "*."},
        {{"r", u"a.b/c.d\\e.ui", u"f/"}, "r", "*.ui"},
    };
    for (const SCase& c : cases) {
        std::ostringstream out;
        CHeadlessPrompts prompts(out);
        SNewSpec created;
        ASSERT_TRUE(prompts.CreateFileSpec(nullptr, c.request, created));
        EXPECT_STREQ(created.name.Text(), c.name);
        EXPECT_STREQ(created.wildcards.Text(), c.wildcards);
        EXPECT_EQ(out.str(), "Creating the format specification \"" + std::string(c.name) +
                                 "\" for the root element \"" + c.request.rootName +
                                 "\" and the files \"" + c.wildcards + "\" in f/\n");
    }
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    SNewSpec created;
    EXPECT_FALSE(prompts.CreateFileSpec(nullptr, SSpecRequest{"", u"a.xml", u"f/"}, created))
        << "without a root name";
    EXPECT_TRUE(out.str().empty());
}

TEST_F(CurrentPrompts, DefaultsToHeadlessOnStandardErrorAndCanBeReplacedForAScope) {
    std::ostringstream out;
    CHeadlessPrompts mine(out);
    {
        NPrompts::CScopedPrompts scope(mine);
        EXPECT_EQ(&NPrompts::CurrentPrompts(), &mine);
        NPrompts::CurrentPrompts().ShowMessage(nullptr, u"to mine", u"c", EIcon::Information,
                                               EButtons::Ok);
    }
    EXPECT_EQ(out.str(), "c: to mine\n");
    EXPECT_NE(&NPrompts::CurrentPrompts(), &mine);

    testing::internal::CaptureStderr();
    const EAnswer answer = NPrompts::CurrentPrompts().ShowMessage(nullptr, u"Really?", u"Quillmere",
                                                                  EIcon::Question, EButtons::YesNo);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Quillmere: Really?\n(answered Yes)\n");
    EXPECT_EQ(answer, EAnswer::Yes);
}

TEST_F(HeadlessPrompts, FollowTheLanguageShown) {
    const std::string language =
        "<?xml version='1.0' encoding='utf-8'?><Language>"
        "<Group name='Misc'><Text name='YesBtn'>Ja</Text></Group>"
        "<Group name='Headless'><Text name='Answered'>(Antwort: {0s})</Text>"
        "<Text name='Chose'>(gew\xC3\xA4hlt: {0s})</Text>"
        "<Text name='CreatingSpec'>Neu: {0s}, {1s}, {2s}, {3s}</Text></Group></Language>";
    NIO::TBuffer<0> stream;
    stream.Borrow(language.data(), language.size());
    ASSERT_EQ(NString::NTranslator::LoadLanguage(stream, true), 1);
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    prompts.ShowMessage(nullptr, u"Weiter?", u"App", EIcon::Question, EButtons::YesNo);
    const char* names[] = {"b", "a"};
    prompts.ChooseFileSpec(nullptr, SSpecChoice{u"Welche?", names});
    SNewSpec created;
    prompts.CreateFileSpec(nullptr, SSpecRequest{"r", u"x.xml", u"f/"}, created);
    LoadEnglish();
    EXPECT_EQ(out.str(), "App: Weiter?\n(Antwort: Ja)\nWelche?\n  b\n  a\n(gew\xC3\xA4hlt: a)\n"
                         "Neu: r, r, *.xml, f/\n");
}
