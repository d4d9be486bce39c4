// The operators' tool: init creates what the start-up creates, show decodes by file name, audits
// lists the accounting statistics as CSV; errors in French with a non-zero status.
#include "ConfigTestSupport.h"

#include "DataTool.h"
#include "config/Accounting.h"
#include "config/LabelTables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

using namespace pinstage;
using namespace pinstage::test;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun tool(std::vector<std::string> args) {
    std::ostringstream out, err;
    int status = runDataTool(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> v;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        v.push_back(l);
    return v;
}

bool hasLine(const std::string& text, const std::string& line) {
    auto v = lines(text);
    return std::find(v.begin(), v.end(), line) != v.end();
}

TEST(DataTool, InitCreatesTheStartupFilesOnce) {
    ScratchRoot s("pin-tool-init");
    ToolRun first = tool({"init", "--root", s.root().root().string(), "--config", "3"});
    EXPECT_EQ(first.status, 0) << first.err;
    auto created = lines(first.out);
    ASSERT_EQ(created.size(), 17u) << first.out;
    EXPECT_EQ(created.front(), "Réglages0.fli") << "the start-up reads configuration 0 first";
    EXPECT_EQ(created[1], "ContactsParam.fli");
    EXPECT_EQ(created.back(), "Joueurs3.db");
    for (const std::string& name : created) {
        fs::path dir = name == "Joueurs3.db" ? s.root().dir(DataDir::BasesDeDonnees) : s.datas();
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    }
    ToolRun second = tool({"init", "--root", s.root().root().string(), "--config", "3"});
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.out, "");
}

TEST(DataTool, ShowDecodesByBaseName) {
    ScratchRoot s("pin-tool-show");
    ASSERT_EQ(tool({"init", "--root", s.root().root().string(), "--config", "3"}).status, 0);
    ToolRun adj = tool({"show", s.datas("Réglages3.fli").string()});
    EXPECT_EQ(adj.status, 0) << adj.err;
    EXPECT_TRUE(hasLine(adj.out, "24 ballsPerGame 3")) << adj.out;
    EXPECT_TRUE(hasLine(adj.out, "28 freeGameScores[0] 320000"));
    EXPECT_TRUE(hasLine(adj.out, "46 lottery oui"));
    EXPECT_TRUE(hasLine(adj.out, "50 awardKind partie gratuite"));
    EXPECT_TRUE(hasLine(adj.out, "26 alignment26 00 00"));
    EXPECT_EQ(lines(adj.out).size(), 31u) << "30 rows and the alignment bytes";

    ToolRun coils = tool({"show", s.datas("BobinesParam.fli").string()});
    EXPECT_TRUE(hasLine(coils.out, "690 names[3] Knocker")) << coils.out.substr(0, 200);
    EXPECT_TRUE(hasLine(coils.out, "232 restMs[10] 20"));
    EXPECT_EQ(lines(coils.out).size(), 24u * 8);

    ToolRun acc = tool({"show", s.datas("Comptabilite3.fli").string()});
    EXPECT_TRUE(hasLine(acc.out, "84 creditUnits 0"));
    EXPECT_TRUE(hasLine(acc.out, "88 statistic[23] 0"));

    ToolRun contacts = tool({"show", s.datas("ContactsParam.fli").string()});
    EXPECT_TRUE(hasLine(contacts.out, "250 names[10] c10-Cible spécial"));
    ToolRun copy = tool({"show", s.datas("DefautCombinaisons3.fli").string()});
    EXPECT_TRUE(hasLine(copy.out, "0 names[0] Décomptage du bonus"));
    ToolRun rule = tool({"show", s.datas("RegleDuJeuParam3.fli").string()});
    EXPECT_TRUE(hasLine(rule.out, "320 soundNumber[0] 99"));
    ToolRun lamps = tool({"show", s.datas("VoyantsParam.fli").string()});
    EXPECT_TRUE(hasLine(lamps.out, "1165 mask[13] 32"));

    for (const char* other : {"SonsParam3.fli", "DefautFronton3.fli", "Annonceurs3.fli"}) {
        ToolRun r = tool({"show", s.datas(other).string()});
        EXPECT_EQ(r.status, 0) << other;
        EXPECT_GT(lines(r.out).size(), 10u) << other;
    }
    ToolRun players = tool({"show", (s.root().dir(DataDir::BasesDeDonnees) / "Joueurs3.db").string()});
    EXPECT_EQ(players.status, 0);
    EXPECT_GT(lines(players.out).size(), 7u);
}

