#ifndef CORVANE_TESTS_PLATFORM_LOOPBACKHTTPSERVER_H
#define CORVANE_TESTS_PLATFORM_LOOPBACKHTTPSERVER_H

// A tiny HTTP/1.1 server for the download tests. It listens on 127.0.0.1 only,
// on a port the system chooses, answers each GET from a table of canned
// responses (exact, short, without length, redirected, slow, or 404 for any
// path it does not know), and records what it was asked and when each answer
// was fully sent. It stops by itself after a bounded time or number of
// connections, and at destruction.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace HTTPTesting
{
    struct sResponse
    {
        int status = 200;
        std::string body;
        // Whether a "Content-Length" field is sent.
        bool sendLength = true;
        // The announced length when it differs from the body's (a short body).
        long announced = -1;
        // A "Location" field (for a redirect status).
        std::string location;
        // With a chunk size, the body goes out in pieces with a pause after each.
        size_t chunk = 0;
        int pauseMilliseconds = 0;
    };

    // One line of the server's log: "GET <path>" when a request arrived, "LAST <path>" just
    // before the last piece of its answer goes out (or when the answer stops early), "SENT
    // <path>" when the whole answer was written, "CUT <path>" when the client went away first.
    struct sLogLine
    {
        std::string what;
        std::string path;
    };

    class LoopbackHTTPServer
    {
    public:
        explicit LoopbackHTTPServer(int maxConnections = 200, int lifetimeSeconds = 60)
            : mMaxConnections(maxConnections),
              mDeadline(std::chrono::steady_clock::now() + std::chrono::seconds(lifetimeSeconds))
        {
            mListener = socket(AF_INET, SOCK_STREAM, 0);
            int const yes = 1;
            setsockopt(mListener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
            sockaddr_in address = {};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = 0;
            if (mListener < 0 || bind(mListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
                listen(mListener, 16) != 0)
                return;
            socklen_t length = sizeof address;
            getsockname(mListener, reinterpret_cast<sockaddr*>(&address), &length);
            mPort = ntohs(address.sin_port);
            mAcceptor = std::thread([this] { AcceptLoop(); });
        }

        ~LoopbackHTTPServer()
        {
            mStop = true;
            mChanged.notify_all();
            if (mAcceptor.joinable())
                mAcceptor.join();
            std::vector<std::thread> connections;
            {
                std::lock_guard<std::mutex> lock(mMutex);
                connections.swap(mConnections);
            }
            for (std::thread& connection : connections)
                connection.join();
            if (mListener >= 0)
                close(mListener);
        }

        LoopbackHTTPServer(LoopbackHTTPServer const&) = delete;
        LoopbackHTTPServer& operator=(LoopbackHTTPServer const&) = delete;

        bool IsListening() const { return mPort != 0; }
        int GetPort() const { return mPort; }
        std::string GetBase() const { return "http://127.0.0.1:" + std::to_string(mPort); }
        std::wstring GetWideBase() const
        {
            std::string const base = GetBase();
            return std::wstring(base.begin(), base.end());
        }

        void Set(std::string const& path, sResponse const& response)
        {
            std::lock_guard<std::mutex> lock(mMutex);
            mResponses[path] = response;
        }

        std::vector<sLogLine> GetLog() const
        {
            std::lock_guard<std::mutex> lock(mMutex);
            return mLog;
        }

        int CountRequests(std::string const& path) const
        {
            std::lock_guard<std::mutex> lock(mMutex);
            return int(std::count_if(mLog.begin(), mLog.end(),
                                     [&](sLogLine const& line) { return line.what == "GET" && line.path == path; }));
        }

        int GetMostAtOnce() const
        {
            std::lock_guard<std::mutex> lock(mMutex);
            return mMostAtOnce;
        }

        int GetAnswering() const
        {
            std::lock_guard<std::mutex> lock(mMutex);
            return mAnswering;
        }

        // Waits (at most the timeout) until the condition over the log holds.
        template <class Condition>
        bool WaitFor(Condition condition, int timeoutMilliseconds = 10000) const
        {
            std::unique_lock<std::mutex> lock(mMutex);
            return mChanged.wait_for(lock, std::chrono::milliseconds(timeoutMilliseconds),
                                     [&] { return condition(mLog); });
        }

    private:
        void AcceptLoop()
        {
            int accepted = 0;
            while (!mStop && accepted < mMaxConnections && std::chrono::steady_clock::now() < mDeadline)
            {
                pollfd waiting = {mListener, POLLIN, 0};
                if (poll(&waiting, 1, 20) <= 0)
                    continue;
                int const client = accept(mListener, nullptr, nullptr);
                if (client < 0)
                    continue;
                ++accepted;
                std::lock_guard<std::mutex> lock(mMutex);
                mConnections.emplace_back([this, client] { Answer(client); });
            }
        }

        void Note(std::string const& what, std::string const& path, int answeringChange)
        {
            std::lock_guard<std::mutex> lock(mMutex);
            mLog.push_back(sLogLine{what, path});
            mAnswering += answeringChange;
            mMostAtOnce = std::max(mMostAtOnce, mAnswering);
            mChanged.notify_all();
        }

        bool SendAll(int client, std::string const& bytes)
        {
            size_t sent = 0;
            while (sent < bytes.size())
            {
                if (mStop || std::chrono::steady_clock::now() >= mDeadline)
                    return false;
                ssize_t const n = send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    return false;
                sent += size_t(n);
            }
            return true;
        }

        // The request line's path, or empty when no request head arrived in time.
        std::string ReadRequest(int client)
        {
            std::string head;
            char buffer[1024];
            while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16384)
            {
                pollfd waiting = {client, POLLIN, 0};
                if (mStop || poll(&waiting, 1, 2000) <= 0)
                    return std::string();
                ssize_t const n = recv(client, buffer, sizeof buffer, 0);
                if (n <= 0)
                    return std::string();
                head.append(buffer, size_t(n));
            }
            size_t const start = head.find(' ');
            size_t const end = start == std::string::npos ? start : head.find(' ', start + 1);
            if (head.compare(0, 4, "GET ") != 0 || end == std::string::npos)
                return std::string();
            return head.substr(start + 1, end - start - 1);
        }

        void Answer(int client)
        {
            std::string const path = ReadRequest(client);
            if (path.empty())
            {
                close(client);
                return;
            }
            sResponse response;
            {
                std::lock_guard<std::mutex> lock(mMutex);
                auto found = mResponses.find(path);
                if (found != mResponses.end())
                    response = found->second;
                else
                {
                    response.status = 404;
                    response.body = "<html>Not Found</html>";
                }
            }
            Note("GET", path, 1);

            std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " + Reason(response.status) + "\r\n";
            if (response.sendLength)
            {
                long const length = response.announced >= 0 ? response.announced : long(response.body.size());
                head += "Content-Length: " + std::to_string(length) + "\r\n";
            }
            if (!response.location.empty())
                head += "Location: " + response.location + "\r\n";
            head += "Connection: close\r\n\r\n";

            bool complete = SendAll(client, head);
            size_t const piece = response.chunk ? response.chunk : std::max<size_t>(response.body.size(), 1);
            bool last = response.body.empty();
            if (last)
                Note("LAST", path, -1);
            for (size_t offset = 0; complete && offset < response.body.size(); offset += piece)
            {
                if (complete && offset > 0 && response.pauseMilliseconds > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(response.pauseMilliseconds));
                // Noted before the last piece goes out, so that it comes before anything the
                // client does once it has the whole body.
                if (offset + piece >= response.body.size())
                {
                    last = true;
                    Note("LAST", path, -1);
                }
                complete = SendAll(client, response.body.substr(offset, piece));
            }
            if (!last)
                Note("LAST", path, -1);
            Note(complete ? "SENT" : "CUT", path, 0);
            shutdown(client, SHUT_WR);
            close(client);
        }

        static std::string Reason(int status)
        {
            switch (status)
            {
            case 200: return "OK";
            case 301: return "Moved Permanently";
            case 302: return "Found";
            case 404: return "Not Found";
            default: return "Status";
            }
        }

        int const mMaxConnections;
        std::chrono::steady_clock::time_point const mDeadline;
        int mListener = -1;
        int mPort = 0;
        std::atomic<bool> mStop{false};
        std::thread mAcceptor;
        mutable std::mutex mMutex;
        mutable std::condition_variable mChanged;
        std::vector<std::thread> mConnections;
        std::map<std::string, sResponse> mResponses;
        std::vector<sLogLine> mLog;
        int mAnswering = 0;
        int mMostAtOnce = 0;
    };

    inline sResponse Body(std::string const& body)
    {
        sResponse response;
        response.body = body;
        return response;
    }

    inline sResponse Redirect(std::string const& location, int status = 302)
    {
        sResponse response;
        response.status = status;
        response.location = location;
        return response;
    }

    // A body whose every byte depends on its place and on the seed, so that a mixed-up or
    // restarted copy shows.
    inline std::string MakeBody(size_t size, unsigned seed)
    {
        std::string body(size, '\0');
        for (size_t i = 0; i < size; ++i)
            body[i] = char((i * 31 + seed * 7 + (i >> 8)) & 0xFF);
        return body;
    }
}

#endif
