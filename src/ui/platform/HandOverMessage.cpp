#include "ui/platform/HandOverMessage.h"

#include <QString>

namespace s::platform::qt {

namespace {

constexpr char kMagic[] = "TRVX";
constexpr qsizetype kMagicSize = 4;
constexpr qsizetype kHeaderSize = kMagicSize + 1 + 4;
constexpr char kWakeFlag = 0x01;

void appendU32(QByteArray& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t readU32(const QByteArray& bytes, qsizetype at) {
    std::uint32_t value = 0;
    for (qsizetype i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

}  // namespace

QByteArray HandOverMessage::encode() const {
    QByteArray out(kMagic, kMagicSize);
    out.append(wake ? kWakeFlag : char{0});
    appendU32(out, static_cast<std::uint32_t>(paths.size()));
    for (const QString& path : paths) {
        const QByteArray utf8 = path.toUtf8();
        appendU32(out, static_cast<std::uint32_t>(utf8.size()));
        out.append(utf8);
    }
    return out;
}

HandOverMessage::Parse HandOverMessage::parse(const QByteArray& bytes, qsizetype& consumed) {
    consumed = 0;
    const qsizetype have = std::min(bytes.size(), kMagicSize);
    if (QByteArrayView(bytes.constData(), have) != QByteArrayView(kMagic, have))
        return Parse::Invalid;
    if (bytes.size() < kHeaderSize) return Parse::NeedMore;
    const std::uint32_t count = readU32(bytes, kMagicSize + 1);
    if (count > kMaxPaths) return Parse::Invalid;

    QStringList parsed;
    qsizetype at = kHeaderSize;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (bytes.size() - at < 4) return Parse::NeedMore;
        const std::uint32_t length = readU32(bytes, at);
        if (length > kMaxPathBytes) return Parse::Invalid;
        at += 4;
        if (bytes.size() - at < static_cast<qsizetype>(length)) return Parse::NeedMore;
        parsed.append(QString::fromUtf8(bytes.constData() + at, length));
        at += length;
    }
    wake = (bytes[kMagicSize] & kWakeFlag) != 0;
    paths = std::move(parsed);
    consumed = at;
    return Parse::Complete;
}

}  // namespace s::platform::qt
