// Reading a settings file with many values must grow linearly with their count: parses files of
// 12,500 to 100,000 values and looks every value up by name, as the program does at start-up
// (names first, then each value). Prints the time per value, which stays flat when reading is linear.
//
//   registry_bench [largest count]   (default 100000; run from a Release build)
#include "settings/RegistryFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

QByteArray makeFile(int values) {
    QByteArray out = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Vantro]\n";
    for (int i = 0; i < values; ++i) {
        out += "\"ComDevice" + QByteArray::number(i) + "\"=\"/dev/serial/by-id/usb-" + QByteArray::number(i) +
               "\"\n";
    }
    return out;
}

// Processor time of this process in ms: on a shared machine it varies less than the wall clock.
double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Milliseconds (processor time) to parse the file and read every value by name; the best of three.
double readAllMs(const QByteArray& bytes, int values) {
    const QStringList key{QStringLiteral("HKEY_CURRENT_USER"), QStringLiteral("Software"),
                          QStringLiteral("Vantro")};
    double best = 1e18;
    for (int round = 0; round < 3; ++round) {
        const double start = cpuMs();
        platform::RegistryFile file;
        QString error;
        if (!file.parse(bytes, error)) {
            std::printf("parse failed: %s\n", qPrintable(error));
            std::exit(1);
        }
        const QStringList names = file.valueNames(key);
        qsizetype found = 0;
        for (const QString& name : names)
            found += file.findValue(key, name) ? 1 : 0;
        const double ms = cpuMs() - start;
        if (found != values) {
            std::printf("found %lld of %d values\n", static_cast<long long>(found), values);
            std::exit(1);
        }
        best = std::min(best, ms);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const int largest = argc > 1 ? std::max(8, std::atoi(argv[1])) : 100000;
    double smallestPerValue = 0, lastPerValue = 0;
    for (int values = largest / 8; values <= largest; values *= 2) {
        const QByteArray bytes = makeFile(values);
        const double ms = readAllMs(bytes, values);
        const double usPerValue = ms * 1000.0 / values;
        if (smallestPerValue == 0)
            smallestPerValue = usPerValue;
        lastPerValue = usPerValue;
        std::printf("%7d values (%5.1f MB): read and looked up in %8.1f ms = %.3f us per value (x%.2f of the "
                    "smallest file)\n",
                    values, double(bytes.size()) / 1e6, ms, usPerValue, usPerValue / smallestPerValue);
        std::printf("BENCH registry.read.%d %.1f ms\n", values, ms);
    }
    // Time per value of the largest file against the smallest: near 1 when reading is linear, 8 when
    // it grows with the square of the count.
    std::printf("BENCH registry.per_value_growth %.2f x\n", lastPerValue / smallestPerValue);
    return 0;
}
