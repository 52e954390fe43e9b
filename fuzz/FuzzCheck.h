#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// What a fuzz target holds its code to: a broken promise stops the run with
// the input that broke it, as a crash does.
#define FUZZ_CHECK(condition, ...)                                                                 \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);          \
            vellfuzz::Explain(__VA_ARGS__);                                                        \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace vellfuzz {

inline void Explain() {}
inline void Explain(const QString& what)
{
    std::fprintf(stderr, "  %s\n", what.toUtf8().constData());
}

// The input as text, as a file or a command line hands it over.
inline QString Text(const unsigned char* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input taken apart into values, front to back; past its end every text
// is empty and every number 0 (or what 0 wraps to). Texts end at a "|" or at
// the end, so a seed file reads as what it builds: `1|24|abc|`.
class Input {
public:
    Input(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    QString NextText(qsizetype maxLength)
    {
        size_t end = at_;
        while (end < size_ && data_[end] != '|')
            ++end;
        QString text = Text(data_ + at_, end - at_).left(maxLength);
        if (!text.isEmpty() && text.back().isHighSurrogate())
            text.chop(1);   // whole characters, as any text handed over holds
        at_ = end < size_ ? end + 1 : end;
        return text;
    }
    // A whole number in [low, high], written as text ("12|"); one outside wraps into it.
    int NextInt(int low, int high)
    {
        const qint64 given = NextText(12).trimmed().toLongLong();   // under 10^12 either way
        const qint64 span = qint64(high) - low + 1;
        return int(low + ((given - low) % span + span) % span);
    }
    bool AtEnd() const { return at_ >= size_; }

private:
    const unsigned char* data_;
    size_t size_;
    size_t at_ = 0;
};

}
