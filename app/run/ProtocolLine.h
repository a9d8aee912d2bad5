#pragma once

#include <QString>

/// One line of the results protocol: the four texts of a grid row.
struct ProtocolLine {
    QString who;
    QString time;
    QString speed;
    QString note;

    bool operator==(const ProtocolLine&) const = default;
};
