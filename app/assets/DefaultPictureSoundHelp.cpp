// The sounds page's help picture: a small copy of the page (buttons, titles, three rows) with
// numbered marks, then the numbered instructions.
#include "DefaultPictureSoundHelp.h"

#include "DefaultPictureArt.h"

#include <QPainter>
#include <QStringList>

namespace pinstage::art {

namespace {

const QColor kPaper(252, 248, 234);
const QColor kInk(30, 26, 22);
const QColor kMark(190, 30, 30);
const QColor kDashboard(128, 128, 0);
const QColor kTitleBlue(0, 0, 255);
const QColor kButtonFace(212, 208, 200);
const QColor kLabelGrey(236, 236, 236);

void button(QPainter& p, const QRectF& box, const QString& text, const QColor& face = kButtonFace,
            const QColor& ink = kInk) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(face);
    p.drawRoundedRect(box, 3, 3);
    p.setPen(ink);
    p.drawText(box, Qt::AlignCenter, text);
}

void cell(QPainter& p, const QRectF& box, const QString& text, const QColor& back, const QColor& ink,
          Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(back);
    p.drawRect(box);
    p.setPen(ink);
    p.drawText(box.adjusted(4, 0, -2, 0), align, text);
}

// A red disc with its number, and a line to the point it marks.
void mark(QPainter& p, int number, const QPointF& at, const QPointF& target) {
    p.setPen(QPen(kMark, 2));
    p.drawLine(at, target);
    p.setBrush(kMark);
    p.drawEllipse(target, 3, 3);
    p.drawEllipse(at, 12, 12);
    p.setPen(Qt::white);
    p.setFont(font("DejaVu Sans", 14, QFont::Bold));
    p.drawText(QRectF(at.x() - 12, at.y() - 12, 24, 24), Qt::AlignCenter, QString::number(number));
}

} // namespace

