// The polkit rule shipped for the kiosk session, run by a JavaScript engine as polkitd runs it: user
// pinstage may power the PC off through logind, nobody else gains anything, and no other action.
#include <QCoreApplication>
#include <QJSEngine>
#include <QJSValue>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// The rule file with a stand-in for polkit's global object; returns what the rule answers.
class RuleRunner {
public:
    RuleRunner() {
        std::ifstream in(PINSTAGE_POLKIT_RULE);
        std::stringstream text;
        text << in.rdbuf();
        engine_.evaluate(
            "var rules = []; var polkit = { Result: { YES: 'yes', NO: 'no', AUTH_ADMIN: 'auth_admin' },"
            " addRule: function(f) { rules.push(f); } };");
        QJSValue loaded = engine_.evaluate(QString::fromStdString(text.str()), PINSTAGE_POLKIT_RULE);
        loadError_ = loaded.isError() ? loaded.toString().toStdString() : "";
        ruleCount_ = engine_.evaluate("rules.length").toInt();
    }
    std::string answer(const char* action, const char* user) {
        QJSValue r = engine_.evaluate(QString("rules[0]({ id: '%1' }, { user: '%2' })").arg(action, user));
        return r.isUndefined() ? "none" : r.toString().toStdString();
    }
    std::string loadError_;
    int ruleCount_ = 0;

private:
    QJSEngine engine_;
};

} // namespace

TEST(PolkitRule, GrantsLogindPowerOffToTheCabinetUserOnly) {
    int argc = 1;
    char name[] = "test_packaging";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv); // the engine needs one
    RuleRunner rule;
    ASSERT_EQ(rule.loadError_, "");
    ASSERT_EQ(rule.ruleCount_, 1);
    for (const char* action :
         {"org.freedesktop.login1.power-off", "org.freedesktop.login1.power-off-multiple-sessions",
          "org.freedesktop.login1.power-off-ignore-inhibit"}) {
        EXPECT_EQ(rule.answer(action, "pinstage"), "yes") << action;
        EXPECT_EQ(rule.answer(action, "operator"), "none") << action;
        EXPECT_EQ(rule.answer(action, "root"), "none") << action;
    }
    for (const char* action :
         {"org.freedesktop.login1.reboot", "org.freedesktop.login1.halt",
          "org.freedesktop.systemd1.manage-units", "org.freedesktop.login1.set-wall-message"})
        EXPECT_EQ(rule.answer(action, "pinstage"), "none") << action;
}
