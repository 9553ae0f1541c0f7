#pragma once
// The string-table entries the framework loads. It defines only their ids: the program's
// resource script supplies the texts (the caption of every message box, the data-exchange
// warnings), so the framework stays free of the program's own resources.
#define IDS_APP_TITLE            57344   // caption of message boxes, the application's name
#define IDS_DDX_PARSE_INT        60001
#define IDS_DDX_INT_RANGE        60002   // %1 lowest, %2 highest
#define IDS_DDX_TEXT_TOO_LONG    60003   // %1 the limit in bytes
