#pragma once

// The live results under load, for the benchmarks: the results server and its snapshot feed in
// this process, and a crowd of WebSocket clients (bench/live_ws_clients) in another, which notes
// when each state arrives. A run's commit is stamped by the same monotonic clock.
#include "live/LiveFeed.h"
#include "live/LiveServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace livebench {

inline int64_t monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

/// Nanoseconds a thread of this process named `name` has run (from /proc/self/task/*/schedstat).
inline int64_t threadCpuNs(const QByteArray& name) {
    QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != name)
            continue;
        QFile stat(tasks.filePath(tid + QStringLiteral("/schedstat")));
        if (stat.open(QIODevice::ReadOnly))
            return stat.readAll().split(' ').value(0).toLongLong();
    }
    return -1;
}

struct Percentiles {
    double p50 = 0, p99 = 0, max = 0;
    size_t count = 0;
};

inline Percentiles percentiles(std::vector<double> v) {
    Percentiles p;
    p.count = v.size();
    if (v.empty())
        return p;
    std::sort(v.begin(), v.end());
    auto at = [&](double q) { return v[std::min(v.size() - 1, size_t(q * double(v.size() - 1) + 0.5))]; };
    p.p50 = at(0.5);
    p.p99 = at(0.99);
    p.max = v.back();
    return p;
}

/// The server with its feed and a crowd of clients.
class Crowd {
public:
    Crowd() {
        QObject::connect(
            &m_feed, &LiveFeed::snapshotReady, &m_server,
            [this](std::shared_ptr<const LiveSnapshot> s) {
                {
                    std::lock_guard lock(m_mutex);
                    // Only the first snapshot after a commit carries it.
                    m_commitOfSeq[s->sequence] = std::exchange(m_lastCommit, 0);
                }
                m_server.setSnapshot(std::move(s));
            },
            Qt::DirectConnection);
    }
    ~Crowd() { stopClients(); }

    LiveFeed& feed() { return m_feed; }
    LiveServer& server() { return m_server; }

    /// Starts the server on a free loopback port and `clients` clients; false when they did not all
    /// connect within 60 s.
    bool start(const EventData& event, int clients, int seconds) {
        m_feed.setEvent(event);
        if (!m_server.start(0, QHostAddress::LocalHost).ok())
            return false;
        m_clients.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/live_ws_clients"));
        m_clients.setArguments({QStringLiteral("ws://127.0.0.1:%1/ws").arg(m_server.port()),
                                QString::number(clients), QString::number(seconds)});
        m_clients.setProcessChannelMode(QProcess::SeparateChannels);
        m_clients.start();
        if (!m_clients.waitForStarted(5000))
            return false;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 60000) {
            m_clients.waitForReadyRead(100);
            m_output += m_clients.readAllStandardOutput();
            if (m_output.contains(QByteArray("CONNECTED ") + QByteArray::number(clients) + '\n') &&
                m_server.stats().pushClients == clients)
                return true;
            QCoreApplication::processEvents();
        }
        return false;
    }

    /// Stamps the commit of a run (call right after the event took it, before handing it over).
    void stampCommit() {
        std::lock_guard lock(m_mutex);
        m_lastCommit = monotonicNs();
    }

    /// Ends the clients and returns, in ms, how long after each commit each client had a state with
    /// it: the first state of that commit's sequence or a later one (a state the server replaced
    /// by a newer one before it went out carries the commit too).
    std::vector<double> finish() {
        m_clients.closeWriteChannel();
        m_clients.waitForFinished(30000);
        m_output += m_clients.readAllStandardOutput();
        std::map<int, std::vector<std::pair<uint64_t, int64_t>>> arrivals; // client -> (seq, ns)
        for (const QByteArray& line : m_output.split('\n')) {
            if (!line.startsWith("R "))
                continue;
            const QList<QByteArray> f = line.split(' ');
            arrivals[f.value(1).toInt()].emplace_back(f.value(2).toULongLong(), f.value(3).toLongLong());
        }
        std::vector<double> latencies;
        std::lock_guard lock(m_mutex);
        for (auto& [client, seen] : arrivals) {
            std::sort(seen.begin(), seen.end(),
                      [](const auto& a, const auto& b) { return a.second < b.second; });
            for (const auto& [sequence, committed] : m_commitOfSeq) {
                if (committed == 0)
                    continue;
                const auto got = std::find_if(seen.begin(), seen.end(),
                                              [&](const auto& a) { return a.first >= sequence; });
                if (got != seen.end())
                    latencies.push_back(double(got->second - committed) / 1e6);
            }
        }
        return latencies;
    }

    /// States that had a stamped commit.
    size_t stampedStates() {
        std::lock_guard lock(m_mutex);
        return size_t(std::count_if(m_commitOfSeq.begin(), m_commitOfSeq.end(),
                                    [](const auto& e) { return e.second != 0; }));
    }

    void stopClients() {
        if (m_clients.state() != QProcess::NotRunning) {
            m_clients.kill();
            m_clients.waitForFinished(5000);
        }
    }

private:
    LiveFeed m_feed;
    LiveServer m_server;
    QProcess m_clients;
    QByteArray m_output;
    std::mutex m_mutex;
    int64_t m_lastCommit = 0;
    std::map<uint64_t, int64_t> m_commitOfSeq;
};

} // namespace livebench
