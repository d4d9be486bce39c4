// The simulator window: building, refreshing, placing, scripts and recording.
#include "simulator/PlayfieldSimulator.h"

#include "platform/PinError.h"
#include "runtime/MachineOps.h"
#include "simulator/StatusLine.h"
#include "simulator/WindowPlacement.h"
#include "simulator/Wiring.h"

#include <QApplication>
#include <QChildEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

namespace pinstage {

PlayfieldSimulator::PlayfieldSimulator(Machine& m, SimulatedBoard& board, SimulatorOptions options)
    : QWidget(nullptr), m_(m), board_(board), options_(std::move(options)), backglass_(options_.backglass),
      driver_(std::make_unique<PlayfieldDriver>(board, m.clock, options_.smart, options_.seed)) {
    setWindowTitle(QStringLiteral("Simulateur de plateau"));
    setAttribute(Qt::WA_ShowWithoutActivating); // the backglass keeps the focus it has
    setAttribute(Qt::WA_QuitOnClose, false);    // the backglass alone decides when the program ends
    // Never shrunk to nothing; below the panels' own minimum the window scrolls.
    setMinimumSize(kMinWidth, kMinHeight);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);
    auto* column = new QVBoxLayout(content);

    status_ = new QLabel(content);
    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    column->addWidget(status_);

    auto* switchBox = new QGroupBox(QStringLiteral("Contacts"), content);
    auto* switchLayout = new QVBoxLayout(switchBox);
    switches_ = new SwitchPanel(switchBox);
    switchLayout->addWidget(switches_);
    column->addWidget(switchBox);

    auto* outputs = new QHBoxLayout;
    auto* lampBox = new QGroupBox(QStringLiteral("Voyants"), content);
    auto* lampLayout = new QVBoxLayout(lampBox);
    lamps_ = new LampPanel(lampBox);
    lampLayout->addWidget(lamps_);
    outputs->addWidget(lampBox);
    auto* coilBox = new QGroupBox(QStringLiteral("Bobines"), content);
    auto* coilLayout = new QVBoxLayout(coilBox);
    coils_ = new CoilPanel(coilBox);
    coilLayout->addWidget(coils_);
    outputs->addWidget(coilBox, 1);
    column->addLayout(outputs);

    buildControls(content);

    auto* help = new QLabel(keyboardHelpText(), content);
    help->setWordWrap(true);
    column->addWidget(help);

    SmartPlayfield& pf = driver_->playfield();
    switches_->onHit = [&pf](int c) { pf.hit(c); };
    switches_->onToggle = [&pf](int c) { pf.toggleHeld(c); };

    std::function<void()> quit = options_.quit ? options_.quit : [] { QCoreApplication::quit(); };
    keys_ = new KeyboardControls(pf, quit, this);
    qApp->installEventFilter(keys_);

    if (options_.pumpInputOnRead)
        driver_->pumpInput = [this] { pump_(); };
    driver_->playScript = [this](uint32_t now) {
        if (!script_)
            return;
        SmartPlayfield& field = driver_->playfield();
        script_->apply(now, [&field](int c, bool closed) {
            if (closed)
                field.press(c, SwitchOrigin::Script);
            else
                field.release(c, SwitchOrigin::Script);
        });
    };
    driver_->gameView = [this] { return GameView{gameRunning(m_), m_.credits.value()}; };
    driver_->outputsChanged = [this] { coilEdges(); };

    if (backglass_)
        backglass_->installEventFilter(this);
    reloadNames();
    refresh();
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { refresh(); });
    refreshTimer_.start(kRefreshMs);

    // The main loop sleeps between its deadlines: it must also wake when the playfield, the
    // automatic operator or a played script changes a switch by itself.
    previousScheduledInput_ = m_.nextScheduledInput;
    m_.nextScheduledInput = [this]() -> std::optional<uint32_t> {
        std::optional<uint32_t> next = previousScheduledInput_ ? previousScheduledInput_() : std::nullopt;
        auto offer = [&next](std::optional<uint32_t> t) {
            if (t && (!next || int32_t(*t - *next) < 0))
                next = t;
        };
        offer(driver_->nextChangeTime());
        if (script_)
            offer(script_->nextTime());
        return next;
    };
}

