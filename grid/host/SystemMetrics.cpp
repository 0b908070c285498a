#include "grid/host/SystemMetrics.h"

#include <QApplication>
#include <QStyle>

namespace tolvane {

int VerticalScrollBarWidth() {
    QStyle* style = QApplication::style();
    return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
}

} // namespace tolvane
