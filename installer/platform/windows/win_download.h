#pragma once
// Copies a URL into a local file through the system's URL download service,
// reporting progress and stopping when the progress handler asks to cancel.

#include "installer/platform/download_status.h"

#include <cstdint>
#include <functional>
#include <string>

namespace WinPlatform {

// The service's kinds of notification, in the order of the installer's own
// enumeration; everything else is Unknown. The installer does not use them.
// The seam's notification kinds, shared with the Qt side.
using TWinDownloadStatus = ::TDownloadStatus;

TWinDownloadStatus DownloadStatusOf(unsigned long BindStatus);

// Progress and ProgressMax are the service's counts as ScaleDownloadProgress
// brings them into a progress bar's range. Cancel is false on entry to every
// call; set it to stop the transfer.
using TWinDownloadProgress = std::function<void(uint32_t Progress, uint32_t ProgressMax, TWinDownloadStatus StatusCode,
                                                const std::wstring &StatusText, bool &Cancel)>;

// Blocks until the transfer has ended. The data goes to a temporary file in
// the target's folder that replaces FileName only when complete, so a failed
// or cancelled transfer leaves no file under FileName (an older one is
// removed too) and no temporary file. Raises EWinError "Exception" with
// "Unable to load urlmon.dll" or "Error downloading URL: <URL>"; an exception
// thrown by OnProgress cancels the transfer and is passed on unchanged.
// When Reason is given it receives why a transfer failed, for a log ("server
// answered 403", "cancelled", the service's error code), or is emptied.
void DownloadFile(const std::wstring &URL, const std::wstring &FileName, const TWinDownloadProgress &OnProgress,
                  std::wstring *Reason = nullptr);

} // namespace WinPlatform
