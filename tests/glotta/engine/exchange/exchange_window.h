#pragma once
// A small window designed in Czech for the exchange tests: a property
// client over two labels and a button, and a designed lexicon, attached to
// a test engine whose language directory holds English (tests/data/exchange).
// The form is named Form1 so that the fixtures' component lines fit it.

#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/engine/lexicon.h"
#include "glotta/widgets/glotta_client.h"

#include <QLabel>
#include <QMap>
#include <QPushButton>

inline QString ExchangeDataPath(const QString &Name)
{
    return QStringLiteral(GLOTTA_TEST_DATA "/exchange/") + Name;
}

struct TExchangeWindow : TEngineFixture
{
    TGlottaClient *Client = nullptr;
    TDesignedLexicon *Lexicon = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Button1 = nullptr;

    TExchangeWindow()
    {
        Form->setObjectName(QStringLiteral("Form1"));
        Label1 = Add<QLabel>(QStringLiteral("Label1"));
        Label1->setText(QStringLiteral("Zavřít"));
        Button1 = Add<QPushButton>(QStringLiteral("Button1"));
        Button1->setText(QStringLiteral("Ano"));
        // A designed text with "=" in it, which a dictionary line splits at.
        Label2 = Add<QLabel>(QStringLiteral("Label2"));
        Label2->setText(QStringLiteral("a=b"));
        Lexicon = new TDesignedLexicon(Form.get());
        Lexicon->setObjectName(QStringLiteral("Lexicon1"));
        Lexicon->SetItems({QStringLiteral("Jedna"), QStringLiteral("Chyba"), QStringLiteral("Zavřít")});
        Lexicon->SetGlottaEngine(Engine);
        CopyExchange(QStringLiteral("english.lng"), QStringLiteral("english.lng"));
        Engine->RescanLanguages();
        Client = new TGlottaClient(Form.get());
        Client->setObjectName(QStringLiteral("GlottaClient1"));
        Client->SetGlottaEngine(Engine);
        Engine->InitEngine(false);
    }

    void CopyExchange(const QString &DataName, const QString &Name)
    {
        QFile F(ExchangeDataPath(DataName));
        if (!F.open(QIODevice::ReadOnly))
            qFatal("missing fixture %s", qPrintable(F.fileName()));
        WriteBytes(Path(Name), F.readAll());
    }
    // Every file of the language directory with its bytes.
    QMap<QString, QByteArray> Files() const
    {
        QMap<QString, QByteArray> M;
        const QDir D(Dir.path());
        for (const QString &Name : D.entryList(QDir::Files)) {
            QFile F(D.filePath(Name));
            if (F.open(QIODevice::ReadOnly))
                M.insert(Name, F.readAll());
        }
        return M;
    }
    QStringList Texts() const
    {
        return {Label1->text(), Button1->text(), Label2->text(), Lexicon->GetItem(0), Lexicon->GetItem(1),
                Lexicon->GetItem(2)};
    }
};
