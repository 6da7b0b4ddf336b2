#include "framework/buffer.h"
#include "framework/result.h"
#include "translation/language_tree.h"
#include "translator_test_support.h"
#include "xml/doc.h"
#include "xml/element.h"

#include <gtest/gtest.h>
#include <string>

using namespace NString::NTranslator;
using NTranslatorTest::LanguageXml;
using NTranslatorTest::LoadXml;
using NTranslatorTest::U16;

namespace {

const std::string kSample =
    LanguageXml("  <Group name='Lang'><Text name='Name'>Test</Text></Group>\n"
                "  <Group name='Misc'>\n"
                "    <Text name='AppName'>Velden&nbsp;Quillmere</Text>\n"
                "    <Text name='Empty'></Text>\n"
                "    <Text name='Twice'>first</Text>\n"
                "    <Text name='Twice'>second</Text>\n"
                "    <Other name='Skipped'>x</Other>\n"
                "  </Group>\n"
                "  <Group name='Menu'>\n"
                "    <Text name='File'>&amp;File</Text>\n"
                "    <Group name='Context'>\n"
                "      <Text name='Copy'>&amp;Copy</Text>\n"
                "    </Group>\n"
                "  </Group>\n");

class LanguageTree : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LoadXml(language, kSample), 1); }

    std::u16string Shown(const char* key) { return U16(language.Text(key)); }

    CLanguage language;
};

int ParseXml(NXML::CDoc& doc, const std::string& xml) {
    NIO::TBuffer<0> stream;
    stream.Borrow(xml.data(), xml.size());
    return doc.Parse(stream);
}

} // namespace

TEST_F(LanguageTree, KeysJoinGroupAndTextNames) {
    EXPECT_EQ(Shown("Lang.Name"), u"Test");
    EXPECT_EQ(Shown("Menu.File"), u"&File");
    EXPECT_EQ(Shown("Menu.Context.Copy"), u"&Copy");
    // References are decoded only when asked.
    EXPECT_EQ(Shown("Misc.AppName"), u"Velden\u00A0Quillmere");
    ASSERT_EQ(LoadXml(language, kSample, false), 1);
    EXPECT_EQ(Shown("Misc.AppName"), u"Velden&nbsp;Quillmere");
}

