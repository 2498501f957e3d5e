// TResourcesList::ReadList on JSON parsed from the fuzz bytes: it either
// reads or raises EReadError; what it read writes and reads back equal.
#include "toolkit/core/exception.h"
#include "glotta/store/resources_list.h"
#include "toolkit/core/value_stream.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QJsonDocument Doc =
        QJsonDocument::fromJson(QByteArray::fromRawData(reinterpret_cast<const char *>(Data), qsizetype(Size)));
    if (Doc.isNull())
        return 0;
    const QJsonValue Root = Doc.isArray() ? QJsonValue(Doc.array()) : QJsonValue(Doc.object());
    TResourcesList L;
    try {
        TValueReader R(Root);
        L.ReadList(R);
    } catch (const EReadError &) {
        return 0;
    }
    TValueWriter W;
    L.WriteList(W);
    TResourcesList Back;
    TValueReader R2(W.Result());
    Back.ReadList(R2); // must not throw: it is our own stored form
    if (!Back.Equal(L))
        abort();
    return 0;
}
