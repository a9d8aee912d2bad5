#pragma once

#include <string>
#include <vector>

/// One step of a simulator script.
struct LbSimStep {
    enum class Kind { Pass, Series, On, Off, Wait, Quit };
    Kind kind = Kind::Pass;
    int count = 1;      ///< passes of a series
    int intervalMs = 0; ///< time between the passes of a series, or the pause of Wait
};

/// Parses the words of one or more commands ("pass", "series 3 2000", "on", "off", "wait 500",
/// "quit"). Returns false and sets `error` on a word it does not understand; `steps` then holds
/// nothing.
bool parseLbSimScript(const std::vector<std::string>& words, std::vector<LbSimStep>& steps,
                      std::string& error);
