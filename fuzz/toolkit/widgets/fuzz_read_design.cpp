// The stored-design reader from bytes: each input is read as a design into a
// fresh form, which is destroyed afterwards. The toolkit's classes and the
// library's components are registered, so every design-value setter and
// component reference of a real window can be reached. The root stands in
// for any form: it is registered under the class names "TForm" designs and
// the installer's window use, stores the window's one own property and
// publishes its handlers' names (plus one method of each other event shape),
// all doing nothing, so that resources/form1.json reads in full without the
// installer's workflow running.
//
// A design that reads must write back as one that reads again into the same
// design: reading is allowed to normalise a value once, never to produce a
// stored form it cannot read or that changes on every round.

#include "glotta/widgets/glotta_classes.h"
#include "toolkit/widgets/class_registry.h"
#include "toolkit/widgets/design.h"
#include "toolkit/widgets/form.h"

#include <QApplication>
#include <QPainter>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
class TFuzzForm : public TForm
{
    Q_OBJECT
    Q_PROPERTY(QString DownloadServer MEMBER DownloadServer)
public:
    QString DownloadServer;

    explicit TFuzzForm(QWidget *Parent = nullptr) : TForm(Parent)
    {
        for (const char *Name : {"FormCreate", "GlottaEngine1ChangeLanguage", "konecbClick", "zrusitbClick",
                                 "pokracovatbClick", "instalovat1bClick", "instalovat2bClick", "instalovat3bClick",
                                 "Notify"})
            PublishMethod(QString::fromLatin1(Name), &TFuzzForm::Notify);
        PublishMethod(QStringLiteral("Query"), &TFuzzForm::Query);
        PublishMethod(QStringLiteral("DrawItem"), &TFuzzForm::DrawItem);
        PublishMethod(QStringLiteral("MeasureItem"), &TFuzzForm::MeasureItem);
    }
    void Notify(QObject *) {}
    void Query(QObject *, bool &) {}
    void DrawItem(QObject *, int, QPainter *, const QRect &, bool) {}
    void MeasureItem(QObject *, int, int &) {}
};

void RegisterFuzzForm(const QString &ClassName)
{
    TClassRegistry::Register({ClassName, &TFuzzForm::staticMetaObject, QStringLiteral("TForm"),
                              [](QObject *Parent) { return new TFuzzForm(qobject_cast<QWidget *>(Parent)); },
                              PublishedProperties(&TFuzzForm::staticMetaObject), {}});
}

// The design read into a fresh form and written back; empty when it is refused.
QByteArray ReadAndWrite(const QByteArray &Bytes)
{
    QByteArray Written;
    auto *Form = new TFuzzForm;
    try {
        ReadDesignFromBytes(Form, Bytes, QStringLiteral("fuzz.json"));
        Written = WriteDesignBytes(Form);
    } catch (const Exception &) {
        // Refused designs are the reader's ordinary answer.
    }
    delete Form;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return Written;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication App(*argc, *argv);
    RegisterToolkitClasses();
    RegisterGlottaClasses();
    RegisterFuzzForm(QStringLiteral("TForm1"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QByteArray First = ReadAndWrite(QByteArray(reinterpret_cast<const char *>(Data), qsizetype(Size)));
    if (First.isEmpty())
        return 0;
    const QByteArray Second = ReadAndWrite(First);
    if (Second != First) {
        std::fprintf(stderr, "a design read back differently:\n--- first write\n%s\n--- second write\n%s\n",
                     First.constData(), Second.constData());
        std::abort();
    }
    return 0;
}

#include "fuzz_read_design.moc"
