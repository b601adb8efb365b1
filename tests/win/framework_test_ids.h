// Resource ids of the dialog that the framework's tests run.
#pragma once

#define IDD_FRAMEWORK_TEST   900
#define IDD_MISSING          999
#define IDC_TEST_LIST        901
#define IDC_TEST_EDIT        902
#define IDC_TEST_BUTTON      903
#define IDC_TEST_LINK        904
#define IDC_TEST_COMBO       905
