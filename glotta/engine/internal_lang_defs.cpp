#include "glotta/engine/internal_lang_defs.h"

#include <initializer_list>

namespace {
TInternalLangDefs MakeDefs(std::initializer_list<const char16_t *> Texts)
{
    TInternalLangDefs Defs;
    int i = 0;
    for (const char16_t *T : Texts)
        Defs[i++] = QString::fromUtf16(T);
    return Defs;
}
} // namespace

// Items 9 and 13 are empty in every set and so never defined.
const TInternalLangDefs &EnglishTexts()
{
    static const TInternalLangDefs Defs = MakeDefs({
        u"English", u"en",
        u"Language Editor", // 0
        u"> Add <", // 1
        u"> Edit <", // 2
        u"Choose source language", // 3
        u"Language", // 4
        u"Source language", // 5
        u"Source string", // 6
        u"Property / Item", // 7
        u"Translation", // 8
        u"", // 9
        u"Group", // 10
        u"Object", // 11
        u"Create new language", // 12
        u"", // 13
        u"Group of language data", // 14
        u"Back - to untranslated object + Shift", // 15
        u"Next - untranslated object + Shift", // 16
        u"Read error from language file", // 17
        u"New language name", // 18
        u"already exists! Enter another name.", // 19
        u"Language files", // 20
        u"New language file name", // 21
        u"Saving of language file fail!", // 22
        u"Not found any untranslated object.", // 23
        u"Close without saving changes?", // 24
        u"Click for change flag. Right button for remove.", // 25
        u"Import language flag", // 26
        u"Do you really want to remove flag?", // 27
        u"Save", // 28
        u"Wrong path to language files!", // 29
        u"Toggle item status (Click or Ctrl + Left Arrow)", // 30
        u"Internal language", // 31
        u"Source translation", // 32
        u"Global source translation", // 33
        u"Translated", // 34
        u"Global translation", // 35
        u"Cancel translation", // 36
        u"Restored translation", // 37
        u"Keep source translation", // 38
        u"Invalid translation", // 39
        u"Export language", // 40
        u"Glotta export/import", // 41
        u"The design language of the application can not be exported", // 42
        u"Select the file to import", // 43
        u"This file can not be imported", // 44
        u"Import", // 45
        u"Mobile Lang Files", // 46
        u"Text files", // 47
        u"Global translation removed", // 48
        u"%s items has been imported", // 49
        u"Done", // 50
        u"own", // 51
        u"inherited", // 52
        u"global", // 53
        u"excluded", // 54
        u"missing", // 55
        u"Too long for its control by %s pixels", // 56
        u"Texts that do not fit", // 57
        u"Every text fits its control.", // 58
        u"Only rows to do (F4: next)", // 59
        u"Suggestions: Ctrl+1 to Ctrl+9 takes one", // 60
        u"%s rows still fail a check; the language is saved as it is.", // 61
    });
    return Defs;
}

