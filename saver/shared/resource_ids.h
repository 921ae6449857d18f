// Resource identifiers of Ember_Lantern.scr (shared by the .rc and the code).
#pragma once

#define IDI_EMBER_LANTERN 1   // 32 x 32 icon
#define IDR_PREVIEW_JPEG 101  // 152 x 112 baseline JPEG of the preview (RCDATA)
// The same still at twice the size, for scaled displays (RCDATA).
#define IDR_PREVIEW_LARGE_JPEG 102

// The push button's state pictures (24-bit bitmaps, 64 x 25), numbered in the
// order of button::StatePicture.
#define IDB_BUTTON_NORMAL 201
#define IDB_BUTTON_HIGHLIGHT 202
#define IDB_BUTTON_HIGHLIGHT_SELECT 203
#define IDB_BUTTON_SELECTED 204
#define IDB_BUTTON_PRESSED 205
#define IDB_BUTTON_DISABLE 206

// The settings dialog's marks of the music kinds (24-bit bitmaps, 12 x 12).
#define IDB_MARK_CLEAR 211
#define IDB_MARK_CHOSEN 212
