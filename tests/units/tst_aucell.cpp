#include "aucell.h"

#include <QtTest>

using L = AuCellValues;
using Labels = QList<int>;

class TestAuCell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shownLabelsPerViewMode_data();
    void shownLabelsPerViewMode();
    void readingsFitTheCell_data();
    void readingsFitTheCell();
    void cell251ShowsTypeAndAddressOnly_data();
    void cell251ShowsTypeAndAddressOnly();
    void chargingAnimationFollowsBit3();
    void filterListChangeHidesAndRestores();
    void isolatorIndicators();
    void valuesOutsideTheCellAreIgnored();
    void numberTypesTravelQueued();
};

// Every label the cell shows right now.
static Labels shownLabels(const AuCell &cell)
{
    Labels shown;
    for (int label = 0; label < L::LabelCount; ++label) {
        if (cell.isLabelShown(L::Label(label)))
            shown.append(label);
    }
    return shown;
}

void TestAuCell::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestAuCell::shownLabelsPerViewMode_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("type");
    QTest::addColumn<Labels>("shown");
    const int general = AuCell::GeneralCell;
    QTest::addRow("heat-full") << general << 0 << 2
                               << Labels{L::AddressLabel, L::TypeLabel, L::TemperatureLabel,
                                         L::ThresholdLabel};
    QTest::addRow("heat-version") << general << 1 << 2
                                  << Labels{L::AddressLabel, L::TypeLabel, L::FirmwareLabel};
    QTest::addRow("smoke-heat-temp-smoke")
        << general << 2 << 23 << Labels{L::AddressLabel,   L::TypeLabel,  L::TemperatureLabel,
                                        L::ThresholdLabel, L::SmokeLabel, L::SmokeMidLabel};
    QTest::addRow("smoke-heat-full-no-mean")
        << general << 0 << 23
        << Labels{L::AddressLabel, L::TypeLabel, L::TemperatureLabel, L::ThresholdLabel, L::SmokeLabel};
    QTest::addRow("ionistor-voltage-mode")
        << general << 3 << 17 << Labels{L::AddressLabel, L::TypeLabel, L::VoltageLabel};
    QTest::addRow("voltage-mode-without-ionistor")
        << general << 3 << 4 << Labels{L::AddressLabel, L::TypeLabel};
    QTest::addRow("relay-full") << general << 0 << 11
                                << Labels{L::AddressLabel, L::TypeLabel,    L::Output1Label,
                                          L::Output2Label, L::Output3Label, L::Output4Label};
    QTest::addRow("lo-full") << general << 0 << 15 << Labels{L::AddressLabel, L::TypeLabel, L::LoLabel};
    QTest::addRow("unknown-mode-empty") << general << 7 << 2 << Labels{};
    QTest::addRow("ionistor-grid-any-mode")
        << int(AuCell::IonistorCell) << 1 << 3 << Labels{L::AddressLabel, L::VoltageLabel};
    QTest::addRow("smoke-grid-any-mode")
        << int(AuCell::SmokeCell) << 0 << 4
        << Labels{L::AddressLabel, L::SmokeLabel, L::SmokeMidLabel, L::ResourceLabel};
    QTest::addRow("smoke-grid-other-type") << int(AuCell::SmokeCell) << 2 << 5 << Labels{L::AddressLabel};
}

void TestAuCell::shownLabelsPerViewMode()
{
    QFETCH(int, kind);
    QFETCH(int, mode);
    QFETCH(int, type);
    QFETCH(Labels, shown);
    AuCell::ViewMode viewMode = AuCell::FullView;
    const QList<int> filter;
    AuCell cell(30, AuCell::CellKind(kind), &viewMode, &filter);
    cell.setType(type);
    cell.setState(0);
    viewMode = AuCell::ViewMode(mode);
    cell.slotViewModeChanged();
    QCOMPARE(shownLabels(cell), shown);
    QCOMPARE(cell.labelText(L::AddressLabel), QStringLiteral("30"));
}

