// The other default pictures: banners, counter pictures, title, rules badge, poster, table-choice
// thumbnails, help pages and the players' default photos.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace pinstage::art {

QImage drawBanner(int player);           // "BandeauN.bmp", 1360 x 768
QImage drawCounterPicture(bool players); // "compteurjoueur.bmp" / "compteurpartie.bmp", 1360 x 768
QImage drawTitlePicture();               // "lumiscopetitre.bmp", title in 50-583 x 103-317
QImage drawRulesBadge();                 // "xrules.bmp", 64 x 64
QImage drawPoster(int variant = 0);      // "Pub0.bmp" to "Pub2.bmp", 1360 x 768
// "choixN.bmp", 320 x 240: the table's backglass in small with its name.
QImage drawChoiceThumbnail(const QImage& backglass, const QString& caption);
// A help page: title and numbered lines on light paper.
QImage drawHelpPage(const QString& title, const QStringList& lines);
// 320 x 240 photos: a portrait in the player's colour, the welcome picture, the default photo.
QImage drawPortrait(int index);
QImage drawWelcomePhoto();
QImage drawDefaultPhoto();
// "<series>_photo-<number>.bmp" of the game-over slideshow (series 0-2, number 0-4), 320 x 240.
QImage drawSlideshowPhoto(int series, int number);

} // namespace pinstage::art
