// pinstage-render: draws the built-in backglass with given scores into a PNG, without a screen.
//   pinstage-render --root DIR --out OUT.png [--scores 123450,0,0,0] [--credits 12] [--size 1920x1080]
#include "display/DefaultBackglassRender.h"
#include "platform/PinError.h"

#include "DefaultPictures.h"

#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: pinstage-render --root DIR --out OUT.png [--scores A,B,C,D] [--credits N] "
                         "[--size WxH]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    QString root, out;
    std::array<int64_t, 4> scores{0, 0, 0, 0};
    int credits = 0;
    int width = 1920, height = 1080;
    for (int i = 1; i < args.size(); ++i) {
        QString a = args[i];
        QString v = i + 1 < args.size() ? args[i + 1] : QString();
        bool ok = true;
        if (a == "--root")
            root = v;
        else if (a == "--out")
            out = v;
        else if (a == "--scores") {
            QStringList parts = v.split(',');
            for (int k = 0; k < 4 && k < parts.size() && ok; ++k)
                scores[size_t(k)] = parts[k].trimmed().toLongLong(&ok);
        } else if (a == "--credits")
            credits = v.toInt(&ok);
        else if (a == "--size") {
            QStringList parts = v.split('x');
            ok = parts.size() == 2;
            if (ok)
                width = parts[0].toInt(&ok);
            if (ok)
                height = parts[1].toInt(&ok);
        } else
            return usage();
        if (!ok || v.isEmpty())
            return usage();
        ++i;
    }
    if (root.isEmpty() || out.isEmpty())
        return usage();
    try {
        std::filesystem::path rootPath(root.toStdU16String());
        pinstage::writeDefaultPictures(pinstage::DataRoot(rootPath));
        QImage frame = pinstage::renderDefaultBackglass(rootPath, width, height, scores, credits);
        if (!frame.save(out, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", out.toLocal8Bit().constData());
            return 1;
        }
    } catch (const pinstage::PinError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
