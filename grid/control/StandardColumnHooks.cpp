#include "grid/control/StandardColumnHooks.h"

#include "grid/display/columns/CheckBoxColumnDisplay.h"
#include "grid/display/columns/CheckBoxColumnPlay.h"
#include "grid/display/columns/DateColumnDisplay.h"
#include "grid/display/columns/GraphicColumnDisplay.h"
#include "grid/display/columns/HtmlColumnDisplay.h"
#include "grid/display/columns/ImageColumnDisplay.h"
#include "grid/display/columns/IncrementColumnDisplay.h"
#include "grid/display/columns/NumericColumnDisplay.h"
#include "grid/display/columns/ProgressColumnDisplay.h"
#include "grid/display/columns/RateColumnDisplay.h"
#include "grid/display/columns/TextualColumnDisplay.h"
#include "grid/editors/choice/CheckBoxEditor.h"
#include "grid/editors/choice/ComboBoxEditor.h"
#include "grid/editors/choice/DatePickerEditor.h"
#include "grid/editors/text/SpinEditor.h"
#include "grid/editors/text/TextualEditor.h"
#include "grid/model/columns/classes/CheckBoxColumn.h"
#include "grid/model/columns/classes/ComboBoxColumn.h"
#include "grid/model/columns/classes/DateColumn.h"
#include "grid/model/columns/classes/GraphicColumn.h"
#include "grid/model/columns/classes/HtmlColumn.h"
#include "grid/model/columns/classes/ImageColumn.h"
#include "grid/model/columns/classes/IncrementColumn.h"
#include "grid/model/columns/classes/NumericColumn.h"
#include "grid/model/columns/classes/ProgressColumn.h"
#include "grid/model/columns/classes/RateColumn.h"
#include "grid/model/columns/classes/TextualColumn.h"

namespace tolvane {

namespace {

// The textual column's editor keeps Up and Down for the field.
void PrepareTextualEditor(TCustomColumn&, TCellEditor& editor) {
    editor.SetIgnoreArrows(true);
}

// The numeric column's limits and step go to its spin editor before each edit.
void PrepareNumericEditor(TCustomColumn& column, TCellEditor& editor) {
    auto* spin = dynamic_cast<TSpinEditor*>(&editor);
    if (!spin) return;
    const auto& numeric = static_cast<const TNumericColumn&>(column);
    spin->SetIncrement(numeric.Increment());
    spin->SetMax(numeric.Max());
    spin->SetMin(numeric.Min());
}

// The combo-box column's items, images, drop-down count and style go to its editor before each
// edit. Preparing is no edit: a drop-down list showing its item again raises no OnEdit.
void PrepareComboBoxEditor(TCustomColumn& column, TCellEditor& editor) {
    auto* combo = dynamic_cast<TComboBoxEditor*>(&editor);
    if (!combo) return;
    const auto& source = static_cast<const TComboBoxColumn&>(column);
    const bool suppress = combo->SuppressChange();
    combo->SetSuppressChange(true);
    combo->SetItems(source.Items());
    combo->SetImages(source.Images());
    combo->SetDropDownCount(source.DropDownCount());
    combo->SetStyle(source.Style() == cbsDropDownList ? dsDropDownList : dsDropDown);
    combo->SetSuppressChange(suppress);
}

void PrepareDateEditor(TCustomColumn&, TCellEditor& editor) {
    if (auto* picker = dynamic_cast<TDatePickerEditor*>(&editor)) picker->SetStyle(dsDropDown);
}

} // namespace

// The one table of which column class paints, plays and edits with what.
void BindStandardColumnHooks() {
    static const bool bound = [] {
        TColumnHooks::Bind<TCheckBoxColumn>({&CreateCellEditor<TCheckBoxEditor>,
                                             &CreateColumnDisplay<TCheckBoxColumnDisplay>,
                                             &CreateColumnPlay<TCheckBoxColumnPlay>});
        TColumnHooks::Bind<TComboBoxColumn>({&CreateCellEditor<TComboBoxEditor>,
                                             &CreateColumnDisplay<TTextualColumnDisplay>, nullptr,
                                             &PrepareComboBoxEditor});
        TColumnHooks::Bind<TDateColumn>({&CreateCellEditor<TDatePickerEditor>,
                                         &CreateColumnDisplay<TDateColumnDisplay>, nullptr,
                                         &PrepareDateEditor});
        TColumnHooks::Bind<TGraphicColumn>({nullptr, &CreateColumnDisplay<TGraphicColumnDisplay>, nullptr});
        TColumnHooks::Bind<THtmlColumn>({nullptr, &CreateColumnDisplay<THtmlColumnDisplay>, nullptr});
        TColumnHooks::Bind<TImageColumn>({nullptr, &CreateColumnDisplay<TImageColumnDisplay>, nullptr});
        TColumnHooks::Bind<TIncrementColumn>({nullptr, &CreateColumnDisplay<TIncrementColumnDisplay>, nullptr});
        TColumnHooks::Bind<TNumericColumn>({&CreateCellEditor<TSpinEditor>,
                                            &CreateColumnDisplay<TNumericColumnDisplay>, nullptr,
                                            &PrepareNumericEditor});
        TColumnHooks::Bind<TProgressColumn>({nullptr, &CreateColumnDisplay<TProgressColumnDisplay>, nullptr});
        TColumnHooks::Bind<TRateColumn>({nullptr, &CreateColumnDisplay<TRateColumnDisplay>, nullptr});
        TColumnHooks::Bind<TTextualColumn>({&CreateCellEditor<TTextualEditor>,
                                            &CreateColumnDisplay<TTextualColumnDisplay>, nullptr,
                                            &PrepareTextualEditor});
        return true;
    }();
    (void)bound;
}

} // namespace tolvane

// The table is bound when the library is loaded, so that a column made before any grid has its
// display and editor. The grid's package makes every program that links it keep this symbol
// (--undefined), and with it this file: a static library leaves out the files nobody names.
extern "C" const bool tolvane_standard_column_hooks_bound = (tolvane::BindStandardColumnHooks(), true);
