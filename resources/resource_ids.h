#pragma once
// Identifiers of the resources carried in the executable (also read by the resource script).
#define IDI_VELLORO 1
#define IDR_TRAY_ICON_FILE 201
#define IDR_ABOUT_BANNER 202
// The encoding field added to the Save As dialog.
#define IDD_SAVE_ENCODING 300
#define IDC_ENCODING_LABEL 301
#define IDC_ENCODING 302
