#pragma once
// Identifiers of the resources carried in the executable (also read by the resource script).
#define IDI_VELLORO 1
#define IDR_TRAY_ICON_FILE 201
#define IDR_ABOUT_BANNER 202
