// The locked browser against pages of a local server: pop-ups load in place, downloads and file
// links are refused, the history keys work, the error page is ours, and nothing survives closing.
#include "kiosk/LockedBrowser.h"
#include "LocalWebServer.h"
#include "kiosk/WebAdBrowser.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>

namespace pinstage {
namespace {

using test::LocalWebServer;
using test::WebReply;

constexpr int kWaitMs = 30000; // a loaded machine; the waits end as soon as the page is there

WebReply titled(const QByteArray& title, const QByteArray& body = {}, const QByteArray& headers = {}) {
    WebReply r;
    r.body = "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
    r.headers = headers;
    return r;
}

class LockedBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        web.page("/", titled("accueil", "<a id=l href='/target'>x</a>"));
        web.page("/target",
                 titled("cible", "<h1 style='background:#c33;color:white'>Annonceur</h1><p>cible</p>"));
        web.page("/other", titled("autre"));
        web.page("/popup", titled("popup", "<script>window.open('/target', '_blank');</script>"));
        WebReply file;
        file.body = "fichier";
        file.headers = "Content-Disposition: attachment; filename=\"x.bin\"\r\n";
        file.type = "application/octet-stream";
        web.page("/download", file);
        web.page(
            "/filelink",
            {titled("filelink", "<script>setTimeout(function(){location.href='file:///etc/hostname';},0);"
                                "</script>")});
        web.page("/cookie", titled("cookie", {}, "Set-Cookie: visiteur=1; Path=/; Max-Age=3600\r\n"));
        browser =
            std::make_unique<LockedBrowser>(nullptr, [this](const std::string& l) { lines.push_back(l); });
        browser->resize(800, 600);
        browser->show();
    }
    void TearDown() override { browser.reset(); }

    QString title() const { return browser->view()->page()->title(); }
    bool waitTitle(const QString& t) {
        return QTest::qWaitFor([&] { return title() == t; }, kWaitMs);
    }
    bool journalHas(const std::string& part) const {
        for (const auto& l : lines)
            if (l.find(part) != std::string::npos)
                return true;
        return false;
    }

    LocalWebServer web;
    std::vector<std::string> lines;
    std::unique_ptr<LockedBrowser> browser;
};

TEST_F(LockedBrowserTest, PopupLoadsInPlaceAndHistoryKeysWork) {
    browser->setHomePage(web.url("/"));
    browser->home();
    ASSERT_TRUE(waitTitle("accueil"));
    ASSERT_TRUE(browser->load(web.url("/popup")));
    // The page's window.open lands in this browser: no second window, the target replaces the page.
    ASSERT_TRUE(waitTitle("cible"));
    EXPECT_EQ(browser->url().path(), "/target");
    EXPECT_TRUE(journalHas("browser new window in place"));
    EXPECT_EQ(browser->findChildren<QWebEngineView*>().size(), 1);

    ASSERT_TRUE(browser->load(web.url("/other")));
    ASSERT_TRUE(waitTitle("autre"));
    browser->back();
    ASSERT_TRUE(waitTitle("cible"));
    browser->forward();
    ASSERT_TRUE(waitTitle("autre"));
    const int before = int(web.requested.count("/other"));
    browser->reload();
    ASSERT_TRUE(QTest::qWaitFor([&] { return web.requested.count("/other") > before; }, kWaitMs));
    browser->home();
    ASSERT_TRUE(waitTitle("accueil"));
}

TEST_F(LockedBrowserTest, DownloadsFilesAndOtherSchemesAreRefused) {
    QSignalSpy downloads(browser.get(), &LockedBrowser::downloadRefused);
    ASSERT_TRUE(browser->load(web.url("/")));
    ASSERT_TRUE(waitTitle("accueil"));
    ASSERT_TRUE(browser->load(web.url("/download")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return downloads.count() == 1; }, kWaitMs));
    EXPECT_EQ(browser->refusedDownloads(), 1);
    EXPECT_TRUE(journalHas("browser download refused"));

    // A page's script sends the browser to a file: refused, the page stays.
    ASSERT_TRUE(browser->load(web.url("/filelink")));
    ASSERT_TRUE(waitTitle("filelink"));
    QTest::qWait(300);
    EXPECT_EQ(browser->url().scheme(), "http");
    EXPECT_EQ(title(), "filelink");

    // Addresses given to the browser itself.
    const int refusedBefore = browser->refusedNavigations();
    for (const char* bad :
         {"file:///etc/hostname", "view-source:http://127.0.0.1/", "data:text/html,<b>x</b>",
          "ftp://127.0.0.1/", "chrome://gpu", "javascript:alert(1)"})
        EXPECT_FALSE(browser->load(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(browser->refusedNavigations(), refusedBefore + 6);
    EXPECT_EQ(browser->url().scheme(), "http");
    EXPECT_TRUE(journalHas("browser refused file:///etc/hostname"));
}

TEST_F(LockedBrowserTest, FailedLoadShowsOurFrenchPageAndClosingForgetsCookies) {
    QSignalSpy errors(browser.get(), &LockedBrowser::errorPageShown);
    // A port nobody listens on: refused connection.
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const quint16 port = closed.serverPort();
    closed.close();
    ASSERT_TRUE(browser->load(QStringLiteral("http://127.0.0.1:%1/").arg(port)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return errors.count() >= 1; }, kWaitMs));
    ASSERT_TRUE(waitTitle("Page indisponible")) << title().toStdString();

    ASSERT_TRUE(browser->load(web.url("/cookie")));
    ASSERT_TRUE(waitTitle("cookie"));
    ASSERT_TRUE(browser->load(web.url("/other")));
    ASSERT_TRUE(waitTitle("autre"));
    EXPECT_TRUE(web.cookiesSeen.contains("/other visiteur=1")) << web.cookiesSeen.join(", ").toStdString();

    // The next visitor's browser.
    browser = std::make_unique<LockedBrowser>(nullptr);
    browser->show();
    web.cookiesSeen.clear();
    ASSERT_TRUE(browser->load(web.url("/target")));
    ASSERT_TRUE(waitTitle("cible"));
    EXPECT_TRUE(web.cookiesSeen.isEmpty()) << web.cookiesSeen.join(", ").toStdString();
    EXPECT_TRUE(browser->profile()->isOffTheRecord());
}

TEST_F(LockedBrowserTest, AdvertisersPageIsCentredOnFourFifthsOfTheScreenAndClosesWithTheStep) {
    QWidget screen;
    screen.setStyleSheet("background:black");
    screen.resize(1000, 700);
    screen.show();
    WebAdBrowser ad(&screen, [this](const std::string& l) { lines.push_back(l); });
    EXPECT_FALSE(ad.exists());
    ad.showAddress(web.url("/target").toStdString());
    ASSERT_TRUE(ad.exists());
    EXPECT_TRUE(ad.visible());
    const AdRect r = ad.rectangle();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 70);
    EXPECT_EQ(r.right, 900);
    EXPECT_EQ(r.bottom, 630);
    EXPECT_TRUE(journalHas("ad browser load " + web.url("/target").toStdString()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ad.browser()->view()->page()->title() == "cible"; }, kWaitMs));
    // A picture of the centred browser on request, to look at.
    if (const QByteArray shot = qgetenv("PINSTAGE_SCREENSHOT"); !shot.isEmpty()) {
        QTest::qWait(500);
        screen.grab().save(QString::fromLocal8Bit(shot));
    }
    ad.close();
    EXPECT_FALSE(ad.exists());
    EXPECT_EQ(ad.create(), &ad);
    EXPECT_TRUE(ad.exists());
}

} // namespace
} // namespace pinstage
