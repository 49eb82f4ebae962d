#pragma once

#include "hardtypes.h"
#include "registermap.h"
#include "rynregistertexts.h"

#include <QLocale>
#include <QMap>
#include <QPair>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>

class ExLabel;
class ModbusErrorsDialog;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QScrollArea;
class QTableWidget;
class RYNCmdWidget;

// The right-hand panel: what the selected controller reports about itself (registers 976..1003), this
// program's link counters for it, and the controller command buttons. It also keeps the controller
// information table and the inspection protocol table up to date, which the reports are made from.
class RYNInfoWidget : public QWidget
{
    Q_OBJECT

public:
    // Both tables belong to the caller; this view sizes and fills them.
    RYNInfoWidget(QTableWidget *reportTable, QTableWidget *protocolTable, QWidget *parent = nullptr);

    RYNCmdWidget *cmdWidget() const { return m_cmdWidget; }
    ModbusErrorsDialog *errorsDialog() const { return m_errorsDialog; }
    QSize sizeHint() const override;
    // At least 200 pixels, and never narrower than the panel: squeezed, its texts would hide behind a
    // horizontal scroll bar.
    QSize minimumSizeHint() const override;

    // The locale numbers are written in, in the panel and in both tables; the system's unless set.
    // The supplies and the loop resistance already shown are written again in the new one.
    void setDocumentLocale(const QLocale &locale);
    QLocale documentLocale() const { return m_locale; }

    static constexpr int reportRows = 56;
    // The protocol table with up to eight unit types; it grows by a row for each type beyond.
    static constexpr int protocolRows = 31;
    static constexpr int protocolColumns = 7;
    static constexpr int protocolTypeRows = 8;

signals:

public slots:
    void slotRynSelected(int rynAddr);
    void slotRxTimeoutErrCntChanged(uint rxTimeoutErrCnt);
    void slotRxCommErrCntChanged(uint rxCommErrCnt);
    void slotRxModbusErrCntChanged(uint rxModbusErrCnt);
    void slotRynRegistersUpdated(RynRegisterAddress regAddr, ushort regWord);
    void slotTypeVersionCountMap(QMap<HardTypes, QPair<QString, QString>> typesInfoMap);
    void slotModbusErrorCode(int modbusErrorCode);
    // The exceptions by code over the period the server Modbus counter counts, as it starts.
    void slotModbusErrorCodes(QMap<int, int> modbusErrorMap);
    void slotExLabelClicked(int tag);

    // The panel's groups stand in two columns on a wide screen, in one otherwise.
    static int panelColumns(const QSize &availableScreen);
    int panelColumnCount() const { return m_panelColumns; }
    void setPanelColumns(int columns);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createPanel();
    QGroupBox *createStateGroup();
    QGroupBox *createErrorsGroup();
    QGroupBox *createOsErrorsGroup();
    QGroupBox *createLoopErrorsGroup();
    QGroupBox *createModbusErrorsGroup();
    QLabel *valueLabel(const QString &objectName, const QString &text = QString());
    // A form of counters shown as their registers read, one row (caption, register) each.
    QFormLayout *counterForm(const QList<QPair<QString, int>> &rows);
    QLabel *ball(RynRegisterTexts::Ball which);
    void setBall(RynRegisterTexts::Ball which, RynRegisterTexts::BallColour colour);
    void initProtocolTable();
    void setReportRow(int row, const QString &title, const QString &value = QString());
    // Rows are those of the table with eight type rows; the rows below the types are moved down by
    // the rows added for more types.
    void setProtocolCell(int row, int column, const QString &text);
    void setProtocolItem(int tableRow, int column, const QString &text);
    int protocolTableRow(int row) const;
    void setProtocolTypeRows(int typeRows);
    void setProtocolSpans();
    // Registers 994, 995 and 998, whose numbers carry decimals.
    void showDecimalRegister(int regAddr, quint16 word);
    void showVersion(const QString &version);
    void showOperatingTime(const QString &text);
    void writeOperatingTime(const QString &text);
    void showFlags(int regAddr, quint16 word);

    QTableWidget *m_reportTable = nullptr;
    QTableWidget *m_protocolTable = nullptr;
    int m_rynAddr = 0;
    int m_tag = 1;
    QLocale m_locale = QLocale::system();
    int m_protocolTypeRows = protocolTypeRows;
    // The words behind the numbers with decimals, written again when the locale changes.
    QMap<int, quint16> m_decimalWords;
    RynRegisterTexts::OperatingTime m_operatingTime;
    QMap<int, int> m_modbusErrorMap;
    ModbusErrorsDialog *m_errorsDialog = nullptr;
    RYNCmdWidget *m_cmdWidget = nullptr;

    QScrollArea *m_scrollArea = nullptr;
    // The panel's size hints when the scroll area last laid it out.
    QSize m_panelHint;
    QSize m_panelMinimumHint;
    QGroupBox *m_mainGroup = nullptr;
    QHBoxLayout *m_columnsRow = nullptr;
    QList<QWidget *> m_groups;
    int m_panelColumns = 0;
    QLabel *m_typeLabel = nullptr;
    QLabel *m_versionLabel = nullptr;
    QLabel *m_unitCountLabel = nullptr;
    QLabel *m_polledCountLabel = nullptr;
    QLabel *m_resistanceLabel = nullptr;
    QLabel *m_toChargeLabel = nullptr;
    QLabel *m_chargingLabel = nullptr;
    QLabel *m_voltage24Label = nullptr;
    QLabel *m_current24Label = nullptr;
    QLabel *m_voltage13Label = nullptr;
    QLabel *m_current13Label = nullptr;
    // Labels that show a register word as it is, by register.
    QMap<int, QLabel *> m_wordLabels;
    QLabel *m_serverCrcLabel = nullptr;
    QLabel *m_serverTimeoutLabel = nullptr;
    ExLabel *m_serverModbusLabel = nullptr;
    QLabel *m_operatingTimeLabel = nullptr;
    std::array<QLabel *, RynRegisterTexts::ballCount> m_balls{};
    std::array<QPixmap, 4> m_ballPixmaps; // by BallColour
};
