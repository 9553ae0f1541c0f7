// Resource ids: dialogs, menus, bitmaps, controls, commands and strings.
#pragma once

// Message strings (captioned with IDS_APP_TITLE).
#define IDS_APP_TITLE            57344
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
// The framework's data-exchange warnings.
#define IDS_DDX_PARSE_INT        60001
#define IDS_DDX_INT_RANGE        60002
#define IDS_DDX_TEXT_TOO_LONG    60003
// System colour names of the colour page: 65028 .. 65048; font style names: 65049 .. 65052.
#define IDS_SYSCOLOR_FIRST       65028
#define IDS_SYSCOLOR_LAST        65048
#define IDS_STYLE_REGULAR        65049
#define IDS_STYLE_BOLD           65050
#define IDS_STYLE_ITALIC         65051
#define IDS_STYLE_BOLD_ITALIC    65052