TEST_F(LanguageTree, KeysThatNameNoTextGiveNoTextOrEmpty) {
    for (const char* key : {"Misc", "Nothing", "Misc.Nothing", "misc.appname", "Menu.File.More",
                            "Misc.", ".Misc.AppName", "", static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(Shown(key), u"NO TEXT") << (key ? key : "null");
        EXPECT_TRUE(language.Text(key, kBaseText).IsEmpty());
        EXPECT_TRUE(language.Text(key, kOverrideText).IsEmpty());
    }
}

TEST_F(LanguageTree, FirstOfTwoEqualNamesWinsAndOtherElementsAreSkipped) {
    EXPECT_EQ(Shown("Misc.Twice"), u"first");
    EXPECT_EQ(language.Find("Misc.Skipped"), nullptr);
    EXPECT_EQ(language.Find("Misc")->ChildCount(), 4u);
    ASSERT_NE(language.FindText("Misc.Empty"), nullptr);
    EXPECT_EQ(Shown("Misc.Empty"), u"") << "an empty text element is an empty text, not no text";
}

TEST_F(LanguageTree, UnreadableDocumentLeavesTheTreeEmpty) {
    const std::string noLanguage = "<?xml version='1.0'?>\n<Texts><Group name='Misc'/></Texts>\n";
    EXPECT_EQ(LoadXml(language, noLanguage), 0);
    EXPECT_EQ(language.ChildCount(), 0u);

    ASSERT_EQ(LoadXml(language, kSample), 1);
    EXPECT_EQ(LoadXml(language, ""), 0);
    EXPECT_EQ(language.ChildCount(), 0u);
    EXPECT_EQ(Shown("Lang.Name"), u"NO TEXT");
}

TEST_F(LanguageTree, GroupsNestOnlyToTheDeepestLevel) {
    std::string nested;
    const int levels = 1000;
    for (int level = 0; level < levels; ++level)
        nested += "<Group name='G'><Text name='T'>level " + std::to_string(level + 1) + "</Text>";
    for (int level = 0; level < levels; ++level)
        nested += "</Group>";
    ASSERT_EQ(LoadXml(language, LanguageXml(nested)), 1);

    std::string key = "G";
    for (std::uint32_t depth = 1; depth < kDeepestGroup; ++depth)
        key += ".G";
    EXPECT_EQ(Shown((key + ".T").c_str()), u"level " + std::u16string(u"64"));
    EXPECT_EQ(language.Find((key + ".G").c_str()), nullptr);
    EXPECT_EQ(language.ChildCount(true), 2 * kDeepestGroup);
}

class LanguageOverlay : public LanguageTree {
protected:
    void Overlay(const std::string& groups) {
        ASSERT_EQ(ParseXml(overlay, LanguageXml(groups)), NResult::kOk);
        EXPECT_EQ(language.OverlayFrom(*overlay.FindChildElement("Language"), true), 1);
    }

    NXML::CDoc overlay;
};

TEST_F(LanguageOverlay, OverrideIsShownInPlaceOfTheBase) {
    Overlay("<Group name='Menu'><Text name='File'>&amp;Datei</Text></Group>");
    EXPECT_EQ(Shown("Menu.File"), u"&Datei");
    EXPECT_EQ(U16(language.Text("Menu.File", kBaseText)), u"&File");
    EXPECT_EQ(U16(language.Text("Menu.File", kOverrideText)), u"&Datei");
    // Texts the overlay does not name keep showing their base.
    EXPECT_EQ(Shown("Menu.Context.Copy"), u"&Copy");
    EXPECT_TRUE(language.Text("Menu.Context.Copy", kOverrideText).IsEmpty());
}

TEST_F(LanguageOverlay, NamesResolveAsKeysAndCreateNothing) {
    const std::uint32_t nodes = language.ChildCount(true);
    Overlay("<Text name='Menu.Context.Copy'>&amp;Kopieren</Text>"
            "<Group name='New'><Text name='Thing'>x</Text></Group>"
            "<Group name='Menu'><Text name='Unknown'>y</Text></Group>");
    EXPECT_EQ(Shown("Menu.Context.Copy"), u"&Kopieren");
    EXPECT_EQ(language.ChildCount(true), nodes);
    EXPECT_EQ(language.Find("New"), nullptr);
}

TEST_F(LanguageOverlay, ElementsOfTheWrongSortAreIgnored) {
    Overlay("<Group name='Lang'>\n  <Group name='Name'>\n  </Group>\n</Group>\n"
            "<Text name='Menu'>text over a group</Text>");
    EXPECT_EQ(Shown("Lang.Name"), u"Test");
    EXPECT_EQ(Shown("Menu.File"), u"&File");
}

TEST_F(LanguageOverlay, EmptyOverrideAndClearOverridesFallBackToTheBase) {
    Overlay("<Group name='Menu'><Text name='File'>&amp;Datei</Text>"
            "<Group name='Context'><Text name='Copy'>&amp;Kopieren</Text></Group></Group>");
    Overlay("<Group name='Menu'><Text name='File'></Text></Group>");
    EXPECT_EQ(Shown("Menu.File"), u"&File");
    EXPECT_EQ(Shown("Menu.Context.Copy"), u"&Kopieren");

    language.ClearOverrides();
    EXPECT_EQ(Shown("Menu.Context.Copy"), u"&Copy");
    EXPECT_TRUE(language.Text("Menu.Context.Copy", kOverrideText).IsEmpty());
}

TEST_F(LanguageOverlay, OverlayFileThatCannotBeUsedKeepsTheTexts) {
    Overlay("<Group name='Menu'><Text name='File'>&amp;Datei</Text></Group>");
    NTranslatorTest::CTempFolder folder;
    folder.Write("other.xml", "<?xml version='1.0'?>\n<Texts/>\n");

    EXPECT_EQ(language.OverlayFile(folder.PathOf("missing.xml").c_str(), true),
              NResult::kCannotOpen);
    EXPECT_EQ(language.OverlayFile(folder.PathOf("other.xml").c_str(), true),
              NResult::kNothingParsed);
    EXPECT_EQ(Shown("Menu.File"), u"&Datei");
}