void TestAuCell::readingsFitTheCell_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("type");
    for (const int type : {int(HeatDetector2), int(SmokeDetector), int(SmokeHeatDetector),
                           int(SmokeHeatDetector2), int(RelayModule4), int(InputRelayModule)}) {
        for (const int mode : {0, 1, 2, 3})
            QTest::addRow("type-%d-mode-%d", type, mode) << mode << type;
    }
}

// What a cell shows must be readable whole in a cell of its normal size: no text cut at the edge,
// no two texts drawn over each other.
void TestAuCell::readingsFitTheCell()
{
    QFETCH(int, mode);
    QFETCH(int, type);
    AuCell::ViewMode viewMode = AuCell::ViewMode(mode);
    const QList<int> filter;
    AuCell cell(38, AuCell::GeneralCell, &viewMode, &filter);
    cell.setType(type);
    cell.setState(0);
    cell.setThresholdT(57);
    cell.setT_U(140);
    cell.setSmoke(125);
    cell.setSmokeMid(255);
    cell.setVoltage(7.82);
    cell.setFirmwareVersion(213);
    for (const AuCell::IoNumber number : {AuCell::Io1, AuCell::Io2, AuCell::Io3, AuCell::Io4}) {
        cell.setInput(number, 3, type == InputRelayModule);
        cell.setOutput(number, 3, type == InputRelayModule);
    }
    // The grid gives every cell this size.
    cell.setFixedSize(cell.sizeHint());
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));

    QList<L::Label> shown;
    for (int label = 0; label < L::LabelCount; ++label) {
        if (cell.isLabelShown(L::Label(label)))
            shown.append(L::Label(label));
    }
    QVERIFY(shown.size() >= 2);
    const QFontMetrics metrics(cell.font());
    for (const L::Label label : shown) {
        const QRect inCell = cell.labelRect(label);
        const QString text = cell.labelText(label);
        QVERIFY2(cell.rect().contains(inCell), qPrintable(text));
        QVERIFY2(inCell.width() >= metrics.horizontalAdvance(text), qPrintable(text));
        QVERIFY2(inCell.height() >= metrics.height(), qPrintable(text));
        for (const L::Label other : shown) {
            QVERIFY2(other == label || !inCell.intersects(cell.labelRect(other)),
                     qPrintable(text + QStringLiteral(" / ") + cell.labelText(other)));
        }
    }
}

void TestAuCell::cell251ShowsTypeAndAddressOnly_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("mode");
    QTest::addColumn<Labels>("shown");
    QTest::addRow("general-full") << int(AuCell::GeneralCell) << 0 << Labels{L::AddressLabel, L::TypeLabel};
    QTest::addRow("general-voltage") << int(AuCell::GeneralCell) << 3
                                     << Labels{L::AddressLabel, L::TypeLabel};
    QTest::addRow("ionistor-address-only") << int(AuCell::IonistorCell) << 3 << Labels{L::AddressLabel};
}

void TestAuCell::cell251ShowsTypeAndAddressOnly()
{
    QFETCH(int, kind);
    QFETCH(int, mode);
    QFETCH(Labels, shown);
    const auto viewMode = AuCell::ViewMode(mode);
    const QList<int> filter;
    AuCell cell(251, AuCell::CellKind(kind), nullptr, nullptr);
    cell.setSharedState(&viewMode, &filter);
    cell.setType(HeatDetector2);
    cell.setState(0);
    cell.setVoltage(3.3);
    QCOMPARE(shownLabels(cell), shown);
}

void TestAuCell::chargingAnimationFollowsBit3()
{
    const AuCell::ViewMode viewMode = AuCell::FullView;
    const QList<int> filter;
    AuCell cell(8, AuCell::IonistorCell, &viewMode, &filter);
    cell.setType(FlameDetector2);
    cell.setState(10);
    QCOMPARE(cell.colour(), QColor(QStringLiteral("orange")));
    QVERIFY(cell.isChargingShown());
    cell.setState(2);
    QCOMPARE(cell.colour(), QColor(QStringLiteral("orange")));
    QVERIFY(!cell.isChargingShown());
    cell.setState(9);
    cell.setType(SmokeDetector);
    QCOMPARE(cell.colour(), QColor(QStringLiteral("silver")));
    QVERIFY(!cell.isChargingShown());
}