const TInternalLangDefs &CzechTexts()
{
    static const TInternalLangDefs Defs = MakeDefs({
        u"Čeština", u"cs",
        u"Editor jazyků", // 0
        u"> Přidat jazyk <", // 1
        u"> Upravit jazyk <", // 2
        u"Zvolte referenční jazyk", // 3
        u"Jazyk", // 4
        u"Referenční jazyk", // 5
        u"Referenční řetězec", // 6
        u"Položka", // 7
        u"Překlad", // 8
        u"", // 9
        u"Skupina", // 10
        u"Objekt", // 11
        u"Založit nový jazyk pod uvedeným názvem", // 12
        u"", // 13
        u"Skupina jazykových dat", // 14
        u"Zpět - na nepřeložený objekt + Shift", // 15
        u"Další - nepřeložený objekt + Shift", // 16
        u"Chyba při načítání jazyka. Jazykový soubor nelze načíst.", // 17
        u"Název nového jazyka", // 18
        u"již v programu existuje! Zvolte jiný název.", // 19
        u"Jazykové soubory", // 20
        u"Soubor nového jazyka", // 21
        u"Chyba při ukládání jazykového souboru!", // 22
        u"Nebyl nalezen žádný nepřeložený objekt.", // 23
        u"Opravdu chcete odejít bez uložení změn?", // 24
        u"Klikněte pro změnu vlajky. Pravým tlačítkem odebrat.", // 25
        u"Import vlajky jazyka", // 26
        u"Opravdu chcete vymazat vlajku jazyka?", // 27
        u"Uložit", // 28
        u"Chybná cesta k jazykovým souborům!", // 29
        u"Přepnout stav položky (Klik nebo Ctrl+Šipka vlevo)", // 30
        u"Vnitřní jazyk návrhu", // 31
        u"Zdrojový překlad", // 32
        u"Globální zdrojový překlad", // 33
        u"Přeloženo", // 34
        u"Globální překlad", // 35
        u"Zrušení překladu", // 36
        u"Obnovený překlad", // 37
        u"Ponechat zdrojový překlad", // 38
        u"Neplatný překlad", // 39
        u"Export jazyka", // 40
        u"Glotta export/import", // 41
        u"Výchozí jazyk aplikace nemůže být exportován", // 42
        u"Vyberte soubor k importu", // 43
        u"Tento soubor nelze importovat", // 44
        u"Import", // 45
        u"Jazykové soubory Mobile", // 46
        u"Textové soubory", // 47
        u"Odstraněn globální překlad", // 48
        u"Importováno %s položek", // 49
        u"Hotovo", // 50
        u"vlastní", // 51
        u"zděděné", // 52
        u"globální", // 53
        u"vyřazené", // 54
        u"chybí", // 55
        u"O %s pixelů delší, než se do prvku vejde", // 56
        u"Texty, které se nevejdou", // 57
        u"Všechny texty se do svých prvků vejdou.", // 58
        u"Jen řádky k práci (F4: další)", // 59
        u"Návrhy: Ctrl+1 až Ctrl+9 jeden převezme", // 60
        u"%s řádků stále neprošlo kontrolou; jazyk se uloží tak, jak je.", // 61
    });
    return Defs;
}

const TInternalLangDefs &SlovakTexts()
{
    static const TInternalLangDefs Defs = MakeDefs({
        u"Slovenčina", u"sk",
        u"Editor jazykov", // 0
        u"> Pridať jazyk <", // 1
        u"> Opraviť jazyk <", // 2
        u"Vyberte referenčný jazyk", // 3
        u"Jazyk", // 4
        u"Referenčný jazyk", // 5
        u"Referenčný reťazec", // 6
        u"Položka", // 7
        u"Preklad", // 8
        u"", // 9
        u"Skupina", // 10
        u"Objekt", // 11
        u"Založiť nový jazyk s uvedeným názvom", // 12
        u"", // 13
        u"Skupina jazykových dát", // 14
        u"Späť - na nepreložený objekt + Shift", // 15
        u"Ďalej - na nepreložený objekt + Shift", // 16
        u"Chyba pri načítání jazykového súboru", // 17
        u"Názov nového jazyka", // 18
        u"už v programe existuje! Zvoľte iný názov.", // 19
        u"Jazykové súbory", // 20
        u"Súbor nového jazyka", // 21
        u"Chyba pri zápise do jazykového súboru!", // 22
        u"Nebol nájdený nepreložený objekt.", // 23
        u"Naozaj chcete odísť bez uloženia zmien?", // 24
        u"Kliknite pre zmenu vlajky. Pravým tlačítkom zrušiť.", // 25
        u"Import vlajky jazyka", // 26
        u"Skutočne chcete vymazať vlajku jazyka?", // 27
        u"Uložiť", // 28
        u"Chybná cesta k jazykovým súborom!", // 29
        u"Prepnúť stav položky (Klik alebo Ctrl + šípka vľavo)", // 30
        u"Vnútorný jazyk návrhu", // 31
        u"Zdrojový preklad", // 32
        u"Globálny zdrojový preklad", // 33
        u"Preložené", // 34
        u"Globálny preklad", // 35
        u"Zrušenie prekladu", // 36
        u"Obnovený preklad", // 37
        u"Zachovať zdrojový preklad", // 38
        u"Neplatný preklad", // 39
        u"Export jazyka", // 40
        u"Glotta export/import", // 41
        u"Východzí jazyk programu nie je možné exportovať", // 42
        u"Vyberte súbor pre import", // 43
        u"Tento súbor sa nedá importovať", // 44
        u"Import", // 45
        u"Jazykové súbory Mobile", // 46
        u"Textové súbory", // 47
        u"Odstránený globálny preklad", // 48
        u"Importovaných %s položiek", // 49
        u"Hotové", // 50
        u"vlastné", // 51
        u"zdedené", // 52
        u"globálne", // 53
        u"vyradené", // 54
        u"chýba", // 55
        u"O %s pixelov dlhšie, než sa do prvku zmestí", // 56
        u"Texty, ktoré sa nezmestia", // 57
        u"Všetky texty sa do svojich prvkov zmestia.", // 58
        u"Len riadky na prácu (F4: ďalší)", // 59
        u"Návrhy: Ctrl+1 až Ctrl+9 jeden prevezme", // 60
        u"%s riadkov stále neprešlo kontrolou; jazyk sa uloží tak, ako je.", // 61
    });
    return Defs;
}

