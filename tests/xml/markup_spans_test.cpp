#include "xml/markup_spans.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace {

// The spans of `text`, escapable ones in [brackets], markup in {braces}.
std::string Spans(std::string_view text) {
    NXML::CMarkupSpans spans(text);
    NXML::SMarkupSpan span;
    std::string shown;
    while (spans.Next(span)) {
        shown += span.escapable ? '[' : '{';
        shown += span.text;
        shown += span.escapable ? ']' : '}';
    }
    return shown;
}

} // namespace

TEST(MarkupSpans, CharacterDataAndAttributeValuesAreEscapable) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"<r a='x' b=\"y'\">t</r>", "{<r a='}[x]{' b=\"}[y']{\">}[t]{</r>}"},
        {"<p:r\n  a = \"1>2\"/>", "{<p:r\n  a = \"}[1>2]{\"/>}"},
        {"<a b=''/>", "{<a b='}{'/>}"},
        {"x<!-- a 'q' <b> -->y", "[x]{<!-- a 'q' <b> -->}[y]"},
        {"<?xml version='1.0'?><r/>", "{<?xml version='1.0'?>}{<r/>}"},
        {"<r><![CDATA[<a> ']]>t</r>", "{<r>}{<![CDATA[<a> ']]>}[t]{</r>}"},
        // The internal subset's ">" and quotes, and a "]>" inside a comment
        // there, do not end the declaration.
        {"<!DOCTYPE r [<!ENTITY e 'a>b'><!-- ]> --><!ELEMENT r ANY>]>\n<r/>",
         "{<!DOCTYPE r [<!ENTITY e 'a>b'><!-- ]> --><!ELEMENT r ANY>]>}[\n]{<r/>}"},
        {"<!DOCTYPE r SYSTEM \"r>.dtd\"><r/>", "{<!DOCTYPE r SYSTEM \"r>.dtd\">}{<r/>}"},
        // A "<" that opens no markup stays character data.
        {"<r>a < b <</r>", "{<r>}[a < b <]{</r>}"},
        {"a<", "[a<]"},
        {"<r>\xC3\xA9<\xC3\xA9/></r>", "{<r>}[\xC3\xA9]{<\xC3\xA9/>}{</r>}"},
        // Markup cut off by the end of the text runs to the end.
        {"t<!-- open", "[t]{<!-- open}"},
        {"<a b='open", "{<a b='}[open]"},
        {"<a", "{<a}"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Spans(text), expected) << text;
}
