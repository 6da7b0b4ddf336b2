#include "xml/content.h"

#include <gtest/gtest.h>
#include <utility>

TEST(XmlDeclaration, IsAnInstructionWhoseTargetIsXmlInAnyCase) {
    const std::pair<const char*, bool> cases[] = {
        {"xml version='1.0'", true},
        {"XML version='1.0'", true},
        {"xMl\tversion='1.0'", true},
        {"xml", true},
        {"xml-stylesheet href='a'", false},
        {"xmlx version='1.0'", false},
        {"xm", false},
        {"", false},
    };
    for (const auto& [body, expected] : cases) {
        NXML::CPI instruction;
        instruction.text.Borrow(body);
        EXPECT_EQ(NXML::IsXmlDeclaration(instruction), expected) << body;
    }
    NXML::CComment comment;
    comment.text.Borrow("xml version='1.0'");
    EXPECT_FALSE(NXML::IsXmlDeclaration(comment));
}
