#include "grid/display/markup/MarkupTokenizer.h"

#include <array>

namespace tolvane {

namespace {

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool EqualsLowered(QStringView text, QStringView lower) {
    if (text.size() != lower.size()) return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (AsciiLower(text[i].unicode()) != lower[i].unicode()) return false;
    return true;
}

void RunToken(TMarkupToken& token, QStringView run) {
    token = TMarkupToken{};
    token.Text = run;
}

QStringView Unquoted(QStringView value) {
    if (value.startsWith(u'"')) value = value.mid(1);
    if (value.endsWith(u'"')) value.chop(1);
    return value;
}

} // namespace

TMarkupTag MarkupTagOf(QStringView name) {
    static constexpr std::array<std::pair<TMarkupTag, const char16_t*>, 6> Tags{{
        {mtLink, u"a"},
        {mtBold, u"b"},
        {mtBreak, u"br"},
        {mtFont, u"font"},
        {mtItalic, u"i"},
        {mtUnderline, u"u"},
    }};
    for (const auto& [tag, text] : Tags)
        if (EqualsLowered(name, QStringView(text))) return tag;
    return mtOther;
}

TMarkupAttribute MarkupAttributeOf(QStringView name) {
    static constexpr std::array<std::pair<TMarkupAttribute, const char16_t*>, 4> Attributes{{
        {maColor, u"color"},
        {maName, u"name"},
        {maHref, u"href"},
        {maSize, u"size"},
    }};
    for (const auto& [attribute, text] : Attributes)
        if (EqualsLowered(name, QStringView(text))) return attribute;
    return maOther;
}

QString& TMarkupTokenizer::Pending() {
    switch (mode_) {
    case mdAttributeValue:
        return value_;
    case mdAttributeName:
        return attributeName_;
    case mdTagName:
        break;
    }
    return tagName_;
}

void TMarkupTokenizer::TagToken(TMarkupToken& token, bool final) const {
    token.Kind = tkTag;
    token.Text = {};
    token.Tag = MarkupTagOf(tagName_);
    token.EndTag = endTag_;
    token.Final = final;
    token.Attribute = MarkupAttributeOf(attributeName_);
    token.Value = Unquoted(value_);
}

bool TMarkupTokenizer::Next(TMarkupToken& token) {
    if (attributeStarts_) {
        attributeName_.truncate(0);
        value_.truncate(0);
        mode_ = mdAttributeName;
        attributeStarts_ = false;
    }
    while (pos_ < text_.size()) {
        const char16_t ch = text_[pos_++].unicode();
        if (!inTag_) {
            if (ch != u'<') continue;
            inTag_ = true;
            tagName_.truncate(0);
            RunToken(token, text_.sliced(runStart_, pos_ - 1 - runStart_));
            return true;
        }
        switch (ch) {
        case u'>':
            TagToken(token, true);
            inTag_ = false;
            endTag_ = false;
            mode_ = mdTagName;
            runStart_ = pos_;
            return true;
        case u' ':
            // The tag name stays; the attribute name and value are cleared once the token is used.
            TagToken(token, false);
            attributeStarts_ = true;
            return true;
        case u'=':
            mode_ = mdAttributeValue;
            value_.truncate(0);
            break;
        case u'/':
            endTag_ = true;
            break;
        default:
            Pending().append(QChar(ch));
            break;
        }
    }
    if (inTag_ || runStart_ >= text_.size()) return false;
    RunToken(token, text_.sliced(runStart_));
    runStart_ = text_.size();
    return true;
}

} // namespace tolvane
