// The records display on the backglass: the ranking pages of six drifting captioned photos, the
// game-over slideshow's drifting photo, and the end of a media step putting the backglass back
// under the photos. It is the machine's attract media and the frame's records step.
#pragma once

#include "players/RecordsPhotos.h"
#include "runtime/Machine.h"
#include "runtime/window/BackglassBridge.h"

#include <QImage>
#include <QRegion>

namespace pinstage {

class RecordsMedia : public AttractMedia {
public:
    // Becomes m.hooks.media and the records step of display's frames until destroyed.
    RecordsMedia(Machine& m, BackglassBridge& display);
    ~RecordsMedia() override;
    RecordsMedia(const RecordsMedia&) = delete;
    RecordsMedia& operator=(const RecordsMedia&) = delete;

    // The step's clocks and flags (AttractMedia), the backglass restored under the seven photo
    // rectangles, the photos released.
    void FinirEtapeMedia(Machine& m) override;
    // Each turn of the slideshow step: the photos take over the record display; a new random
    // photo every 5 s.
    void DiaporamaGameOver(Machine& m) override;

    // One frame's records work on the back buffer; returns what was drawn on it.
    QRegion frameStep(QImage& backBuffer);

    // Loads and captions the six photos of the page from firstPlace.
    void AfficherPageClassement(int32_t firstPlace);
    // A ranking frame: the page changes every 10 s, each photo drifts one pixel and is drawn.
    QRegion ImageClassement(QImage& backBuffer);
    // A random "<0..2>_photo-<0..4>.bmp", else the default photo; PinError "impossible de charger
    // le bitmap de la photo" when neither loads.
    void PhotoAleatoire();
    // A slideshow frame: the photo drifts one pixel and is drawn.
    QRegion ImageDiaporama(QImage& backBuffer);

    const RecordsPhotos& photos() const { return photos_; }

protected:
    ScreenSize screen();

private:
    Machine& m_;
    BackglassBridge& display_;
    RecordsPhotos photos_;
};

} // namespace pinstage
