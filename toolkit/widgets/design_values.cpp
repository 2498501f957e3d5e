#include "toolkit/widgets/design_values.h"

#include "toolkit/widgets/picture.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonObject>
#include <QMetaEnum>
#include <cmath>
#include <limits>

int ToInt(const QJsonValue &V)
{
    if (!V.isDouble())
        throw EDesignValue(QStringLiteral("an integer expected"));
    const double D = V.toDouble();
    if (D != std::floor(D) || D < double(std::numeric_limits<int>::min())
        || D > double(std::numeric_limits<int>::max()))
        throw EDesignValue(QStringLiteral("an integer expected"));
    return int(D);
}

QString ToText(const QJsonValue &V)
{
    if (!V.isString())
        throw EDesignValue(QStringLiteral("a text expected"));
    return V.toString();
}

bool ToBool(const QJsonValue &V)
{
    if (!V.isBool())
        throw EDesignValue(QStringLiteral("true or false expected"));
    return V.toBool();
}

QList<int> ToInts(const QJsonValue &V, int Count)
{
    if (!V.isArray() || V.toArray().size() != Count)
        throw EDesignValue(QStringLiteral("a list of %1 integers expected").arg(Count));
    QList<int> R;
    for (const QJsonValue &E : V.toArray())
        R.append(ToInt(E));
    return R;
}

QStringList ToTexts(const QJsonValue &V)
{
    if (!V.isArray())
        throw EDesignValue(QStringLiteral("a list of texts expected"));
    QStringList R;
    for (const QJsonValue &E : V.toArray())
        R.append(ToText(E));
    return R;
}

QJsonValue FontToJson(const QFont &F)
{
    QJsonObject O;
    O.insert(QStringLiteral("Name"), F.family());
    O.insert(QStringLiteral("Height"), F.pixelSize() > 0 ? F.pixelSize() : F.pointSize());
    QJsonArray Style;
    if (F.bold())
        Style.append(QStringLiteral("fsBold"));
    if (F.italic())
        Style.append(QStringLiteral("fsItalic"));
    if (F.underline())
        Style.append(QStringLiteral("fsUnderline"));
    if (!Style.isEmpty())
        O.insert(QStringLiteral("Style"), Style);
    return O;
}

QFont JsonToFont(const QJsonValue &V)
{
    if (!V.isObject())
        throw EDesignValue(QStringLiteral("a font {Name, Height, Style} expected"));
    const QJsonObject O = V.toObject();
    QFont F;
    for (auto It = O.begin(); It != O.end(); ++It)
        if (It.key() != QLatin1String("Name") && It.key() != QLatin1String("Height")
            && It.key() != QLatin1String("Style"))
            throw EDesignValue(QStringLiteral("unknown font field '%1'").arg(It.key()));
    if (O.contains(QStringLiteral("Name")))
        F.setFamily(ToText(O.value(QStringLiteral("Name"))));
    if (O.contains(QStringLiteral("Height"))) {
        const int H = ToInt(O.value(QStringLiteral("Height")));
        if (H <= 0)
            throw EDesignValue(QStringLiteral("a positive font height expected"));
        F.setPixelSize(H);
    }
    const QStringList Style = O.contains(QStringLiteral("Style")) ? ToTexts(O.value(QStringLiteral("Style"))) : QStringList();
    for (const QString &S : Style)
        if (S != QLatin1String("fsBold") && S != QLatin1String("fsItalic") && S != QLatin1String("fsUnderline"))
            throw EDesignValue(QStringLiteral("unknown font style '%1'").arg(S));
    F.setBold(Style.contains(QStringLiteral("fsBold")));
    F.setItalic(Style.contains(QStringLiteral("fsItalic")));
    F.setUnderline(Style.contains(QStringLiteral("fsUnderline")));
    return F;
}

