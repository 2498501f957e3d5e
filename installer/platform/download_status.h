#pragma once
// The download service's kind of progress notification. Plain C++, shared by
// the seam and the Win32 backend; the installer itself does not use it.

enum class TDownloadStatus {
    Unknown = 0,
    FindingResource,
    Connecting,
    Redirecting,
    BeginDownloadData,
    DownloadingData,
    EndDownloadData,
    SendingRequest,
    MimeTypeAvailable,
};
