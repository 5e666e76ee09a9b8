#include "shell/update/UpdateCheck.h"

#include <algorithm>
#include <cctype>

#include "shell/lang/Localizer.h"
#include "shell/map/IMappedData.h"

namespace s::app::update {

namespace {

enum TextId : std::uint32_t {
    kNewerVersionText = 400200,
    kQuestionTitle = 400210,
    kQuestionText = 400230,
    kYesLabel = 400330,
    kNoLabel = 400340,
    kProductPage = 500003,
    kVersionPage = 500006,
    kVersion = 500010,
};

constexpr std::size_t kMinimumReplyLength = 5;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool containsNoCase(std::string_view text, std::string_view word) {
    const auto it =
        std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    return it != text.end();
}

}  // namespace

std::shared_ptr<UpdateCheck> UpdateCheck::create(Pieces pieces) {
    return std::shared_ptr<UpdateCheck>(new UpdateCheck(std::move(pieces)));
}

UpdateCheck::UpdateCheck(Pieces pieces) : pieces_(std::move(pieces)) {}

// Releasing the downloader stops its transfer and waits for its worker, so no
// callback outlives the check.
UpdateCheck::~UpdateCheck() = default;

bool UpdateCheck::isRelease(std::string_view version) {
    const std::size_t dot = version.rfind('.');
    return dot != std::string_view::npos && version.size() - dot - 1 == 2;
}

bool UpdateCheck::isTextReply(std::string_view reply) {
    for (const char c : reply) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F) return false;
    }
    const auto first = std::find_if_not(reply.begin(), reply.end(), isBlank);
    if (first != reply.end() && *first == '<') return false;
    return !containsNoCase(reply, "<html");
}

bool UpdateCheck::offersUpdate(std::string_view reply, std::string_view version) {
    return reply.size() >= kMinimumReplyLength && reply.front() == '*' &&
           reply.find(version) == std::string_view::npos;
}

std::int32_t UpdateCheck::hoursSinceEpoch(std::chrono::system_clock::time_point when) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count();
    return static_cast<std::int32_t>(ms / 1000 / 3600);
}

std::int32_t UpdateCheck::hoursNow() const {
    return pieces_.hoursNow ? pieces_.hoursNow()
                            : hoursSinceEpoch(std::chrono::system_clock::now());
}

bool UpdateCheck::isOnline() const {
    return !pieces_.isOnline || pieces_.isOnline();
}

UpdateCheck::Outcome UpdateCheck::begin() {
    if (started_ || !pieces_.store || !pieces_.localizer || !pieces_.post) return Outcome::Disabled;
    s::lang::Localizer& texts = *pieces_.localizer;
    s::map::IMappedData& store = *pieces_.store;
    if (!texts.hasText(kNewerVersionText)) return Outcome::Disabled;

    const std::int64_t last = store.getInt32(pieces_.section, kValueName, 0);
    const std::int64_t now = hoursNow();
    if (last == 0) {
        store.setInt32(pieces_.section, kValueName, static_cast<std::int32_t>(now));
        return Outcome::FirstRun;
    }
    // A stored hour in the future (the clock was set back, or a damaged
    // value) would otherwise silence the check until that hour comes; it
    // counts as due, and the check then stores the true hour.
    if (last <= now && now - last < kIntervalHours) return Outcome::NotDue;
    if (!isRelease(texts.text(kVersion))) return Outcome::PreRelease;
    if (!isOnline()) return Outcome::Offline;

    downloader_ = s::system::network::win::Downloader::take();
    if (!downloader_) return Outcome::Offline;
    const std::string& page =
        pieces_.versionPage.empty() ? texts.text(kVersionPage) : pieces_.versionPage;
    downloader_->setAddress(page + "check/");
    downloader_->keepInMemory(true);
    downloader_->setTimeout(pieces_.timeoutMs);
    // The worker only posts; everything else runs where the continuation is
    // delivered. The weak reference drops a continuation whose check is gone.
    std::weak_ptr<UpdateCheck> weak = weak_from_this();
    downloader_->setFinishedCallback([weak, post = pieces_.post] {
        post([weak] {
            if (std::shared_ptr<UpdateCheck> self = weak.lock()) self->finish();
        });
    });
    started_ = true;
    downloader_->start();
    return Outcome::Started;
}

void UpdateCheck::finish() {
    if (finished_) return;
    s::lang::Localizer& texts = *pieces_.localizer;
    const std::string reply = downloader_->succeeded() ? downloader_->replyText() : std::string();
    offered_ = isTextReply(reply) && offersUpdate(reply, texts.text(kVersion));
    // Stored before the question: the question waits for the user, and the
    // window that owns the store may close meanwhile.
    pieces_.store->setInt32(pieces_.section, kValueName, hoursNow());
    finished_ = true;
    if (offered_) askAndOpen();
    if (finishedListener_) finishedListener_();
}

void UpdateCheck::askAndOpen() {
    // Held here: the question runs an event loop, in which its owner may go.
    const std::shared_ptr<IUpdateAsker> asker = pieces_.asker;
    if (!asker) return;
    s::lang::Localizer& texts = *pieces_.localizer;
    const std::string title = texts.text(kQuestionTitle);
    const std::string message = title + " \r\n" + texts.text(kQuestionText);
    if (asker->askToVisit(title, message, texts.text(kYesLabel), texts.text(kNoLabel)) &&
        pieces_.openUrl) {
        pieces_.openUrl(texts.text(kProductPage));
    }
}

}  // namespace s::app::update
