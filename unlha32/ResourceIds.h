#pragma once
// Resource numbers of UNLHA32.DLL.

#define IDD_PROGRESS 100
#define IDC_ARCHIVE 101
#define IDC_MEMBER 102
#define IDC_BAR 103

// The message for result code N is the string IDS_RESULT_BASE + N.
#define IDS_RESULT_BASE 1000
#define IDS_EXTRACTED 1100
#define IDS_TESTED 1101
