#pragma once

class ModbusMaster;
class QString;
class Recorder;
class ResponseDecoder;

// What the benchmarks of the worker on a paced line share.

// The simulator's default time from the end of a request to its answer.
constexpr double turnaroundMs = 3.0;

// Milliseconds that many bytes take on the line at 19200 baud, 11 bits a character.
double bytesMs(int bytes);

// Sends the controller search (a ping to each address) to the worker and waits until it is over.
void search(ModbusMaster *master);

// A worker without a controller selected nor events from all, on the real port `portName`, watched
// by the recorder; its thread is not started.
ModbusMaster *recordingWorker(const QString &portName, Recorder &recorder);

// The decoder takes the worker's answers as the main window hands them on.
void decodeAnswers(ModbusMaster *master, ResponseDecoder &decoder);
