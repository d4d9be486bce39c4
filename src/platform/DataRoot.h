// The data root and its fixed sub-directories, the per-configuration naming rule, and the
// mapping of paths written on the original Windows machine onto the root.
#pragma once

#include <filesystem>
#include <string>

namespace pinstage {

enum class DataDir { Datas, Images, Symbols, Sons, BasesDeDonnees, Photos, PubVideo, PubImages };

class DataRoot {
public:
    explicit DataRoot(std::filesystem::path root);

    // $XDG_DATA_HOME/pinstage, else ~/.local/share/pinstage, else ./pinstage-data.
    static std::filesystem::path defaultRoot();

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path dir(DataDir d) const;
    // A file of a sub-directory; name is UTF-8.
    std::filesystem::path file(DataDir d, const std::string& name) const { return dir(d) / name; }

    // Creates the root and its eight sub-directories when missing. Throws PinError on failure.
    void ensureDirectories() const;
    // True when one of the eight sub-directories exists: the root has been set up before (a root
    // holding only other folders, such as a library's cache under the same name, has not).
    bool holdsData() const;

    // A path as stored in a record (relative to the root, or an absolute Windows path under the
    // original root, or an absolute local path) turned into a local path.
    std::filesystem::path resolveStored(const std::string& storedUtf8) const;
    // A local path made relative to the root when it lies under it (forward slashes).
    std::string toStored(const std::filesystem::path& local) const;

    // The sub-directory name of d, exactly as on the original machine (UTF-8).
    static const char* subDirName(DataDir d);

private:
    std::filesystem::path root_;
};

// "Réglages.fli" + 3 -> "Réglages3.fli"; "Joueurs.db" + 3 -> "Joueurs3.db".
std::string numberedName(const std::string& baseName, int configuration);

} // namespace pinstage
