#pragma once
// What a download reports to its progress handler: the service's kind of
// notification, and the progress and maximum in the range a progress bar
// counts in. Plain C++, shared by the seam and both backends.

#include <climits>
#include <cstdint>

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

// The largest progress or maximum a download reports: a progress bar counts in int.
constexpr uint32_t DownloadProgressLimit = INT_MAX;

struct TDownloadProgressValues
{
    uint32_t Progress = 0;
    uint32_t ProgressMax = 0;
};

// The values a download reports for Received of Total bytes. Both fit
// DownloadProgressLimit: a Total beyond it is halved, together with Received,
// until it fits, so the ratio holds. Progress never exceeds a known maximum.
// A Total of 0 or less (the size is unknown) gives maximum 0 and the received
// count, capped at the limit.
constexpr TDownloadProgressValues ScaleDownloadProgress(int64_t Received, int64_t Total)
{
    constexpr int64_t Limit = DownloadProgressLimit;
    if (Received < 0)
        Received = 0;
    if (Total <= 0)
        return {uint32_t(Received < Limit ? Received : Limit), 0};
    if (Received > Total)
        Received = Total;
    int Shift = 0;
    while ((Total >> Shift) > Limit)
        ++Shift;
    return {uint32_t(Received >> Shift), uint32_t(Total >> Shift)};
}
