// pinstage-data: creates the missing parameter files of a configuration as the start-up does,
// decodes any parameter file field by field, lists the accounting figures as CSV, and checks the
// board (BoardCommand).
#include "DataTool.h"

#include "BoardCommand.h"

#include "config/Accounting.h"
#include "config/FileNames.h"
#include "config/LabelTables.h"
#include "config/ParameterStore.h"
#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <utility>

namespace pinstage {

namespace fs = std::filesystem;

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

const char* const kUsage = "usage : pinstage-data init --root DOSSIER --config N\n"
                           "        pinstage-data show FICHIER\n"
                           "        pinstage-data audits --root DOSSIER --config N\n"
                           "        pinstage-data board [--simulate] [--seconds S] [--lamp L] [--coil C]\n";

struct UsageError {
    std::string message;
};

struct RootAndConfig {
    fs::path root = DataRoot::defaultRoot();
    int config = 0;
};

int parseConfig(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < char('0' + kConfigurationCount))
        return text[0] - '0';
    throw UsageError{"numéro de configuration invalide (0 à 7) : " + text};
}

RootAndConfig parseRootAndConfig(const std::vector<std::string>& args) {
    RootAndConfig rc;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "--root" && a != "--config")
            throw UsageError{"option inconnue : " + a};
        if (i + 1 >= args.size())
            throw UsageError{"valeur manquante après " + a};
        const std::string& v = args[++i];
        if (a == "--root")
            rc.root = fs::path(v);
        else
            rc.config = parseConfig(v);
    }
    return rc;
}

int runInit(const std::vector<std::string>& args, std::ostream& out) {
    RootAndConfig rc = parseRootAndConfig(args);
    DataRoot root(rc.root);
    root.ensureDirectories();
    std::vector<std::string> created;
    // The start-up reads the adjustments of configuration 0 before the configuration is chosen.
    AdjustmentsRecord early;
    loadOrCreateAdjustments0(root, early, &created);
    ParameterSet set;
    fullLoad(root, rc.config, set, &created);
    for (const auto& name : created)
        out << name << '\n';
    return 0;
}

using Describer = std::vector<FieldLine> (*)(std::span<const uint8_t>);

std::string lowerAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// A file name's stem without its configuration number and its extension, both in lower case.
std::pair<std::string, std::string> stemAndExtension(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string stem = name.substr(0, dot);
    while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back())))
        stem.pop_back();
    return {lowerAscii(stem), lowerAscii(name.substr(dot))};
}

// The decoder of a file, recognised by its base name with or without the configuration number:
// any parameter file kind, or the copy of its defaults.
std::optional<Describer> describerFor(const fs::path& file) {
    auto wanted = stemAndExtension(file.filename().string());
    if (wanted.second.empty())
        return std::nullopt;
    for (const ParameterFileKind& kind : parameterFileKinds()) {
        for (const char* name : {kind.name, kind.defaultCopy})
            if (name && stemAndExtension(name) == wanted)
                return kind.describe;
    }
    return std::nullopt;
}

// A value from a file on one line: control characters are shown as \xNN.
std::string printable(const std::string& value) {
    std::string s;
    for (unsigned char c : value) {
        if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", unsigned(c));
            s += buf;
        } else {
            s += char(c);
        }
    }
    return s;
}

int runShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2)
        throw UsageError{"show attend un seul fichier"};
    fs::path file(args[1]);
    auto describe = describerFor(file);
    if (!describe) {
        err << "fichier non reconnu : " << file.filename().string() << '\n';
        return kFailure;
    }
    std::error_code ec;
    auto bytes = fs::is_regular_file(file, ec) ? readWholeFile(file) : std::nullopt;
    if (!bytes) {
        err << "fichier introuvable : " << file.string() << '\n';
        return kFailure;
    }
    for (const FieldLine& line : (*describe)(*bytes))
        out << line.offset << ' ' << line.name << ' ' << printable(line.value) << '\n';
    return 0;
}

std::string csvField(const std::string& s) {
    std::string q = "\"";
    for (char c : s)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

int runAudits(const std::vector<std::string>& args, std::ostream& out) {
    RootAndConfig rc = parseRootAndConfig(args);
    DataRoot root(rc.root);
    AccountingRecord r;
    loadAccounting(configFile(root, kAccountingFileName, rc.config), r);
    out << "N°,Libellé,Valeur\n";
    for (int i = 0; i < kStatisticCount; ++i)
        out << i << ',' << csvField(statisticLabels[size_t(i)]) << ',' << statisticValue(r, i) << '\n';
    return 0;
}

} // namespace

int runDataTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (args.empty())
            throw UsageError{"commande manquante"};
        const std::string& command = args[0];
        if (command == "init")
            return runInit(args, out);
        if (command == "show")
            return runShow(args, out, err);
        if (command == "audits")
            return runAudits(args, out);
        if (command == "board") {
            int status = runBoardCommand(args, out, err);
            if (status == kUsageError)
                err << kUsage;
            return status;
        }
        throw UsageError{"commande inconnue : " + command};
    } catch (const UsageError& e) {
        err << e.message << '\n' << kUsage;
        return kUsageError;
    } catch (const PinError& e) {
        err << e.what() << '\n';
        return kFailure;
    } catch (const std::exception& e) {
        err << "erreur : " << e.what() << '\n';
        return kFailure;
    }
}

} // namespace pinstage
