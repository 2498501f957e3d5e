#include "glotta/widgets/lang_flag.h"

#include "glotta/widgets/lang_control_link.h"

#include <QPainter>

TLangFlag::TLangFlag(QWidget *Parent) : QWidget(Parent) {}

TLangFlag::~TLangFlag()
{
    if (TGlottaEngine *Engine = fGlottaEngine) {
        fGlottaEngine = nullptr;
        RemoveFreeNotification(Engine, this);
        Engine->DisconnectClient(this);
    }
}

void TLangFlag::SetGlottaEngine(TGlottaEngine *Value)
{
    // Setting the attached engine again keeps the flag shown.
    if (Value == fGlottaEngine)
        return;
    SetPicture(TPicture(), fkNone);
    AttachLangControl(this, Value, fGlottaEngine);
}

void TLangFlag::SetTransparent(bool Value)
{
    fTransparent = Value;
    update();
}

void TLangFlag::SetCenter(bool Value)
{
    fCenter = Value;
    update();
}

void TLangFlag::SetPicture(const TPicture &Value, TFlagKind Kind)
{
    fPicture = Value;
    fKind = Value.IsEmpty() ? fkNone : Kind;
    update();
}

void TLangFlag::UpdateLanguages(TGlottaEngine &Engine, int LanguageIndex)
{
    TPicture Flag;
    const TFlagKind Kind = Engine.LoadFlagPicture(Flag, LanguageIndex);
    SetPicture(Flag, Kind);
}

void TLangFlag::Loaded()
{
    TComponentHooks::Loaded();
    if (fGlottaEngine)
        fGlottaEngine->RefreshLangControl(this);
}

void TLangFlag::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == fGlottaEngine) {
        // The engine is being destroyed: nothing may be asked of it any more.
        fGlottaEngine = nullptr;
        SetPicture(TPicture(), fkNone);
    }
}

void TLangFlag::paintEvent(QPaintEvent *)
{
    if (fPicture.IsEmpty())
        return;
    QImage Image = fPicture.Image();
    if (fTransparent && fKind == fkBitmap) {
        Image = Image.convertToFormat(QImage::Format_ARGB32);
        for (int Y = 0; Y < Image.height(); ++Y) {
            auto *Line = reinterpret_cast<QRgb *>(Image.scanLine(Y));
            for (int X = 0; X < Image.width(); ++X)
                if (Line[X] == qRgb(255, 255, 255))
                    Line[X] = qRgba(255, 255, 255, 0);
        }
    } else if (!fTransparent && Image.hasAlphaChannel()) {
        QImage Opaque(Image.size(), QImage::Format_RGB32);
        Opaque.fill(Qt::white);
        QPainter(&Opaque).drawImage(0, 0, Image);
        Image = Opaque;
    }
    QPoint At(0, 0);
    if (fCenter)
        At = QPoint((width() - Image.width()) / 2, (height() - Image.height()) / 2);
    QPainter(this).drawImage(At, Image);
}
