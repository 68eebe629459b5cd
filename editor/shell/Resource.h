#pragma once

// Resources of Miravo.exe.
// Icons: the program's first (icon index 0), the novel document's second (index 1, which the
// file association names as "Miravo.exe,1").
#define IDI_PROGRAM 1
#define IDI_NOVEL 2
#define IDR_MAIN_MENU 100
#define IDR_MAIN_ACCELERATORS 101
#define IDD_ABOUT 200
#define IDC_ABOUT_VERSION 201
#define IDC_ABOUT_ENGINE 202
#define IDD_CHART_SIZE 210
#define IDC_CHART_WIDTH 211
#define IDC_CHART_HEIGHT 212

// Main menu commands.
#define ID_NOVEL_NEW 1001
#define ID_NOVEL_OPEN 1002
#define ID_NOVEL_SAVE 1003
#define ID_NOVEL_SAVE_AS 1004
#define ID_ASSOCIATE 1005
#define ID_CHART_BMP_SAVE 1006
#define ID_TEXT_SAVE 1007
#define ID_PLANE_TEXT_SAVE 1008
#define ID_EXIT 1009
#define ID_NOVEL_PROPERTY 1010
#define ID_TESTPLAY 1011
#define ID_MAKE_RUNTIME 1012
#define ID_ARRANGE_WINDOW 1013
#define ID_RESET_WINDOW_LAYOUT 1014
#define ID_SAVE_WINDOW_LAYOUT 1015
#define ID_CONTENTS 1016
#define ID_ABOUT 1017
#define ID_RECENT_NONE 1018
// Chart commands, declared with the main menu's so that one update pass enables them all.
#define ID_ITEM_DELETE 1019
#define ID_ITEM_MARK 1020
// The novel check's report window.
#define ID_NOVEL_CHECK 1050
// One command per recent file, in list order; the list has no limit during a run, the range has.
#define ID_RECENT_FIRST 2000
#define ID_RECENT_LAST 2999
