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

} // namespace

// The one table of which column class paints, plays and edits with what.
void BindStandardColumnHooks() {
    static const bool bound = [] {
        TColumnHooks::Bind<TCheckBoxColumn>(
            {nullptr, &CreateColumnDisplay<TCheckBoxColumnDisplay>, &CreateColumnPlay<TCheckBoxColumnPlay>});
        TColumnHooks::Bind<TComboBoxColumn>({nullptr, &CreateColumnDisplay<TTextualColumnDisplay>, nullptr});
        TColumnHooks::Bind<TDateColumn>({nullptr, &CreateColumnDisplay<TDateColumnDisplay>, nullptr});
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
