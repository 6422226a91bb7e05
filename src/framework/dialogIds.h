/* Control ids that the framework's dialogs share with their templates.
   Plain defines, since the resource compiler reads this file too. */
#pragma once

/* Any dialog: a Help button is disabled, as the program has no help file. */
#define IDC_HELP_BUTTON 599

/* The file-open dialog and the dialogs built on it. */
#define IDC_OPEN_NAME 301  /* edit: a typed name or pattern */
#define IDC_OPEN_FILES 401 /* list: the matching files */
#define IDC_OPEN_DIRS 402  /* list: subdirectories and drives */
#define IDC_OPEN_DIR 601   /* text: the current directory */

/* The about box. */
#define IDC_ABOUT_TITLE 601
#define IDC_ABOUT_VERSION 602
#define IDC_ABOUT_SITE_LABEL 603
#define IDC_ABOUT_SITE_ID 604
#define IDC_ABOUT_NOTICE 611
#define IDC_ABOUT_ICON 1001
#define IDC_ABOUT_RULE 1002