QImage drawSoundHelpPage() {
    QImage img(kSoundHelpWidth, kSoundHelpHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(kPaper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    p.setPen(QPen(kMark, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, 8, kSoundHelpWidth - 16, kSoundHelpHeight - 16));
    p.setFont(font("DejaVu Sans", 26, QFont::Bold));
    p.setPen(kMark);
    p.drawText(QRectF(20, 18, kSoundHelpWidth - 40, 40), Qt::AlignCenter,
               QStringLiteral("Mode d'emploi du paramétrage des sons"));

    // The page in small: the dashboard's buttons, the page's buttons, the grid.
    const QRectF page(40, 70, 920, 230);
    p.setPen(Qt::NoPen);
    p.setBrush(kDashboard);
    p.drawRect(page);
    p.setFont(font("DejaVu Sans", 13, QFont::Normal));
    button(p, QRectF(52, 78, 70, 26), QStringLiteral("Sortir"));
    button(p, QRectF(134, 78, 110, 26), QStringLiteral("Enregistrer"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(246, 246, 246));
    p.drawRect(QRectF(48, 112, 904, 180));
    button(p, QRectF(58, 120, 120, 24), QStringLiteral("Réinitialiser"));
    button(p, QRectF(186, 120, 80, 24), QStringLiteral("Aide"));

    const qreal left = 58, top = 154, rowH = 26;
    const qreal widths[] = {70, 230, 60, 330, 200};
    const QString titles[] = {QStringLiteral("N°"), QStringLiteral("Nom du fichier son (format .wav)"),
                              QString(), QStringLiteral("Fonction de jeu sonorisée"),
                              QStringLiteral("N°de son pour cette fonction")};
    const QString rows[3][5] = {
        {"0", "rouleau.wav", "TEST", QStringLiteral("son bobine rouleau"), "0"},
        {"3", "bonus.wav", "PLAY", QStringLiteral("son mise en jeu d'une bille"), "4"},
        {"12", "rebond.wav", "TEST", QStringLiteral("inutilisé"), "255"},
    };
    p.setFont(font("DejaVu Sans", 12, QFont::Normal));
    qreal x = left;
    for (int c = 0; c < 5; ++c) {
        cell(p, QRectF(x, top, widths[c], rowH), titles[c], kTitleBlue, Qt::white);
        for (int r = 0; r < 3; ++r) {
            QRectF box(x, top + rowH * (r + 1), widths[c], rowH);
            if (c == 0)
                cell(p, box, rows[r][c], kTitleBlue, Qt::white);
            else if (c == 2)
                cell(p, box, rows[r][c], r == 1 ? QColor(0, 160, 0) : kButtonFace, r == 1 ? Qt::white : kInk,
                     Qt::AlignCenter);
            else if (c == 3)
                cell(p, box, rows[r][c], kLabelGrey, kInk);
            else
                cell(p, box, rows[r][c], Qt::white, kInk);
        }
        x += widths[c];
    }

    const qreal fileX = left + widths[0] + 100;
    const qreal testX = left + widths[0] + widths[1] + 30;
    const qreal labelX = left + widths[0] + widths[1] + widths[2] + 180;
    const qreal numberX = x - 100;
    mark(p, 1, QPointF(350, 134), QPointF(fileX, top + rowH * 1.5));
    mark(p, 2, QPointF(430, 134), QPointF(testX, top + rowH * 2.5));
    mark(p, 3, QPointF(labelX + 40, 134), QPointF(labelX, top + rowH * 3.5));
    mark(p, 4, QPointF(numberX + 30, 134), QPointF(numberX, top + rowH * 3.5));
    mark(p, 5, QPointF(275, 91), QPointF(244, 91));
    mark(p, 6, QPointF(292, 132), QPointF(266, 132));

    const QStringList lines = {
        QStringLiteral("Nom du fichier : un clic ouvre le choix d'un fichier .wav du répertoire « fichiers "
                       "sons » (il n'y est pas copié : il doit déjà s'y trouver) ; la table est enregistrée "
                       "et les sons rechargés aussitôt. On peut aussi taper le nom (20 caractères au plus)."),
        QStringLiteral("TEST : le son est joué une fois ; la case affiche PLAY pendant l'écoute "
                       "(sons 0 à 63 seulement)."),
        QStringLiteral("Fonction de jeu : l'événement du jeu (lignes 0 à 30) ou le contact (lignes 31 à 94) "
                       "qui fait entendre le son. Ce texte ne se modifie pas."),
        QStringLiteral("N° de son : tapez le numéro du son joué (0 à 63). Case vide, nombre négatif ou "
                       "au-delà de 63 : aucun son (255). Un texte qui n'est pas un nombre est refusé."),
        QStringLiteral("Enregistrer : la table des sons est sauvée et les sons rechargés ; un fichier "
                       "introuvable est remplacé par le son d'origine."),
        QStringLiteral("Réinitialiser : reprend la table des sons d'origine. Aide : cette page."),
    };
    p.setFont(font("DejaVu Sans", 15, QFont::Normal));
    qreal y = 318;
    for (int i = 0; i < lines.size(); ++i) {
        QPointF disc(58, y + 11);
        p.setPen(Qt::NoPen);
        p.setBrush(kMark);
        p.drawEllipse(disc, 11, 11);
        p.setPen(Qt::white);
        p.setFont(font("DejaVu Sans", 13, QFont::Bold));
        p.drawText(QRectF(disc.x() - 11, disc.y() - 11, 22, 22), Qt::AlignCenter, QString::number(i + 1));
        p.setPen(kInk);
        p.setFont(font("DejaVu Sans", 15, QFont::Normal));
        QRectF box(80, y, 880, 200);
        QRectF used = p.boundingRect(box, Qt::AlignLeft | Qt::TextWordWrap, lines[i]);
        p.drawText(box, Qt::AlignLeft | Qt::TextWordWrap, lines[i]);
        y += used.height() + 8;
    }
    return img;
}

} // namespace pinstage::art
