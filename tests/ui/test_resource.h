#pragma once

// A test-only window with three number fields and one integer field.
#define IDD_EXCHANGE_TEST 900
#define IDC_FIRST 1001
#define IDC_SECOND 1002
#define IDC_THIRD 1003
#define IDC_YEAR 1004
