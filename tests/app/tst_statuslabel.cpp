#include "statuslabel.h"

#include <QHBoxLayout>
#include <QMainWindow>
#include <QPixmap>
#include <QStatusBar>
#include <QtTest>

namespace {
// Counts the layouts the status bar is asked for: each one repaints the whole bar.
class LayoutRequests : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LayoutRequest)
            ++count;
        return false;
    }
    int count = 0;
};

QPixmap filled(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return pixmap;
}
} // namespace

class TestStatusLabel : public QObject
{
    Q_OBJECT

private slots:
    void changesLayOutOnlyWhenTheSizeChanges_data();
    void changesLayOutOnlyWhenTheSizeChanges();
};

void TestStatusLabel::changesLayOutOnlyWhenTheSizeChanges_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("then");
    QTest::addColumn<bool>("sameSize");
    // Empty texts stand for the traffic lights' pixmaps, red first, then green.
    QTest::addRow("traffic-light") << QString() << QString() << true;
    QTest::addRow("same-text") << QStringLiteral("7") << QStringLiteral("7") << true;
    QTest::addRow("counter-grows") << QStringLiteral("9") << QStringLiteral("1000000") << false;
    QTest::addRow("counter-shrinks") << QStringLiteral("1000000") << QStringLiteral("9") << false;
    QTest::addRow("counter-counts") << QStringLiteral("1199") << QStringLiteral("1200") << true;
    QTest::addRow("letter-to-digit") << QStringLiteral("W") << QStringLiteral("1") << false;
}

void TestStatusLabel::changesLayOutOnlyWhenTheSizeChanges()
{
    QFETCH(QString, first);
    QFETCH(QString, then);
    QFETCH(bool, sameSize);

    QMainWindow window;
    auto *traffic = new QWidget;
    auto *layout = new QHBoxLayout(traffic);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new StatusLabel;
    layout->addWidget(new QLabel(QStringLiteral("Tx:")));
    layout->addWidget(label);
    layout->addWidget(new QLabel(QStringLiteral(")")));
    window.statusBar()->addWidget(traffic);
    if (first.isEmpty())
        label->showPixmap(filled(Qt::red));
    else
        label->showText(first);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();

    LayoutRequests requests;
    window.statusBar()->installEventFilter(&requests);
    if (then.isEmpty())
        label->showPixmap(filled(Qt::green));
    else
        label->showText(then);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    if (sameSize)
        QCOMPARE(requests.count, 0);
    if (!then.isEmpty())
        QCOMPARE(label->text(), then);
    // Whole, and its neighbours moved up to it.
    QCOMPARE(label->size(), label->sizeHint());
    QTRY_COMPARE(traffic->width(), traffic->sizeHint().width());
}

QTEST_MAIN(TestStatusLabel)
#include "tst_statuslabel.moc"
