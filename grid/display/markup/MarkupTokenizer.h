#pragma once
// Markup cell text read character by character into runs of plain text and tag applications.
// It only reads: no canvas, no fonts, so that any text can be fed to it on its own.
//
// Outside a tag every character but "<" belongs to the current run; "<" ends the run (handed
// out even when empty) and opens a tag. Inside the brackets a blank applies the tag read so far
// and starts an attribute, "=" starts the attribute's value, "/" marks an end tag wherever it
// stands and ">" applies the tag once more and closes it. The attribute name and value are not
// cleared by ">", so a later tag without attributes is applied with the last ones again.

#include <QString>
#include <QStringView>

namespace tolvane {

// Tag kinds; the values index the nesting counts.
enum TMarkupTag {
    mtOther = 0,
    mtLink = 1,
    mtBold = 2,
    mtBreak = 3,
    mtFont = 4,
    mtItalic = 5,
    mtUnderline = 6
};
constexpr int MarkupTagCount = 7;

enum TMarkupAttribute { maOther = 0, maColor = 1, maName = 2, maHref = 3, maSize = 4 };

enum TMarkupTokenKind { tkRun, tkTag };

struct TMarkupToken {
    TMarkupTokenKind Kind = tkRun;
    QStringView Text; // tkRun: the run of plain text
    // tkTag: one application of the pending tag.
    TMarkupTag Tag = mtOther;
    bool EndTag = false;
    bool Final = false; // applied by the ">" that ends the tag, not by a blank inside it
    TMarkupAttribute Attribute = maOther;
    QStringView Value; // one leading and one trailing double quote removed
};

// Names compared after lower-casing ASCII letters only; exact otherwise.
TMarkupTag MarkupTagOf(QStringView name);
TMarkupAttribute MarkupAttributeOf(QStringView name);

class TMarkupTokenizer {
public:
    // The text must outlive the tokenizer.
    explicit TMarkupTokenizer(QStringView text) : text_(text) {}

    // The next token; false after the last. Views in the token stay valid until the next call.
    bool Next(TMarkupToken& token);

private:
    enum TMode { mdTagName, mdAttributeName, mdAttributeValue };

    QString& Pending(); // where the characters inside the brackets go in the current mode
    void TagToken(TMarkupToken& token, bool final) const;

    QStringView text_;
    qsizetype pos_ = 0;
    qsizetype runStart_ = 0;
    bool inTag_ = false;
    bool endTag_ = false;
    bool attributeStarts_ = false; // a blank was applied; its attribute is cleared on the next call
    TMode mode_ = mdTagName;
    QString tagName_;
    QString attributeName_;
    QString value_;
};

} // namespace tolvane
