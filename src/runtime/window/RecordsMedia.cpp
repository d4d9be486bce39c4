// Ranking pages, slideshow photos and their frames on the backglass.
#include "runtime/window/RecordsMedia.h"

#include "display/ImageCopy.h"
#include "platform/PinError.h"
#include "runtime/Attract.h"
#include "runtime/MachineOps.h"
#include "runtime/PlayerRecords.h"

namespace pinstage {

RecordsMedia::RecordsMedia(Machine& m, BackglassBridge& display) : m_(m), display_(display) {
    m_.hooks.media = this;
    FrameHooks hooks;
    hooks.recordsStep = [this](QImage& backBuffer) { return frameStep(backBuffer); };
    display_.setFrameHooks(std::move(hooks));
}

RecordsMedia::~RecordsMedia() {
    display_.setFrameHooks({});
    if (m_.hooks.media == this)
        m_.hooks.media = &MachineHooks::defaultMedia;
}

ScreenSize RecordsMedia::screen() {
    Backglass* b = display_.backglass();
    return b ? b->screen : ScreenSize{m_.hooks.screen().screenWidth(), m_.hooks.screen().screenHeight()};
}

void RecordsMedia::FinirEtapeMedia(Machine& m) {
    AttractMedia::FinirEtapeMedia(m);
    Backglass* b = display_.backglass();
    if (b && b->displayReady && !b->scene.isNull()) {
        // The backglass as it is now, not only its background, comes back under the photos.
        QRegion under;
        for (const PhotoRect& r : m.records.rects)
            under += photoArea(r) & b->backBuffer.rect();
        copyRegion(b->backBuffer, b->scene, under);
        b->damage += under;
        b->changed = true;
    }
    photos_.releaseAll();
}

void RecordsMedia::DiaporamaGameOver(Machine& m) {
    m.rt.recordsPhotosShowing = 1;
    if (deadlinePassed(m.now(), m.records.nextPhotoTime)) {
        PhotoAleatoire();
        m.records.nextPhotoTime = nonZeroTime(m.now() + kSlideshowPhotoMs);
    }
}

QRegion RecordsMedia::frameStep(QImage& backBuffer) {
    QRegion drawn;
    if (m_.records.rankingShowing)
        drawn += ImageClassement(backBuffer);
    if (m_.records.slideshowShowing)
        drawn += ImageDiaporama(backBuffer);
    return drawn;
}

void RecordsMedia::AfficherPageClassement(int32_t firstPlace) {
    for (int k = 0; k < kRankingSlots; ++k)
        photos_.release(k);
    auto page = fillRankingPage(
        m_.root, playersFileInUse(m_), firstPlace,
        [this](int slot, const std::filesystem::path& file) { return photos_.load(slot, file); });
    for (int k = 0; k < kRankingSlots; ++k) {
        const RankingSlot& slot = page[size_t(k)];
        if (slot.kind == RankingSlot::Kind::Empty)
            photos_.release(k); // a failed load may leave nothing else behind
        if (!slot.caption.empty())
            photos_.caption(k, QString::fromStdString(slot.caption));
    }
}

QRegion RecordsMedia::ImageClassement(QImage& backBuffer) {
    RecordsState& r = m_.records;
    m_.rt.recordsPhotosShowing = 1;
    const uint32_t now = m_.now();
    if (deadlinePassed(now, r.nextPageTime)) {
        const int32_t place = r.nextFirstPlace;
        AfficherPageClassement(place);
        trace(m_, "media ranking page " + std::to_string(place));
        r.nextFirstPlace = nextRankingPage(place);
        r.nextPageTime = nonZeroTime(now + kRankingPageMs);
    }
    r.rankingShowing = true;
    const ScreenSize s = screen();
    bool any = false;
    for (int k = 0; k < kRankingSlots; ++k) {
        if (!photos_.loaded(k))
            continue;
        any = true;
        bouncePhotoRect(r.rects[size_t(k)], s.width, s.height);
    }
    if (any)
        refreshRecordDisplay(m_);
    return photos_.draw(backBuffer, r.rects, 0, kRankingSlots);
}

void RecordsMedia::PhotoAleatoire() {
    const std::string name = slideshowPhotoName(m_.random);
    if (photos_.load(kSlideshowRect, m_.root.file(DataDir::Photos, name))) {
        trace(m_, "media photo " + name);
        return;
    }
    if (photos_.load(kSlideshowRect, m_.root.file(DataDir::Photos, kDefaultPhotoName))) {
        trace(m_, std::string("media photo ") + kDefaultPhotoName);
        return;
    }
    throw PinError("impossible de charger le bitmap de la photo");
}

QRegion RecordsMedia::ImageDiaporama(QImage& backBuffer) {
    if (!photos_.loaded(kSlideshowRect))
        return {};
    const ScreenSize s = screen();
    bouncePhotoRect(m_.records.rects[size_t(kSlideshowRect)], s.width, s.height);
    refreshRecordDisplay(m_);
    return photos_.draw(backBuffer, m_.records.rects, kSlideshowRect, kSlideshowRect + 1);
}

} // namespace pinstage
