// The drawn help page of the backglass editor.
#include "DefaultPictureEditorHelp.h"

#include "DefaultPictureArt.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

namespace pinstage::art {

namespace {

const QColor kInk(30, 26, 22);
const QColor kTitle(140, 40, 40);
const QColor kPaper(252, 248, 234);
const QColor kBand(220, 30, 30);

QFont helpFont(qreal px, QFont::Weight weight) {
    return font("DejaVu Sans", px, weight);
}

// Light text on the sketches, filled as outlines: drawn as glyphs it changed the text of the pictures
// drawn after this one in the same run (the glyph caches are shared), and the set must not depend on order.
void outlineText(QPainter& p, const QRectF& box, const QString& text, const QColor& colour, bool centred) {
    QFontMetricsF metrics(p.font());
    QStringList lines = text.split('\n');
    qreal y = box.top() + (box.height() - lines.size() * metrics.height()) / 2 + metrics.ascent();
    QPainterPath path;
    for (const QString& line : lines) {
        qreal x = centred ? box.left() + (box.width() - metrics.horizontalAdvance(line)) / 2 : box.left();
        path.addText(QPointF(x, y), p.font(), line);
        y += metrics.height();
    }
    p.fillPath(path, colour);
}

// Numbered paragraphs in a column; returns where the text ended.
qreal paragraphs(QPainter& p, const QRectF& box, int first, const QStringList& lines) {
    p.setFont(helpFont(15, QFont::Normal));
    p.setPen(kInk);
    qreal y = box.top();
    for (int i = 0; i < lines.size(); ++i) {
        QRectF room(box.left(), y, box.width(), box.bottom() - y);
        QString text = QString("%1. %2").arg(first + i).arg(lines[i]);
        QRectF used = p.boundingRect(room, Qt::AlignLeft | Qt::TextWordWrap, text);
        p.drawText(room, Qt::AlignLeft | Qt::TextWordWrap, text);
        y += used.height() + 10;
    }
    return y;
}

void caption(QPainter& p, const QRectF& box, const QString& text) {
    p.setFont(helpFont(14, QFont::Bold));
    p.setPen(kTitle);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

// The cutter: a picture with the rubber band and its grab zones.
void cutterSketch(QPainter& p, const QRectF& at) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(40, 60, 140));
    p.drawRect(at);
    p.setBrush(QColor(230, 170, 40));
    for (int i = 0; i < 5; ++i)
        p.drawRoundedRect(QRectF(at.left() + 14 + i * 58, at.top() + 20, 46, 60), 6, 6);
    QRectF band(at.left() + 124, at.top() + 12, 62, 76);
    p.setBrush(QColor(255, 255, 255, 40));
    p.setPen(QPen(kBand, 2, Qt::DashLine));
    p.drawRect(band);
    // The 15-pixel zones where a press resizes an edge.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 0, 120));
    p.drawRect(QRectF(band.right(), band.top(), 12, band.height()));
    p.drawRect(QRectF(band.left() + 3, band.bottom(), band.width() - 6, 12));
    p.setFont(helpFont(12, QFont::Bold));
    outlineText(p, QRectF(at.left() + 8, at.bottom() - 34, at.width() - 16, 28),
                "gauche : tracer / déplacer   jaune : agrandir   droit : effacer", Qt::white, false);
}

// The canvas: three stacked elements and the right-button cycle.
void canvasSketch(QPainter& p, const QRectF& at) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(60, 20, 70));
    p.drawRect(at);
    const QColor fills[] = {QColor(70, 150, 200), QColor(90, 170, 90), QColor(220, 120, 40)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(fills[i]);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(QRectF(at.left() + 40 + i * 34, at.top() + 22 + i * 18, 110, 56));
        p.setFont(helpFont(13, QFont::Bold));
        outlineText(p, QRectF(at.left() + 46 + i * 34, at.top() + 24 + i * 18, 40, 20),
                    QString::number(i + 1), Qt::white, false);
    }
    // The mouse, and the arrow of the cycle.
    QPointF tip(at.left() + 150, at.top() + 70);
    QPolygonF arrow;
    arrow << tip << tip + QPointF(0, 22) << tip + QPointF(6, 16) << tip + QPointF(11, 26)
          << tip + QPointF(15, 24) << tip + QPointF(10, 14) << tip + QPointF(18, 14);
    p.setBrush(Qt::white);
    p.setPen(QPen(kInk, 1.5));
    p.drawPolygon(arrow);
    p.setPen(QPen(QColor(255, 240, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(at.right() - 120, at.top() + 16, 90, 90), 30 * 16, 300 * 16);
    p.setFont(helpFont(12, QFont::Bold));
    outlineText(p, QRectF(at.right() - 130, at.top() + 44, 110, 40), "clic droit\n1 → 2 → 3", Qt::white,
                true);
    outlineText(p, QRectF(at.left() + 8, at.bottom() - 30, at.width() - 16, 24),
                "clic gauche : déplacer, ou un bord (15 pixels) : agrandir", Qt::white, false);
}

} // namespace

