#pragma once

#include <functional>

class QObject;

/// A handler called with the object that fired it; components fire it only if one is assigned.
using TNotifyEvent = std::function<void(QObject* Sender)>;
