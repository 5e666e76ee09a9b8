// A tiny HTTP/1.1 server on 127.0.0.1 and an ephemeral port, for tests that
// download. It answers one connection at a time from a handler, records
// every request line and header block, and can hold a connection open
// without answering (a server that accepts but never replies). Stopped and
// joined by its destructor.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvex::test {

class LocalHttpServer {
public:
    struct Reply {
        int status = 200;
        std::string body;
        std::vector<std::string> headers;  // extra lines, e.g. "Location: /x"
        bool silent = false;               // read the request, never answer
    };
    static Reply answer(int status, std::string body, std::vector<std::string> headers = {}) {
        Reply reply;
        reply.status = status;
        reply.body = std::move(body);
        reply.headers = std::move(headers);
        return reply;
    }
    static Reply silence() {
        Reply reply;
        reply.silent = true;
        return reply;
    }
    struct Request {
        std::string path;
        std::string head;  // request line and headers as received
    };
    using Handler = std::function<Reply(const std::string& path)>;

    explicit LocalHttpServer(Handler handler) : handler_(std::move(handler)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof(address);
        if (listener_ < 0 ||
            ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, 16) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    ~LocalHttpServer() {
        stopping_ = true;
        if (thread_.joinable()) thread_.join();
        for (int fd : held_) ::close(fd);
        if (listener_ >= 0) ::close(listener_);
    }

    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    std::vector<Request> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void serve() {
        while (!stopping_) {
            pollfd ready{listener_, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0) continue;
            const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) answer(client);
        }
    }

    // Reads up to the end of the header block (or until the client gives up).
    std::string readHead(int client) {
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && !stopping_) {
            pollfd ready{client, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0) continue;
            const ssize_t n = ::recv(client, buffer, sizeof(buffer), 0);
            if (n <= 0) break;
            head.append(buffer, static_cast<std::size_t>(n));
        }
        return head;
    }

    void answer(int client) {
        const std::string head = readHead(client);
        const std::size_t start = head.find(' ');
        const std::size_t end = start == std::string::npos ? start : head.find(' ', start + 1);
        const std::string path =
            end == std::string::npos ? std::string() : head.substr(start + 1, end - start - 1);
        {
            std::lock_guard lock(mutex_);
            requests_.push_back({path, head});
        }
        const Reply reply = handler_(path);
        if (reply.silent) {
            held_.push_back(client);
            return;
        }
        std::string response = "HTTP/1.1 " + std::to_string(reply.status) + " Whatever\r\n";
        response += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
        response += "Connection: close\r\n";
        for (const std::string& line : reply.headers) response += line + "\r\n";
        response += "\r\n";
        response += reply.body;
        std::size_t sent = 0;
        while (sent < response.size()) {
            const ssize_t n =
                ::send(client, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
        ::shutdown(client, SHUT_WR);
        ::close(client);
    }

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    std::vector<int> held_;  // touched by the server thread, then the destructor
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
};

// Downloads in tests go straight to the local server, never through a proxy
// named in the environment of whoever runs them.
inline void bypassProxies() {
    ::setenv("no_proxy", "127.0.0.1", 1);
    ::setenv("NO_PROXY", "127.0.0.1", 1);
}

}  // namespace tarvex::test
