#pragma once

#include <QDialog>
#include <QMap>

class QLabel;
class QTableWidget;

// How many Modbus exception answers of each code the selected controller has sent. Reused for every
// opening, so it keeps the size the user gave it.
class ModbusErrorsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ModbusErrorsDialog(QWidget *parent = nullptr);

    // errCnt is the total shown; the map goes from exception code to number of occurrences.
    int exec(int errCnt, QMap<int, int> modbusErrorMap);

    // The meaning of a standard Modbus exception code; empty for any other code.
    static QString exceptionText(int code);
    // The table's text for a code: the code in brackets, then its meaning.
    static QString errorText(int code);

private:
    int m_width = 0;
    int m_height = 0;
    QLabel *m_totalLabel = nullptr;
    QTableWidget *m_table = nullptr;
};
