#include "xml/attribute.h"
#include "xml/element.h"
#include "xml/writer.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>
#include <string>

using namespace NXML;
using XmlTest::ParseBytes;

namespace {

// The slots of the first attribute of the root, read through a const node.
std::string ConstSlots(const CAttribute& attribute) {
    const auto slots = attribute.Spaces();
    return std::string("[") + slots[0].Text() + "|" + slots[1].Text() + "]";
}

// The usual spacing is shared, other spacing is the attribute's own; either
// way the slots read and write as before.
TEST(AttributeSpaces, ParsedSlotsReadBackExactly) {
    struct SCase {
        const char* source;
        const char* slots;
    };
    const SCase cases[] = {
        {"<e a=\"1\"/>", "[ |=]"},     {"<e  a=\"1\"/>", "[  |=]"},
        {"<e\ta=\"1\"/>", "[\t|=]"},   {"<e a = '1'/>", "[ | = ]"},
        {"<e a=\n\"1\"/>", "[ |=\n]"}, {"<e\n  a =\t\"1\"/>", "[\n  | =\t]"},
    };
    for (const SCase& c : cases) {
        CDoc doc;
        ASSERT_EQ(ParseBytes(doc, c.source), NResult::kOk) << c.source;
        const CAttribute* attribute = doc.FirstChildElement()->FirstAttribute();
        ASSERT_NE(attribute, nullptr) << c.source;
        EXPECT_EQ(ConstSlots(*attribute), c.slots) << c.source;
        EXPECT_EQ(XmlTest::Captured([&](NIO::CBase& out) { return WriteDocument(out, doc); }),
                  std::string(c.source))
            << c.source;
    }
}

TEST(AttributeSpaces, WritingOneSlotOfASharedPairKeepsTheOther) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<e a=\"1\" b=\"2\"/>"), NResult::kOk);
    CAttribute* first = doc.FirstChildElement()->FirstAttribute();
    CAttribute* second = first->NextAttribute();
    first->Spaces()[CAttribute::kSpaceAroundEquals] = " = ";
    EXPECT_EQ(ConstSlots(*first), "[ | = ]");
    EXPECT_EQ(ConstSlots(*second), "[ |=]");

    first->SetSpaces(" ", "=");
    EXPECT_EQ(ConstSlots(*first), "[ |=]");
    second->SetSpaces("  ", "=");
    EXPECT_EQ(ConstSlots(*second), "[  |=]");
}

TEST(AttributeSpaces, NewAttributeHasEmptySlotsUntilSet) {
    CAttribute attribute;
    EXPECT_EQ(ConstSlots(attribute), "[|]");
    attribute.SetSpaces(" ", "=");
    EXPECT_EQ(ConstSlots(attribute), "[ |=]");
    EXPECT_STREQ(attribute.GetOpen(), " ");
}

} // namespace
