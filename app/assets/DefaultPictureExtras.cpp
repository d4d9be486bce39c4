// Banners, counters, title, badge, poster, thumbnails, help pages and photos.
#include "DefaultPictureExtras.h"

#include "DefaultPictureArt.h"
#include "DefaultPictureBackglass.h"
#include "config/FrontonParams.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace pinstage::art {

namespace {

QImage blank(int w, int h, const QColor& top, const QColor& bottom) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(img.rect(), g);
    return img;
}

void letters(QPainter& p, const QString& text, const QRectF& box, const QColor& fill, const QColor& halo,
             const QFont& f = condensedBold(60), qreal heightShare = 0.8) {
    QPainterPath path = fittedText(text, f, box, heightShare, 0.95);
    if (halo.alpha() > 0)
        glow(p, path, halo, box.height() * 0.12);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

QRectF reelRow(const FrontonRecord& r, int first, int count) {
    QRectF row;
    for (int k = 0; k < count; ++k) {
        const FrontonElement& e = r.elements[size_t(first + k)];
        row = row.united(QRectF(e.displayLeft, e.displayTop, e.displayRight - e.displayLeft,
                                e.displayBottom - e.displayTop));
    }
    return row;
}

void counterFrame(QPainter& p, const QRectF& reels, int digits, const QString& label) {
    QRectF outer = reels.adjusted(-9, -8, 9, 8);
    QLinearGradient rim(outer.topLeft(), outer.bottomLeft());
    rim.setColorAt(0.0, QColor(255, 226, 140));
    rim.setColorAt(0.5, QColor(180, 120, 30));
    rim.setColorAt(1.0, QColor(255, 210, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawRoundedRect(outer, 9, 9);
    qreal w = reels.width() / digits;
    for (int k = 0; k < digits; ++k) {
        QRectF cell(reels.left() + k * w + 1, reels.top(), w - 2, reels.height());
        p.setBrush(QColor(244, 236, 212));
        p.drawRect(cell);
        letters(p, "0", cell, QColor(22, 18, 16), QColor(0, 0, 0, 0), condensedBold(60), 0.7);
    }
    letters(p, label, QRectF(outer.left(), outer.top() - 34, outer.width(), 26), QColor(255, 214, 120),
            QColor(255, 120, 20, 120), condensedBold(30));
}

} // namespace

QImage drawBanner(int player) {
    QImage img = blank(1360, 768, QColor(26, 8, 30), QColor(6, 2, 10));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    // A ribbon across the glass with the player's number.
    QPainterPath ribbon;
    ribbon.moveTo(0, 300);
    ribbon.cubicTo(400, 230, 960, 370, 1360, 290);
    ribbon.lineTo(1360, 470);
    ribbon.cubicTo(960, 550, 400, 410, 0, 480);
    ribbon.closeSubpath();
    QLinearGradient g(0, 280, 0, 500);
    static const QColor colours[] = {QColor(230, 60, 40), QColor(240, 170, 30), QColor(60, 190, 90),
                                     QColor(200, 70, 220)};
    QColor c = colours[(player - 1) & 3];
    g.setColorAt(0, c.lighter(140));
    g.setColorAt(1, c.darker(160));
    glow(p, ribbon, QColor(255, 200, 120, 120), 12);
    p.setPen(QPen(QColor(255, 230, 160), 4));
    p.setBrush(g);
    p.drawPath(ribbon);
    letters(p, QString("JOUEUR %1").arg(player), QRectF(230, 300, 900, 170), QColor(255, 250, 225),
            QColor(60, 10, 0, 200), font("DejaVu Serif", 90, QFont::Black, true));
    return img;
}

QImage drawCounterPicture(bool players) {
    QImage img = blank(1360, 768, QColor(20, 8, 26), QColor(6, 2, 10));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const FrontonRecord layout = defaultFronton();
    if (players) {
        static const char* names[] = {"JOUEUR 1", "JOUEUR 2", "JOUEUR 3", "JOUEUR 4"};
        for (int c = 0; c < 4; ++c)
            counterFrame(p, reelRow(layout, 2 + 7 * c, 7), 7, names[c]);
        letters(p, "COMPTEURS DES JOUEURS", QRectF(380, 330, 600, 70), QColor(255, 226, 150),
                QColor(255, 110, 20, 140));
    } else {
        counterFrame(p, QRectF(580, 300, 200, 80), 3, "PARTIES JOUÉES");
        counterFrame(p, QRectF(620, 500, 120, 70), 2, "CRÉDITS");
        letters(p, "COMPTEUR DE PARTIES", QRectF(380, 120, 600, 70), QColor(255, 226, 150),
                QColor(255, 110, 20, 140));
    }
    return img;
}

QImage drawTitlePicture() {
    QImage img = blank(640, 360, QColor(34, 8, 40), QColor(8, 2, 14));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QRectF area(50, 103, 533, 214);
    QRadialGradient halo(area.center(), 300);
    halo.setColorAt(0, QColor(255, 140, 40, 120));
    halo.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(img.rect(), halo);
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0, QColor(255, 250, 170));
    fill.setColorAt(1, QColor(240, 90, 30));
    QPainterPath path = fittedText("LUMISCOPE", font("DejaVu Serif", 80, QFont::Black, true),
                                   QRectF(area.left(), area.top() + 20, area.width(), 120), 0.85, 0.95);
    glow(p, path, QColor(255, 120, 20, 180), 12);
    p.setPen(QPen(QColor(80, 8, 8), 4));
    p.setBrush(fill);
    p.drawPath(path);
    letters(p, "FLIPPER ÉLECTROMÉCANIQUE", QRectF(area.left(), area.top() + 150, area.width(), 40),
            QColor(255, 230, 180), QColor(0, 0, 0, 0), condensedBold(30));
    return img;
}

QImage drawRulesBadge() {
    QImage img = blank(64, 64, QColor(150, 30, 40), QColor(70, 10, 20));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(255, 214, 100), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2.5, 2.5, 59, 59), 8, 8);
    letters(p, "?", QRectF(8, 4, 48, 36), QColor(255, 246, 200), QColor(0, 0, 0, 0), sansBold(40), 0.9);
    letters(p, "RÈGLES", QRectF(6, 42, 52, 16), QColor(255, 246, 200), QColor(0, 0, 0, 0), condensedBold(16),
            0.9);
    return img;
}

