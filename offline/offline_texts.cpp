#include "offline/offline_texts.h"

#include <iterator>

#include "settings/texts.h"

namespace offline {

namespace {

struct OfflineRow {
    OfflineText id;
    const char* german;
    const char* english;
};

using O = OfflineText;

constexpr OfflineRow kTexts[] = {
    {O::OfflineUsage,
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
     "error ends with 3 and changes nothing.\n"},
    {O::OfflineUsageHint, "veilmark-offline --help zeigt die Verwendung.\n",
     "veilmark-offline --help shows the usage.\n"},
    {O::UnknownOption, "unbekannte Option %1", "unknown option %1"},
    {O::OptionNeedsValue, "%1 braucht einen Wert", "%1 needs a value"},
    {O::NeedsRoot, "--root VERZ nennt die Wurzel des Windows-Laufwerks und fehlt",
     "--root DIR, the root of the Windows drive, is missing"},
    {O::NeedsCommand, "ein Befehl fehlt: status, apply, restore, revert oder backups",
     "a command is missing: status, apply, restore, revert or backups"},
    {O::UnknownCommand, "unbekannter Befehl %1: status, apply, restore, revert oder backups",
     "unknown command %1: status, apply, restore, revert or backups"},
    {O::NoWindowsFolder, "kein Ordner in %1 enthält system32/config/software: ist das die Wurzel eines Windows-Laufwerks?",
     "no folder in %1 holds system32/config/software: is it the root of a Windows drive?"},
    {O::HiveUnreadable, "die Hive %1 ist nicht lesbar: %2", "cannot read the hive %1: %2"},
    {O::NotAHive, "%1 ist keine Registrierungsdatei (Hive)", "%1 is not a registry hive"},
    {O::HiveNotClosedCleanly,
     "%1 wurde nicht sauber geschlossen: Windows wurde nicht normal heruntergefahren. Starten Sie Windows auf "
     "dieser Installation, fahren Sie es normal herunter und versuchen Sie es dann erneut. Nichts wurde geändert.",
     "%1 was not closed cleanly: Windows was not shut down normally. Start Windows on this installation, shut it "
     "down normally, then try again. Nothing was changed."},
    {O::Hibernated,
     "Windows ist auf dieser Installation im Ruhezustand (%1). Starten Sie es, fahren Sie es normal herunter (nicht "
     "in den Ruhezustand) und versuchen Sie es dann erneut. Nichts wurde geändert.",
     "Windows on this installation is hibernated (%1). Start it, shut it down normally (not into hibernation), then "
     "try again. Nothing was changed."},
    {O::NotXpInstallation, "diese Installation ist %1, nicht Windows XP. Nichts wurde geändert.",
     "this installation is %1, not Windows XP. Nothing was changed."},
    {O::NoControlSet, "SYSTEM\\Select nennt keinen Steuersatz (Current), der vorhanden ist",
     "SYSTEM\\Select names no control set (Current) that exists"},
    {O::NoProfiles, "diese Installation hat kein Benutzerprofil mit NTUSER.DAT",
     "this installation has no user profile with an NTUSER.DAT"},
    {O::UnknownProfile, "kein Profil namens %1 in dieser Installation", "no profile named %1 in this installation"},
    {O::ProfileWithoutHive, "das Profil %1 hat keine NTUSER.DAT und bleibt außen vor",
     "the profile %1 has no NTUSER.DAT and is left out"},
    {O::RevertNeedsProfile, "%1 enthält Werte eines Benutzers: nennen Sie sein Profil mit --user NAME",
     "%1 holds a user's values: name the profile with --user NAME"},
    {O::HivesNotReplaced, "die Änderungen konnten nicht geschrieben werden (%1); keine Hive wurde geändert",
     "the changes could not be written (%1); no hive was changed"},
};

constexpr bool IdsMatchPositions()
{
    for (std::size_t i = 0; i < std::size(kTexts); ++i)
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
    return std::size(kTexts) == static_cast<std::size_t>(OfflineText::HivesNotReplaced) + 1;
}
static_assert(IdsMatchPositions(), "text rows must stand in OfflineText order, one for each id");

}  // namespace

std::string Text(OfflineText id, Language language, std::initializer_list<std::string_view> arguments)
{
    const OfflineRow& row = kTexts[static_cast<std::size_t>(id)];
    return ChooseText(nullptr, 0, row.german, row.english, language, arguments);
}

}  // namespace offline
