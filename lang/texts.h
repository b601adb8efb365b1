// The program's texts by id: one store, a row per text with a column per
// language in the order of the language table (lang/languages.inc), for the
// dialogs, both command lines and the Win32 layer alike. Code that shows a
// text names it by its id and the active language; it never picks a text
// itself. The tree labels are the string table's (res/string_table.inc), and
// the dialog templates carry their own texts per language.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "lang/languages.h"

enum class TextId {
    // The main dialog and its boxes.
    ReadyCaption,
    NotWindowsXp,
    HelpFileMissing,
    BackupRefused,
    CheckQuestion,
    RestoreQuestion,
    RestoreDone,
    // The registry writer's result lines (code 0, 1, 3, 4, 5).
    WriteOk,
    WriteCannotOpenKey,
    WriteCannotSet,
    WriteCannotReadBack,
    WriteReadBackDiffers,
    // The labels without a string table row.
    MiscGroupLabel,
    MessengerNoActionLabel,
    // The about box and the legend before the status check.
    AboutText,
    InfoHeading,
    InfoDone,
    InfoActive,
    // The system actions.
    MessengerQuestion,
    MessengerWait,
    MediaPlayerWait,
    UserGuidance,
    TimeServerQuestion,
    PlayerNotStarted,
    UninstallerNotStarted,
    // The system's description line.
    UnnamedSystem,
    EditionHome,
    EditionProfessional,
    EditionOther,
    EditionUnknown,
    // The command line.
    Usage,
    UsageHint,
    UnknownSwitch,
    UnexpectedArgument,
    RepeatedSwitch,
    NeedsSelection,
    NeedsFileName,
    NeedsRegFileToWrite,
    NeedsRegFileToImport,
    NeedsLanguage,
    CannotReadProfile,
    CannotWriteReport,
    CannotWriteBackup,
    CannotWriteFile,
    CannotReadFile,
    ErrorInLine,
    NothingImported,
    Wrote,
    NoBackups,
    // Profiles.
    UnknownOptionKey,
    OptionIsGroup,
    SecondMessengerChoice,
    // .reg files.
    NotRegFile,
    EmptyRegFile,
    KeyWithoutBracket,
    KeyBelowNoRoot,
    ValueOutsideSection,
    NameNotQuoted,
    ValueWithoutEquals,
    TextWithoutQuote,
    BadDword,
    BadValueType,
    UnknownValueKind,
    BadHexList,
    OddTextLength,
    // The revert of a backup.
    RevertDeletesKey,
    RevertNamesKey,
    RevertChangesValue,
    RevertKeyNotWritable,
    RevertCannotSet,
    RevertKeyShut,
    RevertCannotDelete,
    // The backup.
    NoApplicationData,
    BackupKeyShut,
    BackupValueUnreadable,
    // Group Policy: where gpedit shows a policy (its configuration, then its
    // place below it), and what a step that a policy undoes tells.
    PolicyComputer,
    PolicyUser,
    PolicyPreventCodecDownload,
    PolicyReportErrors,
    PolicyDisplayErrorNotification,
    PolicySolicitedRemoteAssistance,
    PolicyNtpClient,
    PolicyNoIeUpdateCheck,
    PolicyNoScheduledOfflinePages,
    PolicyMessengerNoAutoStart,
    PolicyMessengerNoRun,
    KeptOnByPolicy,
    KeptOffByPolicy,
    KeptOnByPolicyLine,
    KeptOffByPolicyLine,
    // The Win32 layer: the box that ends the program after an unexpected
    // error, a dialog template that would not become a window, an error
    // code the system has no words for.
    UnexpectedError,
    CannotCreateDialog,
    ErrorNumber,
    // The offline program: last, as the Windows program has none of them.
    OfflineUsage,
    OfflineUsageHint,
    UnknownOption,
    OptionNeedsValue,
    NeedsRoot,
    NeedsCommand,
    UnknownCommand,
    NoWindowsFolder,
    HiveUnreadable,
    NotAHive,
    HiveNotClosedCleanly,
    Hibernated,
    NotXpInstallation,
    NoControlSet,
    NoProfiles,
    UnknownProfile,
    ProfileWithoutHive,
    RevertNeedsProfile,
    HivesNotReplaced,
    HiveDamaged,
    ProfileLeftOut,
    RootOrImages,
    PartitionNeedsImage,
    ImageUnreadable,
    ImageNotWritable,
    ImageInUse,
    ApplianceFailed,
    NoWindowsInImage,
    SeveralWindowsInImage,
    FilesystemReadOnly,
    StoppedBySignal,
    ImageNotChanged,
    ProgressLaunch,
    ProgressFinding,
    ProgressReading,
    ProgressWriting,
    ProgressFinish,
};

// The text in `language`, with %1, %2, ... replaced by the arguments in
// turn. A text keeps the spaces that pad it.
std::string Text(TextId id, Language language, std::initializer_list<std::string_view> arguments = {});

// The text as the store holds it, without its padding and with its %1, %2
// ...: for the one path that may not allocate (the program ending after an
// unexpected error).
const char* TextPattern(TextId id, Language language);
