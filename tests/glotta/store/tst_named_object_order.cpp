// The one-pass comparison of TNamedObjectList must give exactly the order of
// "case-folded text, then exact code units" for every pair of texts,
// including those where Unicode folding differs from ASCII folding.
#include "glotta/store/named_object_list.h"

#include <QTest>

namespace {
int Sign(int V)
{
    return (V > 0) - (V < 0);
}

int Reference(const QString &A, const QString &B)
{
    const int Folded = QString::compare(A, B, Qt::CaseInsensitive);
    return Sign(Folded != 0 ? Folded : QString::compare(A, B, Qt::CaseSensitive));
}
} // namespace

class TestNamedObjectOrder : public QObject
{
    Q_OBJECT
private slots:
    void agreesWithFoldedThenExact()
    {
        const QStringList Texts = {
            "", "a", "A", "b", "B", "ab", "aB", "Ab", "AB", "abc", "a@", "a[", "a_", "a^", "Z", "z", "[", "_", "@",
            "Button1@Form1#0[", "button1@Form1#0[", "Button1@Form1#1[", "Button10@Form1#0[", "Button1@form1#0[",
            QString::fromUtf8("\xC3\xA9"),          // é
            QString::fromUtf8("\xC3\x89"),          // É
            QString::fromUtf8("e\xCC\x81"),         // e + combining acute
            QString::fromUtf8("\xE2\x84\xAA"),      // Kelvin sign, folds to k
            "k", "K", "l", "L", QString::fromUtf8("a\xE2\x84\xAA"), "ak", "aK", "al",
            QString::fromUtf8("\xC5\xBF"),          // long s, folds to s
            "s", "S", "t", QString::fromUtf8("x\xC5\xBFy"), "xsy", "xSy", "xty",
            QString::fromUtf8("\xF0\x9F\x98\x80"),  // a surrogate pair
            QString::fromUtf8("a\xF0\x9F\x98\x80"), "a\xEF\xBF\xBD",
            QString::fromUtf8("\xC4\x8C"), QString::fromUtf8("\xC4\x8D"), "C", "c", "D",
        };
        TNamedObjectList L;
        for (const QString &A : Texts)
            for (const QString &B : Texts) {
                const int Got = Sign(L.CompareStrings(A, B));
                if (Got != Reference(A, B))
                    QFAIL(qPrintable(QStringLiteral("%1 vs %2: %3, expected %4")
                                         .arg(A, B).arg(Got).arg(Reference(A, B))));
                QCOMPARE(Got == 0, A == B);
            }
    }
};

QTEST_GUILESS_MAIN(TestNamedObjectOrder)
#include "tst_named_object_order.moc"
