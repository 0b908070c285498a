// The markup tokenizer with its nesting counts, and the colour names. The tokens match a plain
// reading of the rule character by character; every run is a view inside the text, and runs and
// tags cover it in order without overlap; a count never goes below zero and a style is on
// exactly while its count is at least 1; tags, attributes, colour names and hexadecimal digits
// compare without regard to ASCII letter case; "#RRGGBB" converts to that colour, every table
// name converts as its hexadecimal text does; nothing is thrown.
#include <QList>
#include <algorithm>
#include <exception>
#include <string>
#include <unordered_set>

#include "FuzzCheck.h"
#include "grid/display/markup/MarkupNesting.h"
#include "grid/display/markup/MarkupTokenizer.h"
#include "grid/shared/ColorNames.h"

using namespace tolvane;
using namespace tolvane::fuzz;

namespace {

// A token as the rule reads it: a run by its place in the text, a tag by its texts.
struct TExpected {
    bool Run = true;
    qsizetype Start = 0, Length = 0;
    QString Name, Attribute, Value;
    bool End = false, Final = false;
};

QString Unquoted(QString value) {
    if (value.startsWith('"')) value.remove(0, 1);
    if (value.endsWith('"')) value.chop(1);
    return value;
}

// Outside a tag "<" ends the run and opens a tag. Inside, ">" applies the tag and closes it, a
// blank applies it and starts a new attribute, "=" starts the value, "/" marks an end tag; any
// other character goes to the value, the attribute name or the tag name, by mode.
QList<TExpected> Read(const QString& text) {
    QList<TExpected> tokens;
    bool inTag = false, end = false;
    int mode = 0; // 0 tag name, 1 attribute name, 2 value
    QString name, attribute, value;
    qsizetype runStart = 0;
    const auto tag = [&](bool final) {
        TExpected t;
        t.Run = false;
        t.Name = name;
        t.Attribute = attribute;
        t.Value = Unquoted(value);
        t.End = end;
        t.Final = final;
        tokens << t;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (!inTag) {
            if (ch != '<') continue;
            tokens << TExpected{true, runStart, i - runStart};
            inTag = true;
            name.clear();
            continue;
        }
        if (ch == '>') {
            tag(true);
            inTag = end = false;
            mode = 0;
            runStart = i + 1;
        } else if (ch == ' ') {
            tag(false);
            attribute.clear();
            value.clear();
            mode = 1;
        } else if (ch == '=') {
            mode = 2;
            value.clear();
        } else if (ch == '/') {
            end = true;
        } else {
            (mode == 2 ? value : mode == 1 ? attribute : name) += ch;
        }
    }
    if (!inTag && runStart < text.size()) tokens << TExpected{true, runStart, text.size() - runStart};
    return tokens;
}

QString AsciiCase(const QString& text, bool upper) {
    QString s = text;
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (upper && u >= u'a' && u <= u'z') c = QChar(u - u'a' + u'A');
        if (!upper && u >= u'A' && u <= u'Z') c = QChar(u - u'A' + u'a');
    }
    return s;
}

std::string AsciiCase(const std::string& text, bool upper) {
    return AsciiCase(QString::fromLatin1(text.data(), qsizetype(text.size())), upper)
        .toLatin1()
        .toStdString();
}

QString Position(const QString& text, int index) {
    return "'" + text.left(200) + "', token " + QString::number(index);
}

void CheckTokens(const QString& text) {
    const QList<TExpected> expected = Read(text);
    const QString upper = AsciiCase(text, true);
    TMarkupTokenizer tokenizer(text), upperTokenizer(upper);
    TMarkupToken token, upperToken;
    TMarkupNesting nesting;
    int counts[MarkupTagCount] = {};
    qsizetype covered = 0; // the text up to here is accounted for by runs and tags
    int i = 0;
    for (; tokenizer.Next(token); ++i) {
        const QString where = Position(text, i);
        FUZZ_REQUIRE(i < expected.size(), where + ": more tokens than the rule reads");
        const TExpected& e = expected[i];
        FUZZ_REQUIRE(upperTokenizer.Next(upperToken) && upperToken.Kind == token.Kind,
                     where + " in upper case");
        if (token.Kind == tkRun) {
            FUZZ_REQUIRE(e.Run, where + ": a run where the rule reads a tag");
            const QChar* begin = text.constData();
            // Inside the text, in order, starting where the last tag ended.
            FUZZ_REQUIRE(token.Text.size() == 0 ||
                             (token.Text.data() >= begin &&
                              token.Text.data() + token.Text.size() <= begin + text.size()),
                         where + ": a run outside the text");
            const qsizetype start = token.Text.size() == 0 ? e.Start : token.Text.data() - begin;
            FUZZ_REQUIRE(start == e.Start && token.Text.size() == e.Length && start == covered,
                         where + ": run at " + QString::number(start) + " of " +
                             QString::number(token.Text.size()));
            FUZZ_REQUIRE(!token.Text.contains(u'<'), where);
            FUZZ_REQUIRE(upperToken.Text.size() == token.Text.size(), where + " in upper case");
            covered = start + token.Text.size();
            FUZZ_REQUIRE(covered == text.size() || text[covered] == '<', where + ": a run not ended by '<'");
        } else {
            FUZZ_REQUIRE(!e.Run, where + ": a tag where the rule reads a run");
            FUZZ_REQUIRE(token.Tag == MarkupTagOf(e.Name) &&
                             token.Attribute == MarkupAttributeOf(e.Attribute) && token.Value == e.Value &&
                             token.EndTag == e.End && token.Final == e.Final,
                         where + ": tag '" + e.Name + "' " + e.Attribute + "=" + e.Value);
            FUZZ_REQUIRE(upperToken.Tag == token.Tag && upperToken.Attribute == token.Attribute &&
                             upperToken.EndTag == token.EndTag && upperToken.Final == token.Final &&
                             upperToken.Value == AsciiCase(e.Value, true),
                         where + " in upper case");
            if (token.Final) {
                // The tag reaches up to its ">".
                covered = text.indexOf('>', covered + 1) + 1;
                FUZZ_REQUIRE(covered > 0, where + ": a closed tag without '>'");
                int& count = counts[token.Tag];
                count = token.EndTag ? std::max(0, count - 1) : count + 1;
            }
        }
        nesting.Count(token);
        for (int k = 0; k < MarkupTagCount; ++k) {
            const auto tag = TMarkupTag(k);
            FUZZ_REQUIRE(nesting.CountOf(tag) == counts[k] && nesting.CountOf(tag) >= 0 &&
                             nesting.IsOn(tag) == (counts[k] >= 1),
                         where + ": count of kind " + QString::number(k));
        }
    }
    FUZZ_REQUIRE(i == expected.size(), Position(text, i) + ": fewer tokens than the rule reads");
    FUZZ_REQUIRE(!upperTokenizer.Next(upperToken), Position(text, i) + " in upper case: more tokens");
    // What follows the last token is an unclosed tag, or nothing.
    FUZZ_REQUIRE(covered == text.size() || (text[covered] == '<' && text.indexOf('>', covered) < 0),
                 Position(text, i) + ": text left over from " + QString::number(covered));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = char(c | 0x20);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

QString Quoted(const std::string& text) {
    return "'" + QString::fromLatin1(text.data(), qsizetype(std::min<std::size_t>(text.size(), 200))) + "'";
}

std::string HexText(TColor color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(color & 0xFF), unsigned((color >> 8) & 0xFF),
                  unsigned((color >> 16) & 0xFF));
    return text;
}

