#include "grid/editors/popups/DatePopup.h"

#include <algorithm>
#include <cmath>

#include "grid/base/Conversions.h"
#include "grid/shared/ColorContrast.h"
#include "grid/shared/GraphicsProvider.h"
#include "grid/shared/ThemesSupport.h"

namespace tolvane {

namespace {

constexpr int kGridLeft = 14;
constexpr int kGridTop = 36;
constexpr int kCellWidth = 17;
constexpr int kCellHeight = 15;
constexpr int kTitleHeight = 19;
constexpr int kArrowBox = 18;
constexpr const char* kDayLetters = "SMTWTFS";
constexpr unsigned kDayNumberFlags = DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;

// The classic accents stay as they are on a light palette; on a dark one they give way towards
// the window colour until the day numbers read on them.
TColor SelectedDayColor() {
    return TColorContrast::LegibleFill(ThemesAvailable() ? RGB(251, 230, 148) : RGB(192, 192, 192), clWindow,
                                       clWindowText);
}

// The day cells are laid out for a small font; a larger one would run two-digit days together
// ("2728"), so the letters and days take a smaller height until a two-digit day leaves a gap.
void FitCellFont(TCanvas& canvas) {
    constexpr int widest = kCellWidth - 3;
    constexpr int smallest = 8;
    while (canvas.Font.Height > smallest && canvas.TextWidth(QStringLiteral("30")) > widest) --canvas.Font.Height;
}

TColor TodayFrameColor() {
    return ThemesAvailable() ? TColorContrast::Visible(RGB(128, 0, 0), clWindow, clHighlight) : clHighlight;
}

TColor TitleStripColor() {
    const TColor strip = ThemesAvailable()
                             ? TGraphicsProvider::BlendColors(clGradientInactiveCaption, clWindow, 249)
                             : clBtnFace;
    return TColorContrast::LegibleFill(strip, clWindow, clWindowText);
}

} // namespace

TDatePopup::TDatePopup()
    : today_(std::make_unique<TPopupButton>(*this)), none_(std::make_unique<TPopupButton>(*this)) {
    VertScrollBar().SetVisible(false);
    today_->SetCaption(QStringLiteral("Today"));
    today_->SetBounds(18, 131, 48, 20);
    none_->SetCaption(QStringLiteral("None"));
    none_->SetBounds(79, 131, 48, 20);
    const auto released = [this](TPopupButton* sender, TMouseButton, TShiftState, int x, int y) {
        ButtonReleased(sender, x, y);
    };
    today_->OnMouseUp = released;
    none_->OnMouseUp = released;
}

TDateTime TDatePopup::Date() const {
    return date_;
}

void TDatePopup::SetDate(TDateTime value) {
    int year = 0, month = 0, day = 0;
    TMonthGrid::DecodeDate(value, year, month, day);
    const TMonthGrid grid(year, month); // refuses dates outside the calendar
    date_ = value;
    selectedDate_ = std::trunc(value);
    year_ = year;
    month_ = month;
    day_ = day;
    Invalidate();
}

void TDatePopup::SetMonth(int value) {
    month_ = TMonthGrid(year_, value).Month();
}

void TDatePopup::SetYear(int value) {
    year_ = TMonthGrid(value, month_).Year();
}

void TDatePopup::ShowDateText(const QString& text) {
    const QString t = text.trimmed();
    SetDate(t.isEmpty() || t == QLatin1String("0") ? tolvane::Date() : std::trunc(StrToDateTime(t)));
}

void TDatePopup::ShowMonth(const TMonthGrid& grid) {
    year_ = grid.Year();
    month_ = grid.Month();
    Invalidate();
}

void TDatePopup::PreviousMonth() {
    ShowMonth(Grid().Previous());
}

void TDatePopup::NextMonth() {
    ShowMonth(Grid().Next());
}

TRect TDatePopup::CellRect(int column, int row) {
    const int left = kGridLeft + kCellWidth * column, top = kGridTop + kCellHeight * row;
    return TRect{left, top, left + kCellWidth, top + kCellHeight};
}

TRect TDatePopup::DayArea() const {
    // The days end with the sixth row, above the buttons.
    return TRect{kGridLeft, 38, ClientWidth() - kGridLeft,
                 std::min(ClientHeight() - 20, kGridTop + TMonthGrid::Rows * kCellHeight)};
}

bool TDatePopup::CellAt(int x, int y, int& column, int& row) const {
    if (!DayArea().Contains(TPoint{x, y})) return false;
    column = (x - kGridLeft) / kCellWidth;
    row = (y - kGridTop) / kCellHeight;
    return column < TMonthGrid::Columns && row < TMonthGrid::Rows && Grid().InCalendar(column, row);
}

void TDatePopup::HighlightAt(int x, int y) {
    int column = 0, row = 0;
    if (!CellAt(x, y, column, row)) return;
    const TDateTime date = Grid().CellDate(column, row);
    if (date == selectedDate_) return;
    selectedDate_ = date;
    InvalidateRect(selectedRect_);
    InvalidateRect(CellRect(column, row));
}

void TDatePopup::SelectAt(int x, int y) {
    int column = 0, row = 0;
    if (!CellAt(x, y, column, row)) return;
    Choose(DateToStr(Grid().CellDate(column, row)));
}

TPopupButton* TDatePopup::ButtonAt(int x, int y) const {
    for (TPopupButton* b : {today_.get(), none_.get()})
        if (b->Visible() && b->BoundsRect().Contains(TPoint{x, y})) return b;
    return nullptr;
}

void TDatePopup::ButtonReleased(TPopupButton* button, int x, int y) {
    // Only a release over the button counts: dragging off it cancels.
    if (x < 0 || y < 0 || x >= button->Width() || y >= button->Height()) return;
    if (button == today_.get())
        Choose(DateToStr(tolvane::Date()));
    else if (button == none_.get())
        Choose(QString());
}

void TDatePopup::WMMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TPopupView::WMMouseDown(button, shift, x, y);
    if (TPopupButton* b = ButtonAt(x, y)) {
        pressed_ = b;
        b->MouseDown(button, shift, x - b->BoundsRect().Left, y - b->BoundsRect().Top);
        return;
    }
    const int width = ClientWidth();
    if (TRect{0, 0, kArrowBox, kArrowBox}.Contains(TPoint{x, y})) {
        PreviousMonth();
    } else if (TRect{width - kArrowBox, 0, width, kArrowBox}.Contains(TPoint{x, y})) {
        NextMonth();
    } else if (DayArea().Contains(TPoint{x, y})) {
        tracking_ = true;
        HighlightAt(x, y);
    }
}

