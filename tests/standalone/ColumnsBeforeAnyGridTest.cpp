// Columns made by a program that has made no grid and bound nothing itself: each column class
// comes with its display, play and editor as the library's one table names them. This program
// links the grid library alone and has a main of its own, so nothing else can bind them first.
#include <functional>
#include <memory>

#include <QApplication>
#include <gtest/gtest.h>

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

using TCheck = std::function<bool(const TCustomColumn&)>;

template <class Display, class Editor = void, class Play = void>
TCheck Attached() {
    return [](const TCustomColumn& column) {
        bool ok = dynamic_cast<const Display*>(column.Display()) != nullptr;
        if constexpr (std::is_void_v<Editor>)
            ok = ok && column.Editor() == nullptr;
        else
            ok = ok && dynamic_cast<const Editor*>(column.Editor()) != nullptr;
        if constexpr (std::is_void_v<Play>)
            ok = ok && column.Play() == nullptr;
        else
            ok = ok && dynamic_cast<const Play*>(column.Play()) != nullptr;
        return ok;
    };
}

struct ColumnCase {
    const char* name;
    std::function<std::unique_ptr<TCustomColumn>()> make;
    TCheck attached;
};

void PrintTo(const ColumnCase& c, std::ostream* os) {
    *os << c.name;
}

template <class C>
std::function<std::unique_ptr<TCustomColumn>()> Make() {
    return [] { return std::unique_ptr<TCustomColumn>(new C()); };
}

class ColumnBeforeAnyGrid : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ColumnBeforeAnyGrid, HasItsDisplayPlayAndEditor) {
    std::unique_ptr<TCustomColumn> column;
    ASSERT_NO_THROW(column = GetParam().make());
    EXPECT_TRUE(GetParam().attached(*column));
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, ColumnBeforeAnyGrid,
    ::testing::Values(
        ColumnCase{"CheckBox", Make<TCheckBoxColumn>(),
                   Attached<TCheckBoxColumnDisplay, TCheckBoxEditor, TCheckBoxColumnPlay>()},
        ColumnCase{"ComboBox", Make<TComboBoxColumn>(), Attached<TTextualColumnDisplay, TComboBoxEditor>()},
        ColumnCase{"Date", Make<TDateColumn>(), Attached<TDateColumnDisplay, TDatePickerEditor>()},
        ColumnCase{"Graphic", Make<TGraphicColumn>(), Attached<TGraphicColumnDisplay>()},
        ColumnCase{"Html", Make<THtmlColumn>(), Attached<THtmlColumnDisplay>()},
        ColumnCase{"Image", Make<TImageColumn>(), Attached<TImageColumnDisplay>()},
        ColumnCase{"Increment", Make<TIncrementColumn>(), Attached<TIncrementColumnDisplay>()},
        ColumnCase{"Numeric", Make<TNumericColumn>(), Attached<TNumericColumnDisplay, TSpinEditor>()},
        ColumnCase{"Progress", Make<TProgressColumn>(), Attached<TProgressColumnDisplay>()},
        ColumnCase{"Rate", Make<TRateColumn>(), Attached<TRateColumnDisplay>()},
        ColumnCase{"Textual", Make<TTextualColumn>(), Attached<TTextualColumnDisplay, TTextualEditor>()}),
    [](const ::testing::TestParamInfo<ColumnCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tolvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
