// The records display without pixels: the seven player buffers and the display's clocks and
// flags, the photo rectangles and their drift, the ranking pages with their captions, the
// slideshow's photo names, and which stored photo paths may be loaded at all.
#pragma once

#include "config/Players.h"
#include "platform/DataRoot.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>

namespace pinstage {

constexpr int32_t kPhotoWidth = 320;
constexpr int32_t kPhotoHeight = 240;
constexpr int kRankingSlots = 6;
constexpr int kPhotoRectCount = 7;
constexpr int kSlideshowRect = 6; // rectangle 6 carries the game-over slideshow's photo
constexpr int kLastRankingPlace = 30;
constexpr uint32_t kRankingStepMs = 25000;
constexpr uint32_t kRankingPageMs = 10000;
constexpr uint32_t kSlideshowPhotoMs = 5000;
constexpr const char* kDefaultPhotoName = "PhotoDefaut.bmp";

// A photo's place on the screen (pixels) and its drift directions (true = increasing).
struct PhotoRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool rightward = false;
    bool downward = false;
};

// What the records display keeps for the whole run.
struct RecordsState {
    // The seven record buffers; 0-3 are the working records of players 1-4.
    std::array<FicheJoueur, kDefaultPlayerCount> buffers{};
    // Player p+1 took part in the contest of this game (its buffer was reset for it).
    std::array<bool, 4> contestEntrant{};
    bool sortPending = true;       // the next ranking step sorts the file first
    bool rankingShowing = false;   // the ranking flag: each frame draws the ranking
    bool slideshowShowing = false; // the slideshow flag: each frame draws the slideshow photo
    std::array<PhotoRect, kPhotoRectCount> rects{};
    int32_t nextFirstPlace = 1; // persists across ranking steps
    uint32_t nextPageTime = 0;  // 0: a page at once
    uint32_t nextPhotoTime = 0; // the slideshow's next photo
};

// Rectangles of 320 x 240 from (10, 50), 15 pixels apart, a new row 50 pixels lower once a right
// edge passes 900: (10, 50), (345, 50), (680, 50), (10, 340), (345, 340), (680, 340), (10, 630).
std::array<PhotoRect, kPhotoRectCount> InitialiserRectanglesClassement();

// One frame of drift: the direction turns back at the screen's edges, then the rectangle moves
// one pixel on each axis.
void bouncePhotoRect(PhotoRect& r, int32_t screenWidth, int32_t screenHeight);

// "Le Vainqueur" for place 1, "Numero <place>" for the others.
std::string rankingCaption(int place);
// The first place of the page after the one from firstPlace: 1, 7, 13, 19, 25, then 1 again.
int32_t nextRankingPage(int32_t firstPlace);

// What one slot of a ranking page shows.
struct RankingSlot {
    enum class Kind { Empty, RecordPhoto, DefaultPhoto };
    Kind kind = Kind::Empty;
    int32_t place = 0;
    std::string caption; // UTF-8; only a record's own photo has one
};

// Loads a picture file into a slot; false when it cannot be shown.
using PhotoLoader = std::function<bool(int slot, const std::filesystem::path& file)>;

// The page of six places from firstPlace: a place the file holds shows its record's photo with
// its caption; a place past the file, a photo that cannot be loaded or is not allowed shows the
// default photo without one; when the default photo cannot be loaded either, that slot and the
// following ones stay empty. A file that cannot be read holds no records.
std::array<RankingSlot, kRankingSlots> fillRankingPage(const DataRoot& root,
                                                       const std::filesystem::path& playersFile,
                                                       int32_t firstPlace, const PhotoLoader& load);

// The file a record's photo may be loaded from: its stored path mapped onto the data root (paths
// of the original machine included), only when that is a bitmap inside the photo directory.
std::optional<std::filesystem::path> recordPhotoFile(const DataRoot& root, const FicheJoueur& f);

// A random slideshow name "<0..2>_photo-<0..4>.bmp".
std::string slideshowPhotoName(std::minstd_rand& random);

} // namespace pinstage
