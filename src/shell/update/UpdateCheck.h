// s::app::update::UpdateCheck -- the periodic question "is there a newer
// version?", asked of the product's version service at most once every 720
// hours.
//
// The rules, in order: nothing happens when the current language lacks the
// "newer version" text (400200); the first run only stores the current hour;
// before 720 hours have passed, for a pre-release version (its last "." not
// followed by exactly two characters) and while offline nothing happens and
// nothing is stored. Otherwise the address text 500006 + "check/" is fetched
// (reply in memory, no user agent, no referrer, 8000 ms at most) and the hour
// is stored whether or not the download succeeded. A reply offers an update
// when it is text (see isTextReply), has at least five characters, starts
// with "*" and does not contain the version text 500010 anywhere. An offered
// update is put to the user through the IUpdateAsker; on yes the product page
// (500003) is opened.
//
// The check never blocks the caller's thread: begin() starts the download on
// the downloader's worker and returns. When the download ends, the worker
// hands the rest of the check to Pieces::post, which must deliver it to the
// thread that owns the store (the user-interface thread). A check destroyed
// before that continuation runs is stopped, and its continuation does nothing.
//
// Simplest use (on the user-interface thread):
//
//     auto check = UpdateCheck::create(pieces);   // keep it alive
//     check->begin();
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/EasyPooler.h"
#include "shell/update/Downloader.h"
#include "shell/update/IUpdateAsker.h"

namespace s::map {
class IMappedData;
}
namespace s::lang {
class Localizer;
}

namespace s::app::update {

class UpdateCheck : public std::enable_shared_from_this<UpdateCheck> {
public:
    static constexpr std::int32_t kIntervalHours = 720;
    static constexpr std::int32_t kTimeoutMs = 8000;
    static constexpr std::string_view kValueName = "Update";

    enum class Outcome {
        Disabled,    // the current language has no "newer version" text
        FirstRun,    // the clock was started; nothing fetched
        NotDue,      // fewer than 720 hours since the last check
        PreRelease,  // a pre-release version never checks
        Offline,     // not connected; nothing stored
        Started,     // the download runs; the continuation finishes the check
    };

    // Everything the check uses, handed in so that each piece can be replaced.
    struct Pieces {
        s::map::IMappedData* store = nullptr;
        std::string section;  // e.g. "MainWindow\\Version"
        s::lang::Localizer* localizer = nullptr;
        std::function<std::int32_t()> hoursNow;  // default: the system clock
        std::function<bool()> isOnline;          // default: always online
        std::shared_ptr<IUpdateAsker> asker;     // kept alive while it asks
        std::function<void(const std::string& url)> openUrl;
        // Delivers a continuation to the user-interface thread; called on the
        // downloader's worker. Must not block and must not run it inline.
        std::function<void(std::function<void()>)> post;
        std::int32_t timeoutMs = kTimeoutMs;
        // The version service's address, "check/" appended; empty: text 500006.
        std::string versionPage;
    };

    static std::shared_ptr<UpdateCheck> create(Pieces pieces);
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

    // Runs the rules up to the download; call once.
    Outcome begin();
    // True once the continuation has run (the hour stored, the user asked).
    bool finished() const { return finished_; }
    // True when the reply offered a newer version.
    bool offered() const { return offered_; }
    // Called when the continuation has run, after the question (for callers
    // that want to know, such as tests).
    void setFinishedListener(std::function<void()> listener) {
        finishedListener_ = std::move(listener);
    }

    // A release version: its last "." is followed by exactly two characters.
    static bool isRelease(std::string_view version);
    // A reply that is neither binary (control bytes other than tab, CR, LF,
    // or DEL) nor an HTML page (first non-blank "<", or "<html" anywhere).
    static bool isTextReply(std::string_view reply);
    static bool offersUpdate(std::string_view reply, std::string_view version);
    static std::int32_t hoursSinceEpoch(std::chrono::system_clock::time_point when);

private:
    explicit UpdateCheck(Pieces pieces);
    std::int32_t hoursNow() const;
    bool isOnline() const;
    void finish();
    void askAndOpen();

    Pieces pieces_;
    s::thread::Pooled<s::system::network::win::Downloader> downloader_;
    std::function<void()> finishedListener_;
    bool started_ = false;
    bool finished_ = false;
    bool offered_ = false;
};

}  // namespace s::app::update
