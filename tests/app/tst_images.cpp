#include <QImage>
#include <QImageReader>
#include <QtTest>

// Every picture the windows name must be compiled in, load, and sit cleanly on any background.
class TestImages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pictureLoads_data();
    void pictureLoads();
    void idleBallIsInvisible();
    void chargingAnimationMoves();
};

void TestImages::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestImages::pictureLoads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    const QSize button(32, 32), small(24, 24), ball(16, 16);
    for (const char *name :
         {"add", "cancel", "clear", "csv", "edit", "menu", "ok", "remove", "right_arrow", "save", "version"})
        QTest::addRow("button-%s", name)
            << QStringLiteral(":/images/buttons/%1.png").arg(QLatin1String(name)) << button;
    for (const char *name : {"edit", "fill_color", "font_color", "minus", "plus"})
        QTest::addRow("button24-%s", name)
            << QStringLiteral(":/images/buttons_24/%1.png").arg(QLatin1String(name)) << small;
    for (const char *name : {"commands", "reset", "reset_all", "setup"})
        QTest::addRow("command-%s", name)
            << QStringLiteral(":/images/commands/%1.png").arg(QLatin1String(name)) << small;
    for (const char *name : {"green", "red", "white", "yellow"})
        QTest::addRow("ball-%s", name)
            << QStringLiteral(":/images/rxtx/ball_%1.png").arg(QLatin1String(name)) << ball;
    QTest::addRow("window-logo") << QStringLiteral(":/images/ostrel_logo.png") << QSize(64, 64);
    QTest::addRow("about-logo") << QStringLiteral(":/images/ostrel_logo2.png") << QSize(128, 160);
}

void TestImages::pictureLoads()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());
    // Transparent corners: the picture sits on whatever background the button or label has.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size.width() - 1, size.height() - 1)), 0);
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    QVERIFY2(opaque >= image.width() * image.height() / 16, qPrintable(path));
}

void TestImages::idleBallIsInvisible()
{
    const QImage image(QStringLiteral(":/images/rxtx/ball_transparrent.png"));
    QCOMPARE(image.size(), QSize(16, 16));
    int visible = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            visible += qAlpha(image.pixel(x, y)) != 0;
    QCOMPARE(visible, 0);
}

void TestImages::chargingAnimationMoves()
{
    QImageReader reader(QStringLiteral(":/images/extended states/charging.gif"));
    QVERIFY(reader.supportsAnimation());
    QList<QImage> frames;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read())
        frames.append(frame);
    QVERIFY(frames.size() > 1);
    QCOMPARE(frames.first().size(), QSize(30, 16));
    QVERIFY(frames.first() != frames.last());
}

QTEST_MAIN(TestImages)
#include "tst_images.moc"
