#pragma once
// TForm and TFrame: the toolkit's forms. A form publishes named methods to
// which a stored design binds component events, raises OnCreate at the end of
// loading, and lays out its docked and anchored controls.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include "toolkit/core/component.h"
#include "toolkit/core/events.h"

#include <QHash>
#include <QWidget>
#include <any>

class TOOLKIT_WIDGETS_EXPORT TForm : public QWidget, public TComponentHooks
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QSize ClientSize READ ClientSize WRITE SetClientSize)
    Q_PROPERTY(TPosition Position READ Position WRITE SetPosition)
public:
    enum TPosition { poDesigned, poScreenCenter };
    Q_ENUM(TPosition)

    explicit TForm(QWidget *Parent = nullptr);
    ~TForm() override;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString &Value) { setWindowTitle(Value); }
    QSize ClientSize() const { return size(); }
    void SetClientSize(const QSize &Value) { resize(Value); }
    TPosition Position() const { return fPosition; }
    void SetPosition(TPosition Value) { fPosition = Value; }

    // The form's creation event; raised by DoCreate at the end of loading.
    TNotifyEvent OnCreate;
    void DoCreate();

    // A method that a stored design can bind an event to, by name.
    template<typename Form, typename... Args>
    void PublishMethod(const QString &Name, void (Form::*Method)(Args...))
    {
        Form *Self = static_cast<Form *>(this);
        fMethods.insert(Name, std::function<void(Args...)>([Self, Method](Args... A) {
                            (Self->*Method)(std::forward<Args>(A)...);
                        }));
    }
    // The published method of that name, or nullptr.
    const std::any *Method(const QString &Name) const;

    void Loaded() override;

protected:
    void showEvent(QShowEvent *Event) override;

private:
    QHash<QString, std::any> fMethods;
    TPosition fPosition = poDesigned;
    bool fPositioned = false;
};

class TOOLKIT_WIDGETS_EXPORT TFrame : public QWidget, public TComponentHooks
{
    Q_OBJECT
public:
    explicit TFrame(QWidget *Parent = nullptr);
};
