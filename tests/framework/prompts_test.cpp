#include "framework/prompts.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

using NPrompts::CHeadlessPrompts;
using NPrompts::EAnswer;
using NPrompts::EButtons;
using NPrompts::EIcon;
using NPrompts::SNewSpec;
using NPrompts::SSpecChoice;
using NPrompts::SSpecRequest;

TEST(HeadlessPrompts, MessagesAreWrittenAndAnsweredWithTheFirstButton) {
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    EXPECT_EQ(prompts.ShowMessage(nullptr, u"Disk full", u"App", EIcon::Error, EButtons::Ok),
              EAnswer::Ok);
    EXPECT_EQ(prompts.ShowMessage(nullptr, u"Go on?", u"App", EIcon::Question, EButtons::YesNo),
              EAnswer::Yes);
    EXPECT_EQ(
        prompts.ShowMessage(nullptr, u"Save?", u"App", EIcon::Question, EButtons::YesNoCancel),
        EAnswer::Yes);
    EXPECT_EQ(
        prompts.ShowMessage(nullptr, u"Try again?", u"App", EIcon::Warning, EButtons::OkCancel),
        EAnswer::Ok);
    EXPECT_EQ(out.str(), "App: Disk full\n"
                         "App: Go on?\n(answered Yes)\n"
                         "App: Save?\n(answered Yes)\n"
                         "App: Try again?\n(answered OK)\n");
}

TEST(HeadlessPrompts, TextLeavesAsUtf8) {
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    prompts.ShowMessage(nullptr, u"Gr\u00FC\u00DFe \U0001F600", u"Velden\u00A0Quillmere",
                        EIcon::Information, EButtons::Ok);
    EXPECT_EQ(out.str(), "Velden\xC2\xA0Quillmere: Gr\xC3\xBC\xC3\x9F"
                         "e \xF0\x9F\x98\x80\n");
}

TEST(HeadlessPrompts, ChoiceTakesTheNameThatSortsFirstIgnoringCase) {
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    const char* names[] = {"orders", "Archive", "billing"};
    EXPECT_EQ(prompts.ChooseFileSpec(nullptr, SSpecChoice{u"Pick one", names}), 1);
    EXPECT_EQ(out.str(), "Pick one\n  orders\n  Archive\n  billing\n(chose \"Archive\")\n");

    const char* tied[] = {"b", "A", "a"};
    EXPECT_EQ(prompts.ChooseFileSpec(nullptr, SSpecChoice{u"", tied}), 1)
        << "equal names keep the earlier candidate";
}

TEST(HeadlessPrompts, ChoiceWithoutCandidatesIsCancelled) {
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    EXPECT_EQ(prompts.ChooseFileSpec(nullptr, SSpecChoice{u"Nothing", {}}), -1);
}

TEST(HeadlessPrompts, CreationIsNamedAfterTheRootWithTheLeftExtension) {
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    SNewSpec created;
    ASSERT_TRUE(prompts.CreateFileSpec(
        nullptr, SSpecRequest{"orders", u"/home/u/in.2/Orders.Xml", u"/tmp/Formats/"}, created));
    EXPECT_STREQ(created.name.Text(), "orders");
    EXPECT_STREQ(created.wildcards.Text(), "*.Xml");
    EXPECT_EQ(out.str(), "Creating the format specification \"orders\" for the root element "
                         "\"orders\" and the files \"*.Xml\" in /tmp/Formats/\n");
}

TEST(HeadlessPrompts, CreationForANameWithoutExtension) {
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    SNewSpec created;
    // The dot in the folder name is not the file's extension.
    ASSERT_TRUE(
        prompts.CreateFileSpec(nullptr, SSpecRequest{"r", u"C:\\a.b\\config", u"f/"}, created));
    EXPECT_STREQ(created.wildcards.Text(), "*.");
    ASSERT_TRUE(
        prompts.CreateFileSpec(nullptr, SSpecRequest{"r", u"a.b/c.d\\e.ui", u"f/"}, created));
    EXPECT_STREQ(created.wildcards.Text(), "*.ui");
}

TEST(HeadlessPrompts, CreationWithoutARootNameIsCancelled) {
    std::ostringstream out;
    CHeadlessPrompts prompts(out);
    SNewSpec created;
    EXPECT_FALSE(prompts.CreateFileSpec(nullptr, SSpecRequest{"", u"a.xml", u"f/"}, created));
    EXPECT_TRUE(out.str().empty());
}

TEST(CurrentPrompts, DefaultsToHeadlessOnStandardErrorAndCanBeReplacedForAScope) {
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
