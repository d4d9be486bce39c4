// Data root preparation and the default files.
#include "ProgramSetup.h"

#include "DefaultPictures.h"
#include "DefaultSounds.h"
#include "DefaultVideo.h"
#include "config/ParameterStore.h"
#include "display/DefaultBackglassRender.h"
#include "display/QtPath.h"
#include "platform/PinError.h"
#include "platform/StaleTemporaries.h"

namespace pinstage {

std::vector<std::string> installDefaults(const DataRoot& root) {
    root.ensureDirectories();
    std::vector<std::string> written;
    for (const auto& p : writeDefaultPictures(root))
        written.push_back(p.string());
    for (const auto& p : writeDefaultVideos(root))
        written.push_back(p.string());
    for (const auto& name : writeDefaultSounds(root.dir(DataDir::Sons)))
        written.push_back((root.dir(DataDir::Sons) / name).string());
    ParameterSet params;
    std::vector<std::string> created;
    fullLoad(root, 0, params, &created);
    // Each file is listed in the folder its kind lives in (the players' file is not a data file).
    for (const auto& name : created) {
        std::filesystem::path file = root.dir(DataDir::Datas) / name;
        for (const ParameterFileKind& kind : parameterFileKinds())
            if (name == (kind.numbered ? numberedName(kind.name, 0) : std::string(kind.name)))
                file = fileOfKind(root, kind, 0);
        written.push_back(file.string());
    }
    return written;
}

bool prepareDataRoot(const DataRoot& root) {
    // The default root bears the program's name, which libraries use for their own folders too.
    bool fresh = !root.holdsData();
    root.ensureDirectories();
    // Saves cut short by a power cut or a crash left their temporaries beside the files.
    removeStaleTemporaries(root);
    if (fresh)
        installDefaults(root);
    return fresh;
}

void renderBackglassPicture(const DataRoot& root, const std::filesystem::path& out,
                            const std::array<uint32_t, 4>& scores, uint32_t credits) {
    writeDefaultPictures(root);
    QImage frame = renderDefaultBackglass(
        root.root(), 1920, 1080,
        {int64_t(scores[0]), int64_t(scores[1]), int64_t(scores[2]), int64_t(scores[3])}, int(credits));
    if (frame.isNull() || !frame.save(toQString(out), "PNG"))
        throw PinError("impossible d'écrire l'image " + out.string());
}

} // namespace pinstage
