#include "aucell.h"
#include "aucelltext.h"
#include "aufilterproxymodel.h"
#include "aulegendwidget.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "copyabletableview.h"
#include "plaintextitemdelegate.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QtTest>

// The unit views as a person sees them: each is grabbed and its pixels are read where a wrong paint
// would show, for the states that matter most on a loop.
class TestUnitPixels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cellTextPaintsAsDrawText_data();
    void cellTextPaintsAsDrawText();
    void cellPaintsItsState_data();
    void cellPaintsItsState();
    void changedTextIsRepainted_data();
    void changedTextIsRepainted();
    void legendPaintsEachColour_data();
    void legendPaintsEachColour();
    void propertiesRowPaintsItsInk_data();
    void propertiesRowPaintsItsInk();
    void propertiesPagePaintsAsTheStyle_data();
    void propertiesPagePaintsAsTheStyle();
    void propertiesScreenFollowsChange_data();
    void propertiesScreenFollowsChange();
    void cellTextElidesAsTheStyle_data();
    void cellTextElidesAsTheStyle();
};

namespace {

// The share of the pixels inside `area` that are exactly `colour`.
double shareOf(const QImage &image, const QRect &area, const QColor &colour)
{
    int hits = 0;
    int total = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++total;
            hits += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
        }
    }
    return total > 0 ? double(hits) / total : 0;
}

// Whether any pixel inside `area` is within `tolerance` of `colour` on each channel (text is
// anti-aliased: only the core of a stroke carries the ink itself).
bool inkIn(const QImage &image, const QRect &area, const QColor &colour, int tolerance = 40)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - colour.red()) <= tolerance && qAbs(pixel.green() - colour.green()) <= tolerance &&
                qAbs(pixel.blue() - colour.blue()) <= tolerance)
                return true;
        }
    }
    return false;
}

// What the window of a shown widget holds on the screen, as painted so far.
QImage shownPixels(QWidget *widget)
{
    return widget->screen()->grabWindow(widget->winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// The widget painted whole, afresh.
QImage renderedPixels(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A loop of every kind of cell: labels, numbers, red and green ink, bold LO modes, dashes.
void fillLoop(AuPropertiesModel *model, int seed)
{
    const int types[] = {SmokeDetector, HeatDetector, RelayModule2, InputModule2, ManualCallPoint};
    for (int addr = 1; addr <= 12; ++addr) {
        model->slotSetType(addr, types[addr % 5]);
        model->slotSetGeneralState(addr, addr == 7 ? 8 : 0);
        model->slotSetU(addr, (addr + seed) / 10.0);
        model->slotSetSmoke(addr, uchar(addr * 7 + seed));
        model->slotSetFire(addr, (addr + seed) % 3 == 0);
        model->slotSetConnection(addr, uchar((addr + seed) % 6));
        model->slotSetPowerLo(addr, uchar((addr + seed) % 6));
        model->slotSetInsulators(addr, uchar((addr + seed) % 16));
        model->slotSetFirmwareVersion(addr, uchar(addr + seed));
    }
}

} // namespace

void TestUnitPixels::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestUnitPixels::cellTextPaintsAsDrawText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<bool>("bold");
    const int centre = Qt::AlignCenter;
    QTest::addRow("address-centred") << QStringLiteral("17") << centre << QSize(30, 14) << false;
    QTest::addRow("reading-odd-box") << QStringLiteral("3.45В") << centre << QSize(33, 15) << false;
    QTest::addRow("type-wider-than-box") << QStringLiteral("ИП 212-64 прот. R3") << centre << QSize(40, 13) << true;
    QTest::addRow("left-top") << QStringLiteral("Пож") << int(Qt::AlignLeft | Qt::AlignTop) << QSize(37, 16) << false;
    QTest::addRow("right-bottom") << QStringLiteral("ДПЛС 2 ") << int(Qt::AlignRight | Qt::AlignBottom)
                                  << QSize(41, 17) << true;
    QTest::addRow("two-lines") << QStringLiteral("12\n3.4") << centre << QSize(30, 30) << false;
    QTest::addRow("tab") << QStringLiteral("a\tb") << centre << QSize(60, 14) << false;
}

// A cell's text is drawn as QPainter::drawText() draws it in the text's box, whatever way it is
// drawn, and the second paint of the same text as the first.
void TestUnitPixels::cellTextPaintsAsDrawText()
{
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(QSize, box);
    QFETCH(bool, bold);
    QWidget owner;
    QFont font = owner.font();
    font.setBold(bold);
    owner.setFont(font);
    AuCellText item(&owner, text, Qt::Alignment(alignment));
    const QRect geometry(QPoint(5, 3), box);
    item.setGeometry(geometry);
    const auto paint = [&](bool reference) {
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(QColor(Qt::red));
        QPainter painter(&image);
        painter.setFont(font);
        if (reference) {
            painter.setClipRect(geometry);
            painter.translate(geometry.topLeft());
            painter.drawText(QRect(QPoint(), box), alignment | Qt::TextExpandTabs | Qt::TextForceLeftToRight, text);
        } else {
            item.paint(&painter);
        }
        return image;
    };
    const QImage expected = paint(true);
    QCOMPARE(paint(false), expected);
    QCOMPARE(paint(false), expected);
}

void TestUnitPixels::cellPaintsItsState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("colour");
    QTest::addRow("normal") << 0 << QStringLiteral("lawngreen");
    QTest::addRow("fire") << 4 << QStringLiteral("red");
    QTest::addRow("fault") << 2 << QStringLiteral("yellow");
    QTest::addRow("lost") << 1 << QStringLiteral("orange");
    QTest::addRow("not-configured") << 8 << QStringLiteral("silver");
}

