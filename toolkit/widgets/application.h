#pragma once
// Application-wide services of the toolkit: the default error report, the
// guard that keeps exceptions from crossing the Qt event loop, and the
// program's activation event.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include "toolkit/core/events.h"

#include <QString>
#include <exception>
#include <functional>

// The default error report: an error box with the error's kind name and message.
TOOLKIT_WIDGETS_EXPORT void HandleException(const std::exception &E);

// Runs Body; an exception escaping it goes to the default error report.
TOOLKIT_WIDGETS_EXPORT void RunGuarded(const std::function<void()> &Body);

// Wraps a handler so that every call runs guarded.
template<typename... Args>
std::function<void(Args...)> Guarded(std::function<void(Args...)> Handler)
{
    if (!Handler)
        return Handler;
    return [Handler](Args... A) { RunGuarded([&] { Handler(std::forward<Args>(A)...); }); };
}

// Font families of the designs that the machine may lack, mapped to close substitutes.
TOOLKIT_WIDGETS_EXPORT void InstallFontSubstitutes();

// The program's activation event: one handler, raised (guarded, with the
// application as sender) each time the application becomes active. A
// component that wants to hear of it saves the handler in place, installs its
// own and chains to the saved one.
TOOLKIT_WIDGETS_EXPORT TNotifyEvent ApplicationOnActivate();
TOOLKIT_WIDGETS_EXPORT void SetApplicationOnActivate(TNotifyEvent Handler);
