// vantro-lbsim: a light barrier without hardware. It serves a Unix-domain socket that Vantro opens
// as a serial port (through the port's ComDevice override) and turns DSR on and off on command.
#include "LbSimScript.h"
#include "serial/SerialDevice.h"
#include "serial/SerialSimServer.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <thread>

namespace {

void usage() {
    std::cout << "Usage: vantro-lbsim [--socket PATH] [--hold MS] [COMMAND...]\n"
                 "A light barrier for Vantro without hardware: serves PATH, which Vantro offers as the\n"
                 "serial port COM20 in its settings dialog (another path needs a ComDevice override).\n\n"
                 "Commands:\n"
                 "  pass            one pass: DSR on, held for --hold ms (default 50), then off\n"
                 "  series N MS     N passes, one every MS milliseconds\n"
                 "  on, off         turn DSR on or off\n"
                 "  wait MS         pause\n"
                 "  quit            end\n"
                 "Commands given on the command line run once a port has connected; without any,\n"
                 "commands are read from standard input, one or more per line.\n"
                 "The default PATH is /tmp/vantro-lbsim.sock.\n";
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Returns false on quit.
bool run(platform::SerialSimServer& server, const LbSimStep& step, int holdMs) {
    using Kind = LbSimStep::Kind;
    auto pass = [&] {
        server.setLines(platform::MS_DSR_ON, true);
        sleepMs(holdMs);
        server.setLines(platform::MS_DSR_ON, false);
    };
    switch (step.kind) {
    case Kind::Pass:
        pass();
        std::cout << "pass" << std::endl;
        break;
    case Kind::Series:
        for (int i = 0; i < step.count; ++i) {
            if (i > 0)
                sleepMs(step.intervalMs > holdMs ? step.intervalMs - holdMs : 0);
            pass();
            std::cout << "pass " << (i + 1) << " of " << step.count << std::endl;
        }
        break;
    case Kind::On:
        server.setLines(platform::MS_DSR_ON, true);
        std::cout << "DSR on" << std::endl;
        break;
    case Kind::Off:
        server.setLines(platform::MS_DSR_ON, false);
        std::cout << "DSR off" << std::endl;
        break;
    case Kind::Wait:
        sleepMs(step.intervalMs);
        break;
    case Kind::Quit:
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string path = platform::DefaultSimSocket;
    int holdMs = 50;
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        }
        if (arg == "--socket" && i + 1 < argc) {
            path = argv[++i];
        } else if (arg == "--hold" && i + 1 < argc) {
            holdMs = std::atoi(argv[++i]);
            if (holdMs < 0) {
                std::cerr << "vantro-lbsim: --hold needs a time in milliseconds\n";
                return 2;
            }
        } else {
            words.push_back(arg);
        }
    }
    std::vector<LbSimStep> steps;
    std::string error;
    if (!parseLbSimScript(words, steps, error)) {
        std::cerr << "vantro-lbsim: " << error << "\n";
        return 2;
    }

    platform::SerialSimServer server;
    if (const int code = server.start(path)) {
        std::cerr << "vantro-lbsim: cannot listen at " << path << ": error " << code << "\n";
        return 1;
    }
    std::cout << "light barrier simulator at " << path << std::endl;
    if (path == platform::DefaultSimSocket)
        std::cout << "choose COM" << platform::DefaultSimPort << " in Vantro's \"Einstellungen\""
                  << std::endl;

    if (!words.empty()) {
        std::cout << "waiting for a port to connect..." << std::endl;
        while (!server.waitForClient(1000)) {
        }
        sleepMs(200); // let the program settle after opening the port
        for (const auto& step : steps) {
            if (!run(server, step, holdMs))
                break;
        }
        return 0;
    }

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::vector<std::string> lineWords;
        for (std::string w; in >> w;)
            lineWords.push_back(w);
        std::vector<LbSimStep> lineSteps;
        if (!parseLbSimScript(lineWords, lineSteps, error)) {
            std::cerr << error << std::endl;
            continue;
        }
        for (const auto& step : lineSteps) {
            if (!run(server, step, holdMs))
                return 0;
        }
    }
    return 0;
}
