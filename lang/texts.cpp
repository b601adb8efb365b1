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
    {T::PlayerNotStarted,
     {"無法啟動 wmplayer.exe",
      "wmplayer.exe konnte nicht gestartet werden",
      "wmplayer.exe could not be started"}},
    {T::UninstallerNotStarted,
     {"無法啟動 RunDll32.exe",
      "RunDll32.exe konnte nicht gestartet werden",
      "RunDll32.exe could not be started"}},

    // The system's description line.
    {T::UnnamedSystem, {"未命名的系統", "unbenanntes System", "unnamed system"}},
    {T::EditionHome, {"%1（版本：Home Edition）", "%1 (Edition: Home Edition)", "%1 (edition: Home Edition)"}},
    {T::EditionProfessional, {"%1（版本：Professional）", "%1 (Edition: Professional)", "%1 (edition: Professional)"}},
    {T::EditionOther,
     {"%1（版本：其他，套件遮罩 0x%2）",
      "%1 (Edition: andere, Suite-Maske 0x%2)",
      "%1 (edition: other, suite mask 0x%2)"}},
    {T::EditionUnknown, {"%1（版本：未知）", "%1 (Edition: unbekannt)", "%1 (edition: unknown)"}},

    // The command line of veilmark.exe.
    {T::Usage,
     {"停用 Windows XP 中會向廠商回報資料、自行連上網際網路，\n"
      "或讓他人從遠端連入電腦的功能。\n"
      "\n"
      "  veilmark.exe\n"
      "      開啟對話方塊。\n"
      "  veilmark.exe /status [/report 檔案]\n"
      "      列出每個選項是 off（已停用）、on（仍在作用）或 unknown（無法讀取其值）。\n"
      "      不變更任何設定。\n"
      "      結束代碼 0：全部 off；1：有些 on；2：有些 unknown，沒有 on。\n"
      "  veilmark.exe /apply 選擇 [/report 檔案]\n"
      "      像「開始」按鈕一樣停用「選擇」中的選項，但不詢問。移除支援使用者需要\n"
      "      有人操作（needs a person），因此不執行。\n"
      "      結束代碼 0：每個步驟都 done；1：有步驟失敗。\n"
      "  veilmark.exe /restore [/report 檔案]\n"
      "      像功能表的「重設系統狀態」一樣恢復 Windows 的預設值，但不詢問。\n"
      "      結束代碼 0：每個值都已恢復；1：有些值無法恢復。\n"
      "  veilmark.exe /export 選擇 檔案.reg\n"
      "      把「選擇」的系統登錄變更寫入 檔案.reg，供其他電腦以 regedit /s 或\n"
      "      reg import 匯入。不變更這台電腦的任何設定。\n"
      "  veilmark.exe /revert 檔案.reg\n"
      "      匯入備份：某次變更之前各值原本的內容。檔案中只能有 Veilmark 會變更的值。\n"
      "      結束代碼 0：每個值都已還原；1：有些值無法還原。\n"
      "  veilmark.exe /backups\n"
      "      列出所有備份，最新的在最前面。每次按「開始」、執行 /apply、/restore 或\n"
      "      「重設系統狀態」，在變更任何設定之前都會先在 %APPDATA%\\Veilmark\\Backups\n"
      "      存一個備份；regedit /s 也能匯入這些備份。\n"
      "  veilmark.exe /lang zh|de|en [...]\n"
      "      以中文、德文或英文顯示對話方塊或執行命令，不論 Windows 使用哪種語言。\n"
      "  veilmark.exe /?\n"
      "      顯示這段說明。\n"
      "\n"
      "「選擇」可以是 recommended（「選擇建議的設定值」命令勾選的選項）、expert\n"
      "（再加上兩個專家選項），或一個設定檔的路徑：UTF-8 文字檔，每行一個選項名稱。\n"
      "空白行與以 # 開頭的行會被略過；Messenger 群組最多只能有一個名稱。\n"
      "/report 檔案 會把報告另外以 UTF-8 存入該檔案。\n"
      "發生錯誤時以結束代碼 3 結束，且不變更任何設定。\n"
      "在 cmd.exe 中請這樣等候程式結束：start /wait veilmark.exe /status\n"
      "\n"
      "選項名稱：\n",
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
    {T::UsageHint,
     {"執行 veilmark.exe /? 可查看用法。\n",
      "veilmark.exe /? zeigt die Verwendung.\n",
      "veilmark.exe /? shows the usage.\n"}},
    {T::UnknownSwitch, {"未知的參數 %1", "unbekannter Schalter %1", "unknown switch %1"}},
    {T::UnexpectedArgument, {"非預期的引數 %1", "unerwartetes Argument %1", "unexpected argument %1"}},
    {T::RepeatedSwitch,
     {"未知或重複的參數 %1",
      "unbekannter oder wiederholter Schalter %1",
      "unknown or repeated switch %1"}},
    {T::NeedsSelection, {"%1 需要指定「選擇」", "%1 braucht eine Auswahl", "%1 needs a selection"}},
    {T::NeedsFileName, {"%1 需要指定檔案名稱", "%1 braucht einen Dateinamen", "%1 needs a file name"}},
    {T::NeedsRegFileToWrite,
     {"%1 需要指定要寫入的 .reg 檔案名稱",
      "%1 braucht den Namen der zu schreibenden .reg-Datei",
      "%1 needs the name of the .reg file to write"}},
    {T::NeedsRegFileToImport,
     {"%1 需要指定要匯入的 .reg 檔案名稱",
      "%1 braucht den Namen der zu importierenden .reg-Datei",
      "%1 needs the name of the .reg file to import"}},
    {T::NeedsLanguage, {"%1 需要 zh、de 或 en", "%1 braucht zh, de oder en", "%1 needs zh, de or en"}},
    {T::CannotReadProfile,
     {"無法讀取設定檔 %1：%2",
      "das Profil %1 ist nicht lesbar: %2",
      "cannot read the profile %1: %2"}},
    {T::CannotWriteReport,
     {"無法寫入報告 %1：%2",
      "der Bericht %1 kann nicht geschrieben werden: %2",
      "cannot write the report %1: %2"}},
    {T::CannotWriteBackup,
     {"無法寫入備份 %1：%2",
      "die Sicherung %1 kann nicht geschrieben werden: %2",
      "cannot write the backup %1: %2"}},
    {T::CannotWriteFile, {"無法寫入 %1：%2", "%1 kann nicht geschrieben werden: %2", "cannot write %1: %2"}},
    {T::CannotReadFile, {"無法讀取 %1：%2", "%1 ist nicht lesbar: %2", "cannot read %1: %2"}},
    {T::ErrorInLine, {"%1，第 %2 行：%3", "%1, Zeile %2: %3", "%1, line %2: %3"}},
    {T::NothingImported,
     {"%1，第 %2 行：%3；沒有匯入任何值",
      "%1, Zeile %2: %3; nichts wurde importiert",
      "%1, line %2: %3; nothing was imported"}},
    {T::Wrote, {"已寫入 %1。", "%1 geschrieben.", "Wrote %1."}},
    {T::NoBackups, {"%1 中沒有備份。", "Keine Sicherungen in %1.", "No backups in %1."}},

    // Profiles.
    {T::UnknownOptionKey, {"未知的選項名稱「%1」", "unbekannter Optionsschlüssel \"%1\"", "unknown option key \"%1\""}},
    {T::OptionIsGroup,
     {"「%1」是一個群組；請改為列出它的選項",
      "\"%1\" ist eine Gruppe; nennen Sie stattdessen ihre Optionen",
      "\"%1\" is a group; name its options instead"}},
    {T::SecondMessengerChoice,
     {"「%1」是 Messenger 群組的第二個選擇（第一個在第 %2 行）",
      "\"%1\" ist eine zweite Wahl der Messenger-Gruppe (die erste steht in Zeile %2)",
      "\"%1\" is a second choice of the Messenger group (the first is on line %2)"}},

    // .reg files.
    {T::NotRegFile,
     {"不是 .reg 檔：第一行既不是「Windows Registry Editor Version 5.00」也不是「REGEDIT4」",
      "keine .reg-Datei: die erste Zeile ist weder \"Windows Registry Editor Version 5.00\" noch \"REGEDIT4\"",
      "not a .reg file: the first line is neither \"Windows Registry Editor Version 5.00\" nor \"REGEDIT4\""}},
    {T::EmptyRegFile, {"不是 .reg 檔：檔案是空的", "keine .reg-Datei: sie ist leer", "not a .reg file: it is empty"}},
    {T::KeyWithoutBracket,
     {"缺少結尾「]」的登錄機碼",
      "ein Schlüssel ohne schließende ']'",
      "a key without its closing ']'"}},
    {T::KeyBelowNoRoot,
     {"不在 HKEY_CURRENT_USER、HKEY_LOCAL_MACHINE 或 HKEY_CLASSES_ROOT 之下的登錄機碼",
      "ein Schlüssel, der nicht unter HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE oder HKEY_CLASSES_ROOT liegt",
      "a key that is not below HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT"}},
    {T::ValueOutsideSection,
     {"在登錄機碼區段之外的值",
      "ein Wert außerhalb des Abschnitts eines Schlüssels",
      "a value outside of a key's section"}},
    {T::NameNotQuoted,
     {"沒有加上引號的值名稱",
      "ein Wertname ohne Anführungszeichen",
      "a value name that is not quoted"}},
    {T::ValueWithoutEquals, {"缺少「=」的值", "ein Wert ohne '='", "a value without '='"}},
    {T::TextWithoutQuote,
     {"沒有以引號結尾的文字",
      "ein Text ohne schließendes Anführungszeichen",
      "a text that does not end with its quote"}},
    {T::BadDword,
     {"不是 1 到 8 個十六進位數字的 dword",
      "ein dword, das nicht aus 1 bis 8 Hexziffern besteht",
      "a dword that is not 1 to 8 hex digits"}},
    {T::BadValueType,
     {"不是十六進位數字的值類型",
      "ein Werttyp, der keine Hexzahl ist",
      "a value type that is not a hex number"}},
    {T::UnknownValueKind,
     {"既不是 \"文字\"、dword:、hex: 也不是 hex(N): 的值",
      "ein Wert, der weder \"Text\", dword:, hex: noch hex(N): ist",
      "a value that is none of \"text\", dword:, hex: or hex(N):"}},
    {T::BadHexList,
     {"不是以逗號分隔的位元組所組成的十六進位清單",
      "eine Hexliste, die nicht aus durch Kommas getrennten Bytes besteht",
      "a hex list that is not bytes separated by commas"}},
    {T::OddTextLength,
     {"位元組數為奇數的文字",
      "ein Text aus einer ungeraden Anzahl von Bytes",
      "a text of an odd number of bytes"}},

    // The revert of a backup.
    {T::RevertDeletesKey,
     {"刪除登錄機碼 %1，但 Veilmark 不會刪除此機碼",
      "löscht den Schlüssel %1, was kein Durchlauf tut",
      "deletes the key %1, which no pass does"}},
    {T::RevertNamesKey,
     {"列出登錄機碼 %1，但 Veilmark 不會變更此機碼",
      "nennt den Schlüssel %1, den kein Durchlauf ändert",
      "names the key %1, which no pass changes"}},
    {T::RevertChangesValue,
     {"變更 %2 的值「%1」，但 Veilmark 不會變更此值",
      "ändert den Wert \"%1\" von %2, den kein Durchlauf ändert",
      "changes the value \"%1\" of %2, which no pass changes"}},
    {T::RevertKeyNotWritable,
     {"失敗：無法開啟登錄機碼以寫入",
      "fehlgeschlagen: der Schlüssel lässt sich nicht zum Schreiben öffnen",
      "failed: the key cannot be opened for writing"}},
    {T::RevertCannotSet,
     {"失敗：無法設定此值",
      "fehlgeschlagen: der Wert lässt sich nicht setzen",
      "failed: the value cannot be set"}},
    {T::RevertKeyShut,
     {"失敗：無法開啟登錄機碼",
      "fehlgeschlagen: der Schlüssel lässt sich nicht öffnen",
      "failed: the key cannot be opened"}},
    {T::RevertCannotDelete,
     {"失敗：無法刪除此值",
      "fehlgeschlagen: der Wert lässt sich nicht löschen",
      "failed: the value cannot be deleted"}},

    // The backup.
    {T::NoApplicationData,
     {"不知道使用者的應用程式資料（Application Data）資料夾在哪裡",
      "der Ordner der Anwendungsdaten des Benutzers ist unbekannt",
      "the folder of the user's application data is unknown"}},
    {T::BackupKeyShut,
     {"無法開啟登錄機碼 %1",
      "der Schlüssel %1 lässt sich nicht öffnen",
      "the key %1 cannot be opened"}},
    {T::BackupValueUnreadable,
     {"無法讀取 %2 的值 %1",
      "der Wert %1 von %2 ist nicht lesbar",
      "the value %1 of %2 cannot be read"}},

    // Group Policy, as gpedit names its places.
    {T::PolicyComputer, {"電腦設定", "Computerkonfiguration", "Computer Configuration"}},
    {T::PolicyUser, {"使用者設定", "Benutzerkonfiguration", "User Configuration"}},
    {T::PolicyPreventCodecDownload,
     {"系統管理範本\\Windows 元件\\Windows Media Player\\播放\\防止下載轉碼器",
      "Administrative Vorlagen\\Windows-Komponenten\\Windows Media Player\\Wiedergabe\\Codecdownload verhindern",
      "Administrative Templates\\Windows Components\\Windows Media Player\\Playback\\Prevent Codec Download"}},
    {T::PolicyReportErrors,
     {"系統管理範本\\系統\\錯誤報告\\回報錯誤",
      "Administrative Vorlagen\\System\\Fehlerberichterstattung\\Fehler melden",
      "Administrative Templates\\System\\Error Reporting\\Report Errors"}},
    {T::PolicyDisplayErrorNotification,
     {"系統管理範本\\系統\\錯誤報告\\顯示錯誤通知",
      "Administrative Vorlagen\\System\\Fehlerberichterstattung\\Fehlerbenachrichtigung anzeigen",
      "Administrative Templates\\System\\Error Reporting\\Display Error Notification"}},
    {T::PolicySolicitedRemoteAssistance,
     {"系統管理範本\\系統\\遠端協助\\請求的遠端協助",
      "Administrative Vorlagen\\System\\Remoteunterstützung\\Angeforderte Remoteunterstützung",
      "Administrative Templates\\System\\Remote Assistance\\Solicited Remote Assistance"}},
    {T::PolicyNtpClient,
     {"系統管理範本\\系統\\Windows 時間服務\\時間提供者\\設定 Windows NTP 用戶端",
      "Administrative Vorlagen\\System\\Windows-Zeitdienst\\Zeitanbieter\\Windows NTP-Client konfigurieren",
      "Administrative Templates\\System\\Windows Time Service\\Time Providers\\Configure Windows NTP Client"}},
    {T::PolicyNoIeUpdateCheck,
     {"系統管理範本\\Windows 元件\\Internet Explorer\\停用定期檢查 Internet Explorer 軟體更新",
      "Administrative Vorlagen\\Windows-Komponenten\\Internet Explorer\\Regelmäßige Überprüfung auf "
      "Internet Explorer-Softwareupdates deaktivieren",
      "Administrative Templates\\Windows Components\\Internet Explorer\\Disable Periodic Check for "
      "Internet Explorer software updates"}},
    {T::PolicyNoScheduledOfflinePages,
     {"系統管理範本\\Windows 元件\\Internet Explorer\\離線網頁\\停用所有排程的離線網頁",
      "Administrative Vorlagen\\Windows-Komponenten\\Internet Explorer\\Offlineseiten\\Alle geplanten "
      "Offlineseiten deaktivieren",
      "Administrative Templates\\Windows Components\\Internet Explorer\\Offline Pages\\Disable all "
      "scheduled offline pages"}},
    {T::PolicyMessengerNoAutoStart,
     {"系統管理範本\\Windows 元件\\Windows Messenger\\不要在一開始就自動啟動 Windows Messenger",
      "Administrative Vorlagen\\Windows-Komponenten\\Windows Messenger\\Windows Messenger nicht automatisch "
      "starten",
      "Administrative Templates\\Windows Components\\Windows Messenger\\Do not automatically start Windows "
      "Messenger initially"}},
    {T::PolicyMessengerNoRun,
     {"系統管理範本\\Windows 元件\\Windows Messenger\\不允許執行 Windows Messenger",
      "Administrative Vorlagen\\Windows-Komponenten\\Windows Messenger\\Ausführung von Windows Messenger "
      "nicht zulassen",
      "Administrative Templates\\Windows Components\\Windows Messenger\\Do not allow Windows Messenger to "
      "be run"}},
    {T::KeptOnByPolicy, {"群組原則使其保持開啟", "von einer Richtlinie eingeschaltet gehalten", "kept on by a policy"}},
    {T::KeptOffByPolicy,
     {"群組原則使其保持關閉", "von einer Richtlinie ausgeschaltet gehalten", "kept off by a policy"}},
    {T::KeptOnByPolicyLine,
     {"%1:[ 群組原則使其保持開啟：%2 ]", "%1: [von einer Richtlinie eingeschaltet gehalten: %2]",
      "%1: [kept on by a policy: %2]"}},
    {T::KeptOffByPolicyLine,
     {"%1:[ 群組原則使其保持關閉：%2 ]", "%1: [von einer Richtlinie ausgeschaltet gehalten: %2]",
      "%1: [kept off by a policy: %2]"}},

    // The Win32 layer.
    {T::UnexpectedError,
     {"發生未預期的錯誤（可能是記憶體不足），程式必須結束。",
      "Ein unerwarteter Fehler ist aufgetreten (vielleicht ist der Speicher knapp); das Programm muss enden.",
      "An unexpected error occurred (perhaps the memory ran out); the program must end."}},
    {T::CannotCreateDialog, {"無法建立對話方塊 %1：%2", "Der Dialog %1 lässt sich nicht erstellen: %2", "Cannot create the dialog %1: %2"}},
    {T::ErrorNumber, {"錯誤 %1", "Fehler %1", "Error %1"}},

    // The offline program: the Windows program shows none of them and
    // leaves them out.
#ifndef VEILMARK_WINDOWS_PROGRAM
    {T::OfflineUsage,
     {"在一個沒有執行的 Windows XP 安裝中，停用會向廠商回報資料、自行連上網際網路，\n"
      "或讓他人從遠端連入電腦的功能：直接修改它的系統登錄區檔案（hive），從 Linux\n"
      "執行，例如在掛載的分割區或虛擬機器的磁碟映像上。\n"
      "\n"
      "  veilmark-offline --root 目錄 [--user 名稱]... [--lang zh|de|en] 命令\n"
      "  veilmark-offline --image 檔案 [--image 檔案]... [--partition 裝置]\n"
      "                   [--user 名稱]... [--lang zh|de|en] 命令\n"
      "\n"
      "「檔案」是虛擬機器的磁碟映像（raw、qcow2、vmdk、vdi、vhd），透過 libguestfs\n"
      "直接讀寫，不必掛載：同一次執行的所有映像共用一個裝置（appliance）。映像中\n"
      "有多個 Windows XP 時，以 --partition 指定訊息列出的裝置。使用中或唯讀的映像\n"
      "會被拒絕。\n"
      "\n"
      "「目錄」是 Windows XP 系統磁碟的根目錄。這些命令作用於電腦的設定值與每一個\n"
      "使用者設定檔（也包括 Default User，讓日後建立的帳戶也得到這些設定）；\n"
      "--user 名稱（設定檔資料夾的名稱，可重複）只選取其中幾個設定檔。\n"
      "\n"
      "  status [--report 檔案]\n"
      "      每個設定檔先列一行 [名稱]，再列出 veilmark.exe /status 對該使用者的\n"
      "      輸出。結束代碼：所有設定檔中最差的一個。\n"
      "  apply 選擇 [--report 檔案]\n"
      "      同 veilmark.exe /apply：電腦的設定值只處理一次（[machine]），再處理\n"
      "      每個設定檔自己的設定值。結束代碼 0：每個步驟都 done；1：有步驟失敗。\n"
      "  restore [--report 檔案]\n"
      "      同 veilmark.exe /restore：Windows 的預設值。\n"
      "  revert 檔案.reg\n"
      "      匯入備份，檢查方式同 /revert；含有使用者設定值的備份需要 --user 名稱，\n"
      "      除非它就在該使用者的設定檔裡。\n"
      "  backups\n"
      "      列出每個設定檔的備份，最新的在最前面；使用 --image 時列出映像內的路徑，\n"
      "      revert 也接受這種路徑。\n"
      "  --backup-dir 目錄\n"
      "      把備份存在 目錄/名稱，而不是設定檔裡。\n"
      "  --help, --version\n"
      "\n"
      "在第一次變更之前，apply 與 restore 會備份每一個可能變更的值：每個設定檔一個\n"
      "檔案，存放在它的 Application Data\\Veilmark\\Backups（veilmark.exe /backups 與\n"
      "/revert 會在那裡找到它）。沒有備份就不變更。每個變更過的登錄區\n"
      "都會完整寫在原檔旁邊，經過檢查後才取代原檔。\n"
      "Windows 沒有正常關機或處於休眠狀態的安裝會被拒絕：請啟動 Windows 再正常關機。\n"
      "\n"
      "有三個步驟會執行程式，需要執行中的系統，因此回報 needs the running system。\n"
      "下次啟動 Windows 之後：\n"
      "  Media Player：以每個使用者的身分啟動 Windows Media Player 一次再關閉，\n"
      "      然後以相同的「選擇」執行 veilmark.exe /apply。\n"
      "  MessengerUninstall：以此選項執行 veilmark.exe /apply（或按「開始」）。\n"
      "  RemoveSupportUsers：在「本機使用者和群組」（lusrmgr.msc）中刪除\n"
      "      SUPPORT_388945a0 與 HelpAssistant 兩個帳戶。\n"
      "\n"
      "「選擇」與其設定檔、報告及結束代碼都和 veilmark.exe 相同；發生錯誤時以 3 結束，\n"
      "且不變更任何設定。\n",
      "Schaltet in einer Windows-XP-Installation, die nicht läuft, die Funktionen ab,\n"
      "die dem Hersteller berichten, von sich aus ins Internet gehen oder den Rechner\n"
      "für Hilfe aus der Ferne öffnen: in ihren Registrierungsdateien (Hives), von\n"
      "Linux aus, etwa auf einer eingehängten Partition oder einem VM-Abbild.\n"
      "\n"
      "  veilmark-offline --root VERZ [--user NAME]... [--lang zh|de|en] BEFEHL\n"
      "  veilmark-offline --image DATEI [--image DATEI]... [--partition GERÄT]\n"
      "                   [--user NAME]... [--lang zh|de|en] BEFEHL\n"
      "\n"
      "DATEI ist das Festplattenabbild einer VM (raw, qcow2, vmdk, vdi, vhd), über\n"
      "libguestfs gelesen und geschrieben, ohne es einzuhängen: alle Abbilder eines\n"
      "Laufs in einer Appliance. Hält ein Abbild mehrere Windows XP, nennt\n"
      "--partition das Gerät (wie die Meldung es aufführt). Ein belegtes oder nur\n"
      "lesbares Abbild wird abgelehnt.\n"
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
      "      Listet die Sicherungen jedes Profils auf, die neueste zuerst; mit\n"
      "      --image als Pfade im Abbild, die auch revert nimmt.\n"
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
      "  veilmark-offline --image FILE [--image FILE]... [--partition DEVICE]\n"
      "                   [--user NAME]... [--lang zh|de|en] COMMAND\n"
      "\n"
      "FILE is a virtual machine's disk image (raw, qcow2, vmdk, vdi, vhd), read\n"
      "and written through libguestfs without mounting it: all images of a run in\n"
      "one appliance. Where an image holds more than one Windows XP, --partition\n"
      "names the device (as the message lists it). An image in use or read-only\n"
      "is refused.\n"
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
      "      Lists each profile's backups, newest first; with --image as paths\n"
      "      inside the image, which revert takes too.\n"
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
     {"執行 veilmark-offline --help 可查看用法。\n",
      "veilmark-offline --help zeigt die Verwendung.\n",
      "veilmark-offline --help shows the usage.\n"}},
    {T::UnknownOption, {"未知的選項 %1", "unbekannte Option %1", "unknown option %1"}},
    {T::OptionNeedsValue, {"%1 需要指定一個值", "%1 braucht einen Wert", "%1 needs a value"}},
    {T::NeedsRoot,
     {"缺少 --root 目錄（Windows 磁碟的根目錄）或 --image 檔案（虛擬機器的磁碟映像）",
      "--root VERZ (die Wurzel des Windows-Laufwerks) oder --image DATEI (ein VM-Abbild) fehlt",
      "--root DIR (the root of the Windows drive) or --image FILE (a disk image) is missing"}},
    {T::NeedsCommand,
     {"缺少命令：status、apply、restore、revert 或 backups",
      "ein Befehl fehlt: status, apply, restore, revert oder backups",
      "a command is missing: status, apply, restore, revert or backups"}},
    {T::UnknownCommand,
     {"未知的命令 %1：status、apply、restore、revert 或 backups",
      "unbekannter Befehl %1: status, apply, restore, revert oder backups",
      "unknown command %1: status, apply, restore, revert or backups"}},
    {T::NoWindowsFolder,
     {"%1 中沒有任何資料夾含有 system32/config/software：這是 Windows 磁碟的根目錄嗎？",
      "kein Ordner in %1 enthält system32/config/software: ist das die Wurzel eines Windows-Laufwerks?",
      "no folder in %1 holds system32/config/software: is it the root of a Windows drive?"}},
    {T::HiveUnreadable, {"無法讀取登錄區 %1：%2", "die Hive %1 ist nicht lesbar: %2", "cannot read the hive %1: %2"}},
    {T::NotAHive,
     {"%1 不是系統登錄的登錄區檔案（hive）",
      "%1 ist keine Registrierungsdatei (Hive)",
      "%1 is not a registry hive"}},
    {T::HiveNotClosedCleanly,
     {"%1 沒有正常關閉：Windows 沒有正常關機。請在這個安裝上啟動 Windows，"
      "正常關機後再試一次。沒有變更任何設定。",
      "%1 wurde nicht sauber geschlossen: Windows wurde nicht normal heruntergefahren. Starten Sie Windows auf "
      "dieser Installation, fahren Sie es normal herunter und versuchen Sie es dann erneut. Nichts wurde geändert.",
      "%1 was not closed cleanly: Windows was not shut down normally. Start Windows on this installation, shut it "
      "down normally, then try again. Nothing was changed."}},
    {T::Hibernated,
     {"這個安裝上的 Windows 處於休眠狀態（%1）。請啟動它，正常關機（不要休眠）後"
      "再試一次。沒有變更任何設定。",
      "Windows ist auf dieser Installation im Ruhezustand (%1). Starten Sie es, fahren Sie es normal herunter (nicht "
      "in den Ruhezustand) und versuchen Sie es dann erneut. Nichts wurde geändert.",
      "Windows on this installation is hibernated (%1). Start it, shut it down normally (not into hibernation), then "
      "try again. Nothing was changed."}},
    {T::NotXpInstallation,
     {"這個安裝是 %1，不是 Windows XP。沒有變更任何設定。",
      "diese Installation ist %1, nicht Windows XP. Nichts wurde geändert.",
      "this installation is %1, not Windows XP. Nothing was changed."}},
    {T::NoControlSet,
     {"SYSTEM\\Select 沒有指向任何存在的控制集（Current）",
      "SYSTEM\\Select nennt keinen Steuersatz (Current), der vorhanden ist",
      "SYSTEM\\Select names no control set (Current) that exists"}},
    {T::NoProfiles,
     {"這個安裝沒有任何含有 NTUSER.DAT 的使用者設定檔",
      "diese Installation hat kein Benutzerprofil mit NTUSER.DAT",
      "this installation has no user profile with an NTUSER.DAT"}},
    {T::UnknownProfile,
     {"這個安裝中沒有名為 %1 的使用者設定檔",
      "kein Profil namens %1 in dieser Installation",
      "no profile named %1 in this installation"}},
    {T::ProfileWithoutHive,
     {"使用者設定檔 %1 沒有 NTUSER.DAT，因此略過",
      "das Profil %1 hat keine NTUSER.DAT und bleibt außen vor",
      "the profile %1 has no NTUSER.DAT and is left out"}},
    {T::RevertNeedsProfile,
     {"%1 含有使用者的設定值：請以 --user 名稱 指定該使用者設定檔",
      "%1 enthält Werte eines Benutzers: nennen Sie sein Profil mit --user NAME",
      "%1 holds a user's values: name the profile with --user NAME"}},
    {T::HivesNotReplaced,
     {"無法寫入變更（%1）；沒有變更任何登錄區",
      "die Änderungen konnten nicht geschrieben werden (%1); keine Hive wurde geändert",
      "the changes could not be written (%1); no hive was changed"}},
    {T::HiveDamaged,
     {"登錄區 %1 已損壞（無法完整讀取），不會變更它",
      "die Hive %1 ist beschädigt (nicht ganz lesbar) und bleibt unberührt",
      "the hive %1 is damaged (it cannot be read whole) and is left alone"}},
    {T::ProfileLeftOut,
     {"略過使用者設定檔 %1：%2",
      "das Profil %1 bleibt außen vor: %2",
      "the profile %1 is left out: %2"}},
    {T::RootOrImages,
     {"--root 與 --image 只能擇一使用",
      "--root und --image schließen einander aus",
      "--root and --image cannot be used together"}},
    {T::PartitionNeedsImage,
     {"--partition 只能與 --image 一起使用",
      "--partition gilt nur zusammen mit --image",
      "--partition goes only with --image"}},
    {T::ImageUnreadable,
     {"無法讀取磁碟映像 %1：%2",
      "das Abbild %1 ist nicht lesbar: %2",
      "cannot read the disk image %1: %2"}},
    {T::ImageNotWritable,
     {"無法寫入磁碟映像 %1（%2）：沒有變更其中任何設定",
      "das Abbild %1 ist nicht beschreibbar (%2): darin wurde nichts geändert",
      "the disk image %1 cannot be written (%2): nothing in it was changed"}},
    {T::ImageInUse,
     {"磁碟映像 %1 正由其他程式使用（執行中的虛擬機器？）：沒有變更其中任何設定。"
      "請先關閉虛擬機器",
      "das Abbild %1 ist von einem anderen Programm belegt (einer laufenden VM?): darin wurde nichts "
      "geändert. Fahren Sie die VM zuerst herunter",
      "the disk image %1 is in use by another program (a running virtual machine?): nothing in it was changed. "
      "Shut the virtual machine down first"}},
    {T::ApplianceFailed,
     {"libguestfs 無法啟動它的裝置（appliance）：%1",
      "libguestfs kann seine Appliance nicht starten: %1",
      "libguestfs cannot run its appliance: %1"}},
    {T::NoWindowsInImage,
     {"磁碟映像 %1 中沒有任何檔案系統含有 Windows XP 安裝（含有 system32/config/software 的資料夾）",
      "im Abbild %1 enthält kein Dateisystem eine Windows-XP-Installation (einen Ordner mit "
      "system32/config/software)",
      "no filesystem of the disk image %1 holds a Windows XP installation (a folder with system32/config/software)"}},
    {T::SeveralWindowsInImage,
     {"磁碟映像 %1 含有多個 Windows XP 安裝：%2。請以 --partition 裝置 選擇其中之一",
      "das Abbild %1 enthält mehrere Windows-XP-Installationen: %2. Wählen Sie eine mit --partition GERÄT",
      "the disk image %1 holds more than one Windows XP installation: %2. Choose one with --partition DEVICE"}},
    {T::FilesystemReadOnly,
     {"磁碟映像 %1 的檔案系統 %2 只能唯讀掛載（Windows 沒有正常關機，或處於休眠狀態）："
      "沒有變更其中任何設定。請啟動 Windows，正常關機後再試一次",
      "das Dateisystem %2 des Abbilds %1 lässt sich nur lesen (Windows wurde nicht normal heruntergefahren "
      "oder ist im Ruhezustand): darin wurde nichts geändert. Starten Sie Windows, fahren Sie es normal herunter "
      "und versuchen Sie es erneut",
      "the filesystem %2 of the disk image %1 comes up read-only (Windows was not shut down normally, or is "
      "hibernated): nothing in it was changed. Start Windows, shut it down normally, then try again"}},
    {T::StoppedBySignal,
     {"因收到中斷訊號而停止",
      "durch ein Signal angehalten",
      "stopped by a signal"}},
    {T::ImageNotChanged,
     {"因收到中斷訊號而停止：其中的登錄區與備份都沒有變更",
      "durch ein Signal angehalten: keine Hive und keine Sicherung darin wurde geändert",
      "stopped by a signal: no hive and no backup in it was changed"}},
    {T::ProgressLaunch,
     {"正在啟動 libguestfs 的裝置（可能需要幾秒到一分鐘）…",
      "die Appliance von libguestfs startet (Sekunden bis eine Minute) …",
      "starting libguestfs' appliance (seconds to a minute) ..."}},
    {T::ProgressFinding,
     {"%1：正在尋找 Windows XP…",
      "%1: Windows XP wird gesucht …",
      "%1: looking for Windows XP ..."}},
    {T::ProgressReading,
     {"%1：正在讀取登錄區…",
      "%1: die Hives werden gelesen …",
      "%1: reading the hives ..."}},
    {T::ProgressWriting,
     {"%1：正在寫入變更…",
      "%1: die Änderungen werden geschrieben …",
      "%1: writing the changes ..."}},
    {T::ProgressFinish,
     {"正在關閉裝置…",
      "die Appliance wird beendet …",
      "shutting the appliance down ..."}},
#endif
};

// The table is indexed by id; this keeps the two in step.
constexpr bool IdsMatchPositions()
{
    for (std::size_t i = 0; i < std::size(kTexts); ++i)
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
#ifdef VEILMARK_WINDOWS_PROGRAM
    return std::size(kTexts) == static_cast<std::size_t>(TextId::OfflineUsage);
#else
    return std::size(kTexts) == static_cast<std::size_t>(TextId::ProgressFinish) + 1;
#endif
}
static_assert(IdsMatchPositions(), "text rows must stand in TextId order, one for each id");

// Every text in every language: a language that gains a column must give
// each row its text, since no cell stands in for another.
constexpr bool EveryCellHasText()
{
    for (const TextRow& row : kTexts)
        for (const TextCell& cell : row.in)
            if (!cell.text || !*cell.text)
                return false;
    return true;
}
static_assert(EveryCellHasText(), "every text row needs a text in every language");

constexpr int PlaceholderUses(const char* text, char digit)
{
    int uses = 0;
    for (; *text; ++text)
        if (text[0] == '%' && text[1] == digit)
            ++uses;
    return uses;
}

// A translation may move an argument's place but neither drop nor repeat it.
constexpr bool EveryCellTakesTheSameArguments()
{
    for (const TextRow& row : kTexts)
        for (const TextCell& cell : row.in)
            for (char digit = '1'; digit <= '9'; ++digit)
                if (PlaceholderUses(cell.text, digit) != PlaceholderUses(row.in[0].text, digit))
                    return false;
    return true;
}
static_assert(EveryCellTakesTheSameArguments(), "every language's text must hold the same %1, %2, ... as the others");

const TextCell& CellOf(TextId id, Language language)
{
    // The Windows program has no rows for the offline program, whose texts
    // nothing of it asks for.
    static constexpr TextCell kLeftOut{""};
    const auto row = static_cast<std::size_t>(id);
    return row < std::size(kTexts) ? kTexts[row].in[static_cast<std::size_t>(language)] : kLeftOut;
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
