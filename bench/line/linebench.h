#pragma once

#include "recorder.h"

#include <QtGlobal>

#include <vector>

class ModbusMaster;
class QString;
class ResponseDecoder;

// What the benchmarks of the worker on a paced line share.

// The simulator's default time from the end of a request to its answer.
constexpr double turnaroundMs = 3.0;

// Milliseconds that many bytes take on the line at 19200 baud, 11 bits a character.
double bytesMs(int bytes);

// A message handler that drops debug lines: the worker's and the decoder's would bury the figures.
void quietDebug(QtMsgType type, const QMessageLogContext &context, const QString &message);

// Sends the controller search (a ping to each address) to the worker and waits until it is over.
void search(ModbusMaster *master);

// A worker without a controller selected nor events from all, on the real port `portName`, watched
// by the recorder; its thread is not started.
ModbusMaster *recordingWorker(const QString &portName, Recorder &recorder);

// The decoder takes the worker's answers as the main window hands them on.
void decodeAnswers(ModbusMaster *master, ResponseDecoder &decoder);

// The answer bytes' time on the line plus the turnaround.
double lineMs(int answerBytes);

// The monitoring cycles of the selected controller in a recording.
struct Cycles
{
    int count = 0;
    int transactions = 0;
    int unanswered = 0;
    double wallMs = 0;
    double lineMs = 0;
    int probes = 0; // background probes of missing addresses in between, left out of the figures
    double probeMs = 0;
};

// A cycle starts with the poll of the selected controller's event count (an acknowledging re-read
// follows a read of events, and starts nothing). The background probes of other addresses that
// fall into a cycle are taken out of it, with the time they held the line.
Cycles cycles(const std::vector<Transaction> &transactions, int selected);

// A cycle's time against its pure line time.
double ratio(const Cycles &c);
