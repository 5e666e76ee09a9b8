// s::platform::qt::HandOverMessage -- what a starting copy of the program
// tells the running one: wake up, and open these paths.
//
// Wire form: "TRVX", one flag byte (bit 0: wake), the path count (4 bytes,
// big-endian), then each path as its UTF-8 length (4 bytes, big-endian) and
// bytes. Anyone of the same user can write to the socket, so parse() checks
// every count and length against the bytes present and the limits below
// before using it, and rejects a message that breaks them.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <cstdint>

namespace s::platform::qt {

class HandOverMessage {
public:
    static constexpr std::uint32_t kMaxPaths = 100000;
    static constexpr std::uint32_t kMaxPathBytes = 64 * 1024;
    static constexpr qsizetype kMaxMessageBytes = 64 * 1024 * 1024;

    enum class Parse { Complete, NeedMore, Invalid };

    bool wake = false;
    QStringList paths;

    QByteArray encode() const;
    // Reads one message from the start of bytes; on Complete, consumed says
    // how many bytes it took.
    Parse parse(const QByteArray& bytes, qsizetype& consumed);
};

}  // namespace s::platform::qt