const TInternalLangDefs &GermanTexts()
{
    static const TInternalLangDefs Defs = MakeDefs({
        u"Deutsch", u"de",
        u"Spracheneditor", // 0
        u"> Hinzufügen <", // 1
        u"> Bearbeiten <", // 2
        u"Wählen Sie die Basissprache", // 3
        u"Sprache", // 4
        u"Basissprache", // 5
        u"Basisstring", // 6
        u"Eigenschaft / Element", // 7
        u"Übersetzung", // 8
        u"", // 9
        u"Gruppe", // 10
        u"Objekt", // 11
        u"Neue Sprache erzeugen", // 12
        u"", // 13
        u"Gruppe von Sprachdaten", // 14
        u"Zurück - zum nicht übersetzten Stand zusätzlich + Shift", // 15
        u"Nächster - nicht übersetzter Stand + Shift", // 16
        u"Fehler beim Lesen der Sprachdatei", // 17
        u"Neuer Sprachname", // 18
        u"existiert bereits! Bitte verwenden Sie einen anderen Namen.", // 19
        u"Sprachdateien", // 20
        u"Neuer Dateiname der Sprache", // 21
        u"Die Sprachdatei konnte nicht gespeichert werden!", // 22
        u"Es wurde kein nicht übersetztes Objekt gefunden.", // 23
        u"Schließen ohne Änderungen zu Speichern?", // 24
        u"Anklicken zum Ändern der Flagge. Rechtsklicken zum Entfernen.", // 25
        u"Flagge zur Sprache importieren", // 26
        u"Möchten Sie wirklich die Flagge entfernen?", // 27
        u"Speichern", // 28
        u"Falscher Pfad zu den Sprachdateien!", // 29
        u"Elementstatus umschalten (Anklicken oder Strg + Linker Pfeil)", // 30
        u"Interne Sprache", // 31
        u"Basisübersetzung", // 32
        u"Globale Basisübersetzung", // 33
        u"Übersetzt", // 34
        u"Globale Übersetzung", // 35
        u"Übersetzung abbrechen", // 36
        u"Wiederhergestellte Übersetzung", // 37
        u"Basisübersetzung beibehalten", // 38
        u"Ungültige Übersetzung", // 39
        u"Sprache exportieren", // 40
        u"Glotta Export/Import", // 41
        u"Die Entwurfssprache der Anwendung kann nicht exportiert werden", // 42
        u"Wählen Sie die zu importierende Datei", // 43
        u"Diese Datei kann nicht importiert werden", // 44
        u"Sprache importieren", // 45
        u"Mobile Sprachdateien", // 46
        u"Text Dateien", // 47
        u"Globale Übersetzung entfernt", // 48
        u"%s Elemente wurden importiert", // 49
        u"Fertig", // 50
        u"eigene", // 51
        u"geerbt", // 52
        u"global", // 53
        u"ausgenommen", // 54
        u"fehlen", // 55
        u"Um %s Pixel zu lang für das Steuerelement", // 56
        u"Texte, die nicht passen", // 57
        u"Alle Texte passen in ihre Steuerelemente.", // 58
        u"Nur offene Zeilen (F4: nächste)", // 59
        u"Vorschläge: Strg+1 bis Strg+9 übernimmt einen", // 60
        u"%s Zeilen bestehen eine Prüfung noch nicht; die Sprache wird so gespeichert.", // 61
    });
    return Defs;
}

