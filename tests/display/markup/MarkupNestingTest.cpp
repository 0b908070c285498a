#include <gtest/gtest.h>

#include <QString>

#include "grid/display/markup/MarkupNesting.h"

namespace tolvane::testing {
namespace {

// A tag counts once, at its ">", however many blanks it has; stray end tags stop at zero.
TEST(MarkupNesting, CountsStartAndEndTagsNeverBelowZero) {
    struct Case {
        const char16_t* text;
        TMarkupTag tag;
        int count;
    } cases[] = {
        {u"<b><b></b>", mtBold, 1},
        {u"</b></b><b>", mtBold, 1},
        {u"<b x=1 y=2>", mtBold, 1},
        {u"<i></i></i>", mtItalic, 0},
        {u"<font color=red></font>", mtFont, 0},
        {u"<u><b", mtUnderline, 1}, // an unclosed tag does not count
        {u"<b/r>", mtBreak, 0},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        TMarkupTokenizer tokenizer(text);
        TMarkupNesting nesting;
        for (TMarkupToken token; tokenizer.Next(token);) nesting.Count(token);
        EXPECT_EQ(nesting.CountOf(c.tag), c.count);
        EXPECT_EQ(nesting.IsOn(c.tag), c.count >= 1);
        nesting.Reset();
        EXPECT_EQ(nesting.CountOf(c.tag), 0);
    }
}

} // namespace
} // namespace tolvane::testing