PlayfieldSimulator::~PlayfieldSimulator() {
    m_.nextScheduledInput = previousScheduledInput_;
    qApp->removeEventFilter(keys_);
    refreshTimer_.stop();
}

void PlayfieldSimulator::buildControls(QWidget* into) {
    auto* row = new QHBoxLayout;
    SmartPlayfield& pf = driver_->playfield();

    randomBall_ = new QPushButton(QStringLiteral("Bille au hasard"), into);
    randomBall_->setCheckable(true);
    randomBall_->setFocusPolicy(Qt::NoFocus);
    connect(randomBall_, &QPushButton::toggled, this, [&pf](bool on) { pf.setRandomBall(on); });
    row->addWidget(randomBall_);

    smart_ = new QCheckBox(QStringLiteral("Plateau intelligent"), into);
    smart_->setChecked(pf.smart());
    smart_->setFocusPolicy(Qt::NoFocus);
    connect(smart_, &QCheckBox::toggled, this, [&pf](bool on) { pf.setSmart(on); });
    row->addWidget(smart_);

    autoPlay_ = new QCheckBox(QStringLiteral("Pièces et départs automatiques"), into);
    autoPlay_->setFocusPolicy(Qt::NoFocus);
    connect(autoPlay_, &QCheckBox::toggled, this,
            [this](bool on) { driver_->autoOperator().setEnabled(on, m_.now()); });
    row->addWidget(autoPlay_);

    auto* load = new QPushButton(QStringLiteral("Charger un script…"), into);
    load->setFocusPolicy(Qt::NoFocus);
    connect(load, &QPushButton::clicked, this, [this] { chooseScript(); });
    row->addWidget(load);

    playScript_ = new QPushButton(QStringLiteral("Jouer le script"), into);
    playScript_->setEnabled(false);
    playScript_->setFocusPolicy(Qt::NoFocus);
    connect(playScript_, &QPushButton::clicked, this, [this] { playScript(); });
    row->addWidget(playScript_);

    record_ = new QPushButton(QStringLiteral("Enregistrer un script"), into);
    record_->setCheckable(true);
    record_->setFocusPolicy(Qt::NoFocus);
    connect(record_, &QPushButton::toggled, this, [this](bool on) { recordClicked(on); });
    row->addWidget(record_);
    row->addStretch(1);

    static_cast<QVBoxLayout*>(into->layout())->addLayout(row);
    scriptState_ = new QLabel(into);
    into->layout()->addWidget(scriptState_);
}

std::vector<uint8_t> PlayfieldSimulator::namesSnapshot() const {
    const ParameterSet& p = m_.params;
    std::vector<uint8_t> out;
    auto add = [&out](const auto& table) {
        for (const auto& slot : table)
            out.insert(out.end(), slot.bytes.begin(), slot.bytes.end());
    };
    add(p.contacts.names);
    add(p.lamps.names);
    add(p.coils.names);
    for (int b : coilBoardBits(m_.outputs))
        out.push_back(uint8_t(b));
    for (int b : lampBoardBits(m_.outputs))
        out.push_back(uint8_t(b));
    return out;
}

