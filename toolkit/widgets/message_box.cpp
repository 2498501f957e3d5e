#include "toolkit/widgets/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace {
TMessageBoxHandler &Handler()
{
    static TMessageBoxHandler H;
    return H;
}

QMessageBox::Icon IconOf(quint32 Flags)
{
    switch (Flags & 0xF0) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}
} // namespace

int ShowMessageBox(const QString &Text, const QString &Caption, quint32 Flags)
{
    if (Handler())
        return Handler()(Text, Caption, Flags);
    const bool YesNo = (Flags & 0x0F) == MB_YESNO;
    QMessageBox Box(IconOf(Flags), Caption, Text, YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    Box.setWindowModality(Qt::ApplicationModal);
    if (YesNo)
        Box.setEscapeButton(QMessageBox::No);
    const int Answer = Box.exec();
    if (!YesNo)
        return IDOK;
    return Answer == QMessageBox::Yes ? IDYES : IDNO;
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler NewHandler)
{
    TMessageBoxHandler Old = std::move(Handler());
    Handler() = std::move(NewHandler);
    return Old;
}
