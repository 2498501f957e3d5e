#include "glotta/engine/exchange/xliff_file.h"

#include "glotta/engine/exchange/exchange_header.h"
#include "glotta/engine/exchange/xml_text.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {
const QLatin1String ContextGroupType("x-trolltech-linguist-context");
const QLatin1String MsgctxtType("x-gettext-msgctxt");
const QLatin1String InheritedNote("glotta-inherited");
const QLatin1String TranslatorNote("translator");

void WriteUnit(QXmlStreamWriter &W, const TCatalogEntry &E, int Id, bool Template)
{
    const QString Key = CatalogKey(E);
    W.writeStartElement(QStringLiteral("trans-unit"));
    W.writeAttribute(QStringLiteral("id"), QString::number(Id));
    if (!Key.isEmpty())
        W.writeAttribute(QStringLiteral("resname"), Key);
    if (E.Status == TCatalogStatus::Excluded)
        W.writeAttribute(QStringLiteral("translate"), QStringLiteral("no"));
    const bool Done = E.Status == TCatalogStatus::Translated || E.Status == TCatalogStatus::Empty;
    if (!Template && Done && !E.Fuzzy)
        W.writeAttribute(QStringLiteral("approved"), QStringLiteral("yes"));
    if (E.Status != TCatalogStatus::Translated && E.Status != TCatalogStatus::Untranslated)
        W.writeAttribute(GlottaXmlNamespace, QStringLiteral("status"), CatalogStatusWord(E.Status));
    if (E.Obsolete)
        W.writeAttribute(GlottaXmlNamespace, QStringLiteral("obsolete"), QStringLiteral("yes"));

    W.writeStartElement(QStringLiteral("source"));
    W.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    W.writeCharacters(XmlSafeText(E.Source.isEmpty() ? Key : ToToolText(E.Source)));
    W.writeEndElement();
    if (!Template && E.Status != TCatalogStatus::Excluded) {
        W.writeStartElement(QStringLiteral("target"));
        W.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        W.writeAttribute(QStringLiteral("state"), E.Fuzzy                              ? "needs-review-translation"
                                                  : Done                                ? "translated"
                                                                                        : "needs-translation");
        W.writeCharacters(XmlSafeText(ToToolText(E.Translation)));
        W.writeEndElement();
    }
    if (!Key.isEmpty()) {
        W.writeStartElement(QStringLiteral("context-group"));
        W.writeStartElement(QStringLiteral("context"));
        W.writeAttribute(QStringLiteral("context-type"), MsgctxtType);
        W.writeCharacters(XmlSafeText(Key));
        W.writeEndElement();
        W.writeEndElement();
    }
    if (E.Status == TCatalogStatus::Inherited) {
        W.writeStartElement(QStringLiteral("note"));
        W.writeAttribute(QStringLiteral("from"), InheritedNote);
        W.writeCharacters(XmlSafeText(ToToolText(E.Inherited)));
        W.writeEndElement();
    }
    if (!Template && !E.Comment.isEmpty()) {
        W.writeStartElement(QStringLiteral("note"));
        W.writeAttribute(QStringLiteral("from"), TranslatorNote);
        W.writeCharacters(XmlSafeText(E.Comment));
        W.writeEndElement();
    }
    W.writeEndElement();
}

