#include "installer/platform/wine/wine_platform.h"

#include "installer/platform/wine/wine_download.h"
#include "installer/platform/wine/wine_run.h"

void TWinePlatform::DownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress)
{
    WineDownloadFile(URL, FileName, OnProgress);
}

bool TWinePlatform::RunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                               const QString &Directory)
{
    return WineRunAndWait(FileName, Parameters, Verb, ShowCmd, Directory);
}
