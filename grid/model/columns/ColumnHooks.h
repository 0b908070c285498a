#pragma once
// Which display, play and editor objects each column class creates.
//
// The column model names no painter and no editor: it holds them through factory functions and
// deleters. The layers that define the painters and editors bind them to the standard column
// classes (BindStandardColumnHooks, run when the grid library is loaded), and a column class's
// default constructor looks its hooks up here.

#include <memory>
#include <typeindex>
#include <typeinfo>

namespace tolvane {

class TCellEditor;
class TColumnDisplay;
class TColumnPlay;
class TCustomColumn;

// The attached objects are owned through their own deleters, so destroying a column needs no
// knowledge of the classes above the model.
using TCellEditorPtr = std::unique_ptr<TCellEditor, void (*)(TCellEditor*)>;
using TColumnDisplayPtr = std::unique_ptr<TColumnDisplay, void (*)(TColumnDisplay*)>;
using TColumnPlayPtr = std::unique_ptr<TColumnPlay, void (*)(TColumnPlay*)>;

// Class hooks answer factory functions; nullptr means "none".
using TCellEditorClass = TCellEditorPtr (*)(TCustomColumn&);
// Hands a column's settings to its editor before each edit (the column's PrepareEditor).
using TEditorPreparation = void (*)(TCustomColumn&, TCellEditor&);
using TColumnDisplayClass = TColumnDisplayPtr (*)(TCustomColumn&);
using TColumnPlayClass = TColumnPlayPtr (*)(TCustomColumn&);

// The three class hooks of one column class. A C++ base constructor cannot reach the derived
// class's virtual hooks, so every column class hands its hooks to the base constructor, which
// creates the attached objects at their place in the construction order. GetEditorClass,
// GetDisplayClass and GetPlayClass answer the same hooks afterwards.
struct TColumnClasses {
    TCellEditorClass Editor = nullptr;
    TColumnDisplayClass Display = nullptr;
    TColumnPlayClass Play = nullptr;
    // The column's preparation of its editor; nullptr does nothing.
    TEditorPreparation PrepareEditor = nullptr;
};

// A factory for an attached object of class T constructed as T(TCustomColumn&), owned as Base.
template <class Base, class T>
std::unique_ptr<Base, void (*)(Base*)> CreateColumnObject(TCustomColumn& column) {
    return std::unique_ptr<Base, void (*)(Base*)>(new T(column),
                                                  [](Base* object) { delete static_cast<T*>(object); });
}

// Editors need nothing of their column to be made.
template <class E>
TCellEditorPtr CreateCellEditor(TCustomColumn&) {
    return TCellEditorPtr(new E(), [](TCellEditor* object) { delete static_cast<E*>(object); });
}

// The hooks bound to column classes, process-wide (docs/registries.md lists every such table).
class TColumnHooks {
public:
    // Binding a class again replaces its hooks.
    static void Bind(std::type_index columnClass, const TColumnClasses& classes);
    // The bound hooks; EGridError naming the class when none are bound.
    static TColumnClasses Of(std::type_index columnClass);

    template <class C>
    static void Bind(const TColumnClasses& classes) {
        Bind(std::type_index(typeid(C)), classes);
    }
    template <class C>
    static TColumnClasses Of() {
        return Of(std::type_index(typeid(C)));
    }
};

} // namespace tolvane
