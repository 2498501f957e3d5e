#pragma once
// The event shapes of components. Events are single-cast std::function
// members, so a component can save, replace and chain a handler.

#include <functional>

class QObject;

using TNotifyEvent = std::function<void(QObject *Sender)>;
// Raised before an action; a handler sets Continue to false to stop it.
using TContinueQuery = std::function<void(QObject *Sender, bool &Continue)>;
