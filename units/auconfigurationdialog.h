#pragma once

#include "hardtypes.h"

#include <QByteArray>
#include <QDialog>
#include <QMap>
#include <QSet>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The controller's configuration entries of one unit: reads the six configuration blocks, shows the
// unit's entry of each, and writes back only the register that holds the unit in every block that
// was read. Says which entries could not be read, and why. Closes on "Применить" once every write
// has succeeded; a failed write keeps it open and names the entry that was not written.
class AuConfigurationDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int OutputCount = 4;

    explicit AuConfigurationDialog(QWidget *parent = nullptr);

    // Reads the unit's configuration and runs the dialog. Without a selected controller nothing is
    // read: the engineer is told so and the dialog does not open.
    int exec(int addr, HardTypes type);

    int address() const { return m_addr; }
    QComboBox *disabledChoice() const { return m_disabledChoice; }
    QComboBox *typeChoice() const { return m_typeChoice; }
    QSpinBox *thresholdBox() const { return m_thresholdBox; }
    QComboBox *channelTypeChoice() const { return m_channelTypeChoice; }
    QCheckBox *outputBox(int output) const { return m_outputBoxes.at(output - 1); }
    QComboBox *loChoice() const { return m_loChoice; }
    QGroupBox *mainGroup() const { return m_mainGroup; }
    QGroupBox *heatGroup() const { return m_heatGroup; }
    QGroupBox *outputsGroup() const { return m_outputsGroup; }
    QGroupBox *loGroup() const { return m_loGroup; }
    QPushButton *applyButton() const { return m_applyButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QLabel *statusLabel() const { return m_statusLabel; }

signals:
    void signalSendCmd(int cmdCode, QByteArray info = QByteArray());

public slots:
    // Answers of the configuration reads and writes; others, and those of another controller, are ignored.
    void slotConfigInfo(int rynAddr, int id, int cmdCode, int errCode, QByteArray info);
    void slotAccept();
    // The controller whose configuration is read and written; 0 when none is selected.
    void slotRynSelected(int rynAddr);

private:
    QWidget *controlOf(int blockCode) const;
    QGroupBox *groupOf(int blockCode) const;
    QString entryName(int blockCode) const;
    // Whether the unit's type has the entry of a block: only those are reported and written.
    bool concernsUnit(int blockCode) const;
    void resetControls();
    void showEntry(int blockCode);
    // The value the unit's entry of a block is to hold; -1 when the block is not written for this unit.
    int editedEntry(int blockCode) const;
    void updateApplyButton();
    void updateStatus();

    int m_rynAddr = 0;
    int m_addr = 0;
    HardTypes m_type = UndefinedType;
    bool m_running = false;
    QMap<int, QByteArray> m_blocks; // configuration block code -> its bytes as last read
    QMap<int, int> m_pendingWrites; // write code -> block code, until answered
    QList<int> m_failedBlocks;
    QMap<int, QString> m_unreadBlocks; // block code -> why the unit's entry was not read
    bool m_thresholdSet = false;       // the engineer edited the threshold since it was shown

    QGroupBox *m_mainGroup = nullptr;
    QGroupBox *m_heatGroup = nullptr;
    QGroupBox *m_outputsGroup = nullptr;
    QGroupBox *m_loGroup = nullptr;
    QComboBox *m_disabledChoice = nullptr;
    QComboBox *m_typeChoice = nullptr;
    QSpinBox *m_thresholdBox = nullptr;
    QComboBox *m_channelTypeChoice = nullptr;
    QWidget *m_outputsPanel = nullptr; // the boxes: the control of the initial output block
    std::array<QCheckBox *, OutputCount> m_outputBoxes{};
    QComboBox *m_loChoice = nullptr;
    QLabel *m_statusLabel = nullptr;
    QPushButton *m_applyButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
