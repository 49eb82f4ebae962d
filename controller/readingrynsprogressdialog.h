#pragma once

#include "modbusprotocol.h"

#include <QDialog>

#include <array>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// Shows a report or protocol run: a bar over the controllers to read and, for each address that
// completed, whether its reading succeeded. "Закрыть" replaces "Отмена" when every controller has
// completed; cancelling before that aborts the run (the owner's business).
class ReadingRynsProgressDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int rynRows = ModbusProtocol::maxRynAddr; // one row per controller address

    explicit ReadingRynsProgressDialog(QWidget *parent = nullptr);

    // Runs modally for a run of `rynCount` controllers: every row hidden, the bar empty.
    // Accepted only when closed with "Закрыть".
    int exec(int rynCount);

    QProgressBar *progressBar() const { return m_bar; }
    QPushButton *closeButton() const { return m_closeButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

public slots:
    // Shows the controller's row with the success or the failure picture and advances the bar.
    void slotRynReadingCompleted(int rynAddr, bool success);

private:
    struct Row
    {
        QLabel *label = nullptr;
        QWidget *pictures = nullptr;
        QLabel *success = nullptr;
        QLabel *failure = nullptr;
    };

    void showFinished(bool finished);

    QProgressBar *m_bar = nullptr;
    std::array<Row, rynRows> m_rows;
    QPushButton *m_closeButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
