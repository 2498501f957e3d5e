<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
    <extra-glotta-Language-Name>english</extra-glotta-Language-Name>
    <extra-glotta-Language-Code>en</extra-glotta-Language-Code>
    <extra-glotta-Superior-Language>čeština</extra-glotta-Superior-Language>
    <extra-glotta-Signature>LANGUAGE_FILE</extra-glotta-Signature>
    <extra-glotta-Encoding>Unicode</extra-glotta-Encoding>
    <context>
        <name>Form1</name>
        <message>
            <source>Form1@#0[</source>
            <comment>Form1@#0[</comment>
            <translation>Local installation of program Dilnex</translation>
        </message>
        <message>
            <source>instalovat1b@Form1#0[</source>
            <comment>instalovat1b@Form1#0[</comment>
            <translation>Download and install the missing component.</translation>
        </message>
        <message>
            <source>instalovat2b@Form1#0[</source>
            <comment>instalovat2b@Form1#0[</comment>
            <translation>Download and install the database MS SQL LocalDB</translation>
        </message>
        <message>
            <source>instalovat3b@Form1#0[</source>
            <comment>instalovat3b@Form1#0[</comment>
            <translation>Download and install the program Dilnex</translation>
        </message>
        <message>
            <source>konecb@Form1#0[</source>
            <comment>konecb@Form1#0[</comment>
            <translation>close</translation>
        </message>
        <message>
            <source>Label1@Form1#0[</source>
            <comment>Label1@Form1#0[</comment>
            <translation>Missing components for the local database MS SQL LocalDB:</translation>
        </message>
        <message>
            <source>pokracovatb@Form1#0[</source>
            <comment>pokracovatb@Form1#0[</comment>
            <translation>continue</translation>
        </message>
        <message>
            <source>zrusitb@Form1#0[</source>
            <comment>zrusitb@Form1#0[</comment>
            <translation>cancel downloading</translation>
        </message>
    </context>
    <context>
        <name>Form1.Lexicon1</name>
        <message>
            <source>lexicon:Form1.Lexicon1#0</source>
            <comment>lexicon:Form1.Lexicon1#0</comment>
            <translation>This is installation program for local (single-user, non-networked) version of program Dilnex intended for testing purposes . This version is modified to not require Microsoft SQL server, instead it uses a local database Microsoft SQL LocalDB. This database is designed for Windows Vista and later or Windows 2008 server or higher. The limitation applies only to installation with the local database MS SQL LocalDB. Database for your installation requires some additional components and administrator rights. The installation program now checks the Windows system up to date and missing components will offer to download and install.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#1</source>
            <comment>lexicon:Form1.Lexicon1#1</comment>
            <translation>The installation program must be run under an administrator account.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#2</source>
            <comment>lexicon:Form1.Lexicon1#2</comment>
            <translation>Setup Error.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#3</source>
            <comment>lexicon:Form1.Lexicon1#3</comment>
            <translation>Internet connection is not working properly, you can not continue. Check the connections.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#4</source>
            <comment>lexicon:Form1.Lexicon1#4</comment>
            <translation>Connection error.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#5</source>
            <comment>lexicon:Form1.Lexicon1#5</comment>
            <translation>downloading</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#6</source>
            <comment>lexicon:Form1.Lexicon1#6</comment>
            <translation>with message:</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#7</source>
            <comment>lexicon:Form1.Lexicon1#7</comment>
            <translation>This error occurred during the download. Can not continue. You can try again later.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#8</source>
            <comment>lexicon:Form1.Lexicon1#8</comment>
            <translation>error</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#9</source>
            <comment>lexicon:Form1.Lexicon1#9</comment>
            <translation>installing</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#10</source>
            <comment>lexicon:Form1.Lexicon1#10</comment>
            <translation>It seems that the installation of the product, NET Framework 4 failed, Setup cannot continue. You can try again after restarting the pc.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#11</source>
            <comment>lexicon:Form1.Lexicon1#11</comment>
            <translation>It seems that the installation of SQL Native client, the installation cannot continue. You can try again after restarting the pc.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#12</source>
            <comment>lexicon:Form1.Lexicon1#12</comment>
            <translation>It looks like one of the add-in is not installed. You cannot continue to install the database.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#13</source>
            <comment>lexicon:Form1.Lexicon1#13</comment>
            <translation>It looks like the database is already installed.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#14</source>
            <comment>lexicon:Form1.Lexicon1#14</comment>
            <translation>installing the database ...</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#15</source>
            <comment>lexicon:Form1.Lexicon1#15</comment>
            <translation>It looks like the installation of MS SQL database LocalDB failed, Setup cannot continue. You can try again after restarting the pc.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#16</source>
            <comment>lexicon:Form1.Lexicon1#16</comment>
            <translation>It seems that the MS SQL database LocalDB is not installed, the installation cannot continue. You can try again after restarting the pc.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#17</source>
            <comment>lexicon:Form1.Lexicon1#17</comment>
            <translation>the installation was completed</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#18</source>
            <comment>lexicon:Form1.Lexicon1#18</comment>
            <translation>MS SQL database LocalDB requires at least windows Vista and higher. On older versions cannot work. The installation cannot continue with a local database. You can use a separate installation of program Dilnex for SQL server.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#19</source>
            <comment>lexicon:Form1.Lexicon1#19</comment>
            <translation>does not meet the requirements for the installation.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#20</source>
            <comment>lexicon:Form1.Lexicon1#20</comment>
            <translation>The required components are already installed on your system.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#21</source>
            <comment>lexicon:Form1.Lexicon1#21</comment>
            <translation>database setup</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#22</source>
            <comment>lexicon:Form1.Lexicon1#22</comment>
            <translation>Dilnex</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#24</source>
            <comment>lexicon:Form1.Lexicon1#24</comment>
            <translation>Wine was not found. The installers of the components cannot be run without it. Install Wine and start the installation again.</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#25</source>
            <comment>lexicon:Form1.Lexicon1#25</comment>
            <translation>Wine program not found</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#26</source>
            <comment>lexicon:Form1.Lexicon1#26</comment>
            <translation>preparing the Wine environment ...</translation>
        </message>
        <message>
            <source>lexicon:Form1.Lexicon1#27</source>
            <comment>lexicon:Form1.Lexicon1#27</comment>
            <translation>The Wine environment could not be prepared, the installation cannot continue.</translation>
        </message>
    </context>
</TS>
