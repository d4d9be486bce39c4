// "modemploifronton.bmp": the backglass editor's instructions, drawn with small pictures of the
// grid, the picture cutter and the creation canvas.
#pragma once

#include <QImage>

namespace pinstage::art {

QImage drawBackglassEditorHelp(); // 1000 x 720

} // namespace pinstage::art