QImage drawPoster(int variant) {
    // Three posters of the attract series, each in its own colours and words.
    struct Look {
        QColor top, bottom, ink, frame;
        const char* headline;
        const char* line;
    };
    static const Look looks[] = {
        {QColor(250, 236, 200), QColor(230, 190, 130), QColor(170, 30, 40), QColor(150, 30, 40),
         "VOTRE PUBLICITÉ ICI", "sur le fronton du flipper, pendant les démonstrations"},
        {QColor(200, 226, 250), QColor(120, 160, 220), QColor(20, 50, 120), QColor(30, 60, 140),
         "TOURNOI DU SAMEDI", "inscriptions au comptoir, la meilleure partie gagne"},
        {QColor(214, 246, 206), QColor(120, 190, 110), QColor(30, 90, 40), QColor(40, 100, 50),
         "PARTIE GRATUITE", "au-delà du record à battre, une partie vous est offerte"},
    };
    const Look& l = looks[std::clamp(variant, 0, 2)];
    QImage img = blank(1360, 768, l.top, l.bottom);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(l.frame, 14));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(30, 30, 1300, 708), 30, 30);
    letters(p, QString::fromUtf8(l.headline), QRectF(120, 170, 1120, 170), l.ink, QColor(0, 0, 0, 0),
            font("DejaVu Serif", 90, QFont::Black, true));
    letters(p, QString::fromUtf8(l.line), QRectF(160, 380, 1040, 60), QColor(60, 30, 20), QColor(0, 0, 0, 0),
            font("DejaVu Sans", 40, QFont::Normal));
    letters(p, "LUMISCOPE", QRectF(480, 520, 400, 90), QColor(40, 90, 60), QColor(0, 0, 0, 0),
            font("DejaVu Serif", 80, QFont::Bold));
    return img;
}

