#include "LbSimScript.h"

#include <charconv>

namespace {
bool number(const std::string& word, int& value) {
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size() && value >= 0;
}
} // namespace

bool parseLbSimScript(const std::vector<std::string>& words, std::vector<LbSimStep>& steps,
                      std::string& error) {
    std::vector<LbSimStep> parsed;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        LbSimStep step;
        if (w == "pass") {
            step.kind = LbSimStep::Kind::Pass;
        } else if (w == "on") {
            step.kind = LbSimStep::Kind::On;
        } else if (w == "off") {
            step.kind = LbSimStep::Kind::Off;
        } else if (w == "quit") {
            step.kind = LbSimStep::Kind::Quit;
        } else if (w == "wait") {
            step.kind = LbSimStep::Kind::Wait;
            if (i + 1 >= words.size() || !number(words[i + 1], step.intervalMs)) {
                error = "wait needs a time in milliseconds";
                return false;
            }
            ++i;
        } else if (w == "series") {
            step.kind = LbSimStep::Kind::Series;
            if (i + 2 >= words.size() || !number(words[i + 1], step.count) ||
                !number(words[i + 2], step.intervalMs)) {
                error = "series needs a count and an interval in milliseconds";
                return false;
            }
            i += 2;
        } else {
            error = "unknown command: " + w;
            return false;
        }
        parsed.push_back(step);
    }
    steps.insert(steps.end(), parsed.begin(), parsed.end());
    return true;
}