bool PlayfieldSimulator::eventFilter(QObject* watched, QEvent* event) {
    if (backglass_ && watched == backglass_.data()) {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Resize) && backglass_->isVisible())
            placeBesideBackglass();
        // Windows opened over the backglass (the dashboard, boxes) are watched as they appear.
        if (event->type() == QEvent::ChildAdded)
            if (QObject* child = static_cast<QChildEvent*>(event)->child(); child && child->isWidgetType())
                child->installEventFilter(this);
    } else if (event->type() == QEvent::Show && overBackglass_ && watched->isWidgetType()) {
        // With no room beside a full-screen backglass the window sits in its corner: it stays
        // above a window that covers the backglass (the dashboard), or that would hide it for
        // good; a box in the middle stays above it.
        QPointer<QWidget> shown = static_cast<QWidget*>(watched);
        QTimer::singleShot(0, this, [this, shown] {
            if (shown && shown->isWindow() && backglass_ && isVisible() &&
                shown->geometry().contains(backglass_->geometry()))
                raise();
        });
    }
    return QWidget::eventFilter(watched, event);
}

void PlayfieldSimulator::reloadNames() {
    namesShown_ = namesSnapshot();
    const ParameterSet& p = m_.params;
    std::array<std::string, 72> contacts;
    for (size_t c = 0; c < contacts.size(); ++c)
        contacts[c] = p.contacts.names[c].utf8();
    switches_->setNames(contacts);

    std::array<std::string, kLampCount> lampNames;
    for (size_t n = 0; n < lampNames.size(); ++n)
        lampNames[n] = p.lamps.names[n].utf8();
    lamps_->setNames(namesByPosition(lampBoardBits(m_.outputs), lampNames));

    std::array<std::string, kCoilCount> coilNames;
    for (size_t i = 0; i < coilNames.size(); ++i)
        coilNames[i] = p.coils.names[i].utf8();
    coilBits_ = coilBoardBits(m_.outputs);
    // Before the output objects are built nothing is wired yet: coil n is taken to drive bit n.
    if (std::all_of(coilBits_.begin(), coilBits_.end(), [](int b) { return b < 0; }))
        for (size_t i = 0; i < coilBits_.size(); ++i)
            coilBits_[i] = int(i);
    coils_->setNames(namesByPosition(coilBits_, coilNames));
    driver_->playfield().setCoilBits(coilBits_);
}

void PlayfieldSimulator::coilEdges() {
    uint32_t mask = 0;
    for (int i = 0; i < kCoilCount; ++i)
        if (board_.coilEnergised(i))
            mask |= 1u << i;
    coils_->setEnergised(mask);
}

void PlayfieldSimulator::refresh() {
    // The records are loaded after the window opens, and the dashboard may rename things.
    if (++refreshes_ % 25 == 0 && namesSnapshot() != namesShown_)
        reloadNames();
    lamps_->setLampBytes(board_.lampBytes());
    coilEdges();
    switches_->showStates([this](int c) { return board_.switchClosed(c); });
    status_->setText(QString::fromStdString(simulatorStatus(m_, driver_->playfield().ball())));
    if (script_)
        scriptState_->setText(QStringLiteral("Script : %1 changements sur %2%3")
                                  .arg(script_->applied())
                                  .arg(scriptChangeCount_)
                                  .arg(script_->started() ? QString() : QStringLiteral(" (prêt)")));
    if (driver_->recorder().recording())
        scriptState_->setText(
            QStringLiteral("Enregistrement : %1 lignes").arg(driver_->recorder().lineCount()));
    if (randomBall_->isChecked() != driver_->playfield().randomBall())
        randomBall_->setChecked(driver_->playfield().randomBall());
}

QString PlayfieldSimulator::statusText() const {
    return status_->text();
}

