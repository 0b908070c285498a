#include "app/window/AboutText.h"

#include <sqlite3.h>

#include "app/scan/MediaProbe.h"

namespace tolvane {

QString TAboutText::Text() {
    return QString("<b>Tolvane %1</b><br>A catalogue of video series.<br><br>"
                   "Qt %2<br>SQLite %3<br>libmediainfo %4")
        .arg(TOLVANE_VERSION, qVersion(), sqlite3_libversion(), TMediaProbe::LibraryVersion());
}

} // namespace tolvane
