#pragma once
// A column's rectangle inside one slide of the gsSlides style.

namespace tolvane {

class TCustomColumn;

class TSlideBounds {
public:
    explicit TSlideBounds(TCustomColumn* column = nullptr) : column_(column) {}
    TSlideBounds(const TSlideBounds&) = delete;
    TSlideBounds& operator=(const TSlideBounds&) = delete;

    TCustomColumn* Column() const { return column_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Right() const { return left_ + width_; }
    int Bottom() const { return top_ + height_; }

    void SetLeft(int value) { left_ = value; }
    void SetTop(int value) { top_ = value; }
    void SetWidth(int value) { width_ = value; }
    void SetHeight(int value) { height_ = value; }

    void CopyFrom(const TSlideBounds& source);

private:
    TCustomColumn* column_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace tolvane
