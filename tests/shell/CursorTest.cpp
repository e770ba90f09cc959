// The hand cursor shipped beside the program and the built-in window icon.
#include "FormFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// The build places the cursor beside the program (build/<preset>/src), next to this binary's folder.
QString builtCursor() {
    return QCoreApplication::applicationDirPath() + u"/../src/HAND-M.CUR"_s;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(HandCursor, IsA32PixelCursorWhoseHotspotIsTheFingertip) {
    const QByteArray bytes = contents(builtCursor());
    ASSERT_GE(bytes.size(), 22) << "HAND-M.CUR is missing beside the program";
    EXPECT_EQ(bytes.left(6), QByteArray("\0\0\2\0\1\0", 6)) << "one image, cursor type";
    const int x = quint8(bytes[10]) | quint8(bytes[11]) << 8;
    const int y = quint8(bytes[12]) | quint8(bytes[13]) << 8;

    QImage image;
    ASSERT_TRUE(image.loadFromData(bytes, "ICO"));
    ASSERT_EQ(image.size(), QSize(32, 32));
    ASSERT_TRUE(image.hasAlphaChannel());
    ASSERT_TRUE(image.rect().contains(x, y));

    // The hotspot is on the hand, and nothing of the hand lies above it: it is the topmost tip.
    EXPECT_GT(qAlpha(image.pixel(x, y)), 128);
    for (int row = 0; row < y; ++row)
        for (int column = 0; column < 32; ++column)
            EXPECT_EQ(qAlpha(image.pixel(column, row)), 0) << column << "," << row;
    // It points upwards: the hand is much wider below the tip than at it.
    auto width = [&](int row) {
        int n = 0;
        for (int column = 0; column < 32; ++column)
            n += qAlpha(image.pixel(column, row)) > 128;
        return n;
    };
    EXPECT_LE(width(y + 2), 7);
    EXPECT_GE(width(y + 22), 16);
    // Light inside a dark rim, so it shows on light and dark backgrounds alike.
    EXPECT_LT(qGray(image.pixel(x, y)), 100);
    EXPECT_GT(qGray(image.pixel(x, y + 6)), 200);
}

TEST(HandCursor, TheCopyBesideTheProgramMatchesTheCommittedOne) {
    const QString committed =
        QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + u"/../../assets/HAND-M.CUR"_s;
    EXPECT_EQ(contents(builtCursor()), contents(committed));
}

class ShippedCursor : public FormFixture {};

TEST_F(ShippedCursor, StartUpLoadsItWithItsHotspotAndTheWindowHasItsIcon) {
    ASSERT_TRUE(QFile::copy(builtCursor(), programFolder.path() + u"/HAND-M.CUR"_s));
    Form1& f = form();
    EXPECT_TRUE(dialogs->shown.empty());
    ASSERT_TRUE(f.hasHandCursor());
    f.setPointerState(PointerState::Hand);
    EXPECT_EQ(f.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(f.cursor().hotSpot(), QPoint(12, 1));
    EXPECT_FALSE(f.windowIcon().isNull());
}

} // namespace
} // namespace zorvik::test
