// s::system::network::win::Downloader -- the IDownloader on libcurl.
//
// Guarantees:
// - HTTP and HTTPS only (redirects too), certificates and host names checked,
//   the usual proxy environment variables (http_proxy, https_proxy, no_proxy)
//   honoured.
// - At most kMaxRedirects redirects are followed; one more fails the transfer.
// - A reply longer than kMaxReplyBytes aborts the transfer, which fails: the
//   downloader only fetches short texts and never buffers an unbounded body.
// - Only a complete reply with a 2xx status succeeds.
// - stop() interrupts a transfer at once, even one waiting on a silent server.
// - A reply left in a file belongs to the downloader until the next start or
//   reset, which delete the file; move it elsewhere to keep it.
//
// Simplest use: see IDownloader. The destructor and reset() stop a running
// transfer and wait for the worker.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "foundation/EasyPooler.h"
#include "shell/update/IDownloader.h"

namespace s::system::network::win {

class Downloader final : public IDownloader, public s::thread::IPoolable {
    TARVEX_POOLED(Downloader, "s_system_network_win_Downloader")
public:
    static constexpr std::size_t kMaxReplyBytes = 64 * 1024;
    static constexpr long kMaxRedirects = 5;
    static constexpr std::int32_t kDefaultTimeoutMs = 30000;

    Downloader() = default;
    ~Downloader() override;
    Downloader(const Downloader&) = delete;
    Downloader& operator=(const Downloader&) = delete;

    // Stops a transfer, deletes a reply file and forgets every setting.
    void reset() override;

    void start() override;
    bool stop(std::int32_t waitMs) override;

    void setAddress(std::string_view url) override;
    void keepInMemory(bool inMemory) override;
    void setUserAgent(std::string_view text) override;
    void setReferrer(std::string_view text) override;
    void setTimeout(std::int32_t ms) override;
    void setFinishedCallback(FinishedCallback callback) override;
    void setOnlineCheck(OnlineCheck check) override;

    bool download(std::int32_t timeoutMs) override;
    bool succeeded() const override;
    std::string tempFilePath() const override;
    std::string replyText() const override;

private:
    struct Request;
    struct Transfer;

    void launch(std::int32_t timeoutMs);
    void joinWorker();
    void run(const Request& request);
    bool perform(const Request& request, Transfer& transfer);
    void finish(bool ok, std::string reply, std::string filePath);
    void removeReplyFile();

    // Settings: written and read on the owner's thread only.
    std::string address_;
    std::string userAgent_;
    std::string referrer_;
    bool inMemory_ = true;
    std::int32_t timeoutMs_ = kDefaultTimeoutMs;
    FinishedCallback finishedCallback_;
    OnlineCheck onlineCheck_;

    // Result and worker state, guarded by mutex_.
    mutable std::mutex mutex_;
    std::condition_variable finishedCv_;
    bool running_ = false;
    bool succeeded_ = false;
    std::string reply_;
    std::string tempPath_;
    void* multi_ = nullptr;  // the running transfer's CURLM, for waking it

    std::atomic<bool> stopRequested_{false};
    std::thread worker_;
};

}  // namespace s::system::network::win