QImage drawChoiceThumbnail(const QImage& backglass, const QString& caption) {
    QImage img = blank(320, 240, QColor(30, 20, 30), QColor(10, 6, 10));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRectF(8, 8, 304, 171), backglass);
    p.setPen(QPen(QColor(200, 150, 60), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, 8, 304, 171));
    letters(p, caption, QRectF(8, 186, 304, 46), QColor(255, 226, 150), QColor(255, 110, 20, 120),
            condensedBold(40));
    return img;
}

QImage drawHelpPage(const QString& title, const QStringList& lines) {
    QImage img = blank(800, 600, QColor(252, 248, 234), QColor(236, 228, 204));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(140, 40, 40), 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(10, 10, 780, 580));
    p.setFont(font("DejaVu Sans", 28, QFont::Bold));
    p.setPen(QColor(140, 40, 40));
    p.drawText(QRectF(30, 24, 740, 50), Qt::AlignCenter, title);
    p.setFont(font("DejaVu Sans", 17, QFont::Normal));
    p.setPen(QColor(30, 26, 22));
    qreal y = 96;
    for (int i = 0; i < lines.size(); ++i) {
        QRectF box(40, y, 720, 480);
        QRectF used =
            p.boundingRect(box, Qt::AlignLeft | Qt::TextWordWrap, QString("%1. %2").arg(i + 1).arg(lines[i]));
        p.drawText(box, Qt::AlignLeft | Qt::TextWordWrap, QString("%1. %2").arg(i + 1).arg(lines[i]));
        y += used.height() + 14;
    }
    return img;
}

QImage drawPortrait(int index) {
    static const QColor backs[] = {QColor(200, 90, 60),  QColor(70, 150, 200), QColor(90, 170, 90),
                                   QColor(190, 150, 60), QColor(160, 90, 180), QColor(60, 160, 160)};
    QColor back = backs[index % 6];
    QImage img = blank(320, 240, back.lighter(130), back.darker(170));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QColor figure = back.darker(260);
    p.setPen(Qt::NoPen);
    p.setBrush(figure);
    p.drawEllipse(QPointF(160, 88), 42, 50);
    QPainterPath body;
    body.moveTo(70, 240);
    body.cubicTo(80, 160, 120, 146, 160, 146);
    body.cubicTo(200, 146, 240, 160, 250, 240);
    body.closeSubpath();
    p.drawPath(body);
    return img;
}

QImage drawWelcomePhoto() {
    QImage img = blank(320, 240, QColor(60, 16, 70), QColor(14, 4, 20));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    letters(p, "BIENVENUE", QRectF(20, 40, 280, 60), QColor(255, 226, 150), QColor(255, 110, 20, 150),
            font("DejaVu Serif", 60, QFont::Black, true));
    letters(p, "LUMISCOPE", QRectF(40, 110, 240, 50), QColor(255, 246, 220), QColor(0, 0, 0, 0),
            condensedBold(40));
    return img;
}

QImage drawDefaultPhoto() {
    QImage img = drawPortrait(0);
    QImage grey =
        img.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&grey);
    p.setRenderHint(QPainter::Antialiasing, true);
    letters(p, "PAS DE PHOTO", QRectF(40, 14, 240, 30), QColor(255, 255, 255), QColor(0, 0, 0, 0),
            condensedBold(30));
    return grey;
}

QImage drawSlideshowPhoto(int series, int number) {
    // Each of the fifteen has its own colour, so a change of photo shows.
    QColor back = QColor::fromHsv((series * 5 + number) * 24 % 360, 150, 210);
    QImage img = blank(320, 240, back.lighter(125), back.darker(180));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(back.darker(240));
    for (int k = 0; k <= series; ++k) {
        qreal x = 160 + (k - series / 2.0) * 90;
        p.drawEllipse(QPointF(x, 100), 30, 36);
        QPainterPath body;
        body.moveTo(x - 62, 240);
        body.cubicTo(x - 55, 170, x - 30, 146, x, 146);
        body.cubicTo(x + 30, 146, x + 55, 170, x + 62, 240);
        body.closeSubpath();
        p.drawPath(body);
    }
    letters(p, QString("PARTIE %1").arg(number + 1), QRectF(60, 12, 200, 34), QColor(255, 246, 220),
            QColor(0, 0, 0, 120), condensedBold(30));
    return img;
}

} // namespace pinstage::art
