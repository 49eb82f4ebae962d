#pragma once

class ModbusMaster;

// What the benchmarks of the worker on a paced line share.

// The simulator's default time from the end of a request to its answer.
constexpr double turnaroundMs = 3.0;

// Milliseconds that many bytes take on the line at 19200 baud, 11 bits a character.
double bytesMs(int bytes);

// Runs the event loop for that long.
void wait(int msecs);

// Sends the controller search (a ping to each address) to the worker and waits until it is over.
void search(ModbusMaster *master);
