// The WAV chooser of the sounds page: Qt's own (non-native) open dialog under a visible caption,
// in French, placed in the middle of its screen by itself (a cabinet may have no window manager
// to show a title bar or to place windows).
#pragma once

#include <QString>

class QWidget;

namespace pinstage {

// The path of the file chosen, or an empty text when the operator cancelled.
QString chooseWavFile(QWidget* parent, const QString& title, const QString& dir);

} // namespace pinstage
