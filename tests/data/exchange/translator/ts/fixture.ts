<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el">
    <extra-glotta-Language-Name>Ελληνικά</extra-glotta-Language-Name>
    <extra-glotta-Language-Code>el</extra-glotta-Language-Code>
    <extra-glotta-Superior-Language>english</extra-glotta-Superior-Language>
    <extra-glotta-Signature>LANGUAGE_FILE</extra-glotta-Signature>
    <extra-glotta-Encoding>Unicode</extra-glotta-Encoding>
    <extra-glotta-Flag>424D000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F202122232425262728292A2B2C2D2E2F30313233343536373839</extra-glotta-Flag>
    <context>
        <name>Form1</name>
        <message>
            <source>arabicb@Form1#0[</source>
            <comment>arabicb@Form1#0[</comment>
            <translation>إلغاء التثبيت</translation>
        </message>
        <message>
            <source>cancelb@Form1#0[</source>
            <comment>cancelb@Form1#0[</comment>
            <translation>Отмена</translation>
        </message>
        <message>
            <source>emptyb@Form1#0[</source>
            <comment>emptyb@Form1#0[</comment>
            <extracomment>glotta: empty</extracomment>
            <translation></translation>
        </message>
        <message>
            <source>fileb@Form1#0[</source>
            <comment>fileb@Form1#0[</comment>
            <translation>&amp;Файл %1 из %s</translation>
        </message>
        <message>
            <source>Form1@#0[</source>
            <comment>Form1@#0[</comment>
            <translation>Αρχείο και ρυθμίσεις</translation>
        </message>
        <message>
            <source>gone2@Form1#0[</source>
            <comment>gone2@Form1#0[</comment>
            <extracomment>glotta: excluded</extracomment>
            <translation type="vanished"></translation>
        </message>
        <message>
            <source>gone@Form1#0[</source>
            <comment>gone@Form1#0[</comment>
            <translation type="vanished">Старый текст</translation>
        </message>
        <message>
            <source>Label1@Form1#0[</source>
            <comment>Label1@Form1#0[</comment>
            <translation>πρώτη γραμμή
δεύτερη	στήλη</translation>
        </message>
        <message>
            <source>ListBox1@Form1#32[Items[2]</source>
            <comment>ListBox1@Form1#32[Items[2]</comment>
            <translation>Στοιχείο δύο</translation>
        </message>
        <message>
            <source>logo@Form1#0[</source>
            <comment>logo@Form1#0[</comment>
            <extracomment>glotta: excluded</extracomment>
            <translation type="unfinished"></translation>
        </message>
        <message>
            <source>quoteb@Form1#0[</source>
            <comment>quoteb@Form1#0[</comment>
            <translation>Press &quot;OK&quot; in the '90s, it's 5 o'clock, '#65' stays</translation>
        </message>
    </context>
    <context>
        <name>Form1.Lexicon1</name>
        <message>
            <source>lexicon:Form1.Lexicon1#0</source>
            <comment>lexicon:Form1.Lexicon1#0</comment>
            <translation>Πρώτο μήνυμα</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#1</source>
            <comment>lexicon:Form1.Lexicon1#1</comment>
            <translation>%d αρχεία
σε 	 «φάκελο»</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#3</source>
            <comment>lexicon:Form1.Lexicon1#3</comment>
            <translation>Ошибка 3</translation>
        </message>
    </context>
    <context>
        <name>GlottaTexts</name>
        <message>
            <source>library:GlottaTexts#0</source>
            <comment>library:GlottaTexts#0</comment>
            <translation>Ναι</translation>
        </message>
        <message>
            <source>library:GlottaTexts#1</source>
            <comment>library:GlottaTexts#1</comment>
            <translation>Όχι</translation>
        </message>
    </context>
    <context>
        <name></name>
        <message>
            <source>Ano</source>
            <translation>Ναι</translation>
        </message>
        <message>
            <source>Zrušit</source>
            <translation>Ακύρωση</translation>
        </message>
    </context>
    <context>
        <name>Unit1.Resources</name>
        <message>
            <source>Soubor nenalezen</source>
            <comment>smart:Unit1.Resources</comment>
            <translation>Файл не найден</translation>
        </message>
        <message>
            <source>Uloženo 
%1</source>
            <comment>smart:Unit1.Resources</comment>
            <translation>تم الحفظ 
%1</translation>
        </message>
    </context>
</TS>
