#include "core/EListError.h"

EListError EListError::IndexOutOfBounds(qint64 index) {
    return EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}