// The table's names, read once: a scan of the table per input halved the executions.
const std::unordered_set<std::string>& ColorNames() {
    static const std::unordered_set<std::string> names = [] {
        std::unordered_set<std::string> all;
        for (int k = 0; k < ColorNameCount(); ++k) all.insert(ColorNameAt(k));
        return all;
    }();
    return names;
}

void CheckColor(const std::string& text, std::uint32_t raw) {
    const std::string hex = ColorNameToHex(text);
    const TColor color = HtmlColorToColor(text);
    // A name answers its table text; any other text comes back unchanged.
    const bool named = ColorNames().count(AsciiCase(text, false)) > 0;
    FUZZ_REQUIRE(named ? hex.size() == 7 && hex[0] == '#' : hex == text, Quoted(text) + " -> " + Quoted(hex));
    // Names and digits in any letter case.
    FUZZ_REQUIRE(ColorNameToHex(AsciiCase(text, true)) == ColorNameToHex(AsciiCase(text, false)) || !named,
                 Quoted(text));
    FUZZ_REQUIRE(HtmlColorToColor(AsciiCase(text, true)) == color &&
                     HtmlColorToColor(AsciiCase(text, false)) == color,
                 Quoted(text));
    // The text after its first character, read as a plain 32-bit hexadecimal number.
    bool digits = true;
    std::uint64_t n = 0;
    for (std::size_t k = 1; k < hex.size() && digits; ++k) {
        const int d = HexDigit(hex[k]);
        n = n * 16 + std::uint64_t(std::max(d, 0));
        digits = d >= 0 && n <= 0xFFFFFFFFu;
    }
    const TColor plain = digits ? RGB(std::uint8_t(n >> 16), std::uint8_t(n >> 8), std::uint8_t(n)) : clNone;
    FUZZ_REQUIRE(color == plain, Quoted(text) + " -> " + QString::number(color, 16));
    // A colour's "#RRGGBB" text converts back to the colour, with any first character.
    const TColor rgb = raw & 0xFFFFFF;
    std::string own = HexText(rgb);
    FUZZ_REQUIRE(HtmlColorToColor(own) == rgb, Quoted(own));
    own[0] = char(raw >> 24);
    FUZZ_REQUIRE(HtmlColorToColor(AsciiCase(own, false)) == rgb, Quoted(own));
}

} // namespace

// The table once: every name converts as its text does, and that text is the colour's own.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    UseFixedLocale();
    for (int k = 0; k < ColorNameCount(); ++k) {
        const std::string name = ColorNameAt(k);
        const TColor color = HtmlColorToColor(name);
        FUZZ_REQUIRE(color != clNone && HtmlColorToColor(ColorNameToHex(name)) == color &&
                         HexText(color) == ColorNameToHex(name),
                     Quoted(name));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    const auto raw = input.Take<std::uint32_t>();
    const std::string bytes = input.Rest();
    const QString text = QString::fromUtf8(bytes);
    try {
        CheckTokens(text);
        CheckColor(bytes.substr(0, 64), raw);
        // A colour attribute as the painter reads it.
        TMarkupTokenizer tokenizer(text);
        for (TMarkupToken token; tokenizer.Next(token);)
            if (token.Kind == tkTag && token.Attribute == maColor)
                CheckColor(token.Value.toString().toStdString(), raw);
    } catch (const std::exception& e) {
        Unexpected(e.what());
    }
    return 0;
}
