// bench_kiosk: the locked browser on a page of a server inside this process (127.0.0.1): its first
// opening, when the web engine starts; an opening once the engine runs (create, load, close); and
// the memory of this process and of the engine's helper processes with a page open.
// Run it with QT_QPA_PLATFORM=offscreen; as root the engine's sandbox is switched off as the
// program does.
#include "ProcessMemory.h"
#include "kiosk/LockedBrowser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <memory>
#include <optional>

namespace {

using namespace pinstage;

constexpr int kLoadWaitMs = 60000; // a loaded machine; the wait ends with the page

// One small page at "/", as a modest site would send; nothing else (the icon is not found).
class PageServer {
public:
    PageServer() {
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                auto head = std::make_shared<QByteArray>();
                QObject::connect(s, &QTcpSocket::readyRead, s, [s, head] {
                    *head += s->readAll();
                    if (!head->contains("\r\n\r\n"))
                        return;
                    answer(s, head->startsWith("GET / "));
                    head->clear();
                });
            }
        });
        server_.listen(QHostAddress::LocalHost, 0);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort()); }

private:
    static void answer(QTcpSocket* s, bool home) {
        QByteArray body = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Accueil</title>"
                          "<style>body{font-family:sans-serif;background:#f4f4f8}li{margin:4px}</style>"
                          "</head><body><h1>Bienvenue</h1><ul>";
        for (int i = 0; i < 40; ++i)
            body += "<li><a href=\"/page" + QByteArray::number(i) + "\">Rubrique " + QByteArray::number(i) +
                    "</a></li>";
        body += "</ul><script>document.body.dataset.ready='1';</script></body></html>";
        if (!home)
            body = "not found";
        s->write((home ? "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                       : "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\n") +
                 QByteArray("Content-Length: ") + QByteArray::number(body.size()) +
                 "\r\nConnection: close\r\n\r\n" + body);
        s->disconnectFromHost();
        QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    }
    QTcpServer server_;
};

PageServer& server() {
    static PageServer s;
    return s;
}

// Loads the server's page and waits for loadFinished: true when that page loaded, nothing when the
// signal never came.
std::optional<bool> waitLoad(LockedBrowser& browser) {
    std::optional<bool> result;
    QEventLoop loop;
    QObject::connect(browser.view()->page(), &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
        // Our page, not an empty one the engine might report first.
        result = ok && browser.url() == QUrl(server().url());
        loop.quit();
    });
    QTimer::singleShot(kLoadWaitMs, &loop, &QEventLoop::quit);
    browser.load(server().url());
    loop.exec();
    return result;
}

std::unique_ptr<LockedBrowser> newBrowser() {
    auto b = std::make_unique<LockedBrowser>(nullptr);
    b->resize(1024, 768);
    b->show();
    return b;
}

// Closes a browser and lets the engine wind its page down.
void closeBrowser(std::unique_ptr<LockedBrowser>& b) {
    b.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

bool engineStarted = false;

// The first browser of the process: the engine and its helper processes start here.
void BM_FirstOpen(benchmark::State& state) {
    for (auto _ : state) {
        if (engineStarted) {
            state.SkipWithError("the engine already runs in this process: run this one first");
            break;
        }
        engineStarted = true;
        QElapsedTimer t;
        t.start();
        auto browser = newBrowser();
        const double createdMs = msSince(t);
        const std::optional<bool> ok = waitLoad(*browser);
        const double openMs = msSince(t);
        if (ok != true) {
            state.SkipWithError("the local page did not load");
            break;
        }
        state.SetIterationTime(openMs / 1000.0);
        state.counters["create_ms"] = createdMs;
        closeBrowser(browser);
    }
}
BENCHMARK(BM_FirstOpen)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// A visitor's browser once the engine runs: made, page loaded (the timed part), closed.
void BM_SteadyOpen(benchmark::State& state) {
    engineStarted = true;
    double closeMs = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        auto browser = newBrowser();
        const std::optional<bool> ok = waitLoad(*browser);
        state.SetIterationTime(msSince(t) / 1000.0);
        if (ok != true) {
            state.SkipWithError("the local page did not load");
            break;
        }
        t.restart();
        closeBrowser(browser);
        closeMs += msSince(t);
    }
    state.counters["close_ms"] = benchmark::Counter(closeMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SteadyOpen)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// Resident and proportional memory with a page open, in MB: this process, the engine's helpers
// (every process started under this one) and both together.
void BM_MemoryWithPageOpen(benchmark::State& state) {
    engineStarted = true;
    for (auto _ : state) {
        auto browser = newBrowser();
        if (waitLoad(*browser) != true) {
            state.SkipWithError("the local page did not load");
            break;
        }
        // The page drawn and the helpers settled.
        QEventLoop settle;
        QTimer::singleShot(1000, &settle, &QEventLoop::quit);
        settle.exec();

        const bench::ProcessMemory main = bench::memoryOf(getpid());
        bench::ProcessMemory helpers;
        int engineHelpers = 0;
        for (pid_t p : bench::descendantsOf(getpid())) {
            helpers += bench::memoryOf(p);
            engineHelpers += bench::processName(p).rfind("QtWebEngine", 0) == 0;
        }
        bench::ProcessMemory all = main;
        all += helpers;
        state.counters["main_rss_MB"] = main.rssMb;
        state.counters["helpers_rss_MB"] = helpers.rssMb;
        state.counters["sum_rss_MB"] = all.rssMb;
        if (all.pssKnown) {
            state.counters["main_pss_MB"] = main.pssMb;
            state.counters["helpers_pss_MB"] = helpers.pssMb;
            state.counters["sum_pss_MB"] = all.pssMb;
        }
        state.counters["helpers"] = helpers.processes;
        state.counters["engine_helpers"] = engineHelpers;
        closeBrowser(browser);
    }
}
BENCHMARK(BM_MemoryWithPageOpen)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // As the program does: the sandbox decided and the contexts shared before the application.
    prepareWebEngineSandbox();
    preferSoftwareWebRendering();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    server();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
