// Row-by-row access to the adjustments, the settings grid's typing and validation rules.
#include "config/AdjustmentRows.h"

#include "config/LabelTables.h"

#include <algorithm>
#include <type_traits>
#include <variant>

namespace pinstage {

namespace {
using FieldRef = std::variant<uint16_t*, uint32_t*, TextSlot<4>*, TextSlot<24>*>;

std::optional<FieldRef> fieldOfRow(AdjustmentsRecord& r, int row) {
    if (row >= 1 && row <= 3)
        return &r.coinsPerCredit[size_t(row - 1)];
    if (row >= 4 && row <= 6)
        return &r.coinsForBonus[size_t(row - 4)];
    if (row >= 7 && row <= 9)
        return &r.bonusCreditValue[size_t(row - 7)];
    if (row >= 10 && row <= 12)
        return &r.gamesPerCredit[size_t(row - 10)];
    if (row >= 14 && row <= 16)
        return &r.freeGameScores[size_t(row - 14)];
    switch (row) {
    case 13:
        return &r.ballsPerGame;
    case 17:
        return &r.recordScore;
    case 18:
        return &r.recordFreeGames;
    case 19:
        return &r.lottery;
    case 20:
        return &r.awardKind;
    case 21:
        return &r.maxFreeGamesPerPlayer;
    case 22:
        return &r.freePlay;
    case 23:
        return &r.photoAtGameOver;
    case 24:
        return &r.rankingPhotos;
    case 25:
        return &r.internetAds;
    case 26:
        return &r.kiosk;
    case 27:
        return &r.videos;
    case 28:
        return &r.posters;
    case 29:
        return &r.nameEntry;
    case 30:
        return &r.startupChoice;
    default:
        return std::nullopt;
    }
}

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number as the settings page reads it: optional sign, then digits. Saturates far beyond
// any limit so that a long number is still "too large", not unreadable.
std::optional<long long> wholeNumber(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !allDigits(s))
        return std::nullopt;
    long long v = 0;
    for (char c : s)
        v = std::min<long long>(v * 10 + (c - '0'), 1'000'000'000'000LL);
    return negative ? -v : v;
}

bool isYesNo(std::string_view s) {
    return s == "oui" || s == "non";
}
} // namespace

std::optional<AdjustmentRowInfo> adjustmentRow(int row) {
    if (row >= 1 && row <= 13)
        return AdjustmentRowInfo{2 * size_t(row - 1), AdjustmentKind::U16, 2, 2};
    if (row >= 14 && row <= 17)
        return AdjustmentRowInfo{28 + 4 * size_t(row - 14), AdjustmentKind::U32, 4, 7};
    switch (row) {
    case 18:
        return AdjustmentRowInfo{44, AdjustmentKind::U16, 2, 2};
    case 19:
        return AdjustmentRowInfo{46, AdjustmentKind::Text, 4, 0};
    case 20:
        return AdjustmentRowInfo{50, AdjustmentKind::Text, 24, 0};
    case 21:
        return AdjustmentRowInfo{74, AdjustmentKind::U16, 2, 2};
    case 22:
        return AdjustmentRowInfo{84, AdjustmentKind::Text, 4, 0};
    case 23:
        return AdjustmentRowInfo{88, AdjustmentKind::Text, 4, 0};
    case 24:
        return AdjustmentRowInfo{80, AdjustmentKind::Text, 4, 0};
    case 25:
        return AdjustmentRowInfo{96, AdjustmentKind::Text, 4, 0};
    case 26:
        return AdjustmentRowInfo{100, AdjustmentKind::Text, 4, 0};
    case 27:
        return AdjustmentRowInfo{76, AdjustmentKind::Text, 4, 0};
    case 28:
        return AdjustmentRowInfo{92, AdjustmentKind::Text, 4, 0};
    case 29:
        return AdjustmentRowInfo{108, AdjustmentKind::Text, 4, 0};
    case 30:
        return AdjustmentRowInfo{104, AdjustmentKind::Text, 4, 0};
    default:
        return std::nullopt;
    }
}

std::string adjustmentText(const AdjustmentsRecord& r, int row) {
    auto f = fieldOfRow(const_cast<AdjustmentsRecord&>(r), row);
    if (!f)
        return {};
    return std::visit(
        [](auto* p) -> std::string {
            if constexpr (std::is_same_v<decltype(p), uint16_t*> || std::is_same_v<decltype(p), uint32_t*>)
                return std::to_string(*p);
            else
                return p->utf8();
        },
        *f);
}