QImage drawBackglassEditorHelp() {
    QImage img(1000, 720, QImage::Format_ARGB32_Premultiplied);
    img.fill(kPaper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kTitle, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(10, 10, 980, 700));
    p.setFont(helpFont(28, QFont::Bold));
    p.setPen(kTitle);
    p.drawText(QRectF(30, 22, 940, 48), Qt::AlignCenter, "Mode d'emploi pour construire le fronton");

    caption(p, QRectF(40, 80, 440, 26), "Le tableau");
    qreal y = paragraphs(
        p, QRectF(40, 110, 440, 330), 1,
        {"Les lignes 0 à 50 décrivent aussi les images : fichier (.bmp ou .jpg, en minuscules) du "
         "répertoire « fichiers images » et rectangle « Source » découpé dedans.",
         "Chaque élément (0 à 88) montre l'image dont le numéro est dans « N°d'image pour cette "
         "fonction » (0 à 50 ; vide = rien n'est montré), au rectangle « Affichage » du fond de "
         "1360 x 768.",
         "« N° de calque » : les calques 0 à 39 sont dessinés, les plus bas d'abord. « N° Image "
         "Parent » : l'élément sous celui-ci (0 = le fond).",
         "Les compteurs et les chiffres du record suivent leur premier rouleau ou chiffre : seules "
         "ses cases se modifient.",
         "Une valeur refusée vide la case ; un texte qui n'est pas un nombre est signalé et l'ancienne "
         "valeur reste."});
    caption(p, QRectF(40, y + 4, 440, 26), "Enregistrer");
    paragraphs(p, QRectF(40, y + 34, 440, 700 - y - 34), 6,
               {"« Enregistrer » écrit le fronton ; il est reconstruit à la fermeture du tableau de bord. "
                "« Réinitialiser » reprend le fronton d'origine."});

    caption(p, QRectF(520, 80, 440, 26), "Choisir une image : cliquez sa case « Aperçu »");
    cutterSketch(p, QRectF(520, 110, 440, 150));
    paragraphs(p, QRectF(520, 270, 440, 90), 7,
               {"Tracez le rectangle à garder, puis « Sélection OK ». L'image doit être dans « fichiers "
                "images »."});
    caption(p, QRectF(520, 360, 440, 26), "« Construire le fronton » : la zone de création");
    canvasSketch(p, QRectF(520, 390, 440, 150));
    paragraphs(
        p, QRectF(520, 550, 440, 150), 8,
        {"« Image visible » montre ou cache l'élément choisi ; le bleu pur des images est transparent.",
         "« Vignette et report des positions » écrit la vignette « choix.bmp » numérotée et reporte "
         "les positions dans le tableau."});
    return img;
}

} // namespace pinstage::art