QJsonValue VariantToJson(const QMetaProperty &P, const QVariant &V)
{
    if (P.isEnumType()) {
        const QMetaEnum E = P.enumerator();
        if (E.isFlag()) {
            QJsonArray A;
            const int Bits = V.toInt();
            for (int i = 0; i < E.keyCount(); ++i)
                if (E.value(i) != 0 && (Bits & E.value(i)) == E.value(i))
                    A.append(QString::fromLatin1(E.key(i)));
            return A;
        }
        return QString::fromLatin1(E.valueToKey(V.toInt()));
    }
    const int Type = P.metaType().id();
    if (Type == qMetaTypeId<TPicture>())
        return QString::fromLatin1(V.value<TPicture>().Bytes().toBase64());
    if (P.metaType().flags() & QMetaType::PointerToQObject) {
        QObject *O = V.value<QObject *>();
        return O ? O->objectName() : QString();
    }
    switch (Type) {
    case QMetaType::QString:
        return V.toString();
    case QMetaType::Bool:
        return V.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return V.toDouble();
    case QMetaType::Double:
        return V.toDouble();
    case QMetaType::QStringList:
        return QJsonArray::fromStringList(V.toStringList());
    case QMetaType::QSize:
        return QJsonArray{V.toSize().width(), V.toSize().height()};
    case QMetaType::QRect: {
        const QRect R = V.toRect();
        return QJsonArray{R.x(), R.y(), R.width(), R.height()};
    }
    case QMetaType::QFont:
        return FontToJson(V.value<QFont>());
    case QMetaType::QColor:
        return V.value<QColor>().name();
    case QMetaType::QVariantList:
    case QMetaType::QVariantMap:
        return QJsonValue::fromVariant(V);
    default:
        return QJsonValue(QJsonValue::Undefined);
    }
}

QVariant JsonToVariant(const QMetaProperty &P, const QJsonValue &J)
{
    if (P.isEnumType()) {
        const QMetaEnum E = P.enumerator();
        if (E.isFlag()) {
            int Bits = 0;
            for (const QString &K : ToTexts(J)) {
                bool Ok = false;
                const int V = E.keyToValue(K.toLatin1().constData(), &Ok);
                if (!Ok)
                    throw EDesignValue(QStringLiteral("unknown member '%1'").arg(K));
                Bits |= V;
            }
            return Bits;
        }
        bool Ok = false;
        const int V = E.keyToValue(ToText(J).toLatin1().constData(), &Ok);
        if (!Ok)
            throw EDesignValue(QStringLiteral("unknown value '%1'").arg(J.toString()));
        return V;
    }
    const int Type = P.metaType().id();
    if (Type == qMetaTypeId<TPicture>()) {
        const QString S = ToText(J);
        auto Decoded = QByteArray::fromBase64Encoding(S.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        TPicture Pic;
        if (!Decoded || !Pic.LoadFromBytes(*Decoded))
            throw EDesignValue(QStringLiteral("a picture (base64 of an image file) expected"));
        return QVariant::fromValue(Pic);
    }
    switch (Type) {
    case QMetaType::QString:
        return ToText(J);
    case QMetaType::Bool:
        return ToBool(J);
    case QMetaType::Int:
        return ToInt(J);
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar: {
        if (!J.isDouble() || J.toDouble() != std::floor(J.toDouble()))
            throw EDesignValue(QStringLiteral("an integer expected"));
        QVariant V(J.toDouble());
        if (!V.convert(P.metaType()) || V.toDouble() != J.toDouble())
            throw EDesignValue(QStringLiteral("an integer in range expected"));
        return V;
    }
    case QMetaType::Double:
        if (!J.isDouble())
            throw EDesignValue(QStringLiteral("a number expected"));
        return J.toDouble();
    case QMetaType::QStringList:
        return ToTexts(J);
    case QMetaType::QSize: {
        const QList<int> I = ToInts(J, 2);
        return QSize(I[0], I[1]);
    }
    case QMetaType::QRect: {
        const QList<int> I = ToInts(J, 4);
        return QRect(I[0], I[1], I[2], I[3]);
    }
    case QMetaType::QFont:
        return JsonToFont(J);
    case QMetaType::QColor: {
        const QColor C(ToText(J));
        if (!C.isValid())
            throw EDesignValue(QStringLiteral("a colour #rrggbb expected"));
        return C;
    }
    case QMetaType::QVariantList:
        if (!J.isArray())
            throw EDesignValue(QStringLiteral("a list expected"));
        return J.toArray().toVariantList();
    case QMetaType::QVariantMap:
        if (!J.isObject())
            throw EDesignValue(QStringLiteral("an object expected"));
        return J.toObject().toVariantMap();
    default:
        throw EDesignValue(QStringLiteral("a property of type %1 cannot be stored").arg(QString::fromLatin1(P.typeName())));
    }
}