void TestAuCell::filterListChangeHidesAndRestores()
{
    const AuCell::ViewMode viewMode = AuCell::FullView;
    QList<int> filter;
    AuCell cell(12, AuCell::GeneralCell, &viewMode, &filter);
    cell.setType(HeatDetector);
    cell.setState(4);
    QCOMPARE(cell.colour(), QColor(Qt::red));
    filter = {2, 3};
    cell.slotFilterChanged();
    QCOMPARE(cell.colour(), QColor(Qt::white));
    QCOMPARE(shownLabels(cell), Labels{L::AddressLabel});
    filter.clear();
    cell.slotFilterChanged();
    QCOMPARE(cell.colour(), QColor(Qt::red));
    QVERIFY(cell.isLabelShown(L::TemperatureLabel));
    filter = {4};
    cell.setType(SmokeDetector); // a type change is checked against the list too
    QCOMPARE(cell.colour(), QColor(Qt::white));
}

void TestAuCell::isolatorIndicators()
{
    const AuCell::ViewMode viewMode = AuCell::FullView;
    const QList<int> filter;
    AuCell cell(3, AuCell::GeneralCell, &viewMode, &filter);
    QCOMPARE(cell.isolatorColour(true).alpha(), 0);
    cell.setInsulators(0x8); // left 0 (open), right 2 (unknown)
    QCOMPARE(cell.isolatorColour(true), QColor(QStringLiteral("darkred")));
    QCOMPARE(cell.isolatorColour(false), QColor(QStringLiteral("silver")));
    const QList<QLabel *> indicators = cell.findChildren<QLabel *>();
    const bool drawn = std::any_of(indicators.begin(), indicators.end(), [](const QLabel *label) {
        return label->size() == QSize(10, 10) &&
               label->palette().color(QPalette::Window) == QColor(QStringLiteral("darkred"));
    });
    QVERIFY(drawn);
}

void TestAuCell::valuesOutsideTheCellAreIgnored()
{
    const AuCell::ViewMode viewMode = AuCell::FullView;
    const QList<int> filter;
    AuCell cell(5, AuCell::GeneralCell, &viewMode, &filter);
    cell.setType(InputModule4);
    cell.setState(0);
    cell.setInput(AuCell::IoNumber(5), 1, false);
    cell.setValve(AuCell::ValveNumber(0), 1);
    QCOMPARE(cell.labelText(L::Input1Label), QStringLiteral("В1:-"));
    cell.setInput(AuCell::Io4, 3, false);
    QCOMPARE(cell.labelText(L::Input4Label), QStringLiteral("В4:к"));
}

// The decoder's signals reach the views through queued connections as well.
class NumberSender : public QObject
{
    Q_OBJECT

signals:
    void signalSetInput(int addr, AuCell::IoNumber number, uchar state, bool isVexa2R2);
};

void TestAuCell::numberTypesTravelQueued()
{
    AuCell::registerMetaTypes();
    QVERIFY(QMetaType::type("AuCell::IoNumber") != QMetaType::UnknownType);
    QVERIFY(QMetaType::type("AuCell::ValveNumber") != QMetaType::UnknownType);
    QVERIFY(QMetaType::type("AuCell::IPP_W_Number") != QMetaType::UnknownType);
    const AuCell::ViewMode viewMode = AuCell::FullView;
    const QList<int> filter;
    AuCell cell(5, AuCell::GeneralCell, &viewMode, &filter);
    cell.setType(InputModule2);
    cell.setState(0);
    NumberSender sender;
    connect(
        &sender, &NumberSender::signalSetInput, &cell,
        [&cell](int, AuCell::IoNumber number, uchar state, bool isVexa2R2) {
            cell.setInput(number, state, isVexa2R2);
        },
        Qt::QueuedConnection);
    QSignalSpy spy(&sender, &NumberSender::signalSetInput);
    emit sender.signalSetInput(5, AuCell::Io2, 1, false);
    QCOMPARE(spy.at(0).at(1).value<AuCell::IoNumber>(), AuCell::Io2);
    QTRY_COMPARE(cell.labelText(L::Input2Label), QStringLiteral("В2:з"));
}

QTEST_MAIN(TestAuCell)
#include "tst_aucell.moc"
