// Resource ids: dialogs, menus, bitmaps, controls, commands and strings.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC               (-1)
#endif

// Program icon.
#define IDR_MAINFRAME            128

// Dialog templates.
#define IDD_MAIN_BAR             102
#define IDD_PRP_COLOR            103
#define IDD_PRP_TEXT             104
#define IDD_OPT_COMMON           105
#define IDD_OPT_FONT             106
#define IDD_ABOUT                107
#define IDD_SAME_NAME            134
#define IDD_TRANSFER_PROGRESS    135

// Menus (each one a single popup, tracked at the pointer).
#define IDR_MAIN_MENU            129
#define IDR_BUTTON_MENU          130
#define IDR_RIGHT_DROP_MENU      133

// Bitmap: the NEW badge, keyed on its top-left pixel (pure blue).

// Main bar (102).
#define IDC_PAGE_SPIN            1006
#define IDC_PAGE_LABEL           1009

// About box (107).
#define IDC_ABOUT_HELP           1027

// Same-name dialog (134). IDOK renames, IDCANCEL stops this file.
#define IDC_OVERWRITE            1028
#define IDC_SIZE_COMPARISON      1030
#define IDC_SOURCE_FILE          1031
#define IDC_EXISTING_FILE        1032
#define IDC_RENAME_TO            1033

// Transfer progress (135). IDCANCEL stops the running job.
#define IDC_PROGRESS_OPERATION   1040
#define IDC_PROGRESS_FILE        1041
#define IDC_PROGRESS_FILES       1042
#define IDC_PROGRESS_BYTES       1043
#define IDC_PROGRESS_BAR         1044
#define IDC_PROGRESS_WAITING     1045

// Colour page (103).
#define IDC_EDIT_BACK_COLOR      1001
#define IDC_EDIT_TEXT_COLOR      1002
#define IDC_RED_SLIDER           1003
#define IDC_GREEN_SLIDER         1004
#define IDC_BLUE_SLIDER          1005
#define IDC_COLOR_DETAILS        1010
#define IDC_SWATCH_FIRST         1100   // swatch 1100 + i shows pure colour i
#define IDC_SWATCH_LAST          1115
#define IDC_SYSTEM_COLOR         1117

// Text page (104).
#define IDC_BROWSE_FOLDER        1008
#define IDC_BROWSE_PROGRAM       1011
#define IDC_FOLDER               1012
#define IDC_TITLE                1013
#define IDC_PROGRAM              1014
#define IDC_HAS_PROGRAM          1022
#define IDC_NO_DROP              1023

// Common options page (105).
#define IDC_GROUP_COUNT          1015
#define IDC_GROUP_COUNT_SPIN     1016
#define IDC_DAYS_NEW             1018
#define IDC_DAYS_NEW_SPIN        1020
#define IDC_RENAME_CONFIRM       1024
#define IDC_RENAME_FORMAT        1025
#define IDC_DISPLAY_COUNT        1026
#define IDC_HOT_KEY              1017
#define IDC_HOT_KEY_CLEAR        1019

// Font page (106).
#define IDC_FACE_NAME            1001
#define IDC_FONT_STYLE           1002
#define IDC_FONT_SIZE            1003
#define IDC_STRIKEOUT            1004
#define IDC_UNDERLINE            1005

// Main menu commands (129).
#define ID_BAR_ALWAYS_ON_TOP     32771
#define ID_BAR_AUTO_HIDE         32772
#define ID_BAR_EXIT              32773
#define ID_BAR_ADD_BUTTON        32774
#define ID_BAR_OPTIONS           32781
#define ID_BAR_ABOUT             32782
#define ID_BAR_DROP_COPY         32783
#define ID_BAR_DROP_MOVE         32784
#define ID_BAR_SORT              32788
#define ID_BAR_HELP_CONTENTS     32790
#define ID_BAR_SLIDE             32792

// Folder button commands (130; 32777 is sent by a click, it has no menu item).
#define ID_BUTTON_DELETE         32775
#define ID_BUTTON_OPEN_FOLDER    32776
#define ID_BUTTON_RUN_PROGRAM    32777
#define ID_BUTTON_PROPERTIES     32778
#define ID_BUTTON_MOVE_EARLIER   32779
#define ID_BUTTON_MOVE_LATER     32780
#define ID_BUTTON_DEFAULT_COLORS 32789
#define ID_BUTTON_REFRESH        32791
#define ID_BUTTON_COPY_COLORS    32793
#define ID_BUTTON_PASTE_COLORS   32794

