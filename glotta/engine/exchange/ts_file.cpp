#include "glotta/engine/exchange/ts_file.h"

#include "glotta/engine/exchange/exchange_header.h"
#include "glotta/engine/exchange/xml_text.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {
const QLatin1String ExtraPrefix("extra-glotta-");
const QLatin1String StatusPrefix("glotta: ");

void WriteText(QXmlStreamWriter &W, const QString &Element, const QString &Text)
{
    W.writeTextElement(Element, XmlSafeText(Text));
}

void WriteMessage(QXmlStreamWriter &W, const TCatalogEntry &E, bool Template)
{
    const QString Key = CatalogKey(E);
    W.writeStartElement(QStringLiteral("message"));
    WriteText(W, QStringLiteral("source"), E.Source.isEmpty() ? Key : ToToolText(E.Source));
    if (!Key.isEmpty())
        WriteText(W, QStringLiteral("comment"), Key);
    if (E.Status != TCatalogStatus::Translated && E.Status != TCatalogStatus::Untranslated) {
        QString Extra = StatusPrefix + CatalogStatusWord(E.Status);
        if (E.Status == TCatalogStatus::Inherited)
            Extra += QLatin1Char('\n') + ToToolText(E.Inherited);
        WriteText(W, QStringLiteral("extracomment"), Extra);
    }
    if (!Template && !E.Comment.isEmpty())
        WriteText(W, QStringLiteral("translatorcomment"), E.Comment);
    W.writeStartElement(QStringLiteral("translation"));
    const bool Done = E.Status == TCatalogStatus::Translated || E.Status == TCatalogStatus::Empty;
    if (E.Obsolete)
        W.writeAttribute(QStringLiteral("type"), QStringLiteral("vanished"));
    else if (Template || !Done || E.Fuzzy)
        W.writeAttribute(QStringLiteral("type"), QStringLiteral("unfinished"));
    if (!Template)
        W.writeCharacters(XmlSafeText(ToToolText(E.Translation)));
    W.writeEndElement();
    W.writeEndElement();
}

bool ReadMessage(QXmlStreamReader &R, TTranslationCatalog &Catalog, QString &Error)
{
    QString Source, Key, Translation, Type, Extra, Comment;
    while (R.readNextStartElement()) {
        const QStringView Name = R.name();
        if (Name == u"source") {
            Source = R.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (Name == u"comment") {
            Key = R.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (Name == u"translation") {
            Type = R.attributes().value(QLatin1String("type")).toString();
            // Plural forms: the language file has no place for them.
            while (!R.atEnd()) {
                R.readNext();
                if (R.isCharacters())
                    Translation += R.text();
                else if (R.isStartElement()) {
                    Error = QStringLiteral("line %1: plural forms are not used by language files").arg(R.lineNumber());
                    return false;
                } else if (R.isEndElement())
                    break;
            }
        } else if (Name == u"extracomment") {
            Extra = R.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (Name == u"translatorcomment") {
            Comment = R.readElementText(QXmlStreamReader::IncludeChildElements);
        } else {
            R.skipCurrentElement();
        }
    }
    if (R.hasError())
        return false;
    TCatalogEntry E;
    if (!ParseCatalogKey(Key, E)) {
        Error = QStringLiteral("line %1: \"%2\" names no line, item or lexicon").arg(R.lineNumber()).arg(Key);
        return false;
    }
    E.Source = Source == Key && !Key.isEmpty() ? QString() : FromToolText(Source);
    E.Translation = FromToolText(Translation);
    E.Status = E.Translation.isEmpty() ? TCatalogStatus::Untranslated : TCatalogStatus::Translated;
    if (Extra.startsWith(StatusPrefix)) {
        const qsizetype Break = Extra.indexOf(u'\n');
        E.Status = CatalogStatusOfWord(
            Extra.mid(StatusPrefix.size(), Break < 0 ? -1 : Break - StatusPrefix.size()).trimmed());
        if (E.Status == TCatalogStatus::Inherited && Break >= 0)
            E.Inherited = FromToolText(Extra.mid(Break + 1));
    }
    E.Obsolete = Type == QLatin1String("vanished") || Type == QLatin1String("obsolete");
    E.Fuzzy = Type == QLatin1String("unfinished") && !E.Translation.isEmpty();
    E.Comment = Comment;
    Catalog.Entries.push_back(std::move(E));
    return true;
}
} // namespace

QByteArray WriteTsCatalog(const TTranslationCatalog &Catalog, bool Template)
{
    QByteArray Bytes;
    QXmlStreamWriter W(&Bytes);
    W.setAutoFormatting(true);
    W.setAutoFormattingIndent(4);
    W.writeStartDocument();
    W.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    W.writeStartElement(QStringLiteral("TS"));
    W.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    if (!Template && !Catalog.Language.Code.isEmpty())
        W.writeAttribute(QStringLiteral("language"), Catalog.Language.Code);
    if (!Catalog.Design.Code.isEmpty())
        W.writeAttribute(QStringLiteral("sourcelanguage"), Catalog.Design.Code);
    for (const auto &[Name, Value] : CatalogHeaderFields(Catalog, Template))
        WriteText(W, ExtraPrefix + Name, Value);

    // Runs of entries of one form or lexicon share a context.
    bool Open = false;
    QString OpenGroup;
    for (const TCatalogEntry &E : Catalog.Entries) {
        const QString Group = CatalogGroup(E);
        if (!Open || Group != OpenGroup) {
            if (Open)
                W.writeEndElement();
            W.writeStartElement(QStringLiteral("context"));
            WriteText(W, QStringLiteral("name"), Group);
            Open = true;
            OpenGroup = Group;
        }
        WriteMessage(W, E, Template);
    }
    if (Open)
        W.writeEndElement();
    W.writeEndElement();
    W.writeEndDocument();
    return Bytes;
}

bool ReadTsCatalog(const QByteArray &Bytes, TTranslationCatalog &Catalog, QString &Error)
{
    Catalog = TTranslationCatalog();
    QXmlStreamReader R(Bytes);
    bool Ok = true;
    if (!R.readNextStartElement() || R.name() != u"TS") {
        if (!R.hasError()) {
            Error = QStringLiteral("not a TS document");
            return false;
        }
    } else {
        while (Ok && R.readNextStartElement()) {
            const QStringView Name = R.name();
            if (Name.startsWith(ExtraPrefix)) {
                const QString Field = Name.mid(ExtraPrefix.size()).toString();
                Ok = SetCatalogHeaderField(Catalog, Field, R.readElementText(QXmlStreamReader::IncludeChildElements),
                                           Error);
            } else if (Name == u"context") {
                while (Ok && R.readNextStartElement()) {
                    if (R.name() == u"message")
                        Ok = ReadMessage(R, Catalog, Error);
                    else
                        R.skipCurrentElement();
                }
            } else {
                R.skipCurrentElement();
            }
        }
    }
    if (R.hasError()) {
        Error = QStringLiteral("line %1, column %2: %3").arg(R.lineNumber()).arg(R.columnNumber()).arg(R.errorString());
        return false;
    }
    return Ok;
}