TEST(DataTool, ShowListsOnlyTheFieldsAShortFileHolds) {
    ScratchRoot s("pin-tool-short");
    writeBytes(s.datas("Réglages1.fli"), {3, 0, 2, 0, 9});
    ToolRun r = tool({"show", s.datas("Réglages1.fli").string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lines(r.out), (std::vector<std::string>{"0 coinsPerCredit[0] 3", "2 coinsPerCredit[1] 2"}));
}

TEST(DataTool, ShowKeepsOneFieldPerLineWhateverTheFileHolds) {
    ScratchRoot s("pin-tool-control");
    std::vector<uint8_t> bytes(1800, 0);
    const char name[] = "a\nb\tc";
    std::copy(name, name + 5, bytes.begin());
    writeBytes(s.datas("ContactsParam.fli"), bytes);
    ToolRun r = tool({"show", s.datas("ContactsParam.fli").string()});
    EXPECT_EQ(r.status, 0);
    auto v = lines(r.out);
    ASSERT_EQ(v.size(), 72u);
    EXPECT_EQ(v[0], "0 names[0] a\\x0Ab\\x09c");
    EXPECT_EQ(v[1], "25 names[1] ");
}

TEST(DataTool, ShowRefusesUnknownAndMissingFiles) {
    ScratchRoot s("pin-tool-bad");
    writeBytes(s.datas("notes.txt"), {1, 2});
    ToolRun unknown = tool({"show", s.datas("notes.txt").string()});
    EXPECT_NE(unknown.status, 0);
    EXPECT_EQ(unknown.err, "fichier non reconnu : notes.txt\n");
    EXPECT_EQ(unknown.out, "");
    ToolRun missing = tool({"show", s.datas("Réglages4.fli").string()});
    EXPECT_NE(missing.status, 0);
    EXPECT_EQ(missing.err.rfind("fichier introuvable : ", 0), 0u) << missing.err;
}

TEST(DataTool, AuditsListsEveryStatisticAsCsv) {
    ScratchRoot s("pin-tool-audits");
    AccountingRecord r{};
    *counter(r, 7) = 1234;
    *counter(r, 23) = 5;
    r.creditUnits = 4;
    r.creditTens = 1;
    saveAccounting(s.datas("Comptabilite2.fli"), r);
    ToolRun a = tool({"audits", "--root", s.root().root().string(), "--config", "2"});
    EXPECT_EQ(a.status, 0) << a.err;
    auto v = lines(a.out);
    ASSERT_EQ(v.size(), 43u);
    EXPECT_EQ(v[0], "N°,Libellé,Valeur");
    EXPECT_EQ(v[1], "0,\"Nombre de pièces entrées dans le Monnayeur 1\",0");
    EXPECT_EQ(v[8], "7,\"Nombre de parties engagées\",1234");
    EXPECT_EQ(v[22], "21,\"Valeur unités compteur crédit\",4");
    EXPECT_EQ(v[23], "22,\"Valeur dizaines compteur crédit\",1");
    EXPECT_EQ(v[24], "23,\"Nbre de fois Cible 1 U \",5");
    EXPECT_FALSE(fs::exists(s.datas("Comptabilite0.fli")));
}

TEST(DataTool, UsageAndFileErrorsInFrench) {
    ScratchRoot s("pin-tool-usage");
    ToolRun none = tool({});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("usage : pinstage-data"), std::string::npos);
    ToolRun bad = tool({"effacer"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err.rfind("commande inconnue : effacer\n", 0), 0u);
    ToolRun config = tool({"init", "--root", s.root().root().string(), "--config", "8"});
    EXPECT_EQ(config.status, 2);
    EXPECT_EQ(config.err.rfind("numéro de configuration invalide (0 à 7) : 8\n", 0), 0u);
    EXPECT_TRUE(fs::is_empty(s.datas())) << "nothing created on a usage error";
    ToolRun option = tool({"audits", "--racine", "x"});
    EXPECT_EQ(option.status, 2);
    ToolRun dangling = tool({"audits", "--root"});
    EXPECT_EQ(dangling.status, 2);
    ToolRun noFile = tool({"audits", "--root", s.root().root().string(), "--config", "1"});
    EXPECT_EQ(noFile.status, 1);
    EXPECT_EQ(noFile.err, "fichier de comptabilité introuvable\n");
}

// The installed program behaves like the function: run it as a process.
TEST(DataTool, RunsAsAProgram) {
    ScratchRoot s("pin-tool-process");
    std::string cmd = std::string("'") + PINSTAGE_DATA_TOOL + "' init --root '" + s.root().root().string() +
                      "' --config 1 2>&1";
    FILE* p = ::popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buf[256];
    while (size_t n = std::fread(buf, 1, sizeof buf, p))
        out.append(buf, n);
    int status = ::pclose(p);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << out;
    EXPECT_EQ(lines(out).size(), 17u) << out;
    EXPECT_TRUE(fs::exists(s.datas("Réglages1.fli")));

    std::string bad = std::string("'") + PINSTAGE_DATA_TOOL + "' show /nonexistent/Réglages1.fli 2>/dev/null";
    int st = std::system(bad.c_str());
    ASSERT_TRUE(WIFEXITED(st));
    EXPECT_EQ(WEXITSTATUS(st), 1);
}

} // namespace
