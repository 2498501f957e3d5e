#pragma once
// The faults translators make, found by comparing a translation with its
// design text: placeholders, accelerators, blanks, line breaks, empty own
// lines, and the window-level faults (accelerator letters two controls
// share, lines the template no longer has). Shared by the command-line tool
// and the editor; texts are taken as a client shows them (character codes
// decoded).

#include "glotta/engine/glotta_engine_export.h"
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

enum class TCheckRule { Placeholders, Accelerator, AcceleratorClash, Blanks, LineBreaks, EmptyOwn, Obsolete };

// Reason: one short English sentence a person can act on.
struct TCheckFinding
{
    TCheckRule Rule;
    QString Reason;
};

// "placeholders", "accelerator", "accelerator-clash", "blanks", "line-breaks",
// "empty-own", "obsolete": the names the tool prints and accepts.
GLOTTA_ENGINE_EXPORT QString CheckRuleName(TCheckRule Rule);
// The rule of a name CheckRuleName gives; false for any other text.
GLOTTA_ENGINE_EXPORT bool CheckRuleOfName(const QString &Name, TCheckRule &Rule);

// Placeholders, accelerator, blanks and line breaks of one row. An empty
// translation is an untranslated row, not a faulty one: no findings.
GLOTTA_ENGINE_EXPORT QList<TCheckFinding> CheckTranslation(const QString &DesignText, const QString &Translation);

// The row checks, and for a row marked as the language's own translation an
// EmptyOwn finding when its translation is empty while the design text is not.
GLOTTA_ENGINE_EXPORT QList<TCheckFinding> CheckTranslation(const QString &DesignText, const QString &Translation,
                                                           bool MarkedOwn);

// The accelerator letter a text shows ("&Open" gives 'o', lower-cased), or a
// null QChar when it has none; "&&" is a literal ampersand.
GLOTTA_ENGINE_EXPORT QChar AcceleratorOf(const QString &Text);

// One control's text among the controls of one window, or the entries of one
// menu: Id is what the caller reports it by (a line ID, a component path).
struct TCheckGroupItem
{
    QString Id;
    QString DesignText;
    QString Translation; // empty: the control shows its design text
};

struct TCheckGroupFinding
{
    QString Id;
    TCheckFinding Finding;
};

// Accelerator letters that two or more items of one group show in the
// translation (each item's translation, or its design text where it has
// none). A clash the design texts already have among the same items is the
// design's and is not reported. One finding per item involved, in item order.
GLOTTA_ENGINE_EXPORT QList<TCheckGroupFinding> CheckAcceleratorClashes(const QList<TCheckGroupItem> &Items);

// The lines of a language file that the template no longer has: one Obsolete
// finding per ID of LineIds that TemplateIds lacks, in LineIds' order.
GLOTTA_ENGINE_EXPORT QList<TCheckGroupFinding> CheckObsoleteLines(const QStringList &LineIds,
                                                                  const QSet<QString> &TemplateIds);