void TestUnitPixels::cellPaintsItsState()
{
    QFETCH(int, state);
    QFETCH(QString, colour);
    AuCell cell(17, AuCell::GeneralCell, nullptr, nullptr);
    cell.setType(SmokeDetector);
    cell.setState(state);
    cell.resize(cell.sizeHint());
    const QImage image = cell.grab().toImage();
    // The white border, and the state's colour over most of the inside (the labels cover the rest).
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::white));
    const QRect inside = image.rect().adjusted(3, 3, -3, -3);
    QVERIFY2(shareOf(image, inside, QColor(colour)) > 0.5,
             qPrintable(QStringLiteral("painted %1").arg(image.pixelColor(inside.center()).name())));
}

void TestUnitPixels::changedTextIsRepainted_data()
{
    QTest::addColumn<int>("fromState");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("state");
    QTest::addColumn<double>("voltage");
    QTest::addRow("reading-of-the-same-width") << 0 << int(HeatDetector2) << 0 << 3.51;
    QTest::addRow("type-of-another-width") << 0 << int(FlameDetector2) << 0 << 3.45;
    QTest::addRow("texts-vanish") << 0 << int(HeatDetector2) << 8 << 3.45;
    QTest::addRow("texts-appear") << 8 << int(HeatDetector2) << 0 << 3.45;
}

// A shown cell whose texts change repaints them: once the window is painted, it holds what the
// cell renders afresh.
void TestUnitPixels::changedTextIsRepainted()
{
    QFETCH(int, fromState);
    QFETCH(int, type);
    QFETCH(int, state);
    QFETCH(double, voltage);
    const AuCell::ViewMode viewMode = AuCell::FullView;
    AuCell cell(17, AuCell::GeneralCell, &viewMode, nullptr);
    cell.setType(HeatDetector2);
    cell.setState(fromState);
    cell.setVoltage(3.45);
    cell.setFixedSize(cell.sizeHint());
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    QTRY_VERIFY(shownPixels(&cell) == renderedPixels(&cell));
    const QImage before = shownPixels(&cell);

    cell.setType(type);
    cell.setState(state);
    cell.setVoltage(voltage);
    QTRY_VERIFY(shownPixels(&cell) == renderedPixels(&cell));
    QVERIFY(shownPixels(&cell) != before);
}

void TestUnitPixels::legendPaintsEachColour_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("colour");
    QTest::addRow("fire") << 4 << QStringLiteral("red");
    QTest::addRow("fault") << 2 << QStringLiteral("yellow");
    QTest::addRow("lost") << 1 << QStringLiteral("orange");
    QTest::addRow("not-configured") << 8 << QStringLiteral("silver");
}

