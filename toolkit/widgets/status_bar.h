#pragma once
// TStatusBar: a status bar with a simple text (shown while SimplePanel is on)
// and a collection of panels, each shown by an unnamed label.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include <QStatusBar>
#include <QVariantList>

class QLabel;

class TOOLKIT_WIDGETS_EXPORT TStatusBar : public QStatusBar
{
    Q_OBJECT
    Q_PROPERTY(QString SimpleText READ SimpleText WRITE SetSimpleText)
    Q_PROPERTY(bool SimplePanel READ SimplePanel WRITE SetSimplePanel)
    // Each entry a map {"Text": string, "Width": int}.
    Q_PROPERTY(QVariantList Panels READ Panels WRITE SetPanels)
public:
    explicit TStatusBar(QWidget *Parent = nullptr);

    QString SimpleText() const { return fSimpleText; }
    void SetSimpleText(const QString &Value);
    bool SimplePanel() const { return fSimplePanel; }
    void SetSimplePanel(bool Value);
    QVariantList Panels() const;
    void SetPanels(const QVariantList &Value);
    int PanelCount() const { return int(fPanels.size()); }
    QString PanelText(int Index) const;
    void SetPanelText(int Index, const QString &Value);

private:
    void Refresh();
    struct TPanel
    {
        QLabel *Label;
        int Width;
    };
    QList<TPanel> fPanels;
    QString fSimpleText;
    bool fSimplePanel = false;
};
