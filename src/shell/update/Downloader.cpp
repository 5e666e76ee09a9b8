#include "shell/update/Downloader.h"

#include <curl/curl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace s::system::network::win {

namespace {

// How long the worker sleeps in one poll when nothing happens; a stop wakes
// it earlier through curl_multi_wakeup.
constexpr int kPollMs = 200;
// The waiting step of the blocking download().
constexpr auto kWaitStep = std::chrono::milliseconds(200);
// What a timed-out download() gives the worker to stop.
constexpr std::int32_t kStopGraceMs = 100;

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A fresh, empty file in the temporary folder; "" when none can be made.
std::string makeTempFile() {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec) folder = "/tmp";
    std::string pattern = (folder / "tarvex-download-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return {};
    ::close(fd);
    return name.data();
}

}  // namespace

struct Downloader::Request {
    std::string address;
    std::string userAgent;
    std::string referrer;
    bool inMemory = true;
    std::int32_t timeoutMs = kDefaultTimeoutMs;
    FinishedCallback finished;
};

// What the write callback fills: the body in memory or in a file, with the
// running size for the cap.
struct Downloader::Transfer {
    std::string body;
    std::FILE* file = nullptr;
    std::size_t size = 0;
    bool tooLong = false;
    bool writeFailed = false;

    static std::size_t write(char* data, std::size_t one, std::size_t count, void* self) {
        auto& transfer = *static_cast<Transfer*>(self);
        const std::size_t n = one * count;
        if (n > kMaxReplyBytes - transfer.size) {
            transfer.tooLong = true;
            return 0;  // anything but n aborts the transfer
        }
        if (transfer.file) {
            if (std::fwrite(data, 1, n, transfer.file) != n) {
                transfer.writeFailed = true;
                return 0;
            }
        } else {
            transfer.body.append(data, n);
        }
        transfer.size += n;
        return n;
    }
};

Downloader::~Downloader() {
    stop(0);
    joinWorker();
    removeReplyFile();
}

void Downloader::reset() {
    stop(0);
    joinWorker();
    removeReplyFile();
    address_.clear();
    userAgent_.clear();
    referrer_.clear();
    inMemory_ = true;
    timeoutMs_ = kDefaultTimeoutMs;
    finishedCallback_ = nullptr;
    onlineCheck_ = nullptr;
    std::lock_guard lock(mutex_);
    succeeded_ = false;
    reply_.clear();
}

void Downloader::setAddress(std::string_view url) {
    address_ = url;
}
void Downloader::keepInMemory(bool inMemory) {
    inMemory_ = inMemory;
}
void Downloader::setUserAgent(std::string_view text) {
    userAgent_ = text;
}
void Downloader::setReferrer(std::string_view text) {
    referrer_ = text;
}
void Downloader::setTimeout(std::int32_t ms) {
    timeoutMs_ = ms > 0 ? ms : kDefaultTimeoutMs;
}
void Downloader::setFinishedCallback(FinishedCallback callback) {
    finishedCallback_ = std::move(callback);
}
void Downloader::setOnlineCheck(OnlineCheck check) {
    onlineCheck_ = std::move(check);
}

bool Downloader::succeeded() const {
    std::lock_guard lock(mutex_);
    return succeeded_;
}

std::string Downloader::tempFilePath() const {
    std::lock_guard lock(mutex_);
    return tempPath_;
}

std::string Downloader::replyText() const {
    std::lock_guard lock(mutex_);
    return reply_;
}

void Downloader::start() {
    launch(timeoutMs_);
}

bool Downloader::download(std::int32_t timeoutMs) {
    if (onlineCheck_ && !onlineCheck_()) return false;
    if (timeoutMs <= 0) timeoutMs = kDefaultTimeoutMs;
    launch(timeoutMs);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    {
        std::unique_lock lock(mutex_);
        while (running_) {
            const auto now = std::chrono::steady_clock::now();
            if (now >= deadline) break;
            finishedCv_.wait_for(lock,
                                 std::min<std::chrono::nanoseconds>(kWaitStep, deadline - now));
        }
    }
    if (stop(kStopGraceMs)) joinWorker();
    return succeeded();
}

