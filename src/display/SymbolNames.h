// Names on disk of the backglass pictures: the symbol bitmap of an element (its function label +
// ".bmp") and the picture kinds a layout may name (".bmp", ".jpg", exact lower case).
#pragma once

#include <optional>
#include <string>

namespace pinstage {

struct FrontonElement;

inline constexpr const char* kPictureFileError = "fichier image de l'élément de jeu corrompu ou introuvable";

// True when the element's picture number text is empty (blanks only): it is never drawn.
bool pictureNumberEmpty(const FrontonElement& e);
// True when the picture number names a picture of the list (0-50). A number beyond the list or not
// a number at all is no picture either, as an empty one: the element is never drawn.
bool elementHasPicture(const FrontonElement& e);

enum class PictureKind { Bitmap, Jpeg };
// The kind named by the text after the last "."; nullopt for any other extension ("BMP" too).
std::optional<PictureKind> pictureKindOf(const std::string& fileName);

// A plain file name (UTF-8) safe to join to a directory: not empty, no directory part, not "." or
// "..", no control character. Names read from a layout file are untrusted.
bool isPlainFileName(const std::string& name);

// The symbol bitmap name of an element: its function label followed by ".bmp"; nullopt when the
// label would not make a plain file name.
std::optional<std::string> symbolFileName(const FrontonElement& e);

} // namespace pinstage