void TestUnitPixels::legendPaintsEachColour()
{
    QFETCH(int, code);
    QFETCH(QString, colour);
    AuLegendWidget legend;
    legend.setKind(AuCell::GeneralCell, true);
    legend.show();
    QVERIFY(QTest::qWaitForWindowExposed(&legend));
    QString text;
    for (const auto &entry : AuLegendWidget::entries(AuCell::GeneralCell)) {
        if (entry.first == code)
            text = entry.second;
    }
    QLabel *label = nullptr;
    for (QLabel *candidate : legend.findChildren<QLabel *>()) {
        if (candidate->isVisible() && candidate->text() == text)
            label = candidate;
    }
    QVERIFY2(label, qPrintable(text));
    const QImage image = legend.grab().toImage();
    const QRect area(label->mapTo(&legend, QPoint(0, 0)), label->size());
    QVERIFY2(shareOf(image, area, QColor(colour)) > 0.5,
             qPrintable(QStringLiteral("painted %1").arg(image.pixelColor(area.topLeft()).name())));
}

void TestUnitPixels::propertiesRowPaintsItsInk_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("fire");
    QTest::addColumn<int>("connection");
    QTest::addColumn<QString>("ink");
    QTest::addRow("fire") << int(AuProperty::Fire) << 1 << 0 << QStringLiteral("red");
    QTest::addRow("no-fire") << int(AuProperty::Fire) << 0 << 0 << QStringLiteral("green");
    QTest::addRow("lost") << int(AuProperty::Connection) << 0 << 4 << QStringLiteral("orangered");
    QTest::addRow("double-address") << int(AuProperty::Connection) << 0 << 2 << QStringLiteral("red");
}

