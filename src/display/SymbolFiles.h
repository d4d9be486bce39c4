// The symbol bitmaps on disk: each element's picture cut from its picture file and resized to the
// element's design size (reels keep the whole 40 x 660 strip), saved under the element's label.
#pragma once

#include "platform/DataRoot.h"

namespace pinstage {

struct FrontonRecord;

// Writes the symbol bitmap of every element first <= e < end that has a picture, reading the
// picture files from pictureDir. A picture file whose extension is not exactly "bmp" or "jpg", or
// that cannot be read, raises PinError("fichier image de l'élément de jeu corrompu ou introuvable").
// An element whose label or size cannot make a bitmap gets none (and loses any stale one).
void buildSymbolFiles(const FrontonRecord& layout, const DataRoot& root, int first, int end,
                      DataDir pictureDir);

} // namespace pinstage
