#pragma once

#include <QList>
#include <QString>

/// The status's warning when START runs with the start number `startNumberText` and the name field
/// `nameText`, against the start list's numbers `knownNumbers` (empty: no start list, nothing to
/// check against). Empty when there is nothing to warn about. Timing goes on either way. Short:
/// it must fit over the protocol's caption at the first-start size.
QString StartNumberWarning(const QString& startNumberText, const QString& nameText,
                           const QList<int>& knownNumbers);
