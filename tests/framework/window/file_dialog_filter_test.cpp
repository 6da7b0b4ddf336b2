#include "framework/window/file_dialog_filter.h"

#include <gtest/gtest.h>

using NWindows::FileDialogFilter;

namespace {

TEST(FileDialogFilter, TranslatedPairsBecomeQtFilters) {
    struct SCase {
        const char16_t* translated;
        const char16_t* filter;
    };
    const SCase cases[] = {
        // The shipped text: the descriptions' own patterns are not repeated,
        // and "*.*" also lists names without a dot.
        {uR"(XML Files (*.xml)\0*.xml\0All Files (*.*)\0*.*\0)",
         u"XML Files (*.xml);;All Files (*)"},
        // Descriptions without patterns get them; ";" lists become spaces.
        {uR"(Documents\0*.xml;*.xsl\0)", u"Documents (*.xml *.xsl)"},
        {uR"(Documents (*.xml;*.xsl)\0*.xml;*.xsl\0)", u"Documents (*.xml *.xsl)"},
        // A closing parenthesis that is not the patterns stays.
        {uR"(Files (old)\0*.bak\0)", u"Files (old) (*.bak)"},
        // A description without its patterns is dropped; nothing is nothing.
        {uR"(Text\0*.txt\0Broken\0)", u"Text (*.txt)"},
        {u"", u""},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(FileDialogFilter(test.translated), QString::fromUtf16(test.filter))
            << QString::fromUtf16(test.translated).toStdString();
}

} // namespace