bool Downloader::stop(std::int32_t waitMs) {
    std::unique_lock lock(mutex_);
    if (!running_) return true;
    stopRequested_ = true;
    if (multi_) curl_multi_wakeup(static_cast<CURLM*>(multi_));
    finishedCv_.wait_for(lock, std::chrono::milliseconds(waitMs < 0 ? 0 : waitMs),
                         [this] { return !running_; });
    return !running_;
}

void Downloader::launch(std::int32_t timeoutMs) {
    stop(0);
    joinWorker();
    removeReplyFile();
    initCurlOnce();
    Request request{address_, userAgent_, referrer_, inMemory_, timeoutMs, finishedCallback_};
    {
        std::lock_guard lock(mutex_);
        running_ = true;
        succeeded_ = false;
        reply_.clear();
    }
    stopRequested_ = false;
    worker_ = std::thread([this, request = std::move(request)] { run(request); });
}

void Downloader::joinWorker() {
    if (worker_.joinable()) worker_.join();
}

void Downloader::run(const Request& request) {
    Transfer transfer;
    std::string filePath;
    if (!request.inMemory) {
        filePath = makeTempFile();
        transfer.file = filePath.empty() ? nullptr : std::fopen(filePath.c_str(), "wb");
    }
    bool ok = (request.inMemory || transfer.file) && perform(request, transfer);
    if (transfer.file && std::fclose(transfer.file) != 0) ok = false;
    if (!ok && !filePath.empty()) {
        std::remove(filePath.c_str());
        filePath.clear();
    }
    finish(ok, std::move(transfer.body), std::move(filePath));
    if (request.finished) request.finished();
}

bool Downloader::perform(const Request& request, Transfer& transfer) {
    CURL* easy = curl_easy_init();
    CURLM* multi = curl_multi_init();
    if (!easy || !multi) {
        if (easy) curl_easy_cleanup(easy);
        if (multi) curl_multi_cleanup(multi);
        return false;
    }
    curl_easy_setopt(easy, CURLOPT_URL, request.address.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.timeoutMs));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeoutMs));
    // Always ask the server, never a cache on the way.
    curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    if (!request.userAgent.empty())
        curl_easy_setopt(easy, CURLOPT_USERAGENT, request.userAgent.c_str());
    if (!request.referrer.empty())
        curl_easy_setopt(easy, CURLOPT_REFERER, request.referrer.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_multi_add_handle(multi, easy);
    {
        std::lock_guard lock(mutex_);
        multi_ = multi;
    }

    int stillRunning = 1;
    CURLMcode code = CURLM_OK;
    while (stillRunning && !stopRequested_ && code == CURLM_OK) {
        code = curl_multi_perform(multi, &stillRunning);
        if (stillRunning && code == CURLM_OK && !stopRequested_) {
            code = curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
        }
    }

    bool ok = false;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
            long status = 0;
            curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
            ok = message->data.result == CURLE_OK && status >= 200 && status < 300;
        }
    }
    ok = ok && !stopRequested_ && !transfer.tooLong && !transfer.writeFailed;

    {
        std::lock_guard lock(mutex_);
        multi_ = nullptr;
    }
    curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
    curl_multi_cleanup(multi);
    curl_slist_free_all(headers);
    return ok;
}

void Downloader::finish(bool ok, std::string reply, std::string filePath) {
    {
        std::lock_guard lock(mutex_);
        succeeded_ = ok;
        reply_ = ok ? std::move(reply) : std::string();
        tempPath_ = std::move(filePath);
        running_ = false;
    }
    finishedCv_.notify_all();
}

void Downloader::removeReplyFile() {
    std::lock_guard lock(mutex_);
    if (!tempPath_.empty()) std::remove(tempPath_.c_str());
    tempPath_.clear();
}

}  // namespace s::system::network::win