void TDatePopup::WMMouseMove(TShiftState shift, int x, int y) {
    TPopupView::WMMouseMove(shift, x, y);
    if (tracking_) HighlightAt(x, y);
}

void TDatePopup::WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    tracking_ = false;
    if (TPopupButton* b = pressed_) {
        pressed_ = nullptr;
        b->MouseUp(button, shift, x - b->BoundsRect().Left, y - b->BoundsRect().Top);
    }
    if (!TRect{0, 0, ClientWidth(), kTitleHeight}.Contains(TPoint{x, y}))
        TPopupView::WMMouseUp(button, shift, x, y);
    else
        TScrollView::WMMouseUp(button, shift, x, y);
}

void TDatePopup::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Color();
    canvas.FillRect(ClientRect());
    FitCellFont(canvas);
    canvas.Font.Color = clWindowText;
    for (int k = 0; k < TMonthGrid::Columns; ++k) {
        const int left = kGridLeft + kCellWidth * k;
        TGraphicsProvider::DrawTextEllipsis(canvas, TRect{left, 20, left + 15, 34}, false,
                                            QString(QChar::fromLatin1(kDayLetters[k])), taRightJustify);
    }
    canvas.Pen.Color = clGrayText;
    canvas.Pen.Mode = pmCopy;
    canvas.MoveTo(kGridLeft, 34);
    canvas.LineTo(ClientWidth() - 15, 34);
    canvas.MoveTo(kGridLeft, 126);
    canvas.LineTo(ClientWidth() - 15, 126);
    const TFont cellFont = canvas.Font;
    canvas.Font = Font();
    PaintTitle(canvas);
    canvas.Font = cellFont;
    PaintDays(canvas);
    today_->Paint(canvas);
    none_->Paint(canvas);
}

void TDatePopup::PaintTitle(TCanvas& canvas) {
    const int width = ClientWidth();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = TitleStripColor();
    canvas.FillRect(TRect{2, 2, width - 2, 18});
    canvas.Font.Color = clWindowText;
    TGraphicsProvider::DrawTextEllipsis(
        canvas, TRect{0, 0, width, kTitleHeight}, false,
        TMonthGrid::MonthName(month_, monthNames_) + ' ' + QString::number(year_), taCenter);
    canvas.Brush.Color = clWindowText;
    canvas.Pen.Color = clWindowText;
    canvas.Polygon({TPoint{12, 5}, TPoint{12, 13}, TPoint{8, 9}});
    canvas.Polygon({TPoint{width - 13, 5}, TPoint{width - 13, 13}, TPoint{width - 9, 9}});
}

void TDatePopup::PaintDays(TCanvas& canvas) {
    const TMonthGrid grid = Grid();
    const TDateTime today = tolvane::Date();
    for (int row = 0; row < TMonthGrid::Rows; ++row) {
        for (int column = 0; column < TMonthGrid::Columns; ++column) {
            const TRect cell = CellRect(column, row);
            const TDateTime date = grid.CellDate(column, row);
            if (date == selectedDate_) {
                canvas.Brush.Style = bsSolid;
                canvas.Brush.Color = SelectedDayColor();
                canvas.FillRect(cell);
                selectedRect_ = cell;
            }
            if (date == today) {
                canvas.Brush.Style = bsSolid;
                canvas.Brush.Color = TodayFrameColor();
                canvas.FrameRect(cell);
            }
            int year = 0, month = 0, day = 0;
            TMonthGrid::DecodeDate(date, year, month, day);
            canvas.Font.Color = grid.InMonth(column, row) ? clWindowText : clGrayText;
            // Right-aligned and never cut to an ellipsis: with a font wider than the 15 pixels
            // were made for, two digits run a pixel or two into the gap to the left instead.
            TRect number{cell.Left, cell.Top, cell.Left + 15, cell.Bottom};
            canvas.Brush.Style = bsClear;
            canvas.DrawText(QString::number(day), number, kDayNumberFlags);
            canvas.Brush.Style = bsSolid;
        }
    }
}

} // namespace tolvane
