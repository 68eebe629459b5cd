#pragma once

// Resources of the novel check's report window.
#define IDD_NOVEL_CHECK 500
#define IDC_CHECK_SUMMARY 501
#define IDC_CHECK_LIST 502
#define IDC_CHECK_AGAIN 503
