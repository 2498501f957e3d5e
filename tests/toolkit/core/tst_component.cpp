// The component model on QObject: owners, the owner's components in creation
// order, Tag, and free notification.

#include "toolkit/core/component.h"
#include "toolkit/widgets/form.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>

namespace {
struct TListener : QObject, TComponentHooks
{
    QList<QObject *> Removed;
    void Notification(QObject *AComponent, TOperation Operation) override
    {
        if (Operation == opRemove)
            Removed << AComponent;
    }
};

QStringList Names(const QList<QObject *> &Objects)
{
    QStringList R;
    for (QObject *O : Objects)
        R << O->objectName();
    return R;
}

template<typename T>
T *Named(QObject *Parent, const char *Name)
{
    auto *O = new T(qobject_cast<QWidget *>(Parent));
    O->setObjectName(Name);
    return O;
}
} // namespace

class TestComponent : public QObject
{
    Q_OBJECT
private slots:
    void ownersAndCreationOrder()
    {
        TForm Form;
        Form.setObjectName("Form1");
        auto *Label = Named<QLabel>(&Form, "Label1");
        auto *Tabs = Named<QTabWidget>(&Form, "Tabs");
        auto *Page2 = Named<QWidget>(nullptr, "Page2");
        auto *Page1 = Named<QWidget>(nullptr, "Page1");
        Tabs->addTab(Page1, "one");
        Tabs->addTab(Page2, "two");
        Tabs->setCurrentIndex(1); // the current page must not change the order
        auto *OnPage = Named<QLabel>(Page2, "OnPage2");
        auto *Frame = new TFrame(&Form);
        Frame->setObjectName("Frame1");
        auto *InFrame = Named<QLabel>(Frame, "InFrame");
        auto *Dialog = Named<QDialog>(&Form, "Dialog1");
        auto *InDialog = Named<QLabel>(Dialog, "InDialog");
        auto *Menu = Named<QMenu>(&Form, "Menu1");
        QAction *Action = Menu->addAction("Open");
        Action->setObjectName("actOpen");
        auto *Scroll = Named<QScrollArea>(&Form, "Scroll");
        auto *Inside = Named<QLabel>(nullptr, "InScroll");
        Scroll->setWidget(Inside);
        auto *Engine = new QObject(&Form);
        Engine->setObjectName("Engine1");

        // Unnamed objects (layouts, Qt's own helpers) are listed too; callers skip them.
        QStringList Listed = Names(OwnedComponents(&Form));
        Listed.removeAll(QString());
        QCOMPARE(Listed,
                 QStringList({"Label1", "Tabs", "Page1", "Page2", "OnPage2", "Frame1", "Menu1", "actOpen", "Scroll",
                              "InScroll", "Engine1"}));
        QCOMPARE(Names(OwnedComponents(Frame)), QStringList{"InFrame"});
        QCOMPARE(Names(OwnedComponents(Dialog)), QStringList{"InDialog"});

        QCOMPARE(ComponentOwner(&Form), nullptr);
        QCOMPARE(OwnerName(&Form), QString());
        for (QObject *O : std::initializer_list<QObject *>{Label, OnPage, Frame, Action, Inside, Engine})
            QCOMPARE(ComponentOwner(O), &Form);
        QCOMPARE(ComponentOwner(InFrame), Frame);
        QCOMPARE(ComponentOwner(InDialog), Dialog);
        QCOMPARE(ComponentOwner(Dialog), nullptr); // a dialog is a form of its own
        QCOMPARE(FindComponent(&Form, "onpage2"), OnPage);
        QCOMPARE(FindComponent(&Form, "InFrame"), nullptr);
    }

    void tags()
    {
        QObject O;
        QCOMPARE(Tag(&O), 0);
        SetTag(&O, -799);
        QCOMPARE(Tag(&O), -799);
        O.setProperty("Tag", "-797"); // a text that reads as a number counts
        QCOMPARE(Tag(&O), -797);
        O.setProperty("Tag", "x");
        QCOMPARE(Tag(&O), 0);
    }

    void freeNotification()
    {
        TListener Listener;
        auto *A = new QObject;
        auto *B = new QObject;
        QObject *Field = nullptr;
        QVERIFY(SetComponentLink<QObject>(&Listener, Field, A));
        QVERIFY(!SetComponentLink<QObject>(&Listener, Field, A));
        QVERIFY(SetComponentLink<QObject>(&Listener, Field, B)); // A is no longer watched
        delete A;
        QVERIFY(Listener.Removed.isEmpty());
        FreeNotification(B, &Listener); // asked twice: told once
        delete B;
        QCOMPARE(Listener.Removed.size(), 1);
        // A subscriber that goes first is simply no longer told.
        auto *C = new QObject;
        {
            TListener Gone;
            FreeNotification(C, &Gone);
        }
        delete C;
    }
};

QTEST_MAIN(TestComponent)
#include "tst_component.moc"
