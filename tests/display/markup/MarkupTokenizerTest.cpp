#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "grid/display/markup/MarkupTokenizer.h"

namespace tolvane::testing {
namespace {

// The tokens in short: a run as "text", a tag as <name attribute=value> with "/" for an end
// tag and "_" instead of ">" for an application by a blank inside the brackets.
QString Describe(const QString& text) {
    static const char* names[] = {"?", "a", "b", "br", "font", "i", "u"};
    static const char* attributes[] = {"", "color", "name", "href", "size"};
    TMarkupTokenizer tokenizer(text);
    TMarkupToken token;
    QStringList parts;
    while (tokenizer.Next(token)) {
        if (token.Kind == tkRun) {
            parts << '"' + token.Text.toString() + '"';
            continue;
        }
        QString tag = QLatin1String(token.EndTag ? "</" : "<") + QLatin1String(names[token.Tag]);
        if (token.Attribute != maOther)
            tag += ' ' + QLatin1String(attributes[token.Attribute]) + '=' + token.Value.toString();
        parts << tag + (token.Final ? ">" : "_");
    }
    return parts.join(' ');
}

struct TokenCase {
    const char16_t* Text;
    const char* Tokens;
};

TEST(MarkupTokenizer, Tokens) {
    const TokenCase cases[] = {
        {u"", ""},
        {u"plain text", R"("plain text")"},
        {u"x>y", R"("x>y")"},
        {u"a<b>c</b>d", R"("a" <b> "c" </b> "d")"},
        {u"<B>x</Br><FONT>", R"("" <b> "x" </br> "" <font>)"},
        {u"<br><br>", R"("" <br> "" <br>)"},
        {u"a<b", R"("a")"},
        {u"a<b c", R"("a" <b_)"},
        {u"<<b>", R"("" <?>)"},
        {u"<b/r>", R"("" </br>)"},
        {u"<a href=x/y>", R"("" <a_ </a href=xy>)"},
        // Each blank applies the tag with the attribute read so far; ">" applies the last one.
        {uR"(<font color="red" size=3>)", R"("" <font_ <font color=red_ <font size=3>)"},
        // The attribute outlives its tag: later tags without attributes carry it again.
        {u"<font color=red></font><b>",
         R"("" <font_ <font color=red> "" </font color=red> "" <b color=red>)"},
        {u"<font =red>", R"("" <font_ <font>)"},
        {u"<font color=>", R"("" <font_ <font color=>)"},
        {uR"(<font name=">)", R"("" <font_ <font name=>)"},
        {uR"(<font name=""">)", R"("" <font_ <font name=">)"},
        {uR"(<font name="a"b">)", R"("" <font_ <font name=a"b>)"},
        {u"<font COLOR=#F00>", R"("" <font_ <font color=#F00>)"},
        {u"<font colour=red>", R"("" <font_ <font>)"},
        {u"<\u0130>\u0130<\u212A>", "\"\" <?> \"\u0130\" <?>"}, // only ASCII letters fold
    };
    for (const TokenCase& c : cases)
        EXPECT_EQ(Describe(QString::fromUtf16(c.Text)), QString::fromUtf8(c.Tokens))
            << QString::fromUtf16(c.Text).toStdString();
}

// Runs and values are views: for any text, every view must lie inside the text handed over,
// never in the characters around it.
TEST(MarkupTokenizer, ViewsStayInsideTheText) {
    const QString texts[] = {
        "<",
        ">",
        "<>",
        "</",
        "< =",
        "<b x=\"",
        "<font color=\"red",
        "a<",
        "<b>a",
        "=\"",
        "<a href=\"x\"/>tail",
        QString(300, '<'),
        QString(300, '>'),
        QString::fromUtf16(u"\xD800<b>\xDC00"),
    };
    for (const QString& text : texts) {
        const QString framed = "#" + text + "#";
        const QStringView inside = QStringView(framed).sliced(1, text.size());
        TMarkupTokenizer tokenizer(inside);
        TMarkupToken token;
        QString joined;
        int count = 0;
        while (tokenizer.Next(token)) {
            ASSERT_LT(++count, 10000) << "no end";
            if (token.Kind == tkRun) {
                EXPECT_GE(token.Text.data(), inside.data()) << text.toStdString();
                EXPECT_LE(token.Text.data() + token.Text.size(), inside.data() + inside.size())
                    << text.toStdString();
            }
            joined += token.Text.toString() + token.Value.toString();
        }
        EXPECT_FALSE(joined.contains('#')) << text.toStdString();
    }
}

} // namespace
} // namespace tolvane::testing