void TestUnitPixels::propertiesRowPaintsItsInk()
{
    QFETCH(int, column);
    QFETCH(int, fire);
    QFETCH(int, connection);
    QFETCH(QString, ink);
    QTableWidget reportTable;
    QTableWidget protocolTable;
    const QList<int> noFilter;
    AuPropertiesWidget page(&reportTable, &protocolTable, &noFilter);
    AuPropertiesModel *model = page.model();
    model->slotSetType(5, SmokeDetector);
    model->slotSetGeneralState(5, 0);
    model->slotSetFire(5, fire != 0);
    model->slotSetConnection(5, uchar(connection));
    page.resize(1300, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const QModelIndex index = page.proxyModel()->mapFromSource(model->index(model->rowOfAddress(5), column));
    QVERIFY(index.isValid());
    page.view()->scrollTo(index);
    const QRect cell = page.view()->visualRect(index).adjusted(1, 1, -1, -1);
    QVERIFY(!cell.isEmpty());
    const QImage image = page.view()->viewport()->grab().toImage();
    QVERIFY2(inkIn(image, cell, QColor(ink)), qPrintable(index.data().toString()));
    // Ink that differs from the others in the row, so a view that paints every cell alike shows.
    const QModelIndex address = page.proxyModel()->mapFromSource(model->index(model->rowOfAddress(5), 0));
    QVERIFY(!inkIn(image, page.view()->visualRect(address).adjusted(1, 1, -1, -1), QColor(ink), 10));
}

void TestUnitPixels::propertiesPagePaintsAsTheStyle_data()
{
    QTest::addColumn<int>("sectionSize");
    QTest::addColumn<bool>("selectRow");
    QTest::addColumn<bool>("focus");
    QTest::addRow("plain") << 55 << false << false;
    QTest::addRow("selected-row") << 55 << true << false;
    QTest::addRow("selected-row-focused") << 55 << true << true;
    QTest::addRow("elided") << 22 << false << false;
}

// The page's delegate paints what the style's own item paint would, its grid what the view's lines
// would, its row header and scroll bars what plain ones would, pixel for pixel.
void TestUnitPixels::propertiesPagePaintsAsTheStyle()
{
    QFETCH(int, sectionSize);
    QFETCH(bool, selectRow);
    QFETCH(bool, focus);
    QTableWidget reportTable;
    QTableWidget protocolTable;
    const QList<int> noFilter;
    QImage images[2];
    for (int pass = 0; pass < 2; ++pass) {
        AuPropertiesWidget page(&reportTable, &protocolTable, &noFilter);
        if (pass == 1) {
            page.view()->setGridFilled(false);
            page.view()->setItemDelegate(new QStyledItemDelegate(page.view()));
            auto *rowHeader = new QHeaderView(Qt::Vertical, page.view());
            rowHeader->setSectionsClickable(true);
            rowHeader->setHighlightSections(true);
            page.view()->setVerticalHeader(rowHeader);
            page.view()->setVerticalScrollBar(new QScrollBar(Qt::Vertical));
            page.view()->setHorizontalScrollBar(new QScrollBar(Qt::Horizontal));
        }
        fillLoop(page.model(), 0);
        page.flushPendingFilter();
        page.view()->horizontalHeader()->setDefaultSectionSize(sectionSize);
        page.resize(1366, 400);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        if (selectRow)
            page.view()->selectRow(3);
        if (focus) {
            page.activateWindow();
            page.view()->setFocus();
            page.view()->setCurrentIndex(page.view()->model()->index(3, 5));
        }
        images[pass] = page.grab().toImage();
    }
    QCOMPARE(images[0], images[1]);
}

void TestUnitPixels::propertiesScreenFollowsChange_data()
{
    QTest::addColumn<bool>("types");
    // Scrolled by two rows after the change, in the same turn (1), or before it, settled (2).
    QTest::addColumn<int>("scroll");
    // A unit whose state takes it out of the list (8: no address) or puts it back, by its address.
    QTest::addColumn<int>("leaves");
    QTest::addColumn<int>("enters");
    QTest::addRow("values") << false << 0 << 0 << 0;
    QTest::addRow("values-and-types") << true << 0 << 0 << 0;
    QTest::addRow("values-then-scroll") << false << 1 << 0 << 0;
    QTest::addRow("row-leaves-in-sight") << false << 0 << 4 << 0;
    QTest::addRow("row-enters-in-sight") << false << 0 << 0 << 7;
    QTest::addRow("row-leaves-and-another-enters") << false << 0 << 5 << 7;
    QTest::addRow("last-row-leaves") << false << 0 << 12 << 0;
    QTest::addRow("row-enters-then-scroll") << false << 1 << 0 << 7;
    QTest::addRow("row-leaves-above-the-top") << false << 2 << 1 << 0;
    QTest::addRow("row-enters-above-the-top") << false << 2 << 0 << 7;
    QTest::addRow("row-leaves-below-the-top") << false << 2 << 6 << 0;
}

// What a page that took a change shows on screen, as painted, is what a fresh rendering shows.
void TestUnitPixels::propertiesScreenFollowsChange()
{
    QFETCH(bool, types);
    QFETCH(int, scroll);
    QFETCH(int, leaves);
    QFETCH(int, enters);
    QTableWidget reportTable;
    QTableWidget protocolTable;
    const QList<int> noFilter;
    AuPropertiesWidget page(&reportTable, &protocolTable, &noFilter);
    fillLoop(page.model(), 0);
    page.resize(1366, 250);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    if (scroll == 2)
        page.view()->verticalScrollBar()->setValue(2);
    QTRY_COMPARE(shownPixels(&page), renderedPixels(&page));
    const QImage before = shownPixels(&page);
    fillLoop(page.model(), 5);
    if (types)
        page.model()->slotSetType(2, SmokeDetector);
    if (leaves)
        page.model()->slotSetGeneralState(leaves, 8);
    if (enters)
        page.model()->slotSetGeneralState(enters, 0);
    // Within the same turn: the changed cells are repainted where they are after the scroll.
    if (scroll == 1)
        page.view()->verticalScrollBar()->setValue(2);
    QVERIFY(renderedPixels(&page) != before);
    QTRY_COMPARE(shownPixels(&page), renderedPixels(&page));

    // The row header measures its sections once, and as a plain one measures every section.
    QHeaderView plain(Qt::Vertical);
    plain.setSectionsClickable(true);
    plain.setHighlightSections(true);
    plain.setModel(page.view()->model());
    QCOMPARE(page.view()->verticalHeader()->sizeHint(), plain.sizeHint());
}

void TestUnitPixels::cellTextElidesAsTheStyle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("cell");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("elide");
    // The second row's text, where it differs.
    QTest::addColumn<QString>("other");
    const int centre = Qt::AlignCenter;
    const int right = Qt::ElideRight;
    const QString separator(QChar::LineSeparator);
    QTest::addRow("fits") << QStringLiteral("Норма") << QSize(60, 30) << centre << true << right << QString();
    QTest::addRow("one-word-too-wide") << QStringLiteral("PIC18F25K40") << QSize(48, 30) << centre << true << right
                                       << QString();
    QTest::addRow("second-line-hidden") << QStringLiteral("Не определено") << QSize(48, 30) << centre << true << right
                                        << QString();
    QTest::addRow("two-lines-shown") << QStringLiteral("Не определено") << QSize(48, 44) << centre << true << right
                                     << QString();
    QTest::addRow("third-line-hidden") << QStringLiteral("Ошибки приёма сети") << QSize(56, 44) << centre << true
                                       << right << QString();
    QTest::addRow("no-wrap") << QStringLiteral("Не определено") << QSize(48, 30) << centre << false << right
                             << QString();
    QTest::addRow("elide-left") << QStringLiteral("PIC18F25K40") << QSize(48, 30) << centre << true
                                << int(Qt::ElideLeft) << QString();
    QTest::addRow("elide-middle") << QStringLiteral("Двойной адрес") << QSize(40, 30) << centre << false
                                  << int(Qt::ElideMiddle) << QString();
    QTest::addRow("elide-none") << QStringLiteral("PIC18F25K40") << QSize(48, 30) << centre << true
                                << int(Qt::ElideNone) << QString();
    QTest::addRow("top-half-next-line") << QStringLiteral("12 34 56") << QSize(34, 26)
                                        << int(Qt::AlignLeft | Qt::AlignTop) << true << right << QString();
    QTest::addRow("bottom-starts-above") << QStringLiteral("Частично разряж. сейчас") << QSize(60, 26)
                                         << int(Qt::AlignRight | Qt::AlignBottom) << true << right << QString();
    QTest::addRow("elided-line-then-a-line") << QStringLiteral("PIC18F25K40") + separator + QStringLiteral("12")
                                             << QSize(48, 44) << centre << false << right << QString();
    // Glyphs that reach above and below a line, in cells about as tall as the line.
    for (int height : {8, 20})
        QTest::addRow("tall-glyphs-%d", height) << QStringLiteral("ЙЁ ДЦ gq") << QSize(90, height) << centre << false
                                                << right << QString();
    QTest::addRow("variants") << QStringLiteral("Неисправность\x9cНеиспр.") << QSize(84, 30) << centre << false
                              << right << QString();
    // Values that elide alike share the picture of the text shown.
    QTest::addRow("values-elide-alike") << QStringLiteral("701.70 В") << QSize(48, 30) << centre << false << right
                                        << QStringLiteral("701.90 В");
}

