// Resource ids: dialogs, menus, bitmaps, controls, commands and strings.
#pragma once

#define IDR_MAINFRAME 128
