#include "installer/package_server/package_request.h"

#include <QFileInfo>
#include <QStringList>
#include <QUrl>

TPackageRequest ParsePackageRequest(QByteArrayView Received)
{
    TPackageRequest Request;
    const qsizetype End = Received.indexOf(QByteArrayView("\r\n\r\n"));
    if (End < 0 || End + 4 > MaxPackageRequestHeadBytes) {
        if (Received.size() > MaxPackageRequestHeadBytes || End >= 0) {
            Request.State = TPackageRequest::Refuse;
            Request.Status = 431;
        }
        return Request;
    }
    Request.State = TPackageRequest::Refuse;
    const QByteArrayView Line = Received.first(Received.indexOf(QByteArrayView("\r\n")));
    const QList<QByteArray> Parts = Line.toByteArray().split(' ');
    if (Parts.size() != 3 || !Parts[2].startsWith("HTTP/1.")) {
        Request.Status = 400;
        return Request;
    }
    const QByteArray &Method = Parts[0];
    Request.Head = Method == "HEAD";
    QByteArray Target = Parts[1];
    const qsizetype Query = Target.indexOf('?');
    if (Query >= 0)
        Target.truncate(Query);
    Request.Path = QUrl::fromPercentEncoding(Target);
    if (Method != "GET" && !Request.Head) {
        Request.Status = 405;
        return Request;
    }
    Request.State = TPackageRequest::Serve;
    return Request;
}

QString ResolvePackagePath(const QString &Root, const QString &Path)
{
    static const QString Prefix = QStringLiteral("/data/");
    if (!Path.startsWith(Prefix))
        return {};
    QStringList Segments;
    for (const QString &Segment : Path.mid(Prefix.size()).split(u'/', Qt::SkipEmptyParts)) {
        if (Segment == u"." || Segment == u".." || Segment.contains(u'\\') || Segment.contains(QChar(0)))
            return {};
        Segments << Segment;
    }
    if (Segments.isEmpty())
        return {};
    const QString CanonicalRoot = QFileInfo(Root).canonicalFilePath();
    if (CanonicalRoot.isEmpty())
        return {};
    const QFileInfo Info(CanonicalRoot + u'/' + Segments.join(u'/'));
    const QString Canonical = Info.canonicalFilePath();
    if (Canonical.isEmpty() || !Canonical.startsWith(CanonicalRoot + u'/') || !Info.isFile())
        return {};
    return Canonical;
}
