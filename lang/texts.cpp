#include "lang/texts.h"

#include <cstdint>
#include <iterator>

#include "res/resource.h"
#include "res/version.h"

namespace {

// One language's text. A Chinese text may be followed by `padding` spaces,
// which belong to it; the table keeps them as a count, since a run of
// spaces at the end of a literal is easy to miscount.
struct TextCell {
    constexpr TextCell(const char* chars, int spaces = 0) : text(chars), padding(static_cast<std::uint8_t>(spaces)) {}

    const char* text;
    std::uint8_t padding;
};

struct TextRow {
    TextId id;
    TextCell in[kLanguageCount];
};

using T = TextId;

constexpr TextRow kTexts[] = {
    {T::ReadyCaption, {"就緒 ", "Fertig", "Done"}},
    {T::NotWindowsXp,
     {"您的作業系統不是 Windows XP，建議您立即關閉此程式！      \n您目前所使用的作業系統是： %1",
      "Ihr Betriebssystem ist nicht Windows XP. Sie sollten dieses Programm sofort schließen!\n"
      "Ihr Betriebssystem ist: %1",
      "Your operating system is not Windows XP. You should close this program now!\n"
      "The operating system you are using is: %1"}},
    {T::HelpFileMissing,
     {"對不起，在執行目錄找不到說明檔        [%1]",
      "Die Hilfedatei %1 ist nicht im Ordner des Programms.",
      "The help file %1 is not in the program's folder."}},
    {T::BackupRefused,
     {"無法寫入備份檔，所以沒有變更任何設定。\n\n%1\n%2",
      "Die Sicherung konnte nicht geschrieben werden, daher wurde keine Einstellung geändert.\n\n%1\n%2",
      "The backup could not be written, so no setting was changed.\n\n%1\n%2"}},
    {T::CheckQuestion,
     {{"已套用您選擇的「設定值」，請問您現在是否要\n檢查「系統狀態」？", 23},
      "Die gewählten Einstellungen wurden übernommen.\nMöchten Sie jetzt den Systemstatus prüfen?",
      "The settings you chose have been applied.\nDo you want to check the system status now?"}},
    {T::RestoreQuestion,
     {{"恢復所有設定值表示，所有功能都會「恢復」為剛安裝完 Windows XP 時的初始狀態。\n"
      "這並不會影響 MS Messenger Alexa 與 MS 支援使用者，因此您必須手動將它們刪除。\n"
      "您要繼續嗎？", 84},
      "Beim Zurücksetzen erhalten alle Funktionen wieder den Zustand eines frisch installierten Windows XP.\n"
      "MS Messenger, Alexa und die MS-Supportbenutzer bleiben davon unberührt: Sie müssen sie selbst entfernen.\n"
      "Möchten Sie fortfahren?",
      "Resetting returns every feature to its state in a freshly installed Windows XP.\n"
      "This does not affect MS Messenger, Alexa and the MS support accounts: you must remove them yourself.\n"
      "Do you want to continue?"}},
    {T::RestoreDone,
     {{"已恢復為初始設定值！", 8},
      "Die Standardeinstellungen wurden wiederhergestellt.",
      "The default settings have been restored."}},

    // The registry writer's result lines (code 0, 1, 3, 4, 5).
    {T::WriteOk, {"%1:[OK]", "%1:[OK]", "%1:[OK]"}},
    {T::WriteCannotOpenKey,
     {"%1:[ 無法開啟登錄機碼 ]",
      "%1: [Registrierungsschlüssel kann nicht geöffnet werden]",
      "%1: [cannot open the registry key]"}},
    {T::WriteCannotSet,
     {"%1:[ 無法設定系統登錄值]",
      "%1: [Registrierungswert kann nicht gesetzt werden]",
      "%1: [cannot set the registry value]"}},
    {T::WriteCannotReadBack,
     {"%1:[ 無法查詢系統登錄值  ]",
      "%1: [Registrierungswert kann nicht zurückgelesen werden]",
      "%1: [cannot read the registry value back]"}},
    {T::WriteReadBackDiffers,
     {"%1:[ 讀取的登錄值與先前寫入的相異  ]",
      "%1: [zurückgelesener Wert weicht vom geschriebenen ab]",
      "%1: [the value read back differs from the one written]"}},

    // The labels without a string table row.
    {T::MiscGroupLabel, {{"雜項", 9}, "Diverse", "Miscellaneous"}},
    {T::MessengerNoActionLabel, {{"無動作", 3}, "Keine Aktion", "No action"}},

    // The about box, each line no wider than its text control; the legend.
    {T::AboutText,
     {{VEILMARK_PRODUCT " " VEILMARK_VERSION_SHOWN " 版　(C) 2001　舒維默\n"
      "\n"
      "若本程式無法在您的電腦上正常運作，作者無法提供任何保證，\n"
      "因為這只是一個人獨力完成的作品。本工具將永遠免費提供。\n"
      "若有任何問題，歡迎來信：author@veilmark.example.org\n"
      "\n"
      "感謝「靜湖軟體論壇」的所有朋友，沒有你們就沒有這個程式。\n"
      "最新版本請至作者網站：" VEILMARK_HOME_PAGE "\n"
      "\n"
      "謹以本程式獻給我的好友梁子齊，他也是我第一位程式設計老師，\n"
      "一位真正的智者。\n"
      "\n"
      "本程式以 C++ 與 MinGW-w64 寫成。祝您使用愉快！", 162},
      VEILMARK_PRODUCT " " VEILMARK_VERSION_SHOWN "  (C) 2001  Shu Weimo\n"
      "\n"
      "Der Autor kann nicht garantieren, dass dieses Programm auf Ihrem\n"
      "Computer richtig läuft: Es ist das Werk eines Einzelnen.\n"
      "Es wird immer kostenlos bleiben. Fragen gern an author@veilmark.example.org\n"
      "\n"
      "Dank an alle Freunde im Forum „Stiller See“: Ohne euch gäbe es\n"
      "dieses Programm nicht. Neueste Version: " VEILMARK_HOME_PAGE "\n"
      "\n"
      "Gewidmet meinem Freund Liang Ziqi, meinem ersten Lehrer im\n"
      "Programmieren, einem wahrhaft weisen Menschen.\n"
      "\n"
      "Geschrieben in C++ mit MinGW-w64. Viel Freude damit!",
      VEILMARK_PRODUCT " " VEILMARK_VERSION_SHOWN "  (C) 2001  Shu Weimo\n"
      "\n"
      "The author cannot guarantee that this program runs well on your\n"
      "computer: it is the work of one person alone.\n"
      "It will always be free. Questions are welcome at author@veilmark.example.org\n"
      "\n"
      "Thanks to all friends of the Quiet Lake forum: without you there would\n"
      "be no such program. Latest version: " VEILMARK_HOME_PAGE "\n"
      "\n"
      "Dedicated to my friend Liang Ziqi, my first programming teacher,\n"
      "a truly wise man.\n"
      "\n"
      "Written in C++ with MinGW-w64. Enjoy!"}},
    {T::InfoHeading,
     {{"目前您選擇了各種不同的功能。", 26},
      "Die Bilder im Baum der Optionen bedeuten:",
      "The pictures of the option tree mean:"}},
    {T::InfoDone,
     {{"表示：此功能已停用。", 24},
      "Diese Funktion ist bereits abgeschaltet.",
      "This feature is switched off already."}},
    {T::InfoActive,
     {{"表示：此功能未停用，且已選取，但可取消選取。", 35},
      "Diese Funktion ist noch aktiv und ausgewählt; Sie können sie abwählen.",
      "This feature is still on and selected; you can clear it."}},

    // The system actions.
    {T::MessengerQuestion,
     {{"您選擇要解除安裝 MS Messenger，對嗎？", 21},
      "Sie haben gewählt, MS Messenger zu deinstallieren. Ist das richtig?",
      "You chose to uninstall MS Messenger. Is that right?"}},
    {T::MessengerWait,
     {{"Microsoft Messenger 即將解除\n安裝，請稍候。若系統要求重新\n啟動，請您不要拒絕。", 25},
      "Bitte warten, während MS Messenger\ndeinstalliert wird. Starten Sie das\nSystem erst neu, wenn Veilmark\nfertig ist!",
      "Please wait while MS Messenger is\nuninstalled. Restart the system\nonly after Veilmark has finished."}},
    {T::MediaPlayerWait,
     {{"為了設定組態，現在必須載入 MediaPlayer，                      \n10 秒鐘後將自動關閉該程式...", 24},
      "Windows Media Player wird jetzt\ngestartet, um seine Einstellungen\nzu machen, und nach 10 Sekunden\nwieder geschlossen...",
      "Windows Media Player starts now to\nmake its settings; it is closed again\nafter 10 seconds..."}},
    {T::UserGuidance,
     {{"現在請選取 [本機使用者和群組] | [使用者]，並刪除\n下列兩個使用者，否則 MS 的傢伙隨時可能造訪您\n的電腦 ;-)", 23},
      "Wählen Sie jetzt [Lokale Benutzer und Gruppen] | [Benutzer]\nund löschen Sie die beiden Benutzer unten, sonst\nkönnen die Leute von MS jederzeit Ihren Computer\nbesuchen ;-)",
      "Now select [Local Users and Groups] | [Users] and\ndelete the two users below, or the folks at MS may\nvisit your computer at any time ;-)"}},
    {T::TimeServerQuestion,
     {{"設定校時伺服器表示將啟用 Windows 的校時\n伺服器服務，讓您電腦的時間與網際網路的\n時間同步。您要啟用此服務嗎？", 36},
      "Ein Zeitserver schaltet den Windows-Zeitdienst ein, der die Uhr\nIhres Computers mit der Internetzeit synchronisiert.\n"
      "Möchten Sie diesen Dienst einschalten?",
      "Setting a time server turns on the Windows Time service, which\nsynchronizes your computer's clock with Internet Time.\n"
      "Do you want to turn this service on?"}},
    {T::PlayerNotStarted, {nullptr, "wmplayer.exe konnte nicht gestartet werden", "wmplayer.exe could not be started"}},
    {T::UninstallerNotStarted,
     {nullptr,
      "RunDll32.exe konnte nicht gestartet werden",
      "RunDll32.exe could not be started"}},

    // The system's description line.
    {T::UnnamedSystem, {nullptr, "unbenanntes System", "unnamed system"}},
    {T::EditionHome, {nullptr, "%1 (Edition: Home Edition)", "%1 (edition: Home Edition)"}},
    {T::EditionProfessional, {nullptr, "%1 (Edition: Professional)", "%1 (edition: Professional)"}},
    {T::EditionOther, {nullptr, "%1 (Edition: andere, Suite-Maske 0x%2)", "%1 (edition: other, suite mask 0x%2)"}},
    {T::EditionUnknown, {nullptr, "%1 (Edition: unbekannt)", "%1 (edition: unknown)"}},

    // The command line of veilmark.exe.
    {T::Usage,
     {nullptr,
      "Schaltet die Funktionen von Windows XP ab, die dem Hersteller berichten, von sich\n"
      "aus ins Internet gehen oder den Rechner für Hilfe aus der Ferne öffnen.\n"
      "\n"
      "  veilmark.exe\n"
      "      Öffnet den Dialog.\n"
      "  veilmark.exe /status [/report DATEI]\n"
      "      Sagt von jeder Option, ob sie off (abgeschaltet), on (noch aktiv) oder\n"
      "      unknown (ihr Wert ist nicht lesbar) ist. Ändert nichts.\n"
      "      Rückgabewert 0: alle off; 1: manche on; 2: manche unknown, keine on.\n"
      "  veilmark.exe /apply AUSWAHL [/report DATEI]\n"
      "      Schaltet die Optionen der AUSWAHL ab wie die Schaltfläche Start, ohne zu\n"
      "      fragen. Das Entfernen der Supportbenutzer braucht einen Menschen und\n"
      "      unterbleibt. Rückgabewert 0: jeder Schritt erledigt; 1: ein Schritt\n"
      "      ist fehlgeschlagen.\n"
      "  veilmark.exe /restore [/report DATEI]\n"
      "      Stellt die Standardwerte von Windows wieder her wie der Befehl des Menüs,\n"
      "      ohne zu fragen. Rückgabewert 0: jeder Wert wiederhergestellt; 1: manche\n"
      "      nicht.\n"
      "  veilmark.exe /export AUSWAHL DATEI.reg\n"
      "      Schreibt die Registrierungsänderungen der AUSWAHL in DATEI.reg, für\n"
      "      regedit /s oder reg import auf anderen Rechnern. Ändert hier nichts.\n"
      "  veilmark.exe /revert DATEI.reg\n"
      "      Importiert eine Sicherung: die Werte, wie sie vor einem Durchlauf waren.\n"
      "      Nur eine Datei der Werte, die die Durchläufe ändern, wird angenommen.\n"
      "      Rückgabewert 0: jeder Wert wiederhergestellt; 1: manche nicht.\n"
      "  veilmark.exe /backups\n"
      "      Listet die Sicherungen auf, die neueste zuerst. Start, /apply, /restore\n"
      "      und das Zurücksetzen des Systemstatus speichern je eine, bevor sie etwas\n"
      "      ändern, in %APPDATA%\\Veilmark\\Backups; auch regedit /s importiert sie.\n"
      "  veilmark.exe /lang zh|de|en [...]\n"
      "      Zeigt den Dialog oder führt den Befehl auf Chinesisch, Deutsch oder\n"
      "      Englisch aus, welche Sprache Windows auch spricht.\n"
      "  veilmark.exe /?\n"
      "      Zeigt diesen Text.\n"
      "\n"
      "AUSWAHL ist recommended (was der Befehl für die empfohlenen Einstellungen\n"
      "ankreuzt), expert (das und die beiden Expertenoptionen) oder der Pfad eines\n"
      "Profils: einer UTF-8-Textdatei mit einem Optionsschlüssel je Zeile. Leere Zeilen\n"
      "und Zeilen, die mit # beginnen, zählen nicht; von der Messenger-Gruppe höchstens\n"
      "ein Schlüssel.\n"
      "/report DATEI speichert den Bericht auch in DATEI, in UTF-8.\n"
      "Ein Fehler endet mit dem Rückgabewert 3 und ändert nichts.\n"
      "In cmd.exe warten Sie auf das Programm mit: start /wait veilmark.exe /status\n"
      "\n"
      "Optionsschlüssel:\n",
      "Switches off the features of Windows XP that report to the vendor, go online\n"
      "by themselves or open the machine to remote help.\n"
      "\n"
      "  veilmark.exe\n"
      "      Opens the dialog.\n"
      "  veilmark.exe /status [/report FILE]\n"
      "      Tells of every option whether it is off (switched off), on (still\n"
      "      active) or unknown (its value cannot be read). Changes nothing.\n"
      "      Exit code 0: all off; 1: some on; 2: some unknown, none on.\n"
      "  veilmark.exe /apply SELECTION [/report FILE]\n"
      "      Switches off the options of SELECTION as the Start button does,\n"
      "      without asking. Removing the support accounts needs a person and is\n"
      "      left out. Exit code 0: every step done; 1: some step failed.\n"
      "  veilmark.exe /restore [/report FILE]\n"
      "      Restores the Windows defaults as the menu's restore does, without\n"
      "      asking. Exit code 0: every value restored; 1: some could not be.\n"
      "  veilmark.exe /export SELECTION FILE.reg\n"
      "      Writes the registry changes of SELECTION to FILE.reg, for regedit /s\n"
      "      or reg import on other machines. Changes nothing here.\n"
      "  veilmark.exe /revert FILE.reg\n"
      "      Imports a backup: the values as they were before a pass. Only a file\n"
      "      of the values that the passes change is taken. Exit code 0: every\n"
      "      value restored; 1: some could not be.\n"
      "  veilmark.exe /backups\n"
      "      Lists the backups, newest first. Start, /apply, /restore and the\n"
      "      restore of the defaults each save one before they change anything, in\n"
      "      %APPDATA%\\Veilmark\\Backups; regedit /s imports them too.\n"
      "  veilmark.exe /lang zh|de|en [...]\n"
      "      Shows the dialog or runs the command in Chinese, German or English,\n"
      "      whatever the language of Windows.\n"
      "  veilmark.exe /?\n"
      "      Shows this text.\n"
      "\n"
      "SELECTION is recommended (what the recommended-selection command ticks),\n"
      "expert (that and the two expert options) or the path of a profile: a UTF-8\n"
      "text file with one option key per line. Blank lines and lines starting with\n"
      "# are ignored; of the Messenger group at most one key.\n"
      "/report FILE saves the report to FILE as well, in UTF-8.\n"
      "An error ends with exit code 3 and changes nothing.\n"
      "In cmd.exe, wait for the program with: start /wait veilmark.exe /status\n"
      "\n"
      "Option keys:\n"}},
    {T::UsageHint, {nullptr, "veilmark.exe /? zeigt die Verwendung.\n", "veilmark.exe /? shows the usage.\n"}},
    {T::UnknownSwitch, {nullptr, "unbekannter Schalter %1", "unknown switch %1"}},
    {T::UnexpectedArgument, {nullptr, "unerwartetes Argument %1", "unexpected argument %1"}},
    {T::RepeatedSwitch, {nullptr, "unbekannter oder wiederholter Schalter %1", "unknown or repeated switch %1"}},
    {T::NeedsSelection, {nullptr, "%1 braucht eine Auswahl", "%1 needs a selection"}},
    {T::NeedsFileName, {nullptr, "%1 braucht einen Dateinamen", "%1 needs a file name"}},
    {T::NeedsRegFileToWrite,
     {nullptr,
      "%1 braucht den Namen der zu schreibenden .reg-Datei",
      "%1 needs the name of the .reg file to write"}},
    {T::NeedsRegFileToImport,
     {nullptr,
      "%1 braucht den Namen der zu importierenden .reg-Datei",
      "%1 needs the name of the .reg file to import"}},
    {T::NeedsLanguage, {nullptr, "%1 braucht zh, de oder en", "%1 needs zh, de or en"}},
    {T::CannotReadProfile, {nullptr, "das Profil %1 ist nicht lesbar: %2", "cannot read the profile %1: %2"}},
    {T::CannotWriteReport,
     {nullptr,
      "der Bericht %1 kann nicht geschrieben werden: %2",
      "cannot write the report %1: %2"}},
    {T::CannotWriteBackup,
     {nullptr,
      "die Sicherung %1 kann nicht geschrieben werden: %2",
      "cannot write the backup %1: %2"}},
    {T::CannotWriteFile, {nullptr, "%1 kann nicht geschrieben werden: %2", "cannot write %1: %2"}},
    {T::CannotReadFile, {nullptr, "%1 ist nicht lesbar: %2", "cannot read %1: %2"}},
    {T::ErrorInLine, {nullptr, "%1, Zeile %2: %3", "%1, line %2: %3"}},
    {T::NothingImported,
     {nullptr,
      "%1, Zeile %2: %3; nichts wurde importiert",
      "%1, line %2: %3; nothing was imported"}},
    {T::Wrote, {nullptr, "%1 geschrieben.", "Wrote %1."}},
    {T::NoBackups, {nullptr, "Keine Sicherungen in %1.", "No backups in %1."}},

    // Profiles.
    {T::UnknownOptionKey, {nullptr, "unbekannter Optionsschlüssel \"%1\"", "unknown option key \"%1\""}},
    {T::OptionIsGroup,
     {nullptr,
      "\"%1\" ist eine Gruppe; nennen Sie stattdessen ihre Optionen",
      "\"%1\" is a group; name its options instead"}},
    {T::SecondMessengerChoice,
     {nullptr,
      "\"%1\" ist eine zweite Wahl der Messenger-Gruppe (die erste steht in Zeile %2)",
      "\"%1\" is a second choice of the Messenger group (the first is on line %2)"}},

    // .reg files.
    {T::NotRegFile,
     {nullptr,
      "keine .reg-Datei: die erste Zeile ist weder \"Windows Registry Editor Version 5.00\" noch \"REGEDIT4\"",
      "not a .reg file: the first line is neither \"Windows Registry Editor Version 5.00\" nor \"REGEDIT4\""}},
    {T::EmptyRegFile, {nullptr, "keine .reg-Datei: sie ist leer", "not a .reg file: it is empty"}},
    {T::KeyWithoutBracket, {nullptr, "ein Schlüssel ohne schließende ']'", "a key without its closing ']'"}},
    {T::KeyBelowNoRoot,
     {nullptr,
      "ein Schlüssel, der nicht unter HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE oder HKEY_CLASSES_ROOT liegt",
      "a key that is not below HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT"}},
    {T::ValueOutsideSection,
     {nullptr,
      "ein Wert außerhalb des Abschnitts eines Schlüssels",
      "a value outside of a key's section"}},
    {T::NameNotQuoted, {nullptr, "ein Wertname ohne Anführungszeichen", "a value name that is not quoted"}},
    {T::ValueWithoutEquals, {nullptr, "ein Wert ohne '='", "a value without '='"}},
    {T::TextWithoutQuote,
     {nullptr,
      "ein Text ohne schließendes Anführungszeichen",
      "a text that does not end with its quote"}},
    {T::BadDword,
     {nullptr,
      "ein dword, das nicht aus 1 bis 8 Hexziffern besteht",
      "a dword that is not 1 to 8 hex digits"}},
    {T::BadValueType, {nullptr, "ein Werttyp, der keine Hexzahl ist", "a value type that is not a hex number"}},
    {T::UnknownValueKind,
     {nullptr,
      "ein Wert, der weder \"Text\", dword:, hex: noch hex(N): ist",
      "a value that is none of \"text\", dword:, hex: or hex(N):"}},
    {T::BadHexList,
     {nullptr,
      "eine Hexliste, die nicht aus durch Kommas getrennten Bytes besteht",
      "a hex list that is not bytes separated by commas"}},
    {T::OddTextLength, {nullptr, "ein Text aus einer ungeraden Anzahl von Bytes", "a text of an odd number of bytes"}},

    // The revert of a backup.
    {T::RevertDeletesKey,
     {nullptr,
      "löscht den Schlüssel %1, was kein Durchlauf tut",
      "deletes the key %1, which no pass does"}},
    {T::RevertNamesKey,
     {nullptr,
      "nennt den Schlüssel %1, den kein Durchlauf ändert",
      "names the key %1, which no pass changes"}},
    {T::RevertChangesValue,
     {nullptr,
      "ändert den Wert \"%1\" von %2, den kein Durchlauf ändert",
      "changes the value \"%1\" of %2, which no pass changes"}},
    {T::RevertKeyNotWritable,
     {nullptr,
      "fehlgeschlagen: der Schlüssel lässt sich nicht zum Schreiben öffnen",
      "failed: the key cannot be opened for writing"}},
    {T::RevertCannotSet,
     {nullptr,
      "fehlgeschlagen: der Wert lässt sich nicht setzen",
      "failed: the value cannot be set"}},
    {T::RevertKeyShut,
     {nullptr,
      "fehlgeschlagen: der Schlüssel lässt sich nicht öffnen",
      "failed: the key cannot be opened"}},
    {T::RevertCannotDelete,
     {nullptr,
      "fehlgeschlagen: der Wert lässt sich nicht löschen",
      "failed: the value cannot be deleted"}},

    // The backup.
    {T::NoApplicationData,
     {nullptr,
      "der Ordner der Anwendungsdaten des Benutzers ist unbekannt",
      "the folder of the user's application data is unknown"}},
    {T::BackupKeyShut, {nullptr, "der Schlüssel %1 lässt sich nicht öffnen", "the key %1 cannot be opened"}},
    {T::BackupValueUnreadable, {nullptr, "der Wert %1 von %2 ist nicht lesbar", "the value %1 of %2 cannot be read"}},

    // The offline program.
    {T::OfflineUsage,
     {nullptr,
      "Schaltet in einer Windows-XP-Installation, die nicht läuft, die Funktionen ab,\n"
      "die dem Hersteller berichten, von sich aus ins Internet gehen oder den Rechner\n"
      "für Hilfe aus der Ferne öffnen: in ihren Registrierungsdateien (Hives), von\n"
      "Linux aus, etwa auf einer eingehängten Partition oder einem VM-Abbild.\n"
      "\n"
      "  veilmark-offline --root VERZ [--user NAME]... [--lang zh|de|en] BEFEHL\n"
      "\n"
      "VERZ ist die Wurzel des Systemlaufwerks von Windows XP. Die Befehle wirken auf\n"
      "die Werte des Rechners und auf jedes Benutzerprofil (auch Default User, damit\n"
      "später angelegte Konten die Einstellungen erben); --user NAME (der Name des\n"
      "Profilordners, wiederholbar) wählt einzelne Profile.\n"
      "\n"
      "  status [--report DATEI]\n"
      "      Für jedes Profil eine Zeile [NAME], dann was veilmark.exe /status für\n"
      "      diesen Benutzer sagt. Rückgabewert: der schlechteste aller Profile.\n"
      "  apply AUSWAHL [--report DATEI]\n"
      "      Wie veilmark.exe /apply: die Werte des Rechners einmal ([machine]),\n"
      "      dann die jedes Profils. Rückgabewert 0: jeder Schritt erledigt;\n"
      "      1: ein Schritt ist fehlgeschlagen.\n"
      "  restore [--report DATEI]\n"
      "      Wie veilmark.exe /restore: die Standardwerte von Windows.\n"
      "  revert DATEI.reg\n"
      "      Importiert eine Sicherung, mit den Prüfungen von /revert; eine Sicherung\n"
      "      mit Werten eines Benutzers braucht --user NAME, außer sie liegt im\n"
      "      Ordner seines Profils.\n"
      "  backups\n"
      "      Listet die Sicherungen jedes Profils auf, die neueste zuerst.\n"
      "  --backup-dir VERZ\n"
      "      Speichert die Sicherungen in VERZ/NAME statt im Profil.\n"
      "  --help, --version\n"
      "\n"
      "Vor der ersten Änderung sichert apply und restore jeden Wert, den sie ändern\n"
      "können: eine Datei je Profil in seinem Ordner Anwendungsdaten\\Veilmark\\Backups\n"
      "(dort finden veilmark.exe /backups und /revert sie). Ohne Sicherung keine\n"
      "Änderung. Jede geänderte Hive wird ganz neben das Original geschrieben, geprüft\n"
      "und erst dann an seine Stelle gesetzt.\n"
      "Eine Installation, deren Windows nicht normal heruntergefahren wurde oder im\n"
      "Ruhezustand ist, wird abgelehnt: Windows starten und normal herunterfahren.\n"
      "\n"
      "Drei Schritte starten Programme und brauchen das laufende System; sie melden\n"
      "\"needs the running system\". Nach dem nächsten Start von Windows:\n"
      "  Media Player: als jeder Benutzer Windows Media Player einmal starten und\n"
      "      schließen, dann veilmark.exe /apply mit derselben AUSWAHL.\n"
      "  MessengerUninstall: veilmark.exe /apply mit dieser Option (oder Start).\n"
      "  RemoveSupportUsers: die Konten SUPPORT_388945a0 und HelpAssistant unter\n"
      "      Lokale Benutzer und Gruppen (lusrmgr.msc) löschen.\n"
      "\n"
      "AUSWAHL, Profile, Berichte und Rückgabewerte sind die von veilmark.exe; ein\n"
      "Fehler endet mit 3 und ändert nichts.\n",
      "Switches off, in a Windows XP installation that is not running, the features\n"
      "that report to the vendor, go online by themselves or open the machine to\n"
      "remote help: in its registry hive files, from Linux, on a mounted partition\n"
      "or a virtual machine's disk image.\n"
      "\n"
      "  veilmark-offline --root DIR [--user NAME]... [--lang zh|de|en] COMMAND\n"
      "\n"
      "DIR is the root of the Windows XP system drive. The commands work on the\n"
      "machine's values and on every user profile (Default User too, so that\n"
      "accounts made later get the settings); --user NAME (the profile folder's\n"
      "name, repeatable) picks some.\n"
      "\n"
      "  status [--report FILE]\n"
      "      For each profile a line [NAME], then what veilmark.exe /status says\n"
      "      for that user. Exit code: the worst over all profiles.\n"
      "  apply SELECTION [--report FILE]\n"
      "      As veilmark.exe /apply: the machine's values once ([machine]), then\n"
      "      each profile's own. Exit code 0: every step done; 1: some failed.\n"
      "  restore [--report FILE]\n"
      "      As veilmark.exe /restore: the Windows defaults.\n"
      "  revert FILE.reg\n"
      "      Imports a backup, with the checks of /revert; a backup with a user's\n"
      "      values needs --user NAME unless it lies in that user's profile.\n"
      "  backups\n"
      "      Lists each profile's backups, newest first.\n"
      "  --backup-dir DIR\n"
      "      Saves the backups in DIR/NAME instead of the profile.\n"
      "  --help, --version\n"
      "\n"
      "Before the first change, apply and restore back up every value they may\n"
      "change: a file per profile, in its Application Data\\Veilmark\\Backups (where\n"
      "veilmark.exe /backups and /revert find it). No backup, no change. Each\n"
      "changed hive is written whole beside the original, checked, and only then\n"
      "put in its place.\n"
      "An installation whose Windows was not shut down normally, or is hibernated,\n"
      "is refused: start Windows and shut it down normally.\n"
      "\n"
      "Three steps run programs and need the running system; they report \"needs\n"
      "the running system\". After the next start of Windows:\n"
      "  Media Player: as each user, start Windows Media Player once and close it,\n"
      "      then run veilmark.exe /apply with the same SELECTION.\n"
      "  MessengerUninstall: run veilmark.exe /apply with this option (or Start).\n"
      "  RemoveSupportUsers: delete the accounts SUPPORT_388945a0 and HelpAssistant\n"
      "      in Local Users and Groups (lusrmgr.msc).\n"
      "\n"
      "SELECTION, profiles, reports and exit codes are those of veilmark.exe; an\n"
      "error ends with 3 and changes nothing.\n"}},
    {T::OfflineUsageHint,
     {nullptr,
      "veilmark-offline --help zeigt die Verwendung.\n",
      "veilmark-offline --help shows the usage.\n"}},
    {T::UnknownOption, {nullptr, "unbekannte Option %1", "unknown option %1"}},
    {T::OptionNeedsValue, {nullptr, "%1 braucht einen Wert", "%1 needs a value"}},
    {T::NeedsRoot,
     {nullptr,
      "--root VERZ nennt die Wurzel des Windows-Laufwerks und fehlt",
      "--root DIR, the root of the Windows drive, is missing"}},
    {T::NeedsCommand,
     {nullptr,
      "ein Befehl fehlt: status, apply, restore, revert oder backups",
      "a command is missing: status, apply, restore, revert or backups"}},
    {T::UnknownCommand,
     {nullptr,
      "unbekannter Befehl %1: status, apply, restore, revert oder backups",
      "unknown command %1: status, apply, restore, revert or backups"}},
    {T::NoWindowsFolder,
     {nullptr,
      "kein Ordner in %1 enthält system32/config/software: ist das die Wurzel eines Windows-Laufwerks?",
      "no folder in %1 holds system32/config/software: is it the root of a Windows drive?"}},
    {T::HiveUnreadable, {nullptr, "die Hive %1 ist nicht lesbar: %2", "cannot read the hive %1: %2"}},
    {T::NotAHive, {nullptr, "%1 ist keine Registrierungsdatei (Hive)", "%1 is not a registry hive"}},
    {T::HiveNotClosedCleanly,
     {nullptr,
      "%1 wurde nicht sauber geschlossen: Windows wurde nicht normal heruntergefahren. Starten Sie Windows auf "
      "dieser Installation, fahren Sie es normal herunter und versuchen Sie es dann erneut. Nichts wurde geändert.",
      "%1 was not closed cleanly: Windows was not shut down normally. Start Windows on this installation, shut it "
      "down normally, then try again. Nothing was changed."}},
    {T::Hibernated,
     {nullptr,
      "Windows ist auf dieser Installation im Ruhezustand (%1). Starten Sie es, fahren Sie es normal herunter (nicht "
      "in den Ruhezustand) und versuchen Sie es dann erneut. Nichts wurde geändert.",
      "Windows on this installation is hibernated (%1). Start it, shut it down normally (not into hibernation), then "
      "try again. Nothing was changed."}},
    {T::NotXpInstallation,
     {nullptr,
      "diese Installation ist %1, nicht Windows XP. Nichts wurde geändert.",
      "this installation is %1, not Windows XP. Nothing was changed."}},
    {T::NoControlSet,
     {nullptr,
      "SYSTEM\\Select nennt keinen Steuersatz (Current), der vorhanden ist",
      "SYSTEM\\Select names no control set (Current) that exists"}},
    {T::NoProfiles,
     {nullptr,
      "diese Installation hat kein Benutzerprofil mit NTUSER.DAT",
      "this installation has no user profile with an NTUSER.DAT"}},
    {T::UnknownProfile,
     {nullptr,
      "kein Profil namens %1 in dieser Installation",
      "no profile named %1 in this installation"}},
    {T::ProfileWithoutHive,
     {nullptr,
      "das Profil %1 hat keine NTUSER.DAT und bleibt außen vor",
      "the profile %1 has no NTUSER.DAT and is left out"}},
    {T::RevertNeedsProfile,
     {nullptr,
      "%1 enthält Werte eines Benutzers: nennen Sie sein Profil mit --user NAME",
      "%1 holds a user's values: name the profile with --user NAME"}},
    {T::HivesNotReplaced,
     {nullptr,
      "die Änderungen konnten nicht geschrieben werden (%1); keine Hive wurde geändert",
      "the changes could not be written (%1); no hive was changed"}},

    // The Win32 layer.
    {T::UnexpectedError,
     {"發生未預期的錯誤（可能是記憶體不足），程式必須結束。",
      "Ein unerwarteter Fehler ist aufgetreten (vielleicht ist der Speicher knapp); das Programm muss enden.",
      "An unexpected error occurred (perhaps the memory ran out); the program must end."}},
    {T::CannotCreateDialog, {"無法建立對話方塊 %1：%2", "Der Dialog %1 lässt sich nicht erstellen: %2", "Cannot create the dialog %1: %2"}},
    {T::ErrorNumber, {"錯誤 %1", "Fehler %1", "Error %1"}},
};

// The table is indexed by id; this keeps the two in step.
constexpr bool IdsMatchPositions()
{
    for (std::size_t i = 0; i < std::size(kTexts); ++i)
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
    return std::size(kTexts) == static_cast<std::size_t>(TextId::ErrorNumber) + 1;
}
static_assert(IdsMatchPositions(), "text rows must stand in TextId order, one for each id");

const TextCell& CellOf(TextId id, Language language)
{
    const TextRow& row = kTexts[static_cast<std::size_t>(id)];
    const TextCell& cell = row.in[static_cast<std::size_t>(language)];
    return cell.text ? cell : row.in[static_cast<std::size_t>(kLanguageOfOtherUsers)];
}

}  // namespace

const char* TextPattern(TextId id, Language language) { return CellOf(id, language).text; }

std::string Text(TextId id, Language language, std::initializer_list<std::string_view> arguments)
{
    const TextCell& cell = CellOf(id, language);
    const std::string_view pattern = cell.text;
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const bool placeholder = pattern[i] == '%' && next >= '1' && next <= '9' &&
                                 static_cast<std::size_t>(next - '1') < arguments.size();
        if (placeholder) {
            text += arguments.begin()[next - '1'];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text.append(cell.padding, ' ');
}
