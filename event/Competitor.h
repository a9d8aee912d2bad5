#pragma once

#include <QString>

#include <cstdint>

/// The sex given in a start list, for the day's honours (fastest girl, fastest boy).
enum class Sex : uint8_t { Unknown, Female, Male };

/// One entry of the start list.
struct Competitor {
    int64_t id = 0;      ///< the store's key; 0 until stored
    int startNumber = 0; ///< 1..65535, unique within the event
    QString firstName;   ///< may be empty when the start list has one name column
    QString lastName;    ///< the whole name when the start list has one name column
    QString className;   ///< "Klasse"; empty until given or derived from the year of birth
    QString club;        ///< "Verein"; teams are formed from it
    QString vehicle;     ///< "Fahrzeug"
    int yearOfBirth = 0; ///< 0 when not known
    Sex sex = Sex::Unknown;
    bool deleted = false; ///< marked as removed; never deleted from the record

    /// "Vorname Nachname", or the one name there is.
    QString displayName() const {
        if (firstName.isEmpty())
            return lastName;
        if (lastName.isEmpty())
            return firstName;
        return firstName + QLatin1Char(' ') + lastName;
    }

    bool operator==(const Competitor&) const = default;
};
