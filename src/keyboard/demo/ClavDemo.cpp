// clavdemo: shows the keyboard alone and prints Buffer on stdout after every key press.
// Options: --internet (internet captions), --states (one key hovered, one pressed),
// --screenshot FILE (the window drawn by itself), --grab-screen FILE (the whole screen), then exit.
#include "clavpack/Claviervirtuel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <iostream>

using namespace pinstage;

namespace {

void setKeyState(TClavierVirtuel& keyboard, TVKButton key, TVKState state) {
    for (int row = 0; row < VKRowCount; ++row) {
        for (int place = 0; place < VKRowPlaces; ++place) {
            if (keyboard.RowsOrder[row][place] == key)
                keyboard.ButtonInfo[row][place].State = state;
        }
    }
}

// What the owner does to change the captions: set the mode, rebuild the images, rebuild the picture.
void switchMode(TClavierVirtuel& keyboard, bool internet) {
    keyboard.InternetEncours = internet;
    keyboard.BuildButtonImages();
    keyboard.RegenerateKeys = true;
    keyboard.DrawButtons();
    keyboard.update();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("clavdemo"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption internetOption(QStringLiteral("internet"), QStringLiteral("Internet captions."));
    const QCommandLineOption statesOption(QStringLiteral("states"),
                                          QStringLiteral("Show a hovered and a pressed key."));
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("Save the window as a picture and exit."),
                                              QStringLiteral("FILE"));
    const QCommandLineOption grabOption(QStringLiteral("grab-screen"),
                                        QStringLiteral("Save the whole screen as a picture and exit."),
                                        QStringLiteral("FILE"));
    parser.addOptions({internetOption, statesOption, screenshotOption, grabOption});
    parser.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("clavdemo"));
    auto* layout = new QVBoxLayout(&window);
    auto* internet = new QCheckBox(QStringLiteral("Internet"), &window);
    auto* keyboard = new TClavierVirtuel(&window);
    auto* bufferLine = new QLabel(QStringLiteral("Buffer : "), &window);
    layout->addWidget(internet);
    layout->addWidget(keyboard);
    layout->addWidget(bufferLine);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QObject::connect(keyboard, &TClavierVirtuel::OnButtonDown, keyboard, [keyboard, bufferLine] {
        std::cout << keyboard->Buffer().toStdString() << std::endl;
        bufferLine->setText(QStringLiteral("Buffer : ") + keyboard->Buffer());
    });
    QObject::connect(internet, &QCheckBox::toggled, keyboard,
                     [keyboard](bool checked) { switchMode(*keyboard, checked); });

    internet->setChecked(parser.isSet(internetOption));
    switchMode(*keyboard, parser.isSet(internetOption));
    if (parser.isSet(statesOption)) {
        setKeyState(*keyboard, vkbE, vksHover);
        setKeyState(*keyboard, vkbPhoto, vksDown);
        keyboard->RegenerateKeys = true;
        keyboard->DrawButtons();
    }
    window.show();

    const QString screenshot = parser.value(screenshotOption);
    const QString screenGrab = parser.value(grabOption);
    if (!screenshot.isEmpty() || !screenGrab.isEmpty()) {
        QTimer::singleShot(500, &app, [&] {
            bool saved = true;
            if (!screenshot.isEmpty())
                saved = window.grab().save(screenshot) && saved;
            if (!screenGrab.isEmpty())
                saved = QGuiApplication::primaryScreen()->grabWindow(0).save(screenGrab) && saved;
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