const TInternalLangDefs &ItalianTexts()
{
    static const TInternalLangDefs Defs = MakeDefs({
        u"Italiano", u"it",
        u"Editor di lingue", // 0
        u"> Aggiungere lingua <", // 1
        u"> Modificare lingua <", // 2
        u"Scegliere lingua di riferimento", // 3
        u"Lingua", // 4
        u"Lingua di riferimento", // 5
        u"Catena di riferimento", // 6
        u"Voce", // 7
        u"Traduzione", // 8
        u"", // 9
        u"Gruppo", // 10
        u"Oggetto", // 11
        u"Creare nuova lingua sotto il seguente nome", // 12
        u"", // 13
        u"Gruppo dei dati linguistici", // 14
        u"Indietro -  sull'oggetto non tradotto + Shift", // 15
        u"Prossimo - oggetto non tradotto + Shift", // 16
        u"Errore durante caricamento. File di lingua impossibile da caricare", // 17
        u"Nome della nuova lingua", // 18
        u"già esistente nel programma. Scegliere nuovo nome.", // 19
        u"File lingue", // 20
        u"File nuova lingua", // 21
        u"Errore durante il salvataggio del file lingua.", // 22
        u"Non è stato trovato alcun oggetto non tradotto.", // 23
        u"Sicuro di uscire senza salvare?", // 24
        u"Cliccare per cambiare la bandiera. Togliere con pulsante destro.", // 25
        u"Import bandiera della lingua", // 26
        u"Sicuro di cancellare la bandiera della lingua?", // 27
        u"Salvare", // 28
        u"Percorso errato ai file di lingue.", // 29
        u"Cambire lo stato della voce. (Click oppure Ctrl+Freccia sinistra)", // 30
        u"Lingua originale della proposta", // 31
        u"Traduzione di riferimento", // 32
        u"Traduzione di riferimento globale", // 33
        u"Tradotto", // 34
        u"Traduzione globale", // 35
        u"Cancellazione della traduzione", // 36
        u"Traduzione rinnovata", // 37
        u"Mantenere la traduzione di riferimento", // 38
        u"Traduzione non valida", // 39
        u"Export di lingua", // 40
        u"Glotta export/import", // 41
        u"Lingua originale dell'applicazione non può essere esportata", // 42
        u"Scegli file destinato all'import", // 43
        u"Impossibile importare questo file", // 44
        u"Import", // 45
        u"File linguistici Mobile", // 46
        u"File di testo", // 47
        u"Traduzione globale rimosso", // 48
        u"%s voci sono stati importati", // 49
        u"Completato", // 50
        u"propri", // 51
        u"ereditati", // 52
        u"globali", // 53
        u"esclusi", // 54
        u"mancanti", // 55
        u"Troppo lungo di %s pixel per il controllo", // 56
        u"Testi che non entrano", // 57
        u"Tutti i testi entrano nei loro controlli.", // 58
        u"Solo righe da fare (F4: prossima)", // 59
        u"Suggerimenti: Ctrl+1 – Ctrl+9 ne prende uno", // 60
        u"%s righe non superano ancora un controllo; la lingua viene salvata così com'è.", // 61
    });
    return Defs;
}
