/* Ids of the program's resources, shared by vekwin.rc and the code. Plain
   defines, since the resource compiler reads this file too. */
#pragma once

#include "../framework/dialogIds.h"

/* Menu commands arrive as a group (the id with its low byte cleared) and an
   item (the low byte). */
#define IDM_FILE_GROUP 4096
#define IDM_BOTH 4097
#define IDM_EXPAND 4098
#define IDM_COMPRESS 4099
#define IDM_EXIT 4100
#define IDM_BROWSE 4101
#define IDM_HELP_GROUP 5888
#define IDM_ABOUT 5889

/* The main window's output log. */
#define IDC_LOG 7701

/* The command dialog (DLGEXPAND, DLGCOMPRESS, DLGBOTH): the library type
   radio buttons, the remove check box, and the output name with its list
   beside the file-open dialog's input controls. */
#define DLG_BUTTON1 101
#define DLG_BUTTON2 102
#define DLG_BUTTON3 103
#define IDC_REMOVE 201
#define IDC_OUTPUT_NAME 303
#define IDC_OUTPUT_FILES 403

/* The Library window (DLGLIBRARY): the parts of a library in a VList, a
   find field, the selected part's text, a status line and the buttons. */
#define IDC_LIB_LIST 501
#define IDC_LIB_FIND 502
#define IDC_LIB_TEXT 503
#define IDC_LIB_STATUS 504
#define IDC_LIB_EXTRACT 505
#define IDC_LIB_ADD 506
#define IDC_LIB_DELETE 507
#define IDC_LIB_VERIFY 508
#define IDC_LIB_HEADER 509
#define IDC_LIB_RENAME 510
#define IDC_LIB_NAME_EDIT 511
#define IDC_LIB_FIND_TEXT 512
#define IDC_LIB_FIND_NEXT 513
#define IDC_LIB_EDIT 514

/* Error boxes of the Library window; the detail names the file. */
#define IDS_LIB_UNREADABLE 230
#define IDS_LIB_UNCHANGED 231
#define IDS_LIB_NOT_EXTRACTED 232
#define IDS_LIB_PARTS_NOT_EXTRACTED 241
#define IDS_LIB_DAMAGED 233
#define IDS_NOT_A_LIBRARY 234
#define IDS_LIB_NOT_REPAIRED 235
#define IDS_LIB_CHANGED_OUTSIDE 236
#define IDS_LIB_NAME_UNCARRIABLE 237
#define IDS_LIB_NAME_TAKEN 238
#define IDS_LIB_EDIT_STALE 239
#define IDS_LIB_NOT_EDITED 240