// A cell whose text does not fit shows the style's elided text, in the same place, pixel for pixel.
void TestUnitPixels::cellTextElidesAsTheStyle()
{
    QFETCH(QString, text);
    QFETCH(QSize, cell);
    QFETCH(int, alignment);
    QFETCH(bool, wrap);
    QFETCH(int, elide);
    QFETCH(QString, other);
    QImage images[2];
    for (int pass = 0; pass < 2; ++pass) {
        QTableWidget table(2, 2);
        table.setItemDelegate(pass == 0 ? new PlainTextItemDelegate(&table) : new QStyledItemDelegate(&table));
        table.setWordWrap(wrap);
        table.setTextElideMode(Qt::TextElideMode(elide));
        table.verticalHeader()->setMinimumSectionSize(1);
        for (int row = 0; row < 2; ++row) {
            table.setRowHeight(row, cell.height());
            table.setColumnWidth(row, cell.width());
            for (int column = 0; column < 2; ++column) {
                auto *item = new QTableWidgetItem(row == 1 && !other.isEmpty() ? other : text);
                item->setTextAlignment(alignment);
                table.setItem(row, column, item);
            }
        }
        // Four cells of two texts: the first laid out, the others drawn from what was kept.
        table.resize(200, 150);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        images[pass] = table.viewport()->grab().toImage();
    }
    QCOMPARE(images[0], images[1]);
}

QTEST_MAIN(TestUnitPixels)
#include "tst_unitpixels.moc"
