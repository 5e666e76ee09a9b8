// s::system::network::IDownloader -- fetches one short reply from an HTTP or
// HTTPS address on a worker thread of its own.
//
// Simplest use (blocks the calling thread for at most timeoutMs):
//
//     downloader.setAddress("https://example.org/check/");
//     downloader.keepInMemory(true);
//     if (downloader.download(8000)) use(downloader.replyText());
//
// Without blocking: setFinishedCallback(), then start(); the callback runs on
// the worker once the transfer has ended, and the result accessors are valid
// from then on. The result fields are guarded by a lock, so they may be read
// from any thread at any time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "foundation/IObject.h"

namespace s::system::network {

class IDownloader : public s::base::IObject {
public:
    // Runs on the worker thread when a transfer started by start() has ended,
    // successfully or not. It must not destroy the downloader.
    using FinishedCallback = std::function<void()>;
    // Answers whether the computer is connected; download() gives up at once
    // when it says no.
    using OnlineCheck = std::function<bool()>;

    // Starts a transfer on the worker and returns at once. A transfer still
    // running is stopped first.
    virtual void start() = 0;
    // Asks a running transfer to stop and waits up to waitMs for the worker to
    // end; true when no transfer is running any more.
    virtual bool stop(std::int32_t waitMs) = 0;

    virtual void setAddress(std::string_view url) = 0;
    // True keeps the reply in memory (replyText); false leaves it in the file
    // named by tempFilePath.
    virtual void keepInMemory(bool inMemory) = 0;
    // Optional request headers; empty sends none.
    virtual void setUserAgent(std::string_view text) = 0;
    virtual void setReferrer(std::string_view text) = 0;
    // The longest a transfer started by start() may take, connecting included.
    virtual void setTimeout(std::int32_t ms) = 0;
    virtual void setFinishedCallback(FinishedCallback callback) = 0;
    virtual void setOnlineCheck(OnlineCheck check) = 0;

    // Starts a transfer and waits for it at most timeoutMs; true when a
    // complete reply was received. Offline it returns false at once.
    virtual bool download(std::int32_t timeoutMs) = 0;
    virtual bool succeeded() const = 0;
    // The file holding the reply when it is not kept in memory ("" otherwise).
    virtual std::string tempFilePath() const = 0;
    // The reply's bytes, one char per byte, when kept in memory.
    virtual std::string replyText() const = 0;
};

}  // namespace s::system::network
