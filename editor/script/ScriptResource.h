#pragma once

// Dialog templates of the item text editor (ScriptDialogs.rc): search, replace, link editing.
#define IDD_SEARCH 400
#define IDD_REPLACE 401
#define IDD_LINK_PROPERTY 402
#define IDC_SEARCH_TEXT 410
#define IDC_REPLACE_TEXT 411
#define IDC_MATCH_CASE 412
#define IDC_WHOLE_WORD 413
#define IDC_NO_MATCH_ZENKAKU 414
#define IDC_INCLUDE_CRLF 415
#define IDC_REPLACE_CONFIRM 416
#define IDC_DIRECTION_UP 417
#define IDC_DIRECTION_DOWN 418
#define IDC_REPLACE_ALL 419
#define IDC_LINK_TEXT 430
#define IDC_LINK_TO 431
#define IDC_SET_TO_MARK 432
#define IDC_COUNTER_CHECK 433
#define IDC_COUNTER_COMBO 434
#define IDC_COUNTER_VALUE 435
#define IDC_CONDITION_LABEL 437
