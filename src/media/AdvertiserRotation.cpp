// The advertisers' rotation: the record on air read from the file, its time on screen and its
// showings written back power-safe through the advertisers' file functions.
#include "media/AdvertiserRotation.h"

#include "config/Advertisers.h"
#include "config/Players.h"
#include "display/SymbolNames.h"
#include "platform/Clock.h"
#include "platform/PinError.h"

#include <system_error>

namespace pinstage {

namespace fs = std::filesystem;

AdvertiserRotation::AdvertiserRotation(DataRoot root, int configuration, uint32_t programStart,
                                       MediaJournal journal)
    : root_(std::move(root)), file_(advertisersFile(root_, configuration)), programStart_(programStart),
      journal_(std::move(journal)) {}

bool AdvertiserRotation::writeBack(FicheAnnonceur& f, int index) {
    try {
        return EcrireAnnonceurs(file_, std::span(&f, 1), false, index, 1);
    } catch (const PinError&) {
        return false; // a file that cannot be written leaves the rotation idle, not the machine down
    }
}

void AdvertiserRotation::showPointerOnce(AdScreen& screen) {
    if (!pointerShown_) {
        screen.showPointer();
        pointerShown_ = true;
    }
}

void AdvertiserRotation::DiffusionAnnonceurs(uint32_t now, AdBrowser* browser, AdScreen& screen) {
    if (!navigatePending_ && !checkDue_ && !periodPassed(now, lastCheck_, kAdvertiserCheckPeriod))
        return;
    lastCheck_ = now;
    checkDue_ = false;
    const bool browserExists = browser && browser->exists();
    if (browserExists) {
        if (browser->visible())
            browser->takeFocus();
        screen.confinePointer(browser->rectangle());
    }

    // A file of no record, or with a partial record at its end, is left alone: writing into a
    // damaged file would only spread the damage.
    std::error_code ec;
    const uintmax_t size = fs::is_regular_file(file_, ec) ? fs::file_size(file_, ec) : 0;
    if (ec || size == 0 || size % kFicheAnnonceurSize != 0 || size / kFicheAnnonceurSize > kMaxAdvertisers)
        return;
    std::vector<FicheAnnonceur> fiches(size / kFicheAnnonceurSize);
    const int read = LireAnnonceurs(file_, fiches, 0, int(fiches.size()), &recordCount_);
    if (read <= 0 || read != recordCount_)
        return;
    fiches.resize(size_t(read));

    int index = 0;
    for (int i = 0; i < read; ++i) {
        if (fiches[size_t(i)].enDiffusion == 1) {
            index = i;
            break;
        }
    }
    FicheAnnonceur onAir = fiches[size_t(index)];
    if (navigatePending_) {
        navigatePending_ = false;
        if (browserExists && isInternetAdvert(onAir)) {
            showPointerOnce(screen);
            browser->showAddress(onAir.adresseConnection.utf8());
        }
    }

    if (onAir.tempsAffichage > onAir.dureeMiniDiffusion) {
        onAir.tempsAffichage = 0;
        onAir.diffusionsEffectives += 1;
        onAir.dateDerniereDiffusion.setUtf8(currentDateTimeText());
        onAir.enDiffusion = 0;
        if (!writeBack(onAir, index))
            return;
        journal_(now, "media advertiser " + std::to_string(index) + " shown");
        index = index + 1 < read ? index + 1 : 0;
        // Read again: with a single advertiser the next one is the record just written.
        if (LireAnnonceurs(file_, std::span(&onAir, 1), index, 1) != 1)
            return;
        onAir.enDiffusion = 1;
        onAir.debutDiffusion = now;
    }

    // A start tick of an earlier run (before this program started, or ahead of now) starts now.
    const uint32_t onScreen = elapsedSince(now, onAir.debutDiffusion);
    if (onScreen >= elapsedSince(now, programStart_))
        onAir.debutDiffusion = now;
    onAir.tempsAffichage = int32_t(elapsedSince(now, onAir.debutDiffusion));
    if (!writeBack(onAir, index))
        return;

    if (index != shown_) {
        shown_ = index;
        journal_(now, "media advertiser " + std::to_string(index) + " on air");
        if (browserExists) {
            if (LireAnnonceurs(file_, std::span(&onAir, 1), index, 1) != 1)
                return;
            navigatePending_ = true;
        }
        const std::string address = onAir.adresseConnection.utf8();
        if (isInternetAdvert(onAir)) {
            showPointerOnce(screen);
            if (browserExists)
                browser->showAddress(address);
        } else if (screen.overlayExists()) {
            if (!isPlainFileName(address))
                journal_(now, "media advertiser " + std::to_string(index) + " picture refused");
            else if (screen.loadOverlayPicture(root_.file(DataDir::PubImages, address)))
                screen.showOverlay();
            else
                journal_(now, "media advertiser " + std::to_string(index) + " picture missing");
        }
        onAir.debutDiffusion = now;
        writeBack(onAir, index);
    }
}

} // namespace pinstage
