// Simulator script: whatever parses writes back to words that parse to the same steps; a script
// that fails adds nothing to the steps already there.
#include "FuzzCheck.h"
#include "LbSimScript.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

std::vector<std::string> write(const std::vector<LbSimStep>& steps) {
    std::vector<std::string> out;
    for (const LbSimStep& s : steps) {
        switch (s.kind) {
        case LbSimStep::Kind::Pass:
            out.push_back("pass");
            break;
        case LbSimStep::Kind::On:
            out.push_back("on");
            break;
        case LbSimStep::Kind::Off:
            out.push_back("off");
            break;
        case LbSimStep::Kind::Quit:
            out.push_back("quit");
            break;
        case LbSimStep::Kind::Wait:
            out.insert(out.end(), {"wait", std::to_string(s.intervalMs)});
            break;
        case LbSimStep::Kind::Series:
            out.insert(out.end(), {"series", std::to_string(s.count), std::to_string(s.intervalMs)});
            break;
        }
    }
    return out;
}

bool same(const std::vector<LbSimStep>& a, const std::vector<LbSimStep>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].count != b[i].count || a[i].intervalMs != b[i].intervalMs)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> script = words(std::string(reinterpret_cast<const char*>(data), size));
    // One step already queued: a failed parse must leave it alone, a good one append after it.
    std::vector<LbSimStep> steps{LbSimStep{}};
    std::string error;
    const bool ok = parseLbSimScript(script, steps, error);
    if (!ok) {
        FUZZ_CHECK(steps.size() == 1 && !error.empty(), "a failed parse adds nothing and says why");
        return 0;
    }
    steps.erase(steps.begin());
    FUZZ_CHECK(steps.size() <= script.size(), "at most one step per word");
    for (const LbSimStep& s : steps)
        FUZZ_CHECK(s.count >= 0 && s.intervalMs >= 0, "no negative counts or times");
    std::vector<LbSimStep> again;
    FUZZ_CHECK(parseLbSimScript(write(steps), again, error), "what was read can be written and read");
    FUZZ_CHECK(same(steps, again), "parse -> write -> parse keeps the steps");
    return 0;
}
