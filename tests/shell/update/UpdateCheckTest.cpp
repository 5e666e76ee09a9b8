// The update check's rules against a local version service: when it asks
// (first run, 720 hours, release versions, online), what a reply offers, that
// the hour is stored exactly when the service was asked, and that nothing
// runs on the caller's thread while the download waits.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "shell/lang/LocalizerFactory.h"
#include "shell/reg/MappedData.h"
#include "shell/reg/StoreLocation.h"
#include "shell/update/LocalHttpServer.h"
#include "shell/update/UpdateCheck.h"

namespace {

using s::app::update::UpdateCheck;
using Outcome = UpdateCheck::Outcome;
using s::thread::Pooled;
using tarvex::test::LocalHttpServer;
using namespace std::chrono_literals;

constexpr const char* kSection = "MainWindow\\Version";
constexpr std::int32_t kNow = 440000;  // some hour in 2020

// Continuations posted by the worker, run by the test thread as the window's
// event loop would run them.
class PostQueue {
public:
    void post(std::function<void()> work) {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
        ready_.notify_all();
    }
    // Runs the first continuation to arrive; false when none came in time.
    bool runNext(std::chrono::milliseconds within = 5000ms) {
        std::unique_lock lock(mutex_);
        if (!ready_.wait_for(lock, within, [this] { return !queue_.empty(); })) return false;
        std::function<void()> work = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        work();
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> queue_;
};

struct ScriptedAsker final : s::app::update::IUpdateAsker {
    bool askToVisit(const std::string& title, const std::string& message,
                    const std::string& yesLabel, const std::string& noLabel) override {
        questions.push_back({title, message, yesLabel, noLabel});
        return answer;
    }
    bool answer = true;
    std::vector<std::vector<std::string>> questions;
};

std::string entry(int id, const std::string& text) {
    return "<entry id=\"" + std::to_string(id) + "\"><eng>" + text + "</eng></entry>";
}

class UpdateCheckTest : public testing::Test {
protected:
    void SetUp() override {
        tarvex::test::bypassProxies();
        std::string pattern = testing::TempDir() + "/tarvex-update-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        store_ =
            s::reg::MappedData::open(s::reg::StoreLocation::kSaveDataKey, folder_ + "/registry.db");
        ASSERT_TRUE(store_);
    }
    void TearDown() override {
        store_.reset();
        std::filesystem::remove_all(folder_);
    }

    void useTexts(const std::string& version, bool withNewerText = true) {
        std::string document =
            "<lang><languages><entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
            "</languages><entries>";
        if (withNewerText) document += entry(400200, "There is a newer version available.");
        document += entry(400210, "There is improved version available.");
        document += entry(400230, "Would you like to check it out?");
        document += entry(400330, "&#160;      Yes      &#160;");
        document += entry(400340, "&#160;      No      &#160;");
        document += entry(500003, "https://product.invalid/page/");
        document += entry(500006, server_.url("/tarvex/version/"));
        document += entry(500010, version);
        document += "</entries></lang>";
        localizer_ = s::lang::LocalizerFactory::create(document, "English");
        ASSERT_TRUE(localizer_);
    }

    std::shared_ptr<UpdateCheck> makeCheck(std::int32_t timeoutMs = UpdateCheck::kTimeoutMs) {
        UpdateCheck::Pieces pieces;
        pieces.store = store_.get();
        pieces.section = kSection;
        pieces.localizer = localizer_.get();
        pieces.hoursNow = [this] { return now_; };
        pieces.isOnline = [this] { return online_; };
        pieces.asker = std::shared_ptr<ScriptedAsker>(&asker_, [](ScriptedAsker*) {});
        pieces.openUrl = [this](const std::string& url) { opened_.push_back(url); };
        pieces.post = [this](std::function<void()> work) { posted_.post(std::move(work)); };
        pieces.timeoutMs = timeoutMs;
        return UpdateCheck::create(std::move(pieces));
    }

