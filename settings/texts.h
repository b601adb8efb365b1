// The program's texts by id, one row per text with a column per language.
// Code that shows a text names it by its id and the active language; it
// never picks a text itself. The tree labels are the string table's (see
// language.h); the dialog templates carry their own texts per language.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "settings/language.h"

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
};

// The text in `language`, with %1, %2, ... replaced by the arguments in
// turn. A Chinese text keeps the spaces that pad it.
std::string Text(TextId id, Language language, std::initializer_list<std::string_view> arguments = {});

// One text given in the three languages, as a table of texts holds it: the
// Chinese (null: the English, as the command lines speak to Chinese users)
// and the spaces that pad it, the German, the English.
std::string ChooseText(const char* chinese, int padding, const char* german, const char* english, Language language,
                       std::initializer_list<std::string_view> arguments);
