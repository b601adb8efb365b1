// Resource and control ids, shared by the resource script and the C++ code.
#pragma once

// Dialog templates
#define IDD_MAIN_DIALOG        202
#define IDD_WAIT               203
#define IDD_ABOUT              205
#define IDD_USER_ADMIN         209
#define IDD_ITEM_INFO          211
#define IDD_TIME_SERVER        213

// Controls of the main dialog
#define IDC_START              1000
#define IDC_HOMEPAGE_LINK      1010
#define IDC_OPTION_TREE        1048

// Controls of the about dialog
#define IDC_ABOUT_TEXT         1044

// Controls of the wait box and of the user-management guidance
#define IDC_WAIT_TEXT          1001
#define IDC_USER_TEXT          1046
#define IDC_USER_PICTURE       1053

// Controls of the item information dialog
#define IDC_INFO_HEADING       1049
#define IDC_INFO_DONE          1050
#define IDC_INFO_ACTIVE        1051

// Controls of the time server dialog
#define IDC_TIME_ADD           1033
#define IDC_TIME_SERVERS       1054
#define IDC_TIME_ADDRESS       1055
#define IDC_TIME_APPLY         1056

// Menu and its commands
#define IDR_MAIN_MENU          243
#define IDM_ABOUT              40003
#define IDM_CHECK_STATUS       40005
#define IDM_RESET_STATUS       40006
#define IDM_EXPERT_SETTINGS    40007
#define IDM_RECOMMENDED        40008
#define IDM_HELP_INDEX         40012
#define IDM_TIME_SERVER        40013

// Bitmaps
#define IDB_STATE_IMAGES       129
#define IDB_USER_LIST          245

// Icons
#define IDI_APP_ICON           245
#define IDI_LEGEND_DONE        246
#define IDI_LEGEND_TICKED      247
#define IDI_LEGEND_EMPTY       248
#define IDI_LEGEND_LOCKED      249
#define IDI_LEGEND_ACTIVE      255

// The product's home page: the link label's text and target, and the
// address the about text gives.
#define VEILMARK_HOME_PAGE     "http://veilmark.example.org"
