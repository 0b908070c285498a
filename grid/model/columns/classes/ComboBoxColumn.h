#pragma once
// A text column whose editor offers a drop-down list of items.

#include <QStringList>

#include "grid/model/columns/classes/TextualColumn.h"

namespace tolvane {

class TImageList;

enum TCompoBoxStyle { cbsDropDown, cbsDropDownList };

class TComboBoxColumn : public TTextualColumn {
public:
    TComboBoxColumn();
    static TColumnClasses Classes();

    // Not owned; the column keeps the reference only.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value) { images_ = value; }
    const QStringList& Items() const { return items_; }
    QStringList& Items() { return items_; }
    void SetItems(const QStringList& value) { items_ = value; }
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    bool ShowImages() const { return showImages_; }
    void SetShowImages(bool value) { showImages_ = value; }
    TCompoBoxStyle Style() const { return style_; }
    void SetStyle(TCompoBoxStyle value) { style_ = value; }

    void CopyFrom(const TCustomColumn& source) override;

protected:
    explicit TComboBoxColumn(const TColumnClasses& classes);

private:
    TImageList* images_ = nullptr;
    QStringList items_;
    int dropDownCount_ = 8;
    bool showImages_ = false;
    TCompoBoxStyle style_ = cbsDropDown;
};

} // namespace tolvane
