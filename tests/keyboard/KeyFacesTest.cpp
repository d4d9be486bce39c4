// The three key faces compiled into the library: what the artwork tool draws, and how they look.
#include "KeyFaceArt.h"
#include "KeyboardFixture.h"
#include "platform/PinError.h"

#include <QFile>

#include <cmath>

using namespace pinstage;

namespace {

struct FaceResource {
    KeyFace face;
    const char* name;
};

const FaceResource Faces[] = {
    {KeyFace::Normal, "KEYNORMAL"}, {KeyFace::Hover, "KEYHOVER"}, {KeyFace::Down, "KEYDOWN"}};

const QColor Background(255, 0, 0);

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// Mean relative luminance of the face where the caption goes.
double centreLuminance(const QImage& face) {
    double sum = 0;
    int count = 0;
    for (int y = 10; y <= 20; ++y) {
        for (int x = 10; x <= 21; ++x, ++count) {
            const QColor c = face.pixelColor(x, y);
            sum += 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
        }
    }
    return sum / count;
}

int firstCapRow(const QImage& face, int column) {
    for (int y = 0; y < face.height(); ++y) {
        if (face.pixelColor(column, y) != Background)
            return y;
    }
    return -1;
}

int firstCapColumn(const QImage& face, int row) {
    for (int x = 0; x < face.width(); ++x) {
        if (face.pixelColor(x, row) != Background)
            return x;
    }
    return -1;
}

} // namespace

TEST(KeyFaces, ResourcesAreTheArtworkToolsOutput) {
    for (const FaceResource& resource : Faces) {
        QFile file(QStringLiteral(":/clavpack/") + resource.name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << resource.name;
        const QByteArray stored = file.readAll();
        const std::vector<std::uint8_t> drawn = makeKeyFaceBmp(resource.face);
        EXPECT_EQ(stored, QByteArray(reinterpret_cast<const char*>(drawn.data()), qsizetype(drawn.size())))
            << resource.name << ": run the clav_faces target and commit faces/";
    }
    EXPECT_EQ(makeKeyFaceBmp(KeyFace::Hover), makeKeyFaceBmp(KeyFace::Hover));
}

TEST(KeyFaces, AreThirtyTwoPixelSquaresWithAPalette) {
    for (const FaceResource& resource : Faces) {
        const QImage face = LoadKeyFace(resource.name);
        EXPECT_EQ(face.size(), QSize(32, 32)) << resource.name;
        EXPECT_EQ(face.format(), QImage::Format_Indexed8) << resource.name;
        EXPECT_EQ(face.pixelColor(0, 31), Background) << "the key colour is the gap colour";
        EXPECT_EQ(face.pixelColor(0, 0), Background);
        EXPECT_EQ(face.pixelColor(31, 31), Background);
    }
}

TEST(KeyFaces, MiddleThirdRepeatsWithoutSeams) {
    for (const FaceResource& resource : Faces) {
        const QImage face = LoadKeyFace(resource.name);
        for (int y = 0; y < 32; ++y) {
            for (int x = 8; x <= 23; ++x)
                EXPECT_EQ(face.pixel(x, y), face.pixel(10, y)) << resource.name << " at " << x << "," << y;
        }
    }
}

TEST(KeyFaces, HoverIsLighterAndDownIsDarkerAndSunk) {
    const QImage normal = LoadKeyFace("KEYNORMAL");
    const QImage hover = LoadKeyFace("KEYHOVER");
    const QImage down = LoadKeyFace("KEYDOWN");
    EXPECT_GT(centreLuminance(hover), centreLuminance(normal) * 1.5);
    EXPECT_LT(centreLuminance(down), centreLuminance(normal) / 1.5);
    EXPECT_EQ(firstCapRow(down, 16), firstCapRow(normal, 16) + 1);
    EXPECT_EQ(firstCapColumn(down, 16), firstCapColumn(normal, 16) + 1);
    EXPECT_EQ(firstCapRow(hover, 16), firstCapRow(normal, 16));
    // White captions stay readable: a contrast of at least 3 to 1 against the face under them.
    for (const QImage* face : {&normal, &hover, &down})
        EXPECT_GE(1.05 / (centreLuminance(*face) + 0.05), 3.0);
}

TEST(KeyFaces, KeyboardStartsWithTheThreeFaces) {
    TClavierVirtuel keyboard;
    EXPECT_EQ(keyboard.ButtonNormal(), LoadKeyFace("KEYNORMAL"));
    EXPECT_EQ(keyboard.ButtonHover(), LoadKeyFace("KEYHOVER"));
    EXPECT_EQ(keyboard.ButtonDown(), LoadKeyFace("KEYDOWN"));
}

TEST(KeyFaces, AMissingFaceIsAnError) {
    try {
        LoadKeyFace("KEYMISSING");
        FAIL() << "no error for a missing face";
    } catch (const PinError& error) {
        EXPECT_NE(std::string(error.what()).find("KEYMISSING"), std::string::npos);
    }
}