bool ReadUnit(QXmlStreamReader &R, TTranslationCatalog &Catalog, QString &Error)
{
    const QXmlStreamAttributes A = R.attributes();
    QString Key = A.value(QLatin1String("resname")).toString();
    QString Source, Target, Inherited, Comment, ContextKey;
    bool HasContext = false;
    bool HasTarget = false;
    QString State;
    while (R.readNextStartElement()) {
        const QStringView Name = R.name();
        if (R.namespaceUri() != XliffNamespace) {
            R.skipCurrentElement();
        } else if (Name == u"source") {
            Source = R.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (Name == u"target") {
            HasTarget = true;
            State = R.attributes().value(QLatin1String("state")).toString();
            Target = R.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (Name == u"context-group") {
            while (R.readNextStartElement()) {
                if (R.name() == u"context" && R.attributes().value(QLatin1String("context-type")) == MsgctxtType) {
                    ContextKey = R.readElementText(QXmlStreamReader::IncludeChildElements);
                    HasContext = true;
                } else {
                    R.skipCurrentElement();
                }
            }
        } else if (Name == u"note") {
            const QString From = R.attributes().value(QLatin1String("from")).toString();
            const QString Text = R.readElementText(QXmlStreamReader::IncludeChildElements);
            if (From == InheritedNote)
                Inherited = Text;
            else if (From == TranslatorNote || From.isEmpty())
                Comment = Comment.isEmpty() ? Text : Comment + QLatin1Char('\n') + Text;
        } else {
            R.skipCurrentElement();
        }
    }
    if (R.hasError())
        return false;
    if (HasContext)
        Key = ContextKey;
    TCatalogEntry E;
    if (!ParseCatalogKey(Key, E)) {
        Error = QStringLiteral("line %1: \"%2\" names no line, item or lexicon").arg(R.lineNumber()).arg(Key);
        return false;
    }
    E.Source = Source == Key && !Key.isEmpty() ? QString() : FromToolText(Source);
    E.Translation = HasTarget ? FromToolText(Target) : QString();
    const QStringView Status = A.value(GlottaXmlNamespace, QLatin1String("status"));
    if (!Status.isEmpty())
        E.Status = CatalogStatusOfWord(Status.toString());
    else if (A.value(QLatin1String("translate")) == u"no")
        E.Status = TCatalogStatus::Excluded;
    else
        E.Status = E.Translation.isEmpty() ? TCatalogStatus::Untranslated : TCatalogStatus::Translated;
    if (E.Status == TCatalogStatus::Inherited)
        E.Inherited = FromToolText(Inherited);
    E.Obsolete = A.value(GlottaXmlNamespace, QLatin1String("obsolete")) == u"yes";
    E.Fuzzy = State.startsWith(QLatin1String("needs-review")) || State == QLatin1String("needs-adaptation")
              || State == QLatin1String("needs-l10n");
    E.Comment = Comment;
    Catalog.Entries.push_back(std::move(E));
    return true;
}
} // namespace

QByteArray WriteXliffCatalog(const TTranslationCatalog &Catalog, bool Template)
{
    QByteArray Bytes;
    QXmlStreamWriter W(&Bytes);
    W.setAutoFormatting(true);
    W.setAutoFormattingIndent(1);
    W.writeStartDocument();
    W.writeDefaultNamespace(XliffNamespace);
    W.writeNamespace(GlottaXmlNamespace, QStringLiteral("glotta"));
    W.writeStartElement(XliffNamespace, QStringLiteral("xliff"));
    W.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    W.writeStartElement(XliffNamespace, QStringLiteral("file"));
    W.writeAttribute(QStringLiteral("original"), Template ? Catalog.Design.Name : Catalog.Language.Name);
    W.writeAttribute(QStringLiteral("datatype"), QStringLiteral("plaintext"));
    W.writeAttribute(QStringLiteral("source-language"),
                     Catalog.Design.Code.isEmpty() ? QStringLiteral("und") : Catalog.Design.Code);
    if (!Template && !Catalog.Language.Code.isEmpty())
        W.writeAttribute(QStringLiteral("target-language"), Catalog.Language.Code);

    W.writeStartElement(QStringLiteral("header"));
    W.writeStartElement(QStringLiteral("prop-group"));
    W.writeAttribute(QStringLiteral("name"), QStringLiteral("glotta"));
    for (const auto &[Name, Value] : CatalogHeaderFields(Catalog, Template)) {
        W.writeStartElement(QStringLiteral("prop"));
        W.writeAttribute(QStringLiteral("prop-type"), Name);
        W.writeCharacters(XmlSafeText(Value));
        W.writeEndElement();
    }
    W.writeEndElement();
    W.writeEndElement();

    W.writeStartElement(QStringLiteral("body"));
    // Runs of entries of one form or lexicon share a group; the global
    // lexicon's pairs stand outside any group.
    QString OpenGroup;
    bool InGroup = false;
    int Id = 0;
    for (const TCatalogEntry &E : Catalog.Entries) {
        const QString Group = CatalogGroup(E);
        if (!InGroup || Group != OpenGroup) {
            if (InGroup)
                W.writeEndElement();
            InGroup = !Group.isEmpty();
            OpenGroup = Group;
            if (InGroup) {
                W.writeStartElement(QStringLiteral("group"));
                W.writeAttribute(QStringLiteral("restype"), ContextGroupType);
                W.writeAttribute(QStringLiteral("resname"), Group);
            }
        }
        WriteUnit(W, E, ++Id, Template);
    }
    if (InGroup)
        W.writeEndElement();
    W.writeEndElement(); // body
    W.writeEndElement(); // file
    W.writeEndElement(); // xliff
    W.writeEndDocument();
    return Bytes;
}

bool ReadXliffCatalog(const QByteArray &Bytes, TTranslationCatalog &Catalog, QString &Error)
{
    Catalog = TTranslationCatalog();
    QXmlStreamReader R(Bytes);
    bool Ok = true;
    int Files = 0;
    if (!R.readNextStartElement() || R.name() != u"xliff" || R.namespaceUri() != XliffNamespace
        || R.attributes().value(QLatin1String("version")) != u"1.2") {
        if (!R.hasError()) {
            Error = QStringLiteral("not an XLIFF 1.2 document");
            return false;
        }
    } else {
        while (Ok && !R.atEnd()) {
            R.readNext();
            if (!R.isStartElement())
                continue;
            if (R.namespaceUri() != XliffNamespace) {
                R.skipCurrentElement();
            } else if (R.name() == u"file") {
                if (++Files > 1) {
                    Error = QStringLiteral("line %1: more than one <file>").arg(R.lineNumber());
                    Ok = false;
                }
            } else if (R.name() == u"prop" && R.attributes().hasAttribute(QLatin1String("prop-type"))) {
                const QString Name = R.attributes().value(QLatin1String("prop-type")).toString();
                Ok = SetCatalogHeaderField(Catalog, Name, R.readElementText(QXmlStreamReader::IncludeChildElements),
                                           Error);
            } else if (R.name() == u"trans-unit") {
                Ok = ReadUnit(R, Catalog, Error);
            }
        }
    }
    if (R.hasError()) {
        Error = QStringLiteral("line %1, column %2: %3").arg(R.lineNumber()).arg(R.columnNumber()).arg(R.errorString());
        return false;
    }
    if (Ok && Files == 0) {
        Error = QStringLiteral("the XLIFF document holds no <file>");
        return false;
    }
    return Ok;
}
