// The product's name and version, kept here alone: the title of the main
// dialog, the about box, the command line, the version resource, the
// manifest and the build (CMake reads the three numbers from this file)
// all take them from here. Read by windres too: plain #defines only.
#pragma once

#define VEILMARK_PRODUCT "Veilmark"
#define VEILMARK_VERSION_MAJOR 3
#define VEILMARK_VERSION_MINOR 1
#define VEILMARK_VERSION_PATCH 3

#define VEILMARK_STRINGIZE_(x) #x
#define VEILMARK_STRINGIZE(x) VEILMARK_STRINGIZE_(x)
// "3.13": the version as the program shows it, the minor and patch
// numbers written together.
#define VEILMARK_VERSION_SHOWN                                                      \
    VEILMARK_STRINGIZE(VEILMARK_VERSION_MAJOR) "." VEILMARK_STRINGIZE(VEILMARK_VERSION_MINOR) \
        VEILMARK_STRINGIZE(VEILMARK_VERSION_PATCH)
// "3.1.3": the version of the offline program and of the release's files.
#define VEILMARK_VERSION_DOTTED                                                             \
    VEILMARK_STRINGIZE(VEILMARK_VERSION_MAJOR) "." VEILMARK_STRINGIZE(VEILMARK_VERSION_MINOR) "." \
        VEILMARK_STRINGIZE(VEILMARK_VERSION_PATCH)
// "3, 1, 3, 0": as the version resource writes it.
#define VEILMARK_VERSION_RESOURCE                                                           \
    VEILMARK_STRINGIZE(VEILMARK_VERSION_MAJOR) ", " VEILMARK_STRINGIZE(VEILMARK_VERSION_MINOR) ", " \
        VEILMARK_STRINGIZE(VEILMARK_VERSION_PATCH) ", 0"
// "Veilmark V3.13": the main dialog's title.
#define VEILMARK_TITLE VEILMARK_PRODUCT " V" VEILMARK_VERSION_SHOWN