// Right-drop menu (133).
#define ID_DROP_MOVE             32785
#define ID_DROP_COPY             32786
#define ID_DROP_CANCEL           32787

// Message strings (captioned with IDS_APP_TITLE).
#define IDS_NO_FOLDER_DROP       57345
#define IDS_SAME_FILE_NAME       57346
#define IDS_UNKNOWN_SCHEMA       57347
#define IDS_CANNOT_RUN           57348
#define IDS_CANNOT_OPEN_FOLDER   57349
#define IDS_OLE_INIT_FAILED      57350
#define IDS_ALREADY_RUNNING      57351
#define IDS_NO_TARGET_FOLDER     57352
#define IDS_CANNOT_HANDLE_DROP   57354
#define IDS_FILE_UNUSABLE        57356
#define IDS_CANNOT_SAVE_DATA     57357
#define IDS_ADD_BUTTONS_QUESTION 57362
#define IDS_CLEAR_READONLY_QUESTION 57363

// The framework's own texts (the application title, its data-exchange warnings) take the ids
// it defines.
#include "framework/FrameworkIds.h"

// Other texts shown at run time (captions, prompts, labels, file dialog filters with '|'
// between the parts, formats).
#define IDS_AUTOHIDE_DENIED      61001
#define IDS_CHOOSE_FOLDER        61002
#define IDS_OPTIONS_CAPTION      61003
#define IDS_PROPERTIES_CAPTION   61004
#define IDS_LABEL_MAKE           61005
#define IDS_PAGE_LABEL_FORMAT    61006   // "%d / %d": page, page count
#define IDS_ALREADY_EXISTS       61007   // appended to the existing file's name
#define IDS_SIZES_MATCH          61008
#define IDS_SIZES_DIFFER         61009
#define IDS_NEW_FILE_SUFFIX      61010
#define IDS_OLD_FILE_SUFFIX      61011
#define IDS_FILE_DESCRIPTION     61012   // size, year, month, day, hour, minute, second
#define IDS_TEXT_FILE_FILTER     61013
#define IDS_ALL_FILES_FILTER     61014
#define IDS_FONT_SIZE_RANGE      61015
#define IDS_FONT_SAMPLE          61016
#define IDS_RENAME_SAMPLE_FIRST  61020   // 61020 .. 61023: the rename formats 0 .. 3 shown
#define IDS_RENAME_SAMPLE_LAST   61023
#define IDS_PROGRESS_COPYING     61030
#define IDS_PROGRESS_MOVING      61031
#define IDS_PROGRESS_FILES       61032   // %1 files done, %2 files in all
#define IDS_PROGRESS_BYTES       61033   // %1 done, %2 in all (sizes as the shell writes them)
#define IDS_PROGRESS_WAITING     61034   // %1 drops waiting
#define IDS_STOP_TRANSFER_QUESTION 61035
#define IDS_FOLDER_PATH_TOO_LONG 61036   // %1 the folder
#define IDS_PROGRAM_NAME_TOO_LONG 61037  // %1 the program's path
#define IDS_EMPTY_PAGE_HINT      61050   // drawn where an empty page's buttons would be
#define IDS_HOT_KEY_TAKEN        61051   // %1 the hotkey, as "Ctrl + Shift + Y"
// What screen readers are told: a button's figures and action, the page label's meaning.
#define IDS_ACC_FILE_COUNT       61060   // %1 files in the folder
#define IDS_ACC_NEW_FILES        61061
#define IDS_ACC_REFUSES_DROPS    61062
#define IDS_ACC_LIST_SEPARATOR   61063
#define IDS_ACC_OPEN             61064   // a button's default action
#define IDS_ACC_PAGE_LABEL       61065   // %1 the label's text, %2 what a plain drop does
#define IDS_ACC_DROP_COPIES      61066
#define IDS_ACC_DROP_MOVES       61067

// System colour names of the colour page: 65028 .. 65048; font style names: 65049 .. 65052.
#define IDS_SYSCOLOR_FIRST       65028
#define IDS_SYSCOLOR_LAST        65048
#define IDS_STYLE_REGULAR        65049
#define IDS_STYLE_BOLD           65050
#define IDS_STYLE_ITALIC         65051
#define IDS_STYLE_BOLD_ITALIC    65052
