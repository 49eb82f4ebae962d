// The line monitor with its table full (100,000 transactions), shown offscreen. Prints the GUI
// thread's time for a batch of 1,000 records (the table following the newest rows, scrolled up, and
// with the errors-only filter on), the heap the kept records take, and the time to save them all.
#include "benchtiming.h"
#include "commandcodes.h"
#include "linemonitorfile.h"
#include "linemonitormodel.h"
#include "linemonitorwindow.h"
#include "modbusprotocol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ModbusProtocol;

namespace {

constexpr int batchSize = 1000;
constexpr int rounds = 30;

// Monitoring reads of a general-state block, one in 20 unanswered, each frame a buffer of its own
// as the line delivers it.
LineRecordList makeBatch(int first)
{
    const QByteArray request = readHoldingRegisters(1, 11441, 64);
    QByteArray answer(readAnswerLength(64), '\x11');
    LineRecordList batch;
    batch.reserve(batchSize);
    for (int n = first; n < first + batchSize; ++n) {
        LineRecord record;
        record.startedMs = 1796720400000 + n * 90LL;
        record.rynAddr = 1 + n % 3;
        record.cmdCode = CMD_READ_GENERAL_STATE;
        record.durationMs = 80;
        record.request = QByteArray(request.constData(), request.size());
        if (n % 20 == 0) {
            record.result = ResultNoAnswer;
            record.durationMs = answerWindowMs + 1;
        } else {
            record.answer = QByteArray(answer.constData(), answer.size());
        }
        batch.append(record);
    }
    return batch;
}

struct Figures
{
    double mean = 0;
    double worst = 0;
};

Figures batches(LineMonitorModel *model, int &next)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const LineRecordList batch = makeBatch(next);
        next += batchSize;
        times.push_back(busyMs([&] { model->slotLineRecords(batch, 0); }));
    }
    Figures figures;
    for (double time : times)
        figures.mean += time / times.size();
    figures.worst = *std::max_element(times.begin(), times.end());
    return figures;
}

void print(const char *what, const Figures &figures)
{
    std::printf("batch of %d records into %d kept, %s: mean %.2f ms, worst %.2f ms of GUI time\n", batchSize,
                LineMonitorModel::capacity, what, figures.mean, figures.worst);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    LineMonitorWindow window;
    LineMonitorModel *model = window.model();
    const std::size_t heapBefore = heapInUse();
    int next = 0;
    while (next < LineMonitorModel::capacity) {
        model->slotLineRecords(makeBatch(next), 0);
        next += batchSize;
    }
    std::printf("memory of %d kept records: %.1f MB\n", model->keptCount(),
                double(heapInUse() - heapBefore) / (1024.0 * 1024.0));

    window.resize(1200, 600);
    window.show();
    settle();
    print("following the newest", batches(model, next));
    window.view()->verticalScrollBar()->setValue(LineMonitorModel::capacity / 2);
    settle();
    print("scrolled up", batches(model, next));
    window.view()->scrollToBottom();
    model->setErrorsOnly(true);
    settle();
    print("errors only", batches(model, next));
    model->setErrorsOnly(false);

    const QString fileName = dir.filePath(QStringLiteral("line.csv"));
    QElapsedTimer timer;
    timer.start();
    const QString error = LineMonitorFile::save(fileName, model->shownRecords());
    std::printf("saving %d records to CSV: %lld ms (%.1f MB)%s\n", model->rowCount(), timer.elapsed(),
                QFileInfo(fileName).size() / (1024.0 * 1024.0), qPrintable(error));
    return 0;
}
