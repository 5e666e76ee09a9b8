// The downloader against a local server: replies in memory and in a file,
// failures that must not count as a reply (HTTP errors, too many redirects,
// an oversized body, a silent server), and stopping a transfer at once.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "shell/update/Downloader.h"
#include "shell/update/LocalHttpServer.h"

namespace {

using s::system::network::win::Downloader;
using tarvex::test::LocalHttpServer;
using Reply = LocalHttpServer::Reply;
using Clock = std::chrono::steady_clock;

class DownloaderTest : public testing::Test {
protected:
    void SetUp() override { tarvex::test::bypassProxies(); }

    // /redirect/N sends the client N more hops before /done answers.
    static Reply route(const std::string& path) {
        if (path == "/text") return LocalHttpServer::answer(200, "*1.25*\r\n");
        if (path == "/binary") return LocalHttpServer::answer(200, std::string("a\0b\x01\xff", 5));
        if (path == "/missing") return LocalHttpServer::answer(404, "not here");
        if (path == "/broken") return LocalHttpServer::answer(500, "*1.25*");
        if (path == "/cap")
            return LocalHttpServer::answer(200, std::string(Downloader::kMaxReplyBytes, 'x'));
        if (path == "/over-cap")
            return LocalHttpServer::answer(200, std::string(Downloader::kMaxReplyBytes + 1, 'x'));
        if (path == "/silent") return LocalHttpServer::silence();
        if (path == "/done") return LocalHttpServer::answer(200, "arrived");
        const std::string prefix = "/redirect/";
        if (path.rfind(prefix, 0) == 0) {
            const int left = std::stoi(path.substr(prefix.size()));
            const std::string next = left <= 1 ? "/done" : prefix + std::to_string(left - 1);
            return LocalHttpServer::answer(302, "", {"Location: " + next});
        }
        return LocalHttpServer::answer(404, "");
    }

    Downloader& fresh(const std::string& path) {
        downloader_ = Downloader::take();
        downloader_->setAddress(server_.url(path));
        return *downloader_;
    }

    LocalHttpServer server_{route};
    s::thread::Pooled<Downloader> downloader_;
};

TEST_F(DownloaderTest, KeepsTheReplyBytesInMemory) {
    struct Case {
        const char* path;
        std::string reply;
    };
    const Case cases[] = {
        {"/text", "*1.25*\r\n"},
        {"/binary", std::string("a\0b\x01\xff", 5)},
        {"/cap", std::string(Downloader::kMaxReplyBytes, 'x')},
        {"/redirect/5", "arrived"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Downloader& downloader = fresh(c.path);
        downloader.keepInMemory(true);
        EXPECT_TRUE(downloader.download(5000));
        EXPECT_TRUE(downloader.succeeded());
        EXPECT_EQ(downloader.replyText(), c.reply);
        EXPECT_EQ(downloader.tempFilePath(), "");
    }
}

TEST_F(DownloaderTest, FailuresGiveNoReply) {
    for (const char* path : {"/missing", "/broken", "/over-cap", "/redirect/6"}) {
        SCOPED_TRACE(path);
        Downloader& downloader = fresh(path);
        EXPECT_FALSE(downloader.download(5000));
        EXPECT_FALSE(downloader.succeeded());
        EXPECT_EQ(downloader.replyText(), "");
    }
    // Nobody listens on a port that was just closed.
    int closedPort = 0;
    {
        LocalHttpServer gone{route};
        closedPort = gone.port();
    }
    Downloader& downloader = fresh("/text");
    downloader.setAddress("http://127.0.0.1:" + std::to_string(closedPort) + "/text");
    EXPECT_FALSE(downloader.download(5000));
}

TEST_F(DownloaderTest, OnlyHttpAndHttpsAreFetched) {
    const std::string local = testing::TempDir() + "/tarvex-local-reply.txt";
    std::ofstream(local) << "*1.25*";
    for (const std::string& address : {"file://" + local, std::string("ftp://127.0.0.1/x")}) {
        SCOPED_TRACE(address);
        Downloader& downloader = fresh("/text");
        downloader.setAddress(address);
        EXPECT_FALSE(downloader.download(2000));
        EXPECT_EQ(downloader.replyText(), "");
    }
    std::filesystem::remove(local);
}

TEST_F(DownloaderTest, LeavesTheReplyInAFileUntilTheNextStart) {
    Downloader& downloader = fresh("/text");
    downloader.keepInMemory(false);
    ASSERT_TRUE(downloader.download(5000));
    const std::string path = downloader.tempFilePath();
    ASSERT_FALSE(path.empty());
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "*1.25*\r\n");
    EXPECT_EQ(downloader.replyText(), "");

    downloader.setAddress(server_.url("/missing"));
    EXPECT_FALSE(downloader.download(5000));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(downloader.tempFilePath(), "");
}

TEST_F(DownloaderTest, SendsAgentAndReferrerOnlyWhenSet) {
    fresh("/text").download(5000);
    Downloader& labelled = fresh("/text");
    labelled.setUserAgent("TestAgent/1");
    labelled.setReferrer("http://127.0.0.1/from");
    labelled.download(5000);
    const auto requests = server_.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].head.find("User-Agent:"), std::string::npos);
    EXPECT_EQ(requests[0].head.find("Referer:"), std::string::npos);
    EXPECT_NE(requests[1].head.find("User-Agent: TestAgent/1\r\n"), std::string::npos);
    EXPECT_NE(requests[1].head.find("Referer: http://127.0.0.1/from\r\n"), std::string::npos);
    EXPECT_EQ(requests[1].path, "/text");
}

TEST_F(DownloaderTest, ASilentServerTimesOut) {
    Downloader& downloader = fresh("/silent");
    const auto begin = Clock::now();
    EXPECT_FALSE(downloader.download(400));
    const auto waited = Clock::now() - begin;
    EXPECT_GE(waited, std::chrono::milliseconds(350));
    EXPECT_LT(waited, std::chrono::milliseconds(1500));
    EXPECT_FALSE(downloader.succeeded());
}

TEST_F(DownloaderTest, StopEndsAWaitingTransferAtOnce) {
    Downloader& downloader = fresh("/silent");
    std::atomic<int> finished{0};
    downloader.setFinishedCallback([&] { ++finished; });
    downloader.start();
    while (server_.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto begin = Clock::now();
    EXPECT_TRUE(downloader.stop(1000));
    EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(300));
    EXPECT_FALSE(downloader.succeeded());
    downloader_.reset();  // joins the worker, so the callback has run
    EXPECT_EQ(finished, 1);
}

TEST_F(DownloaderTest, OfflineMeansNoRequest) {
    Downloader& downloader = fresh("/text");
    downloader.setOnlineCheck([] { return false; });
    EXPECT_FALSE(downloader.download(5000));
    EXPECT_TRUE(server_.requests().empty());
}

}  // namespace