void PlayfieldSimulator::placeBesideBackglass() {
    std::vector<ScreenRect> screens;
    for (QScreen* s : QGuiApplication::screens()) {
        QRect g = s->availableGeometry();
        screens.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    ScreenRect bg{};
    if (backglass_) {
        QRect g = backglass_->frameGeometry();
        bg = {g.x(), g.y(), g.width(), g.height()};
    }
    QSize want = sizeHint().expandedTo(QSize(1100, 760));
    Placement place = placeBeside(bg, screens, want.width(), want.height());
    overBackglass_ = place.coversBackglass;
    setGeometry(place.rect.x, place.rect.y, place.rect.width, place.rect.height);
}

void PlayfieldSimulator::loadScript(const std::filesystem::path& file) {
    auto changes = scriptChanges(::pinstage::loadScript(file));
    scriptChangeCount_ = changes.size();
    script_.emplace(std::move(changes));
    playScript_->setEnabled(true);
    refresh();
}

void PlayfieldSimulator::playScript() {
    if (script_)
        script_->setOrigin(m_.now());
}

bool PlayfieldSimulator::scriptFinished() const {
    return script_ && script_->finished();
}

void PlayfieldSimulator::chooseScript() {
    QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("Charger un script"), QString(),
                                     QStringLiteral("Scripts (*.txt *.script);;Tous les fichiers (*)"));
    if (file.isEmpty())
        return;
    try {
        loadScript(std::filesystem::path(file.toStdString()));
    } catch (const PinError& e) {
        QMessageBox::warning(this, QStringLiteral("Script"), QString::fromUtf8(e.what()));
    }
}

void PlayfieldSimulator::startRecording() {
    driver_->recorder().start(m_.now());
    if (!record_->isChecked()) {
        QSignalBlocker block(record_);
        record_->setChecked(true);
    }
}

bool PlayfieldSimulator::stopRecording(const std::filesystem::path& file) {
    driver_->recorder().stop();
    if (record_->isChecked()) {
        QSignalBlocker block(record_);
        record_->setChecked(false);
    }
    bool saved = driver_->recorder().save(file);
    scriptState_->setText(
        saved ? QStringLiteral("Script enregistré : %1 lignes").arg(driver_->recorder().lineCount())
              : QStringLiteral("Le script n'a pas pu être enregistré"));
    return saved;
}

void PlayfieldSimulator::recordClicked(bool on) {
    if (on) {
        startRecording();
        return;
    }
    driver_->recorder().stop();
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Enregistrer le script"), QString(),
                                                QStringLiteral("Scripts (*.txt *.script)"));
    if (file.isEmpty())
        return;
    if (!stopRecording(std::filesystem::path(file.toStdString())))
        QMessageBox::warning(this, QStringLiteral("Script"),
                             QStringLiteral("Le script n'a pas pu être enregistré"));
}

std::unique_ptr<PlayfieldSimulator> createPlayfieldSimulator(Machine& m, SimulatedBoard& board, bool smart,
                                                             QWidget* backglass, std::function<void()> quit) {
    SimulatorOptions options;
    options.smart = smart;
    options.backglass = backglass;
    options.quit = std::move(quit);
    auto window = std::make_unique<PlayfieldSimulator>(m, board, std::move(options));
    window->placeBesideBackglass();
    window->show();
    // Developers' switches: a demo that plays by itself, and a picture of the whole screen.
    if (qEnvironmentVariableIntValue("PINSTAGE_SIMULATOR_DEMO") == 1)
        window->startDemo();
    QString shot = qEnvironmentVariable("PINSTAGE_SIMULATOR_SCREENSHOT");
    if (!shot.isEmpty()) {
        int at = shot.lastIndexOf(QLatin1Char('@'));
        int ms = at > 0 ? shot.mid(at + 1).toInt() : 10000;
        window->grabScreenLater(at > 0 ? shot.left(at) : shot, ms > 0 ? ms : 10000);
    }
    return window;
}

void PlayfieldSimulator::startDemo() {
    autoPlay_->setChecked(true);
    randomBall_->setChecked(true);
}

void PlayfieldSimulator::grabScreenLater(const QString& file, int ms) {
    QTimer::singleShot(ms, this, [this, file] {
        QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        bool saved = screen && screen->grabWindow(0).save(file);
        std::fprintf(stderr, "%s %s\n", saved ? "screen saved to" : "screen not saved to", qPrintable(file));
    });
}

} // namespace pinstage