    // A check that is due, run to its end.
    std::shared_ptr<UpdateCheck> runDueCheck() {
        store_->setInt32(kSection, "Update", kNow - UpdateCheck::kIntervalHours);
        std::shared_ptr<UpdateCheck> check = makeCheck();
        EXPECT_EQ(check->begin(), Outcome::Started);
        EXPECT_TRUE(posted_.runNext());
        EXPECT_TRUE(check->finished());
        return check;
    }

    std::int32_t stored() { return store_->getInt32(kSection, "Update", -1); }

    std::string reply_ = "*1.24*";
    int status_ = 200;
    LocalHttpServer server_{[this](const std::string& path) {
        if (path == "/tarvex/version/silent/check/") return LocalHttpServer::silence();
        return LocalHttpServer::answer(status_, reply_);
    }};
    std::string folder_;
    Pooled<s::reg::MappedData> store_;
    Pooled<s::lang::Localizer> localizer_;
    std::int32_t now_ = kNow;
    bool online_ = true;
    ScriptedAsker asker_;
    std::vector<std::string> opened_;
    PostQueue posted_;
};

TEST_F(UpdateCheckTest, TheFirstRunOnlyStartsTheClock) {
    useTexts("1.24");
    EXPECT_EQ(makeCheck()->begin(), Outcome::FirstRun);
    EXPECT_EQ(stored(), kNow);
    EXPECT_TRUE(server_.requests().empty());
}

TEST_F(UpdateCheckTest, AsksTheServiceOnceEvery720Hours) {
    useTexts("1.24");
    store_->setInt32(kSection, "Update", kNow - 719);
    EXPECT_EQ(makeCheck()->begin(), Outcome::NotDue);
    EXPECT_EQ(stored(), kNow - 719);
    EXPECT_TRUE(server_.requests().empty());

    runDueCheck();
    ASSERT_EQ(server_.requests().size(), 1u);
    EXPECT_EQ(server_.requests()[0].path, "/tarvex/version/check/");
    EXPECT_EQ(stored(), kNow);
}

TEST_F(UpdateCheckTest, AStoredHourFromTheFutureDoesNotSilenceTheCheck) {
    useTexts("1.24");
    store_->setInt32(kSection, "Update", kNow + 5000);
    const auto check = makeCheck();
    EXPECT_EQ(check->begin(), Outcome::Started);
    ASSERT_TRUE(posted_.runNext());
    EXPECT_EQ(stored(), kNow);
}

TEST_F(UpdateCheckTest, WhatARepliesOffers) {
    struct Case {
        const char* name;
        std::string reply;
        int status;
        bool offered;
    };
    const Case cases[] = {
        {"our version", "*1.24*", 200, false},
        {"a newer version", "*1.25*", 200, true},
        {"a list without ours", "*1.2 and more", 200, true},
        {"ours among others", "*1.23*1.24*1.25*", 200, false},
        {"no leading asterisk", "1.25", 200, false},
        {"four characters", "*1.2", 200, false},
        {"exactly five", "*1.2x", 200, true},
        {"binary bytes", std::string("*1.25\0\x01", 7), 200, false},
        {"an HTML page", "*1.25*<html><body>moved</body></html>", 200, false},
        {"markup after blanks", " \r\n<p>*1.25*</p>", 200, false},
        {"an HTTP error", "*1.25*", 404, false},
        {"version in other case", "*1.24B*", 200, false},
    };
    useTexts("1.24");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reply_ = c.reply;
        status_ = c.status;
        asker_.questions.clear();
        opened_.clear();
        const auto check = runDueCheck();
        EXPECT_EQ(check->offered(), c.offered);
        EXPECT_EQ(asker_.questions.size(), c.offered ? 1u : 0u);
        EXPECT_EQ(opened_.size(), c.offered ? 1u : 0u);
        EXPECT_EQ(stored(), kNow) << "a check that asked the service stores the hour";
    }
}

TEST_F(UpdateCheckTest, TheQuestionAndTheAnswer) {
    useTexts("1.24");
    reply_ = "*1.25*";
    runDueCheck();
    ASSERT_EQ(asker_.questions.size(), 1u);
    EXPECT_EQ(asker_.questions[0],
              (std::vector<std::string>{
                  "There is improved version available.",
                  "There is improved version available. \r\nWould you like to check it out?",
                  localizer_->text(400330), localizer_->text(400340)}));
    EXPECT_EQ(opened_, std::vector<std::string>{"https://product.invalid/page/"});

    asker_.answer = false;
    opened_.clear();
    runDueCheck();
    EXPECT_TRUE(opened_.empty());
}

TEST_F(UpdateCheckTest, ChecksThatStopBeforeAskingStoreNothing) {
    struct Case {
        const char* name;
        const char* version;
        bool withNewerText;
        bool online;
        std::int32_t last;
        Outcome outcome;
    };
    const Case cases[] = {
        {"three digits after the dot", "1.245", true, true, 1, Outcome::PreRelease},
        {"one digit after the dot", "1.2", true, true, 1, Outcome::PreRelease},
        {"no dot", "124", true, true, 1, Outcome::PreRelease},
        {"offline", "1.24", true, false, 1, Outcome::Offline},
        {"no newer-version text", "1.24", false, true, 1, Outcome::Disabled},
        {"no newer-version text, first run", "1.24", false, true, 0, Outcome::Disabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useTexts(c.version, c.withNewerText);
        online_ = c.online;
        store_->setInt32(kSection, "Update", c.last);
        EXPECT_EQ(makeCheck()->begin(), c.outcome);
        EXPECT_EQ(stored(), c.last);
    }
    EXPECT_TRUE(server_.requests().empty());
}

TEST_F(UpdateCheckTest, ASilentServiceNeverHoldsTheCaller) {
    useTexts("1.24");
    // The address text names the silent path instead of the usual one.
    std::string document =
        "<lang><languages><entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
        "</languages><entries>" +
        entry(400200, "newer") + entry(500006, server_.url("/tarvex/version/silent/")) +
        entry(500010, "1.24") + "</entries></lang>";
    localizer_ = s::lang::LocalizerFactory::create(document, "English");
    store_->setInt32(kSection, "Update", 1);

    const auto check = makeCheck(300);
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(check->begin(), Outcome::Started);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 100ms);
    EXPECT_EQ(stored(), 1) << "nothing stored before the download ends";
    ASSERT_TRUE(posted_.runNext());
    EXPECT_GE(std::chrono::steady_clock::now() - begin, 250ms);
    EXPECT_FALSE(check->offered());
    EXPECT_EQ(stored(), kNow);
}

TEST_F(UpdateCheckTest, AContinuationOfADroppedCheckDoesNothing) {
    useTexts("1.24");
    reply_ = "*1.25*";
    store_->setInt32(kSection, "Update", 1);
    auto check = makeCheck();
    EXPECT_EQ(check->begin(), Outcome::Started);
    while (server_.requests().empty()) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(50ms);
    check.reset();  // the window closed while the download ran
    posted_.runNext(500ms);
    EXPECT_EQ(stored(), 1);
    EXPECT_TRUE(asker_.questions.empty());
}

TEST(UpdateCheckRules, HoursSinceTheEpoch) {
    using namespace std::chrono;
    const system_clock::time_point epoch{};
    EXPECT_EQ(UpdateCheck::hoursSinceEpoch(epoch), 0);
    EXPECT_EQ(UpdateCheck::hoursSinceEpoch(epoch + 3599999ms), 0);
    EXPECT_EQ(UpdateCheck::hoursSinceEpoch(epoch + 3600000ms), 1);
    EXPECT_EQ(UpdateCheck::hoursSinceEpoch(sys_days{year{2019} / 6 / 28}), 18075 * 24);
}

}  // namespace
