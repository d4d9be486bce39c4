// The advertisers' rotation of the attract sequence: every 10 s the advertiser on air is checked,
// a completed showing is counted in the advertisers' file and the next one put on air, and a new
// advertiser is shown in the browser (internet) or in the overlay (local picture).
#pragma once

#include "media/AdBrowser.h"
#include "media/MediaJournal.h"
#include "platform/DataRoot.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace pinstage {

constexpr uint32_t kAdvertiserCheckPeriod = 10000;
// A file claiming more advertisers is not read (each check reads the whole file).
constexpr uintmax_t kMaxAdvertisers = 10000;

class AdvertiserRotation {
public:
    // programStart: the clock reading when the program started; a stored start tick before it (or
    // in the future) belongs to an earlier run and counts as "now".
    AdvertiserRotation(DataRoot root, int configuration, uint32_t programStart, MediaJournal journal = {});

    // One call of the main loop during the advertisers' step. browser may be null.
    void DiffusionAnnonceurs(uint32_t now, AdBrowser* browser, AdScreen& screen);

    // A browser was just made for the rotation: the next call checks at once, whatever the period,
    // and an advertiser already on screen before is loaded into it (it would stay blank otherwise).
    void browserCreated() {
        checkDue_ = true;
        if (shown_ >= 0)
            navigatePending_ = true;
    }
    // The step ended (the pointer hidden with it): the next internet advertiser shows it again.
    void stepEnded() { pointerShown_ = false; }

    // The advertiser last put on screen, -1 before the first.
    int shownIndex() const { return shown_; }
    bool navigatePending() const { return navigatePending_; }
    const std::filesystem::path& file() const { return file_; }

private:
    bool writeBack(struct FicheAnnonceur& f, int index);
    void showPointerOnce(AdScreen& screen);

    DataRoot root_;
    std::filesystem::path file_;
    uint32_t programStart_;
    MediaJournal journal_;
    int shown_ = -1;
    bool navigatePending_ = false;
    bool checkDue_ = false;
    bool pointerShown_ = false;
    uint32_t lastCheck_ = 0;
    int recordCount_ = 0;
};

} // namespace pinstage
