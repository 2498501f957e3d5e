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

int MessageBox(const QString &Text, const QString &Caption, quint32 Flags)
{
    if (Handler())
        return Handler()(Text, Caption, Flags);
    QMessageBox Box(IconOf(Flags), Caption, Text, QMessageBox::Ok, QApplication::activeWindow());
    Box.setWindowModality(Qt::ApplicationModal);
    Box.exec();
    return IDOK;
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler NewHandler)
{
    TMessageBoxHandler Old = std::move(Handler());
    Handler() = std::move(NewHandler);
    return Old;
}
