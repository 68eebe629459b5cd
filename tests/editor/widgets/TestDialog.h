#pragma once

#define IDD_TEST_NAME 100
#define IDC_TEST_NAME 101
