#pragma once

#include "linerecord.h"

#include <QWidget>

class LineMonitorModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

// The traffic monitor: every transaction on the line in a table, newest at the bottom. It follows
// the newest row unless the user scrolled up. While it is shown it asks the worker for records
// (signalMonitoring), so a closed monitor costs the line nothing; the table takes them in at most
// four times a second, since every refresh repaints it.
class LineMonitorWindow : public QWidget
{
    Q_OBJECT

public:
    explicit LineMonitorWindow(QWidget *parent = nullptr);
    ~LineMonitorWindow() override;

    LineMonitorModel *model() const { return m_model; }
    QTableView *view() const { return m_view; }

    // Saves the rows as shown; a failure is reported in a message box. True when saved.
    bool saveTo(const QString &fileName);

signals:
    void signalMonitoring(bool on);

public slots:
    void slotSave();
    void slotLineRecords(LineRecordList records, int lost);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void updateStatus();
    void takeArrived();

    LineMonitorModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QPushButton *m_pauseButton = nullptr;
    QComboBox *m_rynCombo = nullptr;
    QCheckBox *m_errorsOnlyBox = nullptr;
    QLabel *m_statusLabel = nullptr;
    QString m_fileName;
    QTimer *m_refreshTimer = nullptr;
    LineRecordList m_arrived; // since the last refresh
    int m_arrivedLost = 0;
    bool m_followNewest = true;
    int m_droppingRows = 0; // rows leaving the top while the user looks at older ones
};
