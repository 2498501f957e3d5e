#pragma once
// The forms of other programs compiled into the real-forms test: each
// registers how to make it under its file name.

#include <QList>
#include <QString>

class QWidget;

struct TRealForm
{
    QString File;
    QWidget *(*Make)();
};

QList<TRealForm> &RealForms();

struct TRealFormRegistration
{
    TRealFormRegistration(const char *File, QWidget *(*Make)()) { RealForms().append({QString::fromUtf8(File), Make}); }
};
