// Closing of stray top-level browser windows.
#include "kiosk/StrayBrowserWindows.h"

#include <QApplication>
#include <QPointer>
#include <QWebEngineView>

#include <vector>

namespace pinstage {

int FermerFenetresIE() {
    std::vector<QPointer<QWidget>> stray;
    // A web view that is a window of its own; the kiosk's browser is a child of the backglass.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QWebEngineView*>(w))
            stray.emplace_back(w);
    }
    for (const QPointer<QWidget>& w : stray) {
        if (!w)
            continue;
        w->close();
        delete w.data();
    }
    if (!stray.empty())
        QApplication::processEvents();
    return int(stray.size());
}

} // namespace pinstage
