/* Control numbers of the engine's dialog templates: the engine's own
 * message boxes and the templates of the language DLLs gv%s.dll. Plain C
 * defines, read by the resource compiler and by the engine. */
#pragma once

/* "DLGMSGBOX0" to "DLGMSGBOX4" */
#define IDC_MSGBOX_ICON 101
#define IDC_MSGBOX_TEXT 102
#define IDC_MSGBOX_BUTTON 103 /* 103 to 106, the first is the default */

/* "DLGMSGDLG", the notice; its OK button is IDOK */
#define IDC_NOTICE_TEXT 101
#define IDC_NOTICE_ICON 102

/* "DLGSELCOMPS"; OK and Cancel are IDOK and IDCANCEL */
#define IDC_SELCOMPS_FRAME 101
#define IDC_SELCOMPS_LIST 102
#define IDC_SELCOMPS_SELECTED 104
#define IDC_SELCOMPS_GAUGE 105
#define IDC_SELCOMPS_TOTAL 106
#define IDC_SELCOMPS_DRIVES 108

/* "DLGASKUI": the two edits and up to six lines of text */
#define IDC_ASKUI_NAME 101
#define IDC_ASKUI_COMPANY 102
#define IDC_ASKUI_TEXT 103 /* 103 to 108 */

/* "DLGPROMPTSTR": the prompt, and an edit or a drop-down combo box */
#define IDC_PROMPT_TEXT 101
#define IDC_PROMPT_EDIT 102
#define IDC_PROMPT_COMBO 103

/* "DLGPROG"; its Cancel button is IDCANCEL */
#define IDC_PROG_ICON 101
#define IDC_PROG_TEXT 102
#define IDC_PROG_GAUGE 103

/* "DLGDOSINFORM": the merged AUTOEXEC.BAT or CONFIG.SYS (read-only); OK is IDOK */
#define IDC_DOSINFORM_TEXT 101

/* Items of a script's user dialog are numbered from here. */
#define IDC_USERDLG_FIRST 100

/* The uninstaller's "DLGUNDOMAINSIM", "DLGUNDOMAINADV" and "DLGUNDOMAINSLT":
 * the start button is IDOK, the close button IDCANCEL (the automatic view
 * has neither). */
#define IDC_UNDO_STATUS 101   /* simple and automatic: the record at work */
#define IDC_UNDO_PROGRESS 104 /* simple and automatic: the gauge's place */
#define IDC_UNDO_LIST 101     /* advanced: one owner-drawn line per record */
#define IDC_UNDO_STATE 102    /* advanced: 102 to 106, the undo states 0 to 4 */
#define IDC_UNDO_DETAILS 107  /* advanced: the selected record's details */
#define IDC_UNDO_SWITCH 108   /* the other view */

/* "DLGUNDOASKQUIT": IDOK leaves incomplete, this one leaves counting the
 * uninstallation as complete, IDCANCEL stays. */
#define IDC_ASKQUIT_COMPLETE 101
