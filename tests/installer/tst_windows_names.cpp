// The toolkit's message box and the platform seam's constants in a file that
// includes <windows.h> first, as a Windows program does: MessageBox, MB_OK,
// IDOK and SW_SHOWNORMAL keep their meaning beside the header's macros. A
// build for Windows compiles this file with the header; elsewhere it checks
// the same calls without it.

#ifdef _WIN32
#include <windows.h>
#endif

#include "installer/platform/platform.h"
#include "toolkit/widgets/message_box.h"

#include <QTest>

class TestWindowsNames : public QObject
{
    Q_OBJECT
private slots:
    void toolkitBoxBesideWin32()
    {
        QStringList Shown;
        const TMessageBoxHandler Previous = SetMessageBoxHandler([&](const QString &Text, const QString &, quint32 Flags) {
            Shown << Text + QLatin1Char('/') + QString::number(Flags);
            return (Flags & MB_YESNO) ? IDYES : IDOK;
        });
        QCOMPARE(MessageBox(QStringLiteral("saved"), QStringLiteral("Glotta"), MB_OK | MB_ICONINFORMATION), IDOK);
        QCOMPARE(MessageBox(QStringLiteral("replace?"), QStringLiteral("Glotta"), MB_YESNO | MB_ICONQUESTION), IDYES);
        SetMessageBoxHandler(Previous);
        QCOMPARE(Shown, (QStringList{QStringLiteral("saved/64"), QStringLiteral("replace?/36")}));
        QCOMPARE(int(SW_SHOWNORMAL), 1);
        QCOMPARE(int(LOCALE_SISO639LANGNAME), 0x59);
#ifdef _WIN32
        // The Win32 function is still the one its four arguments name (not called: it would block).
        int (WINAPI *Win32Box)(HWND, LPCWSTR, LPCWSTR, UINT) = &MessageBoxW;
        QVERIFY(Win32Box != nullptr);
#endif
    }
};

QTEST_MAIN(TestWindowsNames)
#include "tst_windows_names.moc"