bool storeAdjustment(AdjustmentsRecord& r, int row, std::string_view utf8) {
    auto f = fieldOfRow(r, row);
    if (!f)
        return false;
    return std::visit(
        [&](auto* p) -> bool {
            if constexpr (std::is_same_v<decltype(p), uint16_t*>) {
                auto v = parseTableNumber(utf8);
                if (!v || *v > 0xFFFF)
                    return false;
                *p = uint16_t(*v);
                return true;
            } else if constexpr (std::is_same_v<decltype(p), uint32_t*>) {
                auto v = parseTableNumber(utf8);
                if (!v)
                    return false;
                *p = *v;
                return true;
            } else {
                p->setUtf8(std::string(utf8));
                return true;
            }
        },
        *f);
}

bool setAdjustmentFromText(AdjustmentsRecord& r, int row, std::string_view utf8) {
    auto info = adjustmentRow(row);
    if (!info)
        return false;
    if (info->kind != AdjustmentKind::Text) {
        if (utf8.empty() || utf8.size() > info->maxDigits || !allDigits(utf8))
            return false;
        return storeAdjustment(r, row, utf8);
    }
    bool taken = row == 20 ? (utf8 == "partie gratuite" || utf8 == "bille suplémentaire") : isYesNo(utf8);
    return taken && storeAdjustment(r, row, utf8);
}

std::optional<std::string> adjustmentError(int row, std::string_view cell) {
    if (row < 1 || row > kAdjustmentRowCount)
        return std::nullopt;
    std::string label = adjustmentLabels[size_t(row)];
    std::string_view min = adjustmentMinimums[size_t(row)];
    std::string_view max = adjustmentMaximums[size_t(row)];
    if (cell.empty())
        return label + "\n ne doit pas être vide ";
    auto v = wholeNumber(cell);
    auto lo = parseTableNumber(min);
    auto hi = parseTableNumber(max);
    if (v && lo && hi) {
        if (*v > (long long)*hi)
            return label + "\n doit être inférieur à " + std::string(max);
        if (*v < (long long)*lo)
            return label + "\n doit être supérieur à " + std::string(min);
        return std::nullopt;
    }
    if (cell == min || cell == max)
        return std::nullopt;
    return label + "\n ne peut pas être interprété " + "\n vérifiez les valeurs possibles ";
}

bool optionIsYes(const AdjustmentsRecord& r, AdjustmentOption option) {
    return adjustmentText(r, int(option)) == "oui";
}

void setOption(AdjustmentsRecord& r, AdjustmentOption option, bool yes) {
    storeAdjustment(r, int(option), yes ? "oui" : "non");
}

void forceOptionalFeaturesOff(AdjustmentsRecord& r) {
    for (AdjustmentOption o :
         {AdjustmentOption::PhotoAtGameOver, AdjustmentOption::RankingPhotos, AdjustmentOption::InternetAds,
          AdjustmentOption::Kiosk, AdjustmentOption::Videos, AdjustmentOption::Posters,
          AdjustmentOption::NameEntry, AdjustmentOption::StartupChoice})
        setOption(r, o, false);
}

void copyOverriddenOptions(AdjustmentsRecord& r, const AdjustmentsRecord& stored) {
    r.photoAtGameOver = stored.photoAtGameOver;
    r.rankingPhotos = stored.rankingPhotos;
    r.internetAds = stored.internetAds;
    r.kiosk = stored.kiosk;
    r.videos = stored.videos;
    r.posters = stored.posters;
    r.nameEntry = stored.nameEntry;
    r.startupChoice = stored.startupChoice;
}

int ballsPerGame(const AdjustmentsRecord& r) {
    return std::max<int>(1, r.ballsPerGame);
}

uint32_t freeGameScore(const AdjustmentsRecord& r, int index) {
    return (index >= 0 && index < 3) ? r.freeGameScores[size_t(index)] : 0;
}

bool awardIsFreeGame(const AdjustmentsRecord& r) {
    return r.awardKind.cp1252().substr(0, 15) == "partie gratuite";
}

} // namespace pinstage
