#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>

#include "ui/platform/HandOverMessage.h"
#include "ui/platform/SingleInstance.h"

namespace {

using s::platform::qt::HandOverMessage;
using s::platform::qt::SingleInstance;

// The path main.cpp's second copy uses.
constexpr char kExecutable[] = "/opt/tarvex-test/bin/tarvex";

struct Received {
    int count = 0;
    bool wake = false;
    std::vector<std::string> paths;
};

void listenInto(SingleInstance& instance, Received& received) {
    instance.setHandler([&received](bool wake, const std::vector<std::string>& paths) {
        ++received.count;
        received.wake = wake;
        received.paths = paths;
    });
    ASSERT_TRUE(instance.listen());
}

bool waitFor(const Received& received, int count, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (received.count < count && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return received.count >= count;
}

// A socket file nobody listens on, as a crashed copy leaves it.
void makeStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = QFile::encodeName(path);
    ASSERT_LT(static_cast<std::size_t>(bytes.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(path));
}

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir folder_;
};

TEST_F(SingleInstanceTest, SecondCopyHandsItsPathsOverInOrder) {
    SingleInstance first(kExecutable, folder_.path());
    Received received;
    listenInto(first, received);

    // A real second process, started in another working folder.
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARVEX_HANDOVER_CHILD", folder_.path());
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(QDir::rootPath());
    second.start(QCoreApplication::applicationFilePath(),
                 {"tmp/b photo.jpg", "/data/a\xc3\xa9.png"});
    ASSERT_TRUE(waitFor(received, 1));
    // The finish may already have been seen while waiting above.
    ASSERT_TRUE(second.state() == QProcess::NotRunning || second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);

    EXPECT_TRUE(received.wake);
    // Relative paths arrive absolute against the second copy's folder.
    EXPECT_EQ(received.paths,
              (std::vector<std::string>{"/tmp/b photo.jpg", "/data/a\xc3\xa9.png"}));
}

TEST_F(SingleInstanceTest, HandOverWithoutARunningCopyFails) {
    SingleInstance alone(kExecutable, folder_.path());
    EXPECT_FALSE(alone.tryHandOver({"a.jpg"}));
    EXPECT_FALSE(alone.notifyOther(false, {}));
}

TEST_F(SingleInstanceTest, StaleSocketFileIsTakenOver) {
    SingleInstance first(kExecutable, folder_.path());
    makeStaleSocket(first.socketPath());

    Received received;
    listenInto(first, received);
    SingleInstance second(kExecutable, folder_.path());
    EXPECT_TRUE(second.tryHandOver({"/x/a.jpg"}));
    ASSERT_TRUE(waitFor(received, 1));
    EXPECT_EQ(received.paths, (std::vector<std::string>{"/x/a.jpg"}));
}

TEST_F(SingleInstanceTest, OnlyOneCopyServesAName) {
    SingleInstance first(kExecutable, folder_.path());
    Received received;
    listenInto(first, received);
    SingleInstance second(kExecutable, folder_.path());
    EXPECT_FALSE(second.listen());
    EXPECT_TRUE(first.isListening());
    // Only detecting the other copy sends it nothing.
    EXPECT_TRUE(second.notifyOther(false, {"/x/a.jpg"}));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(received.count, 0);
}

TEST_F(SingleInstanceTest, CopyFromAnotherFolderRunsAlongside) {
    SingleInstance first(kExecutable, folder_.path());
    SingleInstance other("/home/ann/tarvex/tarvex", folder_.path());
    EXPECT_NE(first.socketPath(), other.socketPath());
    EXPECT_TRUE(first.listen());
    EXPECT_TRUE(other.listen());
    EXPECT_NE(SingleInstance::socketPathFor(kExecutable, 1000, "/run"),
              SingleInstance::socketPathFor(kExecutable, 1001, "/run"));
}

TEST_F(SingleInstanceTest, MalformedMessageIsDroppedAndServingGoesOn) {
    SingleInstance first(kExecutable, folder_.path());
    Received received;
    listenInto(first, received);

    QLocalSocket rogue;
    rogue.connectToServer(first.socketPath());
    ASSERT_TRUE(rogue.waitForConnected(1000));
    rogue.write(QByteArray("TRVX\x01\xff\xff\xff\xff", 9));  // four billion paths
    rogue.waitForBytesWritten(1000);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(received.count, 0);

    SingleInstance second(kExecutable, folder_.path());
    EXPECT_TRUE(second.tryHandOver({"/x/a.jpg"}));
    ASSERT_TRUE(waitFor(received, 1));
}

TEST(HandOverMessageTest, RoundTripAndEveryCutNeedsMore) {
    HandOverMessage message;
    message.wake = true;
    message.paths = {"/a b.jpg", "", QString::fromUtf8("/\xc3\xa9t\xc3\xa9.png")};
    const QByteArray bytes = message.encode();

    HandOverMessage read;
    qsizetype consumed = 0;
    ASSERT_EQ(read.parse(bytes, consumed), HandOverMessage::Parse::Complete);
    EXPECT_EQ(consumed, bytes.size());
    EXPECT_TRUE(read.wake);
    EXPECT_EQ(read.paths, message.paths);

    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        HandOverMessage partial;
        EXPECT_EQ(partial.parse(bytes.left(cut), consumed), HandOverMessage::Parse::NeedMore)
            << cut;
    }
}

TEST(HandOverMessageTest, BrokenMessagesAreInvalid) {
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"magic", QByteArray("TRVY\x01\0\0\0\0", 9)},
        {"path count", QByteArray("TRVX\x01\x00\x01\x86\xa1", 9)},              // 100001 paths
        {"path length", QByteArray("TRVX\x01\0\0\0\x01\x00\x01\x00\x01", 13)},  // 65537 bytes
    };
    for (const Case& c : cases) {
        HandOverMessage message;
        qsizetype consumed = 0;
        EXPECT_EQ(message.parse(c.bytes, consumed), HandOverMessage::Parse::Invalid) << c.what;
    }
}

}  // namespace
