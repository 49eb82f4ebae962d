#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Takes a fuzzer's bytes apart: numbers and chunks read from the front, zeros once it is used up,
// so every input means something.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {}

    bool atEnd() const { return m_pos >= m_size; }

    quint8 byte() { return atEnd() ? 0 : m_data[m_pos++]; }

    quint16 word()
    {
        const quint16 high = byte();
        return quint16(high << 8 | byte());
    }

    QByteArray bytes(int count)
    {
        const int available = int(qMin<size_t>(size_t(qMax(0, count)), m_size - qMin(m_pos, m_size)));
        const QByteArray chunk(reinterpret_cast<const char *>(m_data + m_pos), available);
        m_pos += size_t(available);
        return chunk;
    }

    // A chunk whose length is the next byte.
    QByteArray chunk() { return bytes(byte()); }

    QByteArray rest() { return bytes(int(m_size - qMin(m_pos, m_size))); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A broken promise of the code under test: reported and stopped, so the fuzzer keeps the input.
#define FUZZ_REQUIRE(condition)                                                                        \
    do {                                                                                               \
        if (!(condition)) {                                                                            \
            std::fprintf(stderr, "%s:%d: requirement failed: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                              \
        }                                                                                              \
    } while (false)
