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
        TColumnHooks::Bind<TNumericColumn>({nullptr, &CreateColumnDisplay<TNumericColumnDisplay>, nullptr});
        TColumnHooks::Bind<TProgressColumn>({nullptr, &CreateColumnDisplay<TProgressColumnDisplay>, nullptr});
        TColumnHooks::Bind<TRateColumn>({nullptr, &CreateColumnDisplay<TRateColumnDisplay>, nullptr});
        TColumnHooks::Bind<TTextualColumn>({nullptr, &CreateColumnDisplay<TTextualColumnDisplay>, nullptr});
        return true;
    }();
    (void)bound;
}

} // namespace tolvane
