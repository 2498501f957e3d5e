#include "toolkit/widgets/application.h"

#include "toolkit/core/exception.h"
#include "toolkit/widgets/message_box.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>

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
