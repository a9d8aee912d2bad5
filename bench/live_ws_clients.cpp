// A crowd of phones for the live results benchmarks: opens N WebSocket connections to the results
// server and notes when each state arrives, by the monotonic clock (the same for every process on
// the machine), so the benchmark can set it against the moment the run was committed.
//   live_ws_clients <ws url> <clients> <seconds>
// Prints "CONNECTED <n>" whenever the number of open connections changes, and at the end (after
// <seconds>, or when its standard input closes) one line "R <client> <seq> <ns>" per state received.
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWebSocket>

#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

int64_t monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

struct Arrival {
    int client;
    int64_t seq;
    int64_t ns;
};

// The sequence number of a state message, read without parsing the whole document; -1 for others.
int64_t stateSequence(const QString& message) {
    if (!message.contains(QLatin1String("\"type\":\"state\"")))
        return -1;
    const qsizetype at = message.indexOf(QLatin1String("\"seq\":"));
    if (at < 0)
        return -1;
    qsizetype end = at + 6;
    while (end < message.size() && message[end].isDigit())
        ++end;
    return QStringView(message).mid(at + 6, end - at - 6).toLongLong();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <ws url> <clients> <seconds>\n", argv[0]);
        return 2;
    }
    const QUrl url(QString::fromLocal8Bit(argv[1]));
    const int count = std::atoi(argv[2]);
    const int seconds = std::atoi(argv[3]);
    std::vector<Arrival> arrivals;
    arrivals.reserve(size_t(count) * 200);
    std::vector<std::unique_ptr<QWebSocket>> sockets;
    int connected = 0;
    auto report = [&] {
        std::printf("CONNECTED %d\n", connected);
        std::fflush(stdout);
    };
    for (int i = 0; i < count; ++i) {
        auto socket = std::make_unique<QWebSocket>();
        QWebSocket* raw = socket.get();
        QObject::connect(raw, &QWebSocket::textMessageReceived, [&arrivals, i](const QString& message) {
            const int64_t now = monotonicNs();
            const int64_t seq = stateSequence(message);
            if (seq >= 0)
                arrivals.push_back({i, seq, now});
        });
        QObject::connect(raw, &QWebSocket::connected, [&] {
            ++connected;
            report();
        });
        QObject::connect(raw, &QWebSocket::disconnected, [&] {
            --connected;
            report();
        });
        raw->open(url);
        sockets.push_back(std::move(socket));
    }
    auto finish = [&] {
        for (const Arrival& a : arrivals)
            std::printf("R %d %lld %lld\n", a.client, static_cast<long long>(a.seq),
                        static_cast<long long>(a.ns));
        std::fflush(stdout);
        app.quit();
    };
    QTimer::singleShot(seconds * 1000, finish);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            finish();
        }
    });
    return app.exec();
}
