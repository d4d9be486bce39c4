#include "DataRoot.h"

#include "PinError.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

namespace pinstage {

namespace fs = std::filesystem;

namespace {
constexpr const char* kWindowsRoot = "c:\\dodu_test_logiciel_lumiscope\\";
}

DataRoot::DataRoot(fs::path root) : root_(std::move(root)) {}

fs::path DataRoot::defaultRoot() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return fs::path(xdg) / "pinstage";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".local" / "share" / "pinstage";
    return fs::current_path() / "pinstage-data";
}

const char* DataRoot::subDirName(DataDir d) {
    switch (d) {
    case DataDir::Datas:
        return "fichiers datas";
    case DataDir::Images:
        return "fichiers images";
    case DataDir::Symbols:
        return "fichiers symbols";
    case DataDir::Sons:
        return "fichiers sons";
    case DataDir::BasesDeDonnees:
        return "bases de donnees";
    case DataDir::Photos:
        return "bases de donnees/Photos";
    case DataDir::PubVideo:
        return "fichiers pub vidéo";
    case DataDir::PubImages:
        return "fichiers pub images";
    }
    return "";
}

fs::path DataRoot::dir(DataDir d) const {
    return root_ / subDirName(d);
}

namespace {
constexpr DataDir kAllDirs[] = {DataDir::Datas,    DataDir::Images,         DataDir::Symbols,
                                DataDir::Sons,     DataDir::BasesDeDonnees, DataDir::Photos,
                                DataDir::PubVideo, DataDir::PubImages};
} // namespace

bool DataRoot::holdsData() const {
    std::error_code ec;
    for (DataDir d : kAllDirs)
        if (fs::is_directory(dir(d), ec))
            return true;
    return false;
}

void DataRoot::ensureDirectories() const {
    for (DataDir d : kAllDirs) {
        std::error_code ec;
        fs::create_directories(dir(d), ec);
        if (ec)
            throw PinError("Impossible de créer le répertoire " + dir(d).string() + " : " + ec.message());
    }
}

fs::path DataRoot::resolveStored(const std::string& stored) const {
    std::string lower = stored;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    std::string prefix = kWindowsRoot;
    if (lower.rfind(prefix, 0) == 0) {
        std::string rest = stored.substr(prefix.size());
        std::replace(rest.begin(), rest.end(), '\\', '/');
        return root_ / rest;
    }
    fs::path p(stored);
    if (p.is_absolute())
        return p;
    std::string rel = stored;
    std::replace(rel.begin(), rel.end(), '\\', '/');
    return root_ / rel;
}

std::string DataRoot::toStored(const fs::path& local) const {
    fs::path abs = local.lexically_normal();
    fs::path rootN = root_.lexically_normal();
    auto rel = abs.lexically_relative(rootN);
    if (!rel.empty() && rel.native().rfind("..", 0) != 0 && !rel.is_absolute())
        return rel.generic_string();
    return local.generic_string();
}

std::string numberedName(const std::string& baseName, int configuration) {
    auto dot = baseName.rfind('.');
    std::string digits = std::to_string(configuration);
    if (dot == std::string::npos)
        return baseName + digits;
    return baseName.substr(0, dot) + digits + baseName.substr(dot);
}

} // namespace pinstage
