#include "grid/display/markup/MarkupText.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QUrl>

#include "grid/display/markup/MarkupTokenizer.h"

namespace tolvane {

namespace {

QString Attribute(const char* name, QStringView value) {
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value.toString().toHtmlEscaped());
}

bool SafeLink(QStringView href) {
    const QString scheme = QUrl(href.toString()).scheme().toLower();
    return scheme.isEmpty() || scheme == u"http" || scheme == u"https" || scheme == u"mailto";
}

// One tag between "<" and ">": the tokenizer hands out an application at every blank inside it
// and the last one at ">", each with the attribute read just before.
struct TPendingTag {
    QString color, face, size, href;

    void Take(const TMarkupToken& token) {
        switch (token.Attribute) {
        case maColor:
            color = token.Value.toString();
            break;
        case maName:
            face = token.Value.toString();
            break;
        case maSize:
            size = token.Value.toString();
            break;
        case maHref:
            href = token.Value.toString();
            break;
        case maOther:
            break;
        }
    }

    QString FontStart() const {
        QString html = QStringLiteral("<font");
        if (!color.isEmpty()) html += Attribute("color", color);
        if (!face.isEmpty()) html += Attribute("face", face);
        bool points = false;
        const int pt = size.toInt(&points);
        if (points && pt > 0) html += QStringLiteral(" style=\"font-size:%1pt\"").arg(pt);
        return html + u'>';
    }

    QString LinkStart() const {
        return SafeLink(href) && !href.isEmpty() ? QStringLiteral("<a") + Attribute("href", href) + u'>'
                                                 : QStringLiteral("<a>");
    }
};

const char* ElementName(TMarkupTag tag) {
    switch (tag) {
    case mtLink:
        return "a";
    case mtBold:
        return "b";
    case mtFont:
        return "font";
    case mtItalic:
        return "i";
    case mtUnderline:
        return "u";
    case mtBreak:
    case mtOther:
        break;
    }
    return nullptr;
}

} // namespace

QString MarkupPlainText(QStringView markup) {
    QString text;
    TMarkupTokenizer tokens(markup);
    TMarkupToken token;
    while (tokens.Next(token)) {
        if (token.Kind == tkRun)
            text += token.Text;
        else if (token.Final && token.Tag == mtBreak)
            text += u'\n';
    }
    return text;
}

QString MarkupHtml(QStringView markup) {
    QString html;
    std::vector<TMarkupTag> open;
    TPendingTag pending;
    TMarkupTokenizer tokens(markup);
    TMarkupToken token;
    while (tokens.Next(token)) {
        if (token.Kind == tkRun) {
            html += token.Text.toString().toHtmlEscaped();
            continue;
        }
        pending.Take(token);
        if (!token.Final) continue;
        const TPendingTag tag = std::exchange(pending, TPendingTag{});
        if (token.Tag == mtBreak) {
            html += QStringLiteral("<br>");
            continue;
        }
        const char* name = ElementName(token.Tag);
        if (!name) continue;
        if (token.EndTag) {
            // Close down to the element it names, when that one is open.
            auto it = std::find(open.rbegin(), open.rend(), token.Tag);
            if (it == open.rend()) continue;
            const std::size_t keep = std::size_t(open.rend() - it) - 1;
            while (open.size() > keep) {
                html += QStringLiteral("</%1>").arg(QLatin1String(ElementName(open.back())));
                open.pop_back();
            }
            continue;
        }
        if (token.Tag == mtFont)
            html += tag.FontStart();
        else if (token.Tag == mtLink)
            html += tag.LinkStart();
        else
            html += QStringLiteral("<%1>").arg(QLatin1String(name));
        open.push_back(token.Tag);
    }
    while (!open.empty()) {
        html += QStringLiteral("</%1>").arg(QLatin1String(ElementName(open.back())));
        open.pop_back();
    }
    return html;
}

} // namespace tolvane
