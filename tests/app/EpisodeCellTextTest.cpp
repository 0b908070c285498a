// The episode table's cells drawn and measured from kept text lines look and size exactly as the
// style draws and sizes them, also after a cell's text changed under a kept line.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>
#include <functional>
#include <gtest/gtest.h>

#include "app/TextLengthDelegate.h"
#include "grid/base/ShownText.h"

namespace tolvane {
namespace {

// The options the table gives its cells.
class TTable : public QTableView {
public:
    QStyleOptionViewItem CellOption() const {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        return option;
    }
};

// The delegate, and the style's own drawing of the same cell to hold it against.
class TCellDelegate : public TTextLengthDelegate {
public:
    TCellDelegate() : TTextLengthDelegate(nullptr) {}
    void StylePaint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const {
        QStyledItemDelegate::paint(p, o, i);
    }
    QSize StyleSizeHint(const QStyleOptionViewItem& o, const QModelIndex& i) const {
        return QStyledItemDelegate::sizeHint(o, i);
    }
};

QPalette Dark() {
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
    return dark;
}

struct TCell {
    const char* What;
    QString Text;
    Qt::Alignment Align = Qt::AlignLeft | Qt::AlignVCenter;
    int Width = 160;
    QStyle::State State = QStyle::State_Enabled | QStyle::State_Active;
    bool Dimmed = false;
    bool DarkPalette = false;
    qreal Ratio = 1;
    bool WholeCellSelected = true;
};

const QStyle::State kOn = QStyle::State_Enabled | QStyle::State_Active;

const TCell kCells[] = {
    {"short name", "Nana01.mkv"},
    {"elided at its end", "A very long file name that a narrow column cannot hold.mkv", Qt::AlignLeft | Qt::AlignVCenter, 90},
    {"narrower than an ellipsis", "Nana01.mkv", Qt::AlignLeft | Qt::AlignVCenter, 9},
    {"a number right-aligned", "734003200", Qt::AlignRight | Qt::AlignVCenter},
    {"right-aligned and elided", "12345678901234567890123", Qt::AlignRight | Qt::AlignVCenter, 60},
    {"centred, odd spare", "AAC 2.0", Qt::AlignHCenter | Qt::AlignVCenter, 101},
    {"top and bottom", "Nana", Qt::AlignLeft | Qt::AlignTop},
    {"bottom", "Nana", Qt::AlignRight | Qt::AlignBottom},
    {"Cyrillic and CJK", QString::fromUtf8("Серия 第一話 «Начало»")},
    {"a cut long text", QString(3 * MaxShownLineChars, u'x')},
    {"empty", QString()},
    {"selected", "Nana01.mkv", Qt::AlignLeft | Qt::AlignVCenter, 160, kOn | QStyle::State_Selected},
    {"current with focus", "Nana01.mkv", Qt::AlignLeft | Qt::AlignVCenter, 160,
     kOn | QStyle::State_Selected | QStyle::State_HasFocus},
    {"window inactive", "Nana01.mkv", Qt::AlignLeft | Qt::AlignVCenter, 160, QStyle::State_Enabled | QStyle::State_Selected},
    {"disabled", "Nana01.mkv", Qt::AlignLeft | Qt::AlignVCenter, 160, QStyle::State_None},
    {"being edited", "Nana01.mkv", Qt::AlignLeft | Qt::AlignVCenter, 160, kOn | QStyle::State_Editing},
    {"missing file, greyed", "Nana02.mkv", Qt::AlignLeft | Qt::AlignVCenter, 160, kOn, true},
    {"dark, selected", "Nana01.mkv", Qt::AlignLeft | Qt::AlignVCenter, 160, kOn | QStyle::State_Selected, false, true},
    {"dark, greyed, right", "700", Qt::AlignRight | Qt::AlignVCenter, 160, kOn, true, true},
    {"twice the pixels", "Nana01.mkv", Qt::AlignLeft | Qt::AlignVCenter, 160, kOn, false, false, 2},
    {"twice the pixels, elided right", "12345678901234567890123", Qt::AlignRight | Qt::AlignVCenter, 60,
     kOn | QStyle::State_Selected, false, true, 2},
    {"selection behind the text alone", "Nana01.mkv", Qt::AlignLeft | Qt::AlignVCenter, 160,
     kOn | QStyle::State_Selected | QStyle::State_HasFocus, false, false, 1, false},
};

void PrintTo(const TCell& c, std::ostream* out) {
    *out << c.What;
}

class EpisodeCellText : public ::testing::TestWithParam<TCell> {};

QImage Drawn(const TCell& c, const std::function<void(QPainter*)>& paint) {
    QImage image(QSize(c.Width + 8, 40) * c.Ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(c.Ratio);
    image.fill(Qt::magenta);
    QPainter p(&image);
    paint(&p);
    return image;
}

TEST_P(EpisodeCellText, DrawsAndSizesAsTheStyleDoes) {
    const TCell& c = GetParam();
    QStandardItemModel model(1, 1);
    TTable view;
    view.setWordWrap(false); // as the episode table
    view.setModel(&model);
    TCellDelegate delegate;
    auto* item = new QStandardItem;
    model.setItem(0, 0, item);
    const QModelIndex index = model.index(0, 0);

    QStyleOptionViewItem option = view.CellOption();
    option.state = c.State;
    option.rect = QRect(4, 6, c.Width, 26);
    if (!c.WholeCellSelected) option.showDecorationSelected = false;
    if (c.DarkPalette) option.palette = Dark();
    // Another text first, kept for the same cell, then this one: nothing drawn from the first.
    for (const QString& text : {QString("Akira01.mkv and some more"), c.Text}) {
        item->setText(text);
        item->setTextAlignment(c.Align);
        if (c.Dimmed) item->setForeground(option.palette.brush(QPalette::Disabled, QPalette::Text));
        const QImage ours = Drawn(c, [&](QPainter* p) { delegate.paint(p, option, index); });
        const QImage styles = Drawn(c, [&](QPainter* p) { delegate.StylePaint(p, option, index); });
        EXPECT_TRUE(ours == styles) << c.What << ": \"" << text.left(40).toStdString() << "\" drawn otherwise";
        EXPECT_EQ(delegate.sizeHint(option, index), delegate.StyleSizeHint(option, index)) << c.What;
        // Once more, from the kept line.
        EXPECT_TRUE(Drawn(c, [&](QPainter* p) { delegate.paint(p, option, index); }) == styles) << c.What;
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, EpisodeCellText, ::testing::ValuesIn(kCells));

} // namespace
} // namespace tolvane
