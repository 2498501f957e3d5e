#include "toolkit/widgets/application.h"

#include "toolkit/core/exception.h"
#include "toolkit/widgets/message_box.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace {
struct TActivation
{
    TNotifyEvent Handler;
    QMetaObject::Connection Link;
};

TActivation &Activation()
{
    static TActivation A;
    return A;
}

// Connects to the application once it exists; a later application (tests
// create one per process, but nothing forbids more) is connected anew.
void ListenForActivation()
{
    TActivation &A = Activation();
    if (A.Link || !qGuiApp)
        return;
    A.Link = QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, qGuiApp,
                              [](Qt::ApplicationState State) {
                                  if (State != Qt::ApplicationActive)
                                      return;
                                  // A copy: the handler may replace itself while it runs.
                                  const TNotifyEvent Handler = Activation().Handler;
                                  if (Handler)
                                      RunGuarded([&] { Handler(qGuiApp); });
                              });
}
} // namespace

void HandleException(const std::exception &E)
{
    QString Text;
    if (auto *X = dynamic_cast<const Exception *>(&E))
        Text = X->KindName() + QStringLiteral(": ") + X->Message();
    else
        Text = QString::fromUtf8(E.what());
    MessageBox(Text, QCoreApplication::applicationName(), MB_ICONERROR | MB_OK);
}

void RunGuarded(const std::function<void()> &Body)
{
    try {
        Body();
    } catch (const std::exception &E) {
        HandleException(E);
    }
}

void InstallFontSubstitutes()
{
    // Tahoma is a Windows font; DejaVu Sans has near-identical metrics for UI text.
    const QStringList Families = QFontDatabase::families();
    if (!Families.contains(QStringLiteral("Tahoma")))
        QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                                   {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

TNotifyEvent ApplicationOnActivate()
{
    ListenForActivation();
    return Activation().Handler;
}

void SetApplicationOnActivate(TNotifyEvent Handler)
{
    ListenForActivation();
    Activation().Handler = std::move(Handler);
}
