// Records display rules: rectangle layout and drift, ranking pages and captions, slideshow names
// and the trusted photo paths.
#include "players/RecordsDisplay.h"

#include "platform/PinError.h"
#include "players/PhotoPath.h"

namespace pinstage {

namespace {
constexpr int32_t kFirstLeft = 10;
constexpr int32_t kFirstTop = 50;
constexpr int32_t kColumnGap = 15;
constexpr int32_t kRowGap = 50;
constexpr int32_t kRowEnd = 900;
} // namespace

std::array<PhotoRect, kPhotoRectCount> InitialiserRectanglesClassement() {
    std::array<PhotoRect, kPhotoRectCount> rects{};
    int32_t left = kFirstLeft;
    int32_t top = kFirstTop;
    for (PhotoRect& r : rects) {
        r = PhotoRect{left, top, left + kPhotoWidth, top + kPhotoHeight, false, false};
        left = r.right + kColumnGap;
        if (r.right > kRowEnd) {
            left = kFirstLeft;
            top = r.bottom + kRowGap;
        }
    }
    return rects;
}

void bouncePhotoRect(PhotoRect& r, int32_t screenWidth, int32_t screenHeight) {
    const int32_t width = r.right - r.left;
    const int32_t height = r.bottom - r.top;
    if (screenWidth - width <= r.left)
        r.rightward = false;
    if (r.left <= 0)
        r.rightward = true;
    if (screenHeight - height <= r.top)
        r.downward = false;
    if (r.top <= 0)
        r.downward = true;
    const int32_t dx = r.rightward ? 1 : -1;
    const int32_t dy = r.downward ? 1 : -1;
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

std::string rankingCaption(int place) {
    return place == 1 ? std::string("Le Vainqueur") : "Numero " + std::to_string(place);
}

int32_t nextRankingPage(int32_t firstPlace) {
    int32_t next = firstPlace + kRankingSlots;
    return next > kLastRankingPlace ? 1 : next;
}

std::optional<std::filesystem::path> recordPhotoFile(const DataRoot& root, const FicheJoueur& f) {
    std::filesystem::path stored = localPhotoPath(root, f);
    if (stored.empty())
        return std::nullopt;
    return photoPathInside(root.dir(DataDir::Photos), stored);
}

std::array<RankingSlot, kRankingSlots> fillRankingPage(const DataRoot& root,
                                                       const std::filesystem::path& playersFile,
                                                       int32_t firstPlace, const PhotoLoader& load) {
    std::array<RankingSlot, kRankingSlots> slots{};
    std::array<FicheJoueur, kRankingSlots> records{};
    int count = 0;
    int read = 0;
    try {
        if (firstPlace >= 0)
            read = LireFichesJoueurs(playersFile, records, firstPlace, kRankingSlots, &count);
    } catch (const PinError&) {
        count = 0; // no file: no records, every place shows the default photo
        read = 0;
    }
    const std::filesystem::path defaultPhoto = root.file(DataDir::Photos, kDefaultPhotoName);
    for (int k = 0; k < kRankingSlots; ++k) {
        RankingSlot& slot = slots[size_t(k)];
        const int32_t place = firstPlace + k;
        slot.place = place;
        if (place < count && k < read) {
            auto file = recordPhotoFile(root, records[size_t(k)]);
            if (file && load(k, *file)) {
                slot.kind = RankingSlot::Kind::RecordPhoto;
                slot.caption = rankingCaption(place);
                continue;
            }
        }
        if (!load(k, defaultPhoto))
            break; // the rest of the page stays empty
        slot.kind = RankingSlot::Kind::DefaultPhoto;
    }
    return slots;
}

std::string slideshowPhotoName(std::minstd_rand& random) {
    const auto series = random() % 3;
    const auto number = random() % 5;
    return std::to_string(series) + "_photo-" + std::to_string(number) + ".bmp";
}

} // namespace pinstage
