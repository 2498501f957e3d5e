#pragma once
// The one-line form in which the store keeps every text (control characters
// written as '#nn' codes) and the small character tests used around it.

#include <QString>
#include <QStringView>

// Apostrophe, "#", Code in decimal, apostrophe: CharCode(13) is '#13'.
QString CharCode(int Code);

// Writes every character below 32 as its CharCode and drops character 0.
// True when S contained any character below 32.
//
// A "#" that directly follows a written code and is followed by a digit is
// written as '#35' as well: otherwise DecodeCharCodes would read it as a
// further code of the same group ('#13'#1 would come back as CR and char 1).
bool EncodeControlChars(QString &S);

// Writes every occurrence of Ch as its CharCode (the lexicon-file writer's
// "=" as '#61'). True when there was one. The same "#"-after-a-code rule as
// in EncodeControlChars keeps the result decodable.
bool EncodeChar(QString &S, QChar Ch);

// Turns code groups ('#13''#10', '#13#10', ' #13 ') back into characters.
// Texts that follow no code format pass through unchanged.
void DecodeCharCodes(QString &S);

// True when S holds an apostrophe followed (directly or after one space) by
// "#" and a digit: the one-line form cannot tell such a text from codes, and
// since the encoder leaves texts without control characters alone, these are
// the texts outside its round-trip promise.
bool HasCodeLikeApostrophe(QStringView S);

// Drops line breaks (and the blanks around them) at both ends, then either
// turns CR and LF into spaces (Encode false) or applies EncodeControlChars.
QString SingleLineText(const QString &S, bool Encode);

// True when S holds a character with code 65 or above.
bool HasLetters(const QString &S);

void ReplaceChar(QString &S, QChar Old, QChar New);

// Only "A".."Z" become "a".."z"; accented capitals stay as they are.
QString AsciiLowerCase(const QString &S);
// Removes characters of code 32 or below at both ends.
QString TrimControls(const QString &S);

// A decimal integer with an optional sign and nothing else; false when the
// text is empty, holds anything else or does not fit 32 bits.
bool ParseDecimal(QStringView S, int &Value);

// A caption without its accelerator markers: a single "&" marks the next
// character and goes, "&&" shows one literal "&".
QString StripAccelerators(const QString &Caption);
